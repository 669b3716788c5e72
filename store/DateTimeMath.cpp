#include "store/DateTimeMath.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace quendrel {
namespace {

constexpr uint64_t kTicksPerMillisecond = 10'000;
constexpr uint64_t kMillisecondsPerDay = 86'400'000;
constexpr uint64_t kTicksPerDay = kTicksPerMillisecond * kMillisecondsPerDay;

// Proleptic Gregorian day numbers relative to 1970-01-01 (H. Hinnant's civil-date algorithms).
constexpr int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& Year, int& Month, int& Day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  Year = static_cast<int>(yoe + era * 400 + (Month <= 2));
}

constexpr int64_t kFileTimeEpoch = DaysFromCivil(1601, 1, 1);
constexpr int64_t kDateTimeEpoch = DaysFromCivil(1899, 12, 30);

}  // namespace

std::optional<CalendarTime> CalendarFromTicks(uint64_t Ticks) {
  if (Ticks > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) return std::nullopt;
  CalendarTime time;
  CivilFromDays(kFileTimeEpoch + static_cast<int64_t>(Ticks / kTicksPerDay), time.Year, time.Month, time.Day);
  uint64_t ms = (Ticks % kTicksPerDay) / kTicksPerMillisecond;
  time.Millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  time.Second = static_cast<int>(ms % 60);
  ms /= 60;
  time.Minute = static_cast<int>(ms % 60);
  time.Hour = static_cast<int>(ms / 60);
  return time;
}

uint64_t TicksFromCalendar(const CalendarTime& Time) {
  const int64_t days =
      DaysFromCivil(Time.Year, static_cast<unsigned>(Time.Month), static_cast<unsigned>(Time.Day)) -
      kFileTimeEpoch;
  const int64_t ms = ((int64_t{Time.Hour} * 60 + Time.Minute) * 60 + Time.Second) * 1000 + Time.Millisecond;
  return static_cast<uint64_t>(days * static_cast<int64_t>(kMillisecondsPerDay) + ms) * kTicksPerMillisecond;
}

CalendarTime DecodeDateTime(DateTime Value) {
  const int64_t ms = std::llround(Value * static_cast<double>(kMillisecondsPerDay));
  constexpr auto kDay = static_cast<int64_t>(kMillisecondsPerDay);
  int64_t days = ms / kDay;
  int64_t msOfDay = ms % kDay;
  if (msOfDay < 0) {
    msOfDay += kDay;
    --days;
  }
  CalendarTime time;
  CivilFromDays(kDateTimeEpoch + days, time.Year, time.Month, time.Day);
  time.Millisecond = static_cast<int>(msOfDay % 1000);
  msOfDay /= 1000;
  time.Second = static_cast<int>(msOfDay % 60);
  msOfDay /= 60;
  time.Minute = static_cast<int>(msOfDay % 60);
  time.Hour = static_cast<int>(msOfDay / 60);
  return time;
}

DateTime EncodeDateTime(const CalendarTime& Time) {
  const int64_t days =
      DaysFromCivil(Time.Year, static_cast<unsigned>(Time.Month), static_cast<unsigned>(Time.Day)) -
      kDateTimeEpoch;
  const int64_t ms = ((int64_t{Time.Hour} * 60 + Time.Minute) * 60 + Time.Second) * 1000 + Time.Millisecond;
  return static_cast<double>(days) + static_cast<double>(ms) / kMillisecondsPerDay;
}

DateTime NowLocal(LocalClock& Clock) {
  return EncodeDateTime(Clock.Now());
}

DateTime DbxFileTimeToDateTime(const DbxFileTime& Time, LocalClock& Clock) {
  if (Time.LowDateTime == 0 && Time.HighDateTime == 0) return NowLocal(Clock);
  const std::optional<uint64_t> local = Clock.ToLocalTicks(Time.Ticks());
  if (!local) return NowLocal(Clock);
  const std::optional<CalendarTime> fields = CalendarFromTicks(*local);
  if (!fields || fields->Year < kFirstAcceptedYear || fields->Year > kLastAcceptedYear) {
    return NowLocal(Clock);
  }
  return EncodeDateTime(*fields);
}

}  // namespace quendrel
