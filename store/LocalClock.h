// The local clock and time zone, as the store's time stamps need them.
#pragma once

#include <cstdint>
#include <optional>

namespace quendrel {

struct CalendarTime {
  int Year = 0;
  int Month = 0;  // 1..12
  int Day = 0;    // 1..31
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

class LocalClock {
 public:
  virtual ~LocalClock() = default;
  // FILETIME ticks (UTC) shifted by the time-zone offset in force now; nothing when that fails.
  virtual std::optional<uint64_t> ToLocalTicks(uint64_t UtcTicks) = 0;
  // The local date and time, to the millisecond.
  virtual CalendarTime Now() = 0;
};

// The system's clock and time zone (LocalClock_win.cpp or LocalClock_posix.cpp).
class SystemLocalClock : public LocalClock {
 public:
  std::optional<uint64_t> ToLocalTicks(uint64_t UtcTicks) override;
  CalendarTime Now() override;
};

}  // namespace quendrel
