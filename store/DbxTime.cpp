#include "store/DbxTime.h"

#include "store/DateTimeMath.h"

namespace quendrel {

DateTime DbxFileTimeToDateTime(const DbxFileTime& Time) {
  SystemLocalClock clock;
  return DbxFileTimeToDateTime(Time, clock);
}

DateTime NowLocal() {
  SystemLocalClock clock;
  return NowLocal(clock);
}

}  // namespace quendrel
