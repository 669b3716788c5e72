#include "tray/NotifyIconData.h"

#include <gtest/gtest.h>

namespace quendrel {
namespace {

TEST(NotifyIconDataTest, LayoutFollowsTheShellVersion) {
  const struct {
    ShellVersion version;
    DWORD size;
    size_t tipLength;
    bool balloons;
  } cases[] = {
      {{4, 0}, NOTIFYICONDATAA_V1_SIZE, 63, false},   // no DllGetVersion: the oldest shells
      {{4, 72}, NOTIFYICONDATAA_V1_SIZE, 63, false},  // Internet Explorer 4's desktop update
      {{5, 0}, NOTIFYICONDATAA_V2_SIZE, 127, true},   // Windows 2000
      {{6, 0}, NOTIFYICONDATAA_V2_SIZE, 127, true},   // XP, Server 2003
      {{6, 1}, NOTIFYICONDATAA_V2_SIZE, 127, true},   // later shells take the older record as it is
  };
  for (const auto& c : cases) {
    const NotifyIconLayout layout = NotifyIconLayoutFor(c.version);
    EXPECT_EQ(layout.size, c.size) << c.version.major << "." << c.version.minor;
    EXPECT_EQ(layout.tipLength, c.tipLength) << c.version.major << "." << c.version.minor;
    EXPECT_EQ(layout.balloons, c.balloons) << c.version.major << "." << c.version.minor;
  }
}

TEST(NotifyIconDataTest, TheRunningShellTakesTheWindows2000Record) {
  // Every shell Quendrel runs on (XP and later) says 6.0 or more.
  const ShellVersion version = CurrentShellVersion();
  EXPECT_GE(version.major, 6u);
  EXPECT_EQ(CurrentNotifyIconLayout().size, DWORD{NOTIFYICONDATAA_V2_SIZE});
}

}  // namespace
}  // namespace quendrel
