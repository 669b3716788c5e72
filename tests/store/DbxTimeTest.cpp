// Store time stamps to date-time values, on a fixed clock.
#include <gtest/gtest.h>

#include <cmath>

#include "store/DateTimeMath.h"

namespace quendrel::test {
namespace {

constexpr uint64_t kTicksPerHour = 36'000'000'000;

// A clock two hours ahead of UTC whose "now" is 2024-05-06 07:08:09.010.
class FixedClock : public LocalClock {
 public:
  int64_t offsetHours = 2;
  bool failConversion = false;
  std::optional<uint64_t> ToLocalTicks(uint64_t utc) override {
    if (failConversion) return std::nullopt;
    return utc + offsetHours * kTicksPerHour;
  }
  CalendarTime Now() override { return {2024, 5, 6, 7, 8, 9, 10}; }
};

// FILETIME ticks of a UTC calendar moment, counted independently of the code under test.
uint64_t Ticks(int year, int month, int day, int hour = 0, int minute = 0, int ms = 0) {
  static const int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  int64_t days = 0;
  for (int y = 1601; y < year; ++y) days += (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 366 : 365;
  days += kDaysBefore[month - 1] + day - 1;
  if (month > 2 && year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) ++days;
  return ((static_cast<uint64_t>(days) * 24 + hour) * 60 + minute) * 600'000'000 + uint64_t(ms) * 10'000;
}

DbxFileTime Stamp(uint64_t ticks) {
  return {static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
}

TEST(DbxTime, CalendarValues) {
  EXPECT_EQ(EncodeDateTime({1899, 12, 30}), 0.0);
  EXPECT_EQ(EncodeDateTime({2000, 1, 1}), 36526.0);
  EXPECT_EQ(EncodeDateTime({1991, 1, 1}), 33239.0);
  EXPECT_DOUBLE_EQ(EncodeDateTime({2000, 1, 1, 18, 0, 0, 0}), 36526.75);
  const auto fields = CalendarFromTicks(Ticks(2024, 2, 29, 23, 59, 999));
  ASSERT_TRUE(fields.has_value());
  EXPECT_EQ(fields->Year, 2024);
  EXPECT_EQ(fields->Month, 2);
  EXPECT_EQ(fields->Day, 29);
  EXPECT_EQ(fields->Hour, 23);
  EXPECT_EQ(fields->Minute, 59);
  EXPECT_EQ(fields->Millisecond, 999);
  EXPECT_FALSE(CalendarFromTicks(0x8000000000000000ull).has_value());
}

TEST(DbxTime, AcceptedYearsAndEverythingElseIsNow) {
  FixedClock clock;
  const DateTime now = EncodeDateTime(clock.Now());
  // Stamps given in local time (the clock is UTC+2): subtract its offset to get the UTC stamp.
  auto localStamp = [](uint64_t localTicks) { return Stamp(localTicks - 2 * kTicksPerHour); };
  struct Case {
    const char* name;
    DbxFileTime stamp;
    DateTime expected;
  } cases[] = {
      {"zero", {0, 0}, now},
      {"low_half_only", {1, 0}, now},  // 1601: out of range, but not "zero"
      {"1990-12-31 23:00 local", localStamp(Ticks(1990, 12, 31, 23)), now},
      {"2050-01-01 local", localStamp(Ticks(2050, 1, 1)), now},
      {"1991-01-01 00:00 local", localStamp(Ticks(1991, 1, 1)), 33239.0},
      {"2049-12-31 23:59 local", localStamp(Ticks(2049, 12, 31, 23, 59)),
       EncodeDateTime({2049, 12, 31, 23, 59, 0, 0})},
      {"milliseconds kept", localStamp(Ticks(2000, 1, 1, 12, 0, 250)), 36526.5 + 0.25 / 86400},
      {"beyond system range", {0xFFFFFFFF, 0xFFFFFFFF}, now},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(DbxFileTimeToDateTime(c.stamp, clock), c.expected, 1e-9);
  }
  // The offset in force now is applied, whatever the stamp's season.
  clock.offsetHours = -5;
  EXPECT_NEAR(DbxFileTimeToDateTime(Stamp(Ticks(2000, 1, 1, 12)), clock), 36526.5 - 5.0 / 24, 1e-9);
  clock.failConversion = true;
  EXPECT_EQ(DbxFileTimeToDateTime(Stamp(Ticks(2000, 1, 1, 12)), clock), now);
}

TEST(DbxTime, SystemClockGivesAPlausibleNow) {
  const DateTime now = NowLocal();
  EXPECT_GT(now, EncodeDateTime({2020, 1, 1}));
  EXPECT_LT(now, EncodeDateTime({2100, 1, 1}));
  // A stamp of today (UTC) lands within a day of the local now.
  EXPECT_NEAR(DbxFileTimeToDateTime(DbxFileTime{0, 0}), now, 1.0 / 24);
}

}  // namespace
}  // namespace quendrel::test
