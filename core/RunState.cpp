#include "core/RunState.h"

namespace quendrel {

bool Working = false;
int32_t PopupCount = 0;

}  // namespace quendrel
