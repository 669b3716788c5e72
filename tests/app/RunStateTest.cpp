// Launch, the running and stopped states, closing the window and the new-message gate.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "app/ProgramGlobals.h"
#include "core/Settings.h"
#include "tests/app/AppFixture.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Menu.h"
#include "toolkit/Registry.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/Timer.h"

namespace quendrel::test {
namespace {

using toolkit::Application;

class RunStateTest : public AppTest {};

// What the run state shows on the window, the menu and the timer.
// A click on the title-bar button with that index, where the bar draws it.
void ClickTitleBarButton(TForm1& form, int index) {
  skin::TSkinTitleBar& bar = form.skinForm1->TitleBar();
  const int y = bar.ButtonRowTop() + bar.ButtonRowHeight() / 2;
  for (int x = bar.Width() - 1; x >= 0; --x) {
    if (bar.ButtonAt({x, y}) != index) continue;
    bar.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    bar.Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    return;
  }
  ADD_FAILURE() << "no title-bar button " << index;
}

void ExpectState(TForm1& form, bool running) {
  SCOPED_TRACE(running ? "running" : "stopped");
  EXPECT_EQ(Working, running);
  EXPECT_EQ(form.Timer1->Enabled(), running);
  EXPECT_EQ(form.Button1->Enabled(), !running);
  EXPECT_EQ(form.Button2->Enabled(), running);
  EXPECT_EQ(form.PopupMenu1->Items().Items(0)->Enabled(), !running);
  EXPECT_EQ(form.PopupMenu1->Items().Items(1)->Enabled(), running);
  const toolkit::TControl* settings[] = {form.Checkalwayssound,   form.Checkalwaysoe,  form.Checkstartwork,
                                         form.Checkalwaysalert,   form.Checkchecktime, form.CheckBox,
                                         form.checkalwaysreceive, form.Checkhideoe};
  for (const toolkit::TControl* control : settings) {
    if (control->Enabled() == running) ADD_FAILURE() << control->Name() << " enabled: " << control->Enabled();
  }
}

TEST_F(RunStateTest, FirstLaunchWritesEveryDefaultAndStaysStopped) {
  PopupCount = 7;
  TForm1& form = Launch();

  EXPECT_EQ(Form1, &form);
  const struct {
    const char* name;
    int32_t value;
  } defaults[] = {{"alwayscheck", 1}, {"alwayssound", 1}, {"alwaysreceive", 1}, {"startwork", 0},
                  {"alwaysoe", 1},    {"hideoe", 0},      {"alwaysalert", -1},  {"checktime", 2}};
  for (const auto& d : defaults) {
    SCOPED_TRACE(d.name);
    EXPECT_EQ(ReadDword(kProgramKey, d.name), d.value);
  }
  ExpectState(form, false);
  EXPECT_EQ(form.Timer1->Interval(), 120000u);
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 0);
  EXPECT_TRUE(Application.ShowMainForm());
  EXPECT_EQ(PopupCount, 0);
  EXPECT_TRUE(AlertTexts().empty());
  EXPECT_TRUE(errors_.empty());
}

TEST_F(RunStateTest, LaunchWithStartworkRunsAtOnceInTheTray) {
  QuietMailClient();
  SetSetting("startwork", 1);
  SetSetting("checktime", 5);
  WatchedInboxWithMail();

  TForm1& form = Launch();

  ExpectState(form, true);
  EXPECT_EQ(form.Timer1->Interval(), 300000u);
  EXPECT_FALSE(Application.ShowMainForm());
  EXPECT_FALSE(form.Visible());
  // The first check already ran: it alerted on the unread message, and the popup is on screen.
  EXPECT_EQ(AlertTexts(), std::vector<std::string>{"You got mail in Inbox"});
  EXPECT_EQ(PopupCount, 1);
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 3);
}

TEST_F(RunStateTest, StopAndStartFromEveryControl) {
  QuietMailClient();
  TForm1& form = Launch();
  form.Show();
  toolkit::Application.ProcessMessages();

  form.PopupMenu1->Items().Items(0)->Click();  // tray "Start", no folder ticked: runs anyway
  ExpectState(form, true);
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 0);
  EXPECT_FALSE(form.Visible());

  form.Button2->Click();  // "Stop"
  ExpectState(form, false);
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 1);

  form.Start1->Click();
  form.Stop1->Click();
  ExpectState(form, false);

  form.Start1->Click();
  form.Setting1->Click();  // stops, shows the window on the "Setting" page
  ExpectState(form, false);
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.ActivePageIndex(), 0);

  form.StopWork();  // also in the stopped state
  ExpectState(form, false);
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 1);
}

TEST_F(RunStateTest, TrayMenuItemsAndTheirTexts) {
  TForm1& form = Launch();
  const char* captions[] = {
      "Start", "Stop", "Show Outlook Express", "Hide Outlook Express", "Receive/Send ", "Setting", "Help",
      "About", "Quit"};
  toolkit::TMenuItem& root = form.PopupMenu1->Items();
  ASSERT_EQ(root.Count(), 9);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(root.Items(i)->Caption(), captions[i]) << i;
    EXPECT_EQ(root.Items(i)->Enabled(), i != 1) << i;
  }
}

