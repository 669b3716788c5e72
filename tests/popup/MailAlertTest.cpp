// The alert a check raises: texts, stacking by PopupCount, the sound after reading alwayssound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/MailAlert.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "popup/NotifyPopup.h"
#include "popup/NotifyPopupForm.h"
#include "tests/popup/PopupFixture.h"
#include "toolkit/Application.h"
#include "toolkit/Registry.h"
#include "toolkit/Timer.h"

namespace quendrel::test {
namespace {

using popup::TfrmNotifyPopup;
using popup::TNotifyPopup;

class MailAlertTest : public ::testing::Test {
protected:
  MailAlertTest() {
    PopupCount = 0;
    outputs_.shell = &shell_;
    outputs_.playSound = [this](const char* name) { sounds_.push_back(name); };
    SetAlwaysSound(1);
  }
  ~MailAlertTest() override {
    // A closed popup takes its component along: the count may drop by two.
    for (int i = toolkit::Application.ComponentCount() - 1; i >= 0; --i) {
      if (i >= toolkit::Application.ComponentCount()) continue;
      toolkit::TComponent* c = toolkit::Application.Components(i);
      if (dynamic_cast<TfrmNotifyPopup*>(c) != nullptr || dynamic_cast<TNotifyPopup*>(c) != nullptr) c->Free();
    }
    Pump();
    PopupCount = 0;
  }

  static void SetAlwaysSound(int value) {
    toolkit::Registry reg;
    reg.OpenKey(kProgramKey, true);
    if (value < 0) {
      reg.DeleteValue(kAlwaysSound.name);
    } else {
      reg.WriteBool(kAlwaysSound.name, value != 0);
    }
  }
  template <class T>
  static std::vector<T*> Owned() {
    std::vector<T*> found;
    for (int i = 0; i < toolkit::Application.ComponentCount(); ++i) {
      if (auto* c = dynamic_cast<T*>(toolkit::Application.Components(i))) found.push_back(c);
    }
    return found;
  }
  void Alert(const std::string& folder) { ShowMailAlert(1, "Ann", folder, outputs_); }

