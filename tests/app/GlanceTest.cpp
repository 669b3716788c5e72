// What waits at a glance and what waits for the user: the tray icon's tooltip after every check,
// and alerts held behind a full-screen program.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "app/UnreadTrayTip.h"
#include "core/AlertHold.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "resources/ResourceNames.h"
#include "tests/app/AppFixture.h"
#include "tests/support/FullScreenWindow.h"
#include "tests/support/Pump.h"
#include "tests/tray/ShellProbe.h"
#include "tray/NotifyIconData.h"
#include "tray/TrayIcon.h"

namespace quendrel::test {
namespace {

const uint64_t kTuesday = UtcNoon(2024, 3, 5);

class GlanceTest : public AppTest {
protected:
  GlanceTest() {
    QuietMailClient();
    SetSetting("alwaysalert", 0);
  }
  // What the shell was last given as the tip, and whether it holds the icon.
  std::string ShellTip() {
    const TTrayIcon& icon = *form().TrayIcon1;
    EXPECT_TRUE(ShellHolds(icon.HandlerWindow(), icon.TrayId()));
    return icon.NotifyData().szTip;
  }
  void WriteUnread(const std::string& file, int unread, bool watched = true) {
    std::vector<dbx::MessageSpec> messages;
    for (int i = 0; i < unread; ++i) messages.push_back(Message("Ann", kTuesday + i));
    WriteFolder(file, messages);
    MakeFolderKey(file, watched);
  }
};

TEST_F(GlanceTest, TooltipListsTheWatchedFoldersWithUnreadMailAfterEveryCheck) {
  WriteUnread("Inbox.dbx", 3);
  WriteUnread("Work.dbx", 12);
  WriteUnread("Lists.dbx", 5, /*watched=*/false);
  WriteUnread("Drafts.dbx", 0);
  TForm1& form = Launch();
  EXPECT_EQ(ShellTip(), "Quendrel");

  form.StartWork();
  EXPECT_EQ(ShellTip(), "Quendrel\nInbox: 3 unread\nWork: 12 unread");

  // The new-message event's check, then the timer's.
  WriteUnread("Work.dbx", 0);
  DeliverNewMessage(form, 1, 1);
  EXPECT_EQ(ShellTip(), "Quendrel\nInbox: 3 unread");
  WriteUnread("Inbox.dbx", 0);
  form.Timer1Timer(form.Timer1);
  EXPECT_EQ(ShellTip(), "Quendrel");

  WriteUnread("Work.dbx", 1);
  form.Timer1Timer(form.Timer1);
  EXPECT_EQ(ShellTip(), "Quendrel\nWork: 1 unread");
  form.StopWork();
  EXPECT_EQ(ShellTip(), "Quendrel");
}

TEST_F(GlanceTest, TooltipCutsWholeLinesToTheTraysSize) {
  for (char c = 'A'; c <= 'L'; ++c) WriteUnread(std::string(1, c) + "-mail-folder.dbx", 2);
  TForm1& form = Launch();
  form.StartWork();
  const std::string tip = ShellTip();
  ASSERT_EQ(CurrentNotifyIconLayout().tipLength, 127u);
  EXPECT_LE(tip.size(), 127u);
  // "Quendrel", four lines of 24 bytes with their line breaks, and a last line saying more follow.
  EXPECT_EQ(tip, "Quendrel\nA-mail-folder: 2 unread\nB-mail-folder: 2 unread\nC-mail-folder: 2 unread\n"
                 "D-mail-folder: 2 unread\n" + AnsiEllipsis());
  EXPECT_EQ(tip.substr(tip.size() - AnsiEllipsis().size()), AnsiEllipsis());
}

TEST_F(GlanceTest, AlertsWaitBehindAFullScreenWindowAndComeAfterIt) {
  WriteUnread("Inbox.dbx", 1);
  WriteUnread("Work.dbx", 2);
  TForm1& form = Launch();
  FullScreenWindow slides;
  PumpFor(20);
  ASSERT_EQ(GetForegroundWindow(), slides.get());

  form.StartWork();
  EXPECT_EQ(AlertCount(), 0);
  EXPECT_EQ(PopupCount, 0);
  // The check itself goes on as ever: the icon says an alert came, the keys remember the mail.
  EXPECT_EQ(form.TrayIcon1->IconIndex(), resources::kTrayAlerted);
  EXPECT_EQ(ReadText(FolderKeyPath("Inbox.dbx"), kMailReceived), "Ann");
  EXPECT_EQ(ShellTip(), "Quendrel\nInbox: 1 unread\nWork: 2 unread");
  // Still held a while later.
  PumpFor(3 * AlertHold::kPollMs);
  EXPECT_EQ(AlertCount(), 0);

  slides.Close();
  EXPECT_TRUE(PumpUntil([] { return AlertCount() == 2; }, 5 * AlertHold::kPollMs));
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"You got mail in Inbox", "You got mail in Work"}));
  EXPECT_EQ(PopupCount, 2);
  // Popups raised from here show at once.
  WriteUnread("Work.dbx", 3);
  form.Timer1Timer(form.Timer1);
  EXPECT_EQ(AlertCount(), 3);
}

TEST_F(GlanceTest, StopDropsTheHeldAlerts) {
  WriteUnread("Inbox.dbx", 1);
  TForm1& form = Launch();
  FullScreenWindow slides;
  PumpFor(20);
  form.StartWork();
  form.StopWork();
  slides.Close();
  PumpFor(3 * AlertHold::kPollMs);
  EXPECT_EQ(AlertCount(), 0);
  EXPECT_EQ(PopupCount, 0);
}

}  // namespace
}  // namespace quendrel::test