TEST_F(RunStateTest, ClosingHidesAndKeepsTheRunState) {
  QuietMailClient();
  TForm1& form = Launch();
  form.Show();
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(Application.Terminated());
  ExpectState(form, false);

  toolkit::TCloseAction action = toolkit::caHide;
  form.FormClose(&form, action);
  EXPECT_EQ(action, toolkit::caNone);
}

TEST_F(RunStateTest, NewMessageEventsCheckOnlyWhileRunning) {
  QuietMailClient();
  TForm1& form = Launch();
  WatchedInboxWithMail();

  DeliverNewMessage(form, 1, 2);
  EXPECT_TRUE(AlertTexts().empty());
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 0);

  form.StartWork();
  EXPECT_EQ(AlertTexts().size(), 1u);
  SetSetting("alwaysalert", 1);
  DeliverNewMessage(form, 1, 2);
  EXPECT_EQ(AlertTexts().size(), 2u);

  form.StopWork();
  DeliverNewMessage(form, 1, 2);
  EXPECT_EQ(AlertTexts().size(), 2u);
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 1);
}

// Without a folder-manager server the program runs on its timer; the user is told once, not at
// every start, and told again only after the server has answered in between.
TEST_F(RunStateTest, MissingFolderManagerIsToldOnceAndWatchingStarts) {
  QuietMailClient();
  {
    toolkit::Registry reg;
    reg.OpenKey(kProgramKey, true);
    reg.DeleteValue("foldermanagertold");
  }
  SetSetting("startwork", 1);
  WatchedInboxWithMail();
  // Told in the tray's balloon, never in a box.
  EXPECT_EQ(AnswerMessageBox([&] { Launch(); }), "");
  const std::string told = BalloonText(form());
  EXPECT_NE(told.find("cannot reach the mail client's folder manager"), std::string::npos) << told;
  EXPECT_NE(told.find("0x8"), std::string::npos) << told;  // the system's reason with its code
  ExpectState(form(), true);
  EXPECT_EQ(AlertCount(), 1);  // the first check ran all the same
  EXPECT_TRUE(ValueExists(kProgramKey, "foldermanagertold"));

  form().StopWork();
  form().TrayIcon1->ShowBalloonHint("", "");
  EXPECT_EQ(AnswerMessageBox([&] { form().StartWork(); }), "");
  EXPECT_EQ(BalloonText(form()), " ");
  EXPECT_TRUE(Working);
  EXPECT_EQ(AnswerMessageBox([&] { Launch(); }), "");  // the next program start
  EXPECT_EQ(BalloonText(form()), " ");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(RunStateTest, TitleBarMinimizeGreysTheIconOnlyWhenStopped) {
  QuietMailClient();
  TForm1& form = Launch();
  form.Show();
  skin::TSkinTitleBar& bar = form.skinForm1->TitleBar();
  EXPECT_EQ(bar.ButtonAt({bar.Width() - 2, bar.ButtonRowTop() + 5}), 1);  // "×" at the right end
  ClickTitleBarButton(form, 3);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 1);

  form.StartWork();
  form.TrayIcon1->SetIconIndex(3);
  form.TrayIcon1->RestoreMainWindow();
  EXPECT_TRUE(form.Visible());
  form.skinForm1TitleBarCustomBtnsClick(&form, 3);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 3);
  EXPECT_TRUE(Working);

  form.skinForm1TitleBarCustomBtnsClick(&form, 2);  // no such button: nothing
  EXPECT_TRUE(Working);
  EXPECT_FALSE(Application.Terminated());
}

// A registry error in a menu command reaches the error box and ends the command where it happened.
TEST_F(RunStateTest, MenuCommandErrorsEndInTheErrorBox) {
  QuietMailClient();
  TForm1& form = Launch();
  WatchedInboxWithMail();
  {
    toolkit::Registry reg;
    reg.OpenKey(FolderKeyPath("Inbox.dbx"), false);
    reg.WriteInteger(kMailTime, 1);
  }
  // As the menu's window runs a chosen item: behind the toolkit's barrier.
  toolkit::Guarded([&form] { form.Start1->Click(); });
  EXPECT_EQ(errors_, std::vector<std::string>{"Invalid data type for 'mailtime'"});
  EXPECT_TRUE(Working);  // entered before the check failed
  EXPECT_TRUE(AlertTexts().empty());
}

// Ending the program is for good, so each way out runs in a child process of its own.
TEST_F(RunStateTest, ExitQuitAndCloseButtonEndTheProgramAndRevealTheMailClient) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const struct {
    const char* what;
    std::function<void(TForm1&)> action;
  } ways[] = {
      {"Exit button", [](TForm1& form) { form.Button4->Click(); }},
      {"Quit menu item", [](TForm1& form) { form.Quit1->Click(); }},
      {"title bar close button", [](TForm1& form) { ClickTitleBarButton(form, 1); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    EXPECT_EXIT(
        {
          QuietMailClient();
          ClientWindow client;
          ShowWindow(client.get(), SW_HIDE);
          TForm1& form = Launch();
          form.Show();
          way.action(form);
          std::exit(Application.Terminated() && client.Visible() ? 7 : 1);
        },
        testing::ExitedWithCode(7), "");
  }
}

}  // namespace
}  // namespace quendrel::test
