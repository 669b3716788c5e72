#include "tests/app/AppFixture.h"

#include "app/ProgramGlobals.h"
#include "client/MailClient.h"
#include "core/Autostart.h"
#include "core/Settings.h"
#include "popup/NotifyPopup.h"
#include "popup/NotifyPopupForm.h"
#include "sizing/FormScaler.h"
#include "store/OEFolderManagerEvents.h"
#include "toolkit/Application.h"
#include "toolkit/Registry.h"

namespace quendrel::test {

AppTest::AppTest() {
  Working = false;
  PopupCount = 0;
  // Every Windows installation has the per-user Run key; the program opens it, never creates it.
  toolkit::Registry reg;
  reg.OpenKey(std::string("\\") + kRunKey, true);
  // No folder-manager server answers in these tests: its one-time note was already given.
  SetSetting("foldermanagertold", 1);
  toolkit::Application.SetShowMainForm(true);
}

AppTest::~AppTest() {
  form_.reset();
  FreeAlerts();
  toolkit::Application.ProcessMessages();
}

TForm1& AppTest::Launch() {
  form_.reset();
  form_.reset(new TForm1(nullptr));  // owned from here on
  // The layout under test is the one of the screen the window was designed for.
  form_->FormScaler1->SetScreenSource([] { return sizing::SizeI{800, 600}; });
  form_->DoCreate();
  return *form_;
}

void AppTest::DeliverNewMessage(TForm1& form, int32_t folderId, int32_t newMsgId) {
  SendOENewMessage(form.OEFolderManager1->EventSink(), folderId, newMsgId);
}

void AppTest::QuietMailClient() {
  SetSetting("alwaysoe", 0);
  SetSetting("alwaysreceive", 0);
}

void AppTest::SetSetting(const char* name, int32_t value) {
  toolkit::Registry reg;
  reg.OpenKey(kProgramKey, true);
  reg.WriteInteger(name, value);
}

void AppTest::WatchedInboxWithMail() {
  WriteFolder("Inbox.dbx", {Message("Ann", UtcNoon(2024, 3, 5))});
  MakeFolderKey("Inbox.dbx", true);
}

std::vector<std::string> AppTest::AlertTexts() {
  std::vector<std::string> texts;
  for (int i = 0; i < toolkit::Application.ComponentCount(); ++i) {
    if (auto* alert = dynamic_cast<popup::TNotifyPopup*>(toolkit::Application.Components(i))) {
      texts.push_back(alert->Text());
    }
  }
  return texts;
}

void AppTest::FreeAlerts() {
  for (int i = toolkit::Application.ComponentCount() - 1; i >= 0; --i) {
    if (i >= toolkit::Application.ComponentCount()) continue;  // a closed popup took its component along
    toolkit::TComponent* component = toolkit::Application.Components(i);
    if (dynamic_cast<popup::TfrmNotifyPopup*>(component) != nullptr ||
        dynamic_cast<popup::TNotifyPopup*>(component) != nullptr) {
      component->Free();
    }
  }
  PopupCount = 0;
}

bool ValueExists(const std::string& path, const std::string& name) {
  toolkit::Registry reg;
  return reg.OpenKey(path, false) && reg.ValueExists(name);
}

std::string BalloonText(const TForm1& form) {
  const NOTIFYICONDATAA& data = form.TrayIcon1->NotifyData();
  return std::string(data.szInfoTitle) + " " + data.szInfo;
}

ClientWindow::ClientWindow() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kMailClientClass;
  RegisterClassA(&wc);  // a second registration fails harmlessly
  hwnd_ = CreateWindowExA(0, kMailClientClass, "Inbox - Outlook Express", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                          nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
}

}  // namespace quendrel::test
