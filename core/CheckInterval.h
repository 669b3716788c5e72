// The check timer's interval from the checktime setting (minutes).
#pragma once

#include <cstdint>

namespace quendrel {

// The longest interval a window timer takes (USER_TIMER_MAXIMUM), about 24.8 days.
inline constexpr uint32_t kTimerMaximumMs = 0x7FFFFFFF;

// checktime × 60,000 ms without overflow: 0 stays 0 (a timer that never ticks), a negative value
// gives 0 as well, and anything beyond the timer's maximum is clamped to it.
uint32_t CheckTimerInterval(int32_t checkTimeMinutes);

}  // namespace quendrel
