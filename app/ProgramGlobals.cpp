#include "app/ProgramGlobals.h"

namespace quendrel {

TForm1* Form1 = nullptr;

}  // namespace quendrel
