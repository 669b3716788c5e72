#include "app/ProgramGlobals.h"

namespace quendrel {

TForm1* Form1 = nullptr;
bool Working = false;
int32_t PopupCount = 0;

}  // namespace quendrel
