#include "core/CheckInterval.h"

#include <algorithm>

namespace quendrel {

uint32_t CheckTimerInterval(int32_t checkTimeMinutes) {
  int64_t ms = int64_t{checkTimeMinutes} * 60'000;
  return static_cast<uint32_t>(std::clamp<int64_t>(ms, 0, kTimerMaximumMs));
}

}  // namespace quendrel
