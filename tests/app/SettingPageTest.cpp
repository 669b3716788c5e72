// The "Setting" page: loading it from the registry and what each control writes.
#include <gtest/gtest.h>

#include "app/ProgramGlobals.h"
#include "core/Autostart.h"
#include "core/Settings.h"
#include "tests/app/AppFixture.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/Registry.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/Timer.h"

namespace quendrel::test {
namespace {

using toolkit::Application;

class SettingPageTest : public AppTest {};

TEST_F(SettingPageTest, StartNeedsATickedFolder) {
  QuietMailClient();
  WriteFolder("Inbox.dbx", {});
  TForm1& form = Launch();
  form.Show();
  ASSERT_EQ(form.CheckBox->Count(), 1);

  const std::string text = AnswerMessageBox([&] { form.Button1->Click(); });
  EXPECT_EQ(text, "Please choose a mailbox for checking at least!");
  EXPECT_FALSE(Working);
  EXPECT_TRUE(form.Button1->Enabled());

  form.CheckBox->SetItemIndex(0);
  form.CheckBox->SetChecked(0, true);  // as a click on the item's box does, then its event
  form.skinCheckBoxClickCheck(form.CheckBox);
  EXPECT_EQ(ReadDword(FolderKeyPath("Inbox.dbx"), kChecked), 1);
  EXPECT_EQ(AnswerMessageBox([&] { form.Button1->Click(); }), "");
  EXPECT_TRUE(Working);
}

TEST_F(SettingPageTest, KeyboardReachesTheHandlers) {
  QuietMailClient();
  WriteFolder("Inbox.dbx", {});
  TForm1& form = Launch();
  form.Show();
  SetForegroundWindow(form.Handle());
  const auto press = [](WPARAM key) {
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 0);
    PostMessageA(focus, WM_KEYUP, key, 0);
    Application.ProcessMessages();
  };
  form.CheckBox->SetFocus();
  form.CheckBox->SetItemIndex(0);
  SendMessageA(form.CheckBox->Handle(), WM_CHAR, ' ', 0);
  EXPECT_EQ(ReadDword(FolderKeyPath("Inbox.dbx"), kChecked), 1);

  press(VK_TAB);  // the list comes first in the tab order, the sound box next
  ASSERT_TRUE(form.Checkalwayssound->Focused());
  const bool ticked = form.Checkalwayssound->Checked();
  press(VK_SPACE);
  EXPECT_EQ(ReadDword(kProgramKey, "alwayssound"), ticked ? 0 : 1);

  form.Button1->SetFocus();
  EXPECT_EQ(AnswerMessageBox([&] { press(VK_RETURN); }), "");
  EXPECT_TRUE(Working);
}

TEST_F(SettingPageTest, PageLoadShowsTheStoredSettings) {
  QuietMailClient();
  WriteFolder("Inbox.dbx", {});
  WriteFolder("Outbox.dbx", {});
  MakeFolderKey("Outbox.dbx", true);
  SetSetting("alwaysalert", -1);
  SetSetting("hideoe", 0);
  SetSetting("alwayssound", 0);
  SetSetting("checktime", 90);
  TForm1& form = Launch();
  form.Show();

  const struct {
    skin::TSkinCheckBox* box;
    bool ticked;
  } boxes[] = {{form.Checkalwayssound, false}, {form.Checkalwaysoe, false},      {form.Checkstartwork, false},
               {form.Checkalwaysalert, true},  {form.checkalwaysreceive, false}, {form.Checkhideoe, false}};
  for (const auto& b : boxes) {
    if (b.box->Checked() != b.ticked) ADD_FAILURE() << b.box->Name() << " ticked: " << b.box->Checked();
  }
  // The load's own tick wrote the box's value back, as a boolean.
  EXPECT_EQ(ReadDword(kProgramKey, "alwaysalert"), 1);
  EXPECT_EQ(form.Checkchecktime->Value(), 60);
  EXPECT_EQ(ReadDword(kProgramKey, "checktime"), 90);
  ASSERT_EQ(form.CheckBox->Count(), 2);
  EXPECT_FALSE(form.CheckBox->Checked(0));
  EXPECT_TRUE(form.CheckBox->Checked(1));
  EXPECT_TRUE(errors_.empty());
}

// A damaged folder key stops the page load with the error box, but the window still comes up
// (an error escaping the first showing would otherwise end the program).
TEST_F(SettingPageTest, PageLoadErrorIsReportedAndTheWindowShows) {
  QuietMailClient();
  WriteFolder("A.dbx", {});
  WriteFolder("B.dbx", {});
  MakeFolderKey("A.dbx", true);
  MakeFolderKey("B.dbx", false);
  {
    toolkit::Registry reg;
    reg.OpenKey(FolderKeyPath("B.dbx"), false);
    reg.DeleteValue(kChecked);
  }
  TForm1& form = Launch();
  form.Show();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(errors_, std::vector<std::string>{"Failed to get data for 'checked'"});
  EXPECT_EQ(form.CheckBox->Count(), 2);  // the items added before the error stay
  EXPECT_TRUE(form.CheckBox->Checked(0));
}

TEST_F(SettingPageTest, ShowingTheWindowKeepsARunningTimer) {
  QuietMailClient();
  SetSetting("startwork", 1);
  SetSetting("checktime", 5);
  TForm1& form = Launch();
  ASSERT_TRUE(form.Timer1->Enabled());

  form.TrayIcon1->RestoreMainWindow();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.Checkchecktime->Value(), 5);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_EQ(form.Timer1->Interval(), 300000u);
  EXPECT_TRUE(Working);
}

