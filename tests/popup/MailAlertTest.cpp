// The alert a check raises: texts, stacking by PopupCount, the sound after reading alwayssound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/AlertHold.h"
#include "core/FullScreenCheck.h"
#include "core/MailAlert.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "popup/NotifyPopup.h"
#include "popup/NotifyPopupForm.h"
#include "tests/popup/PopupFixture.h"
#include "tests/support/FullScreenWindow.h"
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
  // And the pointer over the text shows the hand (the label has no window: its parent sets it).
  while (Tick(window->tmrScroll)) {
  }
  const toolkit::TControl& text = *window->lblText;
  const POINT over = text.ClientToScreen(POINT{text.Width() / 2, text.Height() / 2});
  SetCursorPos(over.x, over.y);
  Pump();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
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

// Screen readers announce a popup by its window name when it raises the system's alert event.
std::vector<HWND> g_alertEvents;
void CALLBACK RecordAlert(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG, LONG, DWORD, DWORD) {
  if (event == EVENT_SYSTEM_ALERT) g_alertEvents.push_back(hwnd);
}

TEST_F(MailAlertTest, PopupIsNamedByItsTextAndAnnouncedAsAnAlert) {
  g_alertEvents.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, RecordAlert,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  Alert("Inbox");
  Alert("Work");
  for (int i = 0; i < 50 && g_alertEvents.size() < 2; ++i) {
    Pump();
    Sleep(10);
  }
  UnhookWinEvent(hook);
  const auto windows = Owned<TfrmNotifyPopup>();
  ASSERT_EQ(windows.size(), 2u);
  const char* names[] = {"Alert: You got mail in Inbox", "Alert: You got mail in Work"};
  for (int i = 0; i < 2; ++i) {
    char name[128] = {};
    GetWindowTextA(windows[i]->Handle(), name, sizeof name);
    EXPECT_EQ(std::string(name), names[i]);
  }
  EXPECT_EQ(g_alertEvents, (std::vector<HWND>{windows[0]->Handle(), windows[1]->Handle()}));
}

TEST_F(MailAlertTest, HeldWhileAFullScreenWindowIsInFrontAndShownOnceItGoes) {
  toolkit::TComponent owner(nullptr);
  // Windows XP's shell32, without the notification-state query: the window alone decides.
  const FullScreenProbe probe(nullptr);
  AlertHold hold(owner, outputs_, [&probe] { return probe.UserIsFullScreen(); });
  FullScreenWindow slides;
  Pump();
  ASSERT_EQ(GetForegroundWindow(), slides.get());
  ASSERT_TRUE(probe.UserIsFullScreen());

  hold.Alert(1, "Ann", "Inbox");
  hold.Alert(2, "Bob", "Work");
  hold.Alert(3, "Cid", "Inbox");
  EXPECT_TRUE(hold.Holding());
  EXPECT_TRUE(Owned<TNotifyPopup>().empty());
  EXPECT_EQ(PopupCount, 0);
  EXPECT_TRUE(sounds_.empty());
  EXPECT_FALSE(hold.ReleaseWhenFree());

  slides.Close();
  const DWORD start = GetTickCount();
  while (hold.Holding() && GetTickCount() - start < 5 * AlertHold::kPollMs) {
    Pump();
    Sleep(10);
  }
  EXPECT_FALSE(hold.Holding());
  const auto alerts = Owned<TNotifyPopup>();
  ASSERT_EQ(alerts.size(), 2u);
  EXPECT_EQ(alerts[0]->Text(), "You got mail in Inbox");
  EXPECT_EQ(alerts[1]->Text(), "You got mail in Work");
  EXPECT_EQ(alerts[0]->PopupStartY(), 2);
  EXPECT_EQ(alerts[1]->PopupStartY(), 123);
  EXPECT_EQ(Owned<TfrmNotifyPopup>().size(), 2u);
  EXPECT_EQ(PopupCount, 2);
  EXPECT_EQ(sounds_, (std::vector<std::string>{"gotmail.wav"}));
}

TEST_F(MailAlertTest, AnAlertAfterTheFullScreenProgramWentTakesTheHeldOnesAlong) {
  toolkit::TComponent owner(nullptr);
  for (int sound : {1, 0}) {
    SCOPED_TRACE(sound);
    SetAlwaysSound(sound);
    bool busy = true;
    AlertHold hold(owner, outputs_, [&busy] { return busy; });
    hold.Alert(1, "Ann", "Inbox");
    busy = false;
    hold.Alert(1, "Bob", "Work");
    EXPECT_FALSE(hold.Holding());
    EXPECT_EQ(PopupCount, 2);
    EXPECT_EQ(sounds_.size(), sound == 1 ? 1u : 0u);
    hold.Alert(1, "Cid", "Lists");  // nothing held: as ever
    EXPECT_EQ(PopupCount, 3);
    EXPECT_EQ(sounds_.size(), sound == 1 ? 2u : 0u);
    sounds_.clear();
    PopupCount = 0;
  }
}

// The shell's answers as the system calls them: WINAPI functions, not lambdas (whose convention is the compiler's).
HRESULT WINAPI AnswerBusy(int* s) { return *s = 2, S_OK; }
HRESULT WINAPI AnswerD3DFullScreen(int* s) { return *s = 3, S_OK; }
HRESULT WINAPI AnswerPresenting(int* s) { return *s = 4, S_OK; }
HRESULT WINAPI AnswerAcceptsNotifications(int* s) { return *s = 5, S_OK; }
HRESULT WINAPI AnswerFails(int* s) { return *s = 2, E_FAIL; }

TEST_F(MailAlertTest, TheShellsNotificationStateCountsWhereItIsReported) {
  const struct {
    const char* what;
    QueryUserNotificationStateFn query;
    bool expected;
  } cases[] = {
      {"busy", AnswerBusy, true},
      {"Direct3D full screen", AnswerD3DFullScreen, true},
      {"presenting", AnswerPresenting, true},
      {"accepts notifications", AnswerAcceptsNotifications, false},
      {"query fails", AnswerFails, false},
      {"no query (Windows XP)", nullptr, false},
  };
  // No full-screen window here: only the shell's answer can hold alerts.
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FullScreenProbe(c.query).UserIsFullScreen(), c.expected);
  }
  // Whatever this system's shell32 offers, a desktop without a full-screen program holds nothing.
  EXPECT_FALSE(FullScreenProbe().UserIsFullScreen());
}

}  // namespace
}  // namespace quendrel::test
