// The main window's tray icon: its menu, its click and the way to the tray and back. The shell's
// notifications are sent to the icon's window as the shell sends them.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/ProgramGlobals.h"
#include "tests/app/AppFixture.h"
#include "tests/tray/MenuWatch.h"
#include "tests/tray/ShellProbe.h"
#include "tests/support/Pump.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ImageList.h"
#include "toolkit/Menu.h"
#include "tray/TrayIcon.h"

namespace quendrel::test {
namespace {

using toolkit::Application;

class TrayTest : public AppTest {
 protected:
  void Notify(UINT mouseMessage) {
    SendMessageA(form().TrayIcon1->HandlerWindow(), WM_TRAYNOTIFY, form().TrayIcon1->TrayId(), mouseMessage);
  }
  void Click() {
    Notify(WM_LBUTTONDOWN);
    Notify(WM_LBUTTONUP);
  }
  // The menu a right click opens; chooses the item at `choose` (-1: closes it).
  ShownMenu RightClick(int choose = -1) {
    MenuWatch watch(choose);
    Notify(WM_RBUTTONDOWN);
    Notify(WM_RBUTTONUP);
    EXPECT_EQ(watch.shown.size(), 1u);
    // A chosen item runs when its command is handled, after the menu closed.
    PumpFor(50);
    return watch.shown.empty() ? ShownMenu{} : watch.shown[0];
  }
  bool ShellHoldsTheIcon() {
    return ShellHolds(form().TrayIcon1->HandlerWindow(), form().TrayIcon1->TrayId());
  }
};

TEST_F(TrayTest, TheIconIsInTheNotificationAreaWhileTheWindowLives) {
  TForm1& form = Launch();
  TTrayIcon& icon = *form.TrayIcon1;
  EXPECT_TRUE(icon.IconVisible());
  EXPECT_TRUE(ShellHoldsTheIcon());
  EXPECT_EQ(icon.Hint(), "Quendrel");
  EXPECT_EQ(icon.IconList(), form.ImageList1);
  EXPECT_EQ(icon.PopupMenu(), form.PopupMenu1);
  EXPECT_TRUE(icon.MinimizeToTray());
  EXPECT_EQ(icon.CycleInterval(), 0u);
  EXPECT_FALSE(icon.Icon().Empty());
  EXPECT_EQ(form.ImageList1->Count(), 4);

  const HWND window = icon.HandlerWindow();
  const UINT id = icon.TrayId();
  form_.reset();
  EXPECT_FALSE(ShellHolds(window, id));
}

TEST_F(TrayTest, RightClickMenuEnablesStartOrStopByRunState) {
  QuietMailClient();
  TForm1& form = Launch();
  const std::vector<std::string> captions = {"Start",   "Stop", "Show Outlook Express", "Hide Outlook Express",
                                             "Receive/Send ", "Setting", "Help", "About", "Quit"};
  ShownMenu stopped = RightClick();
  EXPECT_EQ(stopped.captions, captions);
  ASSERT_EQ(stopped.enabled.size(), 9u);
  EXPECT_TRUE(stopped.enabled[0]);
  EXPECT_FALSE(stopped.enabled[1]);

  form.StartWork();
  ShownMenu running = RightClick();
  ASSERT_EQ(running.enabled.size(), 9u);
  EXPECT_FALSE(running.enabled[0]);
  EXPECT_TRUE(running.enabled[1]);
  EXPECT_FALSE(form.Visible());  // a menu alone brings nothing back
}

TEST_F(TrayTest, SettingFromTheTrayStopsAndShowsTheSettingPage) {
  QuietMailClient();
  TForm1& form = Launch();
  form.StartWork();
  form.SetActivePageIndex(1);
  ASSERT_FALSE(form.Visible());
  RightClick(5);
  EXPECT_FALSE(Working);
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 1);
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.ActivePageIndex(), 0);
  EXPECT_TRUE(form.Checkalwayssound->Enabled());
}

TEST_F(TrayTest, AboutFromTheTrayKeepsRunning) {
  QuietMailClient();
  TForm1& form = Launch();
  form.StartWork();
  RightClick(7);
  EXPECT_TRUE(Working);
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.ActivePageIndex(), 1);
  EXPECT_EQ(form.TrayIcon1->IconIndex(), 0);
}

TEST_F(TrayTest, LeftClickBringsTheWindowBackInFront) {
  QuietMailClient();
  TForm1& form = Launch();
  form.Show();
  form.SetWindowState(toolkit::wsMinimized);
  ASSERT_TRUE(IsIconic(form.Handle()));
  Click();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.WindowState(), toolkit::wsNormal);
  EXPECT_EQ(GetForegroundWindow(), form.Handle());

  form.StartWork();  // hides it in the tray
  ASSERT_FALSE(form.Visible());
  Click();
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(Working);
}

TEST_F(TrayTest, MinimizingTheApplicationGoesToTheTray) {
  QuietMailClient();
  TForm1& form = Launch();
  form.Show();
  Application.ShowTaskbarWindow();
  Application.Minimize();
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(IsWindowVisible(Application.Handle()));  // no taskbar button
  EXPECT_TRUE(ShellHoldsTheIcon());
  Click();
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(IsIconic(Application.Handle()));
}

}  // namespace
}  // namespace quendrel::test