TEST_F(SettingPageTest, IntervalChangeWritesAndDisablesTheTimer) {
  QuietMailClient();
  TForm1& form = Launch();
  form.Show();
  form.Timer1->SetEnabled(true);

  form.Checkchecktime->SetValue(5);  // as the up button does: the change event runs
  EXPECT_EQ(ReadDword(kProgramKey, "checktime"), 5);
  EXPECT_EQ(form.Timer1->Interval(), 300000u);
  EXPECT_FALSE(form.Timer1->Enabled());

  form.StartWork();
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_EQ(form.Timer1->Interval(), 300000u);
}

TEST_F(SettingPageTest, LogonBoxKeepsTheAutostartEntry) {
  QuietMailClient();
  TForm1& form = Launch();
  form.Show();

  form.Checkstartwork->SetChecked(true);  // a change of state runs the box's click handler
  EXPECT_EQ(ReadDword(kProgramKey, "startwork"), 1);
  const std::string command = ReadText(std::string("\\") + kRunKey, kAutostartValue);
  EXPECT_EQ(command, AutostartCommand());
  EXPECT_EQ(command.front(), '"');
  EXPECT_EQ(command.back(), '"');
  EXPECT_NE(command.find("app_test.exe"), std::string::npos) << command;

  form.Checkstartwork->SetChecked(false);
  EXPECT_EQ(ReadDword(kProgramKey, "startwork"), 0);
  EXPECT_FALSE(ValueExists(std::string("\\") + kRunKey, kAutostartValue));
}

TEST_F(SettingPageTest, LogonBoxWithoutRunKeyReportsTheFailedWrite) {
  QuietMailClient();
  RegDeleteKeyA(HKEY_CURRENT_USER, kRunKey);
  TForm1& form = Launch();
  EXPECT_EQ(RegistryErrorOf([&] { form.Checkstartwork->SetChecked(true); }),
            "Failed to set data for 'Quendrel'");
  EXPECT_EQ(ReadDword(kProgramKey, "startwork"), 1);
}

TEST_F(SettingPageTest, HideBoxHidesAndShowsTheMailClient) {
  QuietMailClient();
  ClientWindow client;
  TForm1& form = Launch();
  form.Show();
  ASSERT_TRUE(client.Visible());

  form.Checkhideoe->SetChecked(true);
  EXPECT_FALSE(client.Visible());
  EXPECT_EQ(ReadDword(kProgramKey, "hideoe"), 1);

  form.Checkhideoe->SetChecked(false);
  EXPECT_TRUE(client.Visible());
  EXPECT_EQ(ReadDword(kProgramKey, "hideoe"), 0);
}

TEST_F(SettingPageTest, BoxesWriteTheirSettings) {
  QuietMailClient();
  TForm1& form = Launch();
  form.Show();
  const struct {
    skin::TSkinCheckBox* box;
    const char* setting;
  } boxes[] = {{form.Checkalwayssound, "alwayssound"},
               {form.Checkalwaysoe, "alwaysoe"},
               {form.Checkalwaysalert, "alwaysalert"},
               {form.checkalwaysreceive, "alwaysreceive"}};
  for (const auto& b : boxes) {
    SCOPED_TRACE(b.setting);
    for (bool ticked : {false, true, false, true}) {
      b.box->SetChecked(ticked);
      EXPECT_EQ(ReadDword(kProgramKey, b.setting), ticked ? 1 : 0);
    }
  }
}

}  // namespace
}  // namespace quendrel::test
