// Calendar arithmetic for store time stamps, free of any clock: the clock comes in as a seam.
#pragma once

#include <optional>

#include "store/DbxTime.h"
#include "store/LocalClock.h"

namespace quendrel {

inline constexpr int kFirstAcceptedYear = 1991;
inline constexpr int kLastAcceptedYear = 2049;

// Calendar fields of FILETIME ticks (days from 1601-01-01). Nothing for ticks above the signed
// 64-bit range, which the system's conversion refuses as well.
std::optional<CalendarTime> CalendarFromTicks(uint64_t Ticks);

// FILETIME ticks of calendar fields: the inverse of CalendarFromTicks (fields from 1601 on).
uint64_t TicksFromCalendar(const CalendarTime& Time);

// Days since 1899-12-30, the time of day (milliseconds included) as the fraction.
DateTime EncodeDateTime(const CalendarTime& Time);
// Calendar fields of a date-time value, rounded to the whole millisecond first (so 23:59:59.9996
// is the next day's midnight, never a 60th second).
CalendarTime DecodeDateTime(DateTime Value);

DateTime DbxFileTimeToDateTime(const DbxFileTime& Time, LocalClock& Clock);
DateTime NowLocal(LocalClock& Clock);

}  // namespace quendrel
