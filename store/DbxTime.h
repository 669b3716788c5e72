// Store time stamps to the program's date-time values.
#pragma once

#include "store/DbxRecords.h"

namespace quendrel {

// Date-time value: days since 1899-12-30 00:00 local time, the fraction being the time of day.
using DateTime = double;

// Local date-time of a store time stamp, converted with the time-zone offset in force now. A zero
// stamp, a year outside 1991..2049, or any failure gives the current local date-time.
DateTime DbxFileTimeToDateTime(const DbxFileTime& Time);

// The local clock's reading, to the millisecond.
DateTime NowLocal();

}  // namespace quendrel
