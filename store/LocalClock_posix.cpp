#include <time.h>

#include "store/LocalClock.h"

namespace quendrel {

std::optional<uint64_t> SystemLocalClock::ToLocalTicks(uint64_t UtcTicks) {
  // The offset in force now, not at the stamp's moment, as on Windows.
  const time_t now = time(nullptr);
  struct tm local {};
  if (localtime_r(&now, &local) == nullptr) return std::nullopt;
  const int64_t shift = int64_t{local.tm_gmtoff} * 10'000'000;
  if (shift < 0 && UtcTicks < static_cast<uint64_t>(-shift)) return std::nullopt;
  return UtcTicks + static_cast<uint64_t>(shift);
}

CalendarTime SystemLocalClock::Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm local {};
  localtime_r(&now.tv_sec, &local);
  return CalendarTime{local.tm_year + 1900,
                      local.tm_mon + 1,
                      local.tm_mday,
                      local.tm_hour,
                      local.tm_min,
                      local.tm_sec,
                      static_cast<int>(now.tv_nsec / 1'000'000)};
}

}  // namespace quendrel
