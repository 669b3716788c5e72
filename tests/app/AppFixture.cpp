#include "tests/app/AppFixture.h"

#include "app/ProgramGlobals.h"
#include "client/MailClient.h"
#include "core/Autostart.h"
#include "core/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Registry.h"

namespace quendrel::test {

AppTest::AppTest() {
  Working = false;
  PopupCount = 0;
  // Every Windows installation has the per-user Run key; the program opens it, never creates it.
  toolkit::Registry reg;
  reg.OpenKey(std::string("\\") + kRunKey, true);
  toolkit::Application.SetShowMainForm(true);
}

AppTest::~AppTest() {
  form_.reset();
  toolkit::Application.ProcessMessages();
}

TForm1& AppTest::Launch() {
  form_.reset();
  form_.reset(new TForm1(nullptr));  // owned from here on
  form_->DoCreate();
  return *form_;
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

bool ValueExists(const std::string& path, const std::string& name) {
  toolkit::Registry reg;
  return reg.OpenKey(path, false) && reg.ValueExists(name);
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
