#include "toolkit/Application.h"

#include <algorithm>
#include <stdexcept>

#include "toolkit/Dispatch.h"
#include "toolkit/Form.h"
#include "toolkit/WindowClass.h"

namespace quendrel::toolkit {

TApplication Application;

namespace {
constexpr char kWindowClass[] = "Quendrel.TApplication";
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
  // Forms first (they are owned windows of ours), then the window itself.
  DestroyComponents();
  if (handle_ != nullptr) {
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

void TApplication::DestroyComponents() {
  while (ComponentCount() > 0) Components(ComponentCount() - 1)->Free();
  mainForm_ = nullptr;
  released_.clear();
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_ != nullptr) SetWindowTextA(handle_, title_.c_str());
}

HWND TApplication::Handle() {
  if (handle_ != nullptr) return handle_;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass({.Name = kWindowClass,
                       .Proc = &TApplication::WndProcThunk,
                       .Icon = LoadIconA(instance, "MAINICON")});
  // A zero-sized captioned popup: invisible on screen, yet it has a taskbar button while shown.
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
  handle_ = CreateWindowExA(0, kWindowClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                            nullptr, nullptr, instance, nullptr);
  if (handle_ == nullptr) throw std::runtime_error("Cannot create the application window");
  SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return handle_;
}

void TApplication::ShowTaskbarWindow() {
  HWND hwnd = Handle();
  if (!IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

LRESULT CALLBACK TApplication::WndProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (app == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return GuardedWndProc(app, [&] { return app->WndProc(msg, wParam, lParam); });
}

LRESULT TApplication::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  if (windowHooks_.RunNewestFirst([&](const TApplicationHook& hook) { return hook && hook(message); }))
    return message.Result;
  switch (msg) {
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
          Minimize();
          return 0;
        case SC_RESTORE:
          Restore();
          return 0;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      if (mainForm_ != nullptr) mainForm_->Close();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(handle_, msg, wParam, lParam);
}

void TApplication::Minimize() {
  HWND hwnd = Handle();
  if (IsIconic(hwnd)) return;
  // Minimizing the owner hides the owned forms; the window keeps the taskbar button.
  ShowWindow(hwnd, SW_MINIMIZE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  HWND hwnd = Handle();
  if (!IsIconic(hwnd)) return;
  ShowWindow(hwnd, SW_RESTORE);
  if (mainForm_ != nullptr && mainForm_->Visible() && mainForm_->HandleAllocated()) {
    ShowWindow(mainForm_->Handle(), SW_SHOW);
    SetForegroundWindow(mainForm_->Handle());
  }
  if (OnRestore) OnRestore(this);
}

void TApplication::Dispatch(MSG& msg) {
  // Tab moves between the tab stops of a form.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
    if (TWinControl* focused = TWinControl::FromHandle(msg.hwnd); focused != nullptr) {
      if (TForm* form = focused->ParentForm(); form != nullptr && form != focused) {
        form->SelectNext(focused, GetKeyState(VK_SHIFT) >= 0);
        return;
      }
    }
  }
  if (msg.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 &&
      (msg.wParam == VK_TAB || msg.wParam == VK_PRIOR || msg.wParam == VK_NEXT)) {
    // The focus may sit in a window of no control of ours (a spin edit's edit box).
    HWND window = msg.hwnd;
    while (window != nullptr && TWinControl::FromHandle(window) == nullptr) window = GetParent(window);
    for (TWinControl* c = TWinControl::FromHandle(window); c != nullptr; c = c->Parent())
      if (c->Perform(CM_DIALOGKEY, msg.wParam, 0) != 0) return;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

bool TApplication::HandleMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  ProcessMessage(msg);
  return true;
}

void TApplication::ProcessMessage(MSG& msg) {
  Guarded([&] {
    bool handled = false;
    messageHooks_.RunNewestFirst([&](const TMessageEvent& hook) {
      if (hook) hook(msg, handled);
      return handled;
    });
    if (!handled) Dispatch(msg);
  });
  if (!released_.empty()) FreeReleasedForms();
}

void TApplication::ProcessMessages() {
  while (HandleMessage()) {
  }
}

void TApplication::Run() {
  if (mainForm_ != nullptr && showMainForm_) mainForm_->Show();
  while (!terminated_) {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      terminated_ = true;
      break;
    }
    ProcessMessage(msg);
  }
  // Forms and what they own go while the program still runs (COM objects, tray icons), not in
  // the static destructors after WinMain.
  DestroyComponents();
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
  terminated_ = true;
}

void TApplication::HandleException(const std::exception_ptr& error) {
  if (!error) return;
  if (OnException) {
    OnException(this, error);
    return;
  }
  // The box runs a message loop: a timer failing every few milliseconds would stack boxes.
  if (showingError_) return;
  std::string text = "Unknown error";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
  }
  showingError_ = true;
  MessageBox(text, title_, MB_OK | MB_ICONSTOP);
  showingError_ = false;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  if (owner == nullptr && mainForm_ != nullptr && mainForm_->HandleAllocated()) owner = mainForm_->Handle();
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void TApplication::EnterDispatch(const TComponent* target) { dispatching_.push_back(target); }

void TApplication::LeaveDispatch() {
  if (!dispatching_.empty()) dispatching_.pop_back();
  if (!released_.empty()) FreeReleasedForms();
}

void TApplication::ReleaseForm(TForm* form) {
  if (std::find(released_.begin(), released_.end(), form) == released_.end()) released_.push_back(form);
}

void TApplication::ForgetRelease(const TForm* form) { std::erase(released_, form); }

bool TApplication::InDispatch(const TComponent& root) const {
  if (std::find(dispatching_.begin(), dispatching_.end(), &root) != dispatching_.end()) return true;
  for (int i = 0; i < root.ComponentCount(); ++i) {
    if (InDispatch(*root.Components(i))) return true;
  }
  if (const auto* windowed = dynamic_cast<const TWinControl*>(&root)) {
    for (int i = 0; i < windowed->ControlCount(); ++i) {
      if (InDispatch(*windowed->Controls(i))) return true;
    }
  }
  return false;
}

void TApplication::FreeReleasedForms() {
  if (freeingReleased_) return;  // a form being freed sends messages of its own
  freeingReleased_ = true;
  for (size_t i = 0; i < released_.size();) {
    TForm* form = released_[i];
    if (InDispatch(*form)) {
      ++i;
      continue;
    }
    released_.erase(released_.begin() + static_cast<std::ptrdiff_t>(i));
    Guarded([form] { form->Free(); });
    i = 0;  // freeing one may have freed or released others
  }
  freeingReleased_ = false;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == mainForm_) mainForm_ = nullptr;
  TComponent::Notification(component, operation);
}

}  // namespace quendrel::toolkit