  FakeShell shell_;
  AlertOutputs outputs_;
  std::vector<std::string> sounds_;
};

TEST_F(MailAlertTest, TextsNameTheFolderOrTheSender) {
  EXPECT_EQ(MailAlertText(1, "Ann", "Inbox"), "You got mail in Inbox");
  EXPECT_EQ(MailAlertText(250, "Ann", "Sent Items"), "You got mail in Sent Items");
  EXPECT_EQ(MailAlertText(0, "Ann", "Inbox"), "You got a mail from Ann in Inbox");
  EXPECT_EQ(MailAlertText(-3, "", "Inbox"), "You got a mail from  in Inbox");
}

TEST_F(MailAlertTest, ThreeAlertsStackUpwardsAndEachPlaysTheSound) {
  Alert("Inbox");
  Alert("Work");
  Alert("Lists");
  EXPECT_EQ(PopupCount, 3);
  const auto alerts = Owned<TNotifyPopup>();
  ASSERT_EQ(alerts.size(), 3u);
  const int startYs[] = {2, 123, 244};
  const char* texts[] = {"You got mail in Inbox", "You got mail in Work", "You got mail in Lists"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(alerts[i]->PopupStartY(), startYs[i]);
    EXPECT_EQ(alerts[i]->Text(), texts[i]);
    EXPECT_EQ(alerts[i]->Title(), "Alert");
    EXPECT_EQ(alerts[i]->URL(), "msimn.exe");
    EXPECT_EQ(alerts[i]->TextCursor(), toolkit::crHandPoint);
    EXPECT_EQ(alerts[i]->ShownCount(), 1);
  }
  const auto windows = Owned<TfrmNotifyPopup>();
  ASSERT_EQ(windows.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    while (Tick(windows[i]->tmrScroll)) {
    }
    const RECT r = WindowRect(*windows[i]);
    // Directly above each other without a gap: tops 123 + 121 n above the work area's bottom.
    EXPECT_EQ(r.top, 748 - 123 - 121 * i);
    EXPECT_EQ(r.bottom - r.top, 121);
    EXPECT_EQ(r.right, 1024 - 16);
  }
  EXPECT_EQ(sounds_, (std::vector<std::string>{"gotmail.wav", "gotmail.wav", "gotmail.wav"}));
}

TEST_F(MailAlertTest, ClosedPopupGivesItsCountBackOnce) {
  Alert("Inbox");
  Alert("Work");
  auto windows = Owned<TfrmNotifyPopup>();
  ASSERT_EQ(windows.size(), 2u);
  // The lower one goes first; the next alert takes the place above, over the one still showing.
  windows[0]->Close();
  windows[0]->Close();
  EXPECT_EQ(PopupCount, 1);
  Pump();
  Alert("Lists");
  EXPECT_EQ(Owned<TNotifyPopup>().back()->PopupStartY(), 123);
  EXPECT_EQ(PopupCount, 2);
  for (TfrmNotifyPopup* w : Owned<TfrmNotifyPopup>()) {
    ClickControl(*w->lblText, toolkit::mbRight);
  }
  EXPECT_EQ(PopupCount, 0);
  Pump();
  EXPECT_TRUE(Owned<TfrmNotifyPopup>().empty());
  // Each component goes with its popup: a program that alerts all day does not grow.
  EXPECT_TRUE(Owned<TNotifyPopup>().empty());
}

// What the window shows is taken when it opens: the hand over the text, the alert's own texts, and
// the application's hidden window as its owner (no taskbar button of its own).
TEST_F(MailAlertTest, PopupKeepsWhatItOpenedWith) {
  Alert("Inbox");
  auto* alert = Owned<TNotifyPopup>().at(0);
  auto* window = Owned<TfrmNotifyPopup>().at(0);
  EXPECT_EQ(GetWindow(window->Handle(), GW_OWNER), toolkit::Application.Handle());
  alert->SetText("changed");
  alert->SetTitle("changed");
  alert->SetTextCursor(toolkit::crDefault);
  alert->SetURL("changed.exe");
  EXPECT_EQ(window->lblText->Caption(), "You got mail in Inbox");
  EXPECT_EQ(window->lblTitle->Caption(), "Alert");
  EXPECT_EQ(window->lblText->Cursor(), toolkit::crHandPoint);
  ClickControl(*window->lblText, toolkit::mbLeft);
  EXPECT_EQ(shell_.opened, (std::vector<std::string>{"msimn.exe"}));
}

TEST_F(MailAlertTest, SoundFollowsTheSettingReadAfterThePopup) {
  SetAlwaysSound(0);
  Alert("Inbox");
  EXPECT_TRUE(sounds_.empty());
  EXPECT_EQ(Owned<TfrmNotifyPopup>().size(), 1u);

  SetAlwaysSound(-1);  // deleted while a check runs
  try {
    Alert("Work");
    ADD_FAILURE() << "no error for the missing value";
  } catch (const toolkit::RegistryError& e) {
    EXPECT_EQ(std::string(e.what()), "Failed to get data for 'alwayssound'");
  }
  EXPECT_EQ(Owned<TfrmNotifyPopup>().size(), 2u);  // the popup is up already
  EXPECT_EQ(PopupCount, 2);
  EXPECT_TRUE(sounds_.empty());
}

TEST_F(MailAlertTest, SystemSoundCallReturnsAtOnce) {
  // The real call, without a sound device and without the file: it must not hold the thread.
  AlertOutputs real;
  real.shell = &shell_;
  const DWORD start = GetTickCount();
  ShowMailAlert(1, "Ann", "Inbox", real);
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_EQ(PopupCount, 1);
}

}  // namespace
}  // namespace quendrel::test
