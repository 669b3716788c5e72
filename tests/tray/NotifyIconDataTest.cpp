#include "tray/NotifyIconData.h"

#include <gtest/gtest.h>

namespace quendrel {
namespace {

TEST(NotifyIconDataTest, LayoutFollowsTheShellVersion) {
  // The same versions stand for shell32's (the record) and comctl32's ("TaskbarCreated").
  const struct {
    ShellVersion version;
    DWORD size;
    size_t tipLength;
    bool balloons;
    bool taskbarCreated;
  } cases[] = {
      {{4, 0}, NOTIFYICONDATAA_V1_SIZE, 63, false, false},   // no DllGetVersion: the oldest shells
      {{4, 70}, NOTIFYICONDATAA_V1_SIZE, 63, false, false},  // Internet Explorer 3's controls
      {{4, 72}, NOTIFYICONDATAA_V1_SIZE, 63, false, true},   // Internet Explorer 4's desktop update
      {{5, 0}, NOTIFYICONDATAA_V2_SIZE, 127, true, true},    // Windows 2000
      {{6, 0}, NOTIFYICONDATAA_V2_SIZE, 127, true, true},    // XP, Server 2003
      {{6, 1}, NOTIFYICONDATAA_V2_SIZE, 127, true, true},    // later shells take the older record as it is
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.version.major << "." << c.version.minor);
    const NotifyIconLayout layout = NotifyIconLayoutFor(c.version);
    EXPECT_EQ(layout.size, c.size);
    EXPECT_EQ(layout.tipLength, c.tipLength);
    EXPECT_EQ(layout.balloons, c.balloons);
    EXPECT_EQ(BroadcastsTaskbarCreated(c.version), c.taskbarCreated);
  }
}

TEST(NotifyIconDataTest, ShellVersionComesFromTheDllOrFallsBack) {
  // Every shell Quendrel runs on (XP and later) says 6.0 or more.
  const ShellVersion shell = CurrentShellVersion();
  EXPECT_GE(shell.major, 6u);
  EXPECT_EQ(CurrentNotifyIconLayout().size, DWORD{NOTIFYICONDATAA_V2_SIZE});
  const ShellVersion comctl = ModuleShellVersion(GetModuleHandleA("comctl32.dll"));
  EXPECT_GE(comctl.major, 5u);
  // A DLL without DllGetVersion, and no DLL at all: the oldest shell's answer.
  for (HMODULE module : {GetModuleHandleA("kernel32.dll"), HMODULE{nullptr}}) {
    const ShellVersion fallback = ModuleShellVersion(module);
    EXPECT_EQ(fallback.major, 4u);
    EXPECT_EQ(fallback.minor, 0u);
  }
}

}  // namespace
}  // namespace quendrel
