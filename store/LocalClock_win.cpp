#include <windows.h>

#include "store/LocalClock.h"

namespace quendrel {

std::optional<uint64_t> SystemLocalClock::ToLocalTicks(uint64_t UtcTicks) {
  // FileTimeToLocalFileTime applies today's bias whatever the date: the stamp of a message sent in
  // winter shows shifted by an hour in summer, as it does in the mail client itself.
  FILETIME utc{static_cast<DWORD>(UtcTicks), static_cast<DWORD>(UtcTicks >> 32)};
  FILETIME local{};
  if (!FileTimeToLocalFileTime(&utc, &local)) return std::nullopt;
  return (uint64_t{local.dwHighDateTime} << 32) | local.dwLowDateTime;
}

CalendarTime SystemLocalClock::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return CalendarTime{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                      now.wMinute, now.wSecond, now.wMilliseconds};
}

}  // namespace quendrel
