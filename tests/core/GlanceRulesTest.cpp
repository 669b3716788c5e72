// The tooltip's text, the full-screen rule and the held alerts: plain rules, no Win32.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/FullScreenRule.h"
#include "core/HeldAlerts.h"
#include "core/UnreadTip.h"

namespace quendrel {
namespace {

TEST(ComposeUnreadTip, WholeLinesThatFitThenTheEllipsis) {
  const std::string longName(14, 'x');  // "xxxxxxxxxxxxxx: 9 unread" is 24 bytes, 25 with its newline
  const struct {
    const char* what;
    std::vector<UnreadFolder> folders;
    std::string ellipsis;
    size_t limit;
    std::string expected;
  } cases[] = {
      {"nothing unread", {}, "\x85", 127, "Quendrel"},
      {"two folders", {{"Inbox", 3}, {"Work", 12}}, "\x85", 127, "Quendrel\nInbox: 3 unread\nWork: 12 unread"},
      {"exactly the limit", {{"Inbox", 3}}, "\x85", 24, "Quendrel\nInbox: 3 unread"},
      {"last line one byte over", {{"Inbox", 3}}, "\x85", 23, "Quendrel\n\x85"},
      {"room for the ellipsis kept", {{"Inbox", 3}, {"Work", 1}}, "\x85", 26, "Quendrel\nInbox: 3 unread\n\x85"},
      {"no room for line and ellipsis", {{"Inbox", 3}, {"Work", 1}}, "\x85", 25, "Quendrel\n\x85"},
      {"three-dot ellipsis", {{"Inbox", 3}, {"Work", 1}}, "...", 28, "Quendrel\nInbox: 3 unread\n..."},
      {"a long name first leaves out the later ones too", {{std::string(200, 'L'), 1}, {"Work", 1}}, "\x85", 127,
       "Quendrel\n\x85"},
      {"five of 25 bytes fill 127",
       {{longName, 9}, {longName, 9}, {longName, 9}, {longName, 9}, {longName, 9}},
       "\x85",
       127,
       "Quendrel" + std::string("\n" + longName + ": 9 unread") + "\n" + longName + ": 9 unread\n" + longName +
           ": 9 unread\n" + longName + ": 9 unread\n\x85"},
      {"limit below the name", {{"Inbox", 3}}, "\x85", 4, "Quen"},
      {"limit of the name alone", {{"Inbox", 3}}, "\x85", 8, "Quendrel"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string tip = ComposeUnreadTip("Quendrel", c.folders, c.ellipsis, c.limit);
    EXPECT_EQ(tip, c.expected);
    EXPECT_LE(tip.size(), c.limit);
  }
}

TEST(IsFullScreen, CoversItsWholeMonitorAndIsNoDesktop) {
  const ScreenRect monitor{0, 0, 1024, 768};
  const ScreenRect second{1024, 0, 2304, 1024};
  const struct {
    const char* what;
    ForegroundWindow window;
    bool expected;
  } cases[] = {
      {"exactly the monitor", {{0, 0, 1024, 768}, monitor}, true},
      {"beyond every edge", {{-8, -8, 1032, 776}, monitor}, true},
      {"the work area only", {{0, 0, 1024, 740}, monitor}, false},
      {"one pixel short on the left", {{1, 0, 1024, 768}, monitor}, false},
      {"the second monitor", {{1024, 0, 2304, 1024}, second}, true},
      {"the first monitor's size on the second", {{1024, 0, 2048, 768}, second}, false},
      {"the desktop", {{0, 0, 1024, 768}, monitor, true}, false},
      {"maximized with a caption, taskbar hidden", {{-8, -8, 1032, 776}, monitor, false, true}, false},
      {"no monitor known", {{0, 0, 1024, 768}, {}}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(IsFullScreen(c.window), c.expected);
  }
}

TEST(ShellStateHoldsAlerts, BusyPresentingOrDirect3DFullScreen) {
  // QUNS_NOT_PRESENT 1 … QUNS_APP 7
  const bool expected[] = {false, false, true, true, true, false, false, false, false};
  for (int state = 0; state <= 8; ++state) {
    SCOPED_TRACE(state);
    EXPECT_EQ(ShellStateHoldsAlerts(state), expected[state]);
  }
}

TEST(HeldAlerts, OnePerFolderInFirstOrderWithTheLatestCounts) {
  HeldAlerts held;
  EXPECT_TRUE(held.Empty());
  held.Hold({1, "Ann", "Inbox"});
  held.Hold({2, "Bob", "Work"});
  held.Hold({4, "Cid", "Inbox"});
  EXPECT_FALSE(held.Empty());
  EXPECT_EQ(held.Release(), (std::vector<HeldAlert>{{4, "Cid", "Inbox"}, {2, "Bob", "Work"}}));
  EXPECT_TRUE(held.Empty());
  EXPECT_TRUE(held.Release().empty());
}

}  // namespace
}  // namespace quendrel
