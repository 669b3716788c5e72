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
  toolkit::Application.OnException = [this](toolkit::TComponent*, const std::exception_ptr& error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      errors_.push_back(e.what());
    }
  };
}

AppTest::~AppTest() {
  form_.reset();
  toolkit::Application.OnException = nullptr;
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

namespace {

struct BoxWatch {
  std::string text;
  bool answered = false;
};
BoxWatch* gWatch = nullptr;  // the one message box being waited for on this thread

BOOL CALLBACK AnswerBox(HWND window, LPARAM) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
  char text[512] = {};
  GetDlgItemTextA(window, 0xFFFF, text, sizeof text);  // the box's static text
  gWatch->text = text;
  gWatch->answered = true;
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK LookForBox(HWND, UINT, UINT_PTR, DWORD) {
  if (gWatch != nullptr && !gWatch->answered) EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

}  // namespace

std::string AnswerMessageBox(const std::function<void()>& action) {
  BoxWatch watch;
  gWatch = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForBox);
  action();
  KillTimer(nullptr, timer);
  gWatch = nullptr;
  return watch.text;
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
