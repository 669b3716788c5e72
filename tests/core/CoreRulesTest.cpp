#include <gtest/gtest.h>

#include <climits>

#include "core/CheckInterval.h"
#include "core/FolderNames.h"

namespace quendrel {
namespace {

TEST(CheckTimerInterval, MinutesBecomeMillisecondsWithoutOverflow) {
  const struct {
    int32_t minutes;
    uint32_t expected;
  } cases[] = {
      {0, 0},  // never ticks, as stored
      {1, 60'000},
      {2, 120'000},
      {60, 3'600'000},
      {90, 5'400'000},  // beyond the page's range but used as stored
      {35'791, 2'147'460'000},
      {35'792, kTimerMaximumMs},  // × 60,000 no longer fits 32 signed bits
      {INT32_MAX, kTimerMaximumMs},
      {-1, 0},
      {INT32_MIN, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.minutes);
    EXPECT_EQ(CheckTimerInterval(c.minutes), c.expected);
  }
}

TEST(AlertFolderName, FileNamePartCutBeforeItsLastDot) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\Store\\Inbox.dbx", "Inbox"},
      {"C:\\Store\\My.Old.Mail.dbx", "My.Old.Mail"},
      {"C:\\Store\\Inbox", ""},  // no dot: empty name
      {"C:\\St.ore\\Inbox", ""},  // a dot in the folder part does not count
      {"C:Inbox.dbx", "Inbox"},
      {"\\.dbx", ""},
      {"Inbox.dbx", "Inbox"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(AlertFolderName(c.path), c.expected);
  }
}

TEST(StoreFolderPath, EndsInOneBackslash) {
  EXPECT_EQ(StoreFolderPath(""), "\\");
  EXPECT_EQ(StoreFolderPath("C:\\Store"), "C:\\Store\\");
  EXPECT_EQ(StoreFolderPath("C:\\Store\\"), "C:\\Store\\");
}

}  // namespace
}  // namespace quendrel
