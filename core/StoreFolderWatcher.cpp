#include "core/StoreFolderWatcher.h"

#include <utility>

#include "toolkit/Dispatch.h"
#include "toolkit/WindowClass.h"

namespace quendrel {

namespace {

constexpr UINT kChangedMessage = WM_APP + 0x51;
constexpr char kWindowClass[] = "Quendrel.StoreFolderWatcher";

// Writes, new files and renames: the client appends, rewrites and replaces its store files.
constexpr DWORD kChangeFilter =
    FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_FILE_NAME;

}  // namespace

StoreFolderWatcher::StoreFolderWatcher(std::function<void()> onSettled, UINT settleMs)
    : onSettled_(std::move(onSettled)) {
  settle_.SetEnabled(false);
  settle_.SetInterval(settleMs);
  settle_.OnTimer = [this](toolkit::TComponent*) {
    settle_.SetEnabled(false);
    if (onSettled_) onSettled_();
  };
}

StoreFolderWatcher::~StoreFolderWatcher() {
  Stop();
}

bool StoreFolderWatcher::Start(const std::string& folder) {
  Stop();
  HANDLE change = FindFirstChangeNotificationA(folder.c_str(), FALSE, kChangeFilter);
  if (change == INVALID_HANDLE_VALUE) return false;
  toolkit::RegisterWindowClass({.Name = kWindowClass, .Proc = &StoreFolderWatcher::WindowProc});
  window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                            nullptr);
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (window_ == nullptr || stop_ == nullptr) {
    FindCloseChangeNotification(change);
    Stop();
    return false;
  }
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  change_ = change;
  waiter_ = std::thread([this] { Wait(); });
  return true;
}

void StoreFolderWatcher::Stop() {
  if (waiter_.joinable()) {
    SetEvent(stop_);
    waiter_.join();
  }
  if (change_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(std::exchange(change_, INVALID_HANDLE_VALUE));
  if (stop_ != nullptr) CloseHandle(std::exchange(stop_, nullptr));
  // Changes already posted go with the window, and a stopped timer drops a queued tick: a stopped
  // watcher reports nothing more.
  settle_.SetEnabled(false);
  if (window_ != nullptr) DestroyWindow(std::exchange(window_, nullptr));
}

// The waiting thread only posts; everything else happens on the thread that owns the window.
void StoreFolderWatcher::Wait() {
  const HANDLE handles[] = {stop_, change_};
  while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    PostMessageA(window_, kChangedMessage, 0, 0);
    if (!FindNextChangeNotification(change_)) return;  // the folder went: the timer remains
  }
}

LRESULT CALLBACK StoreFolderWatcher::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<StoreFolderWatcher*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr || message != kChangedMessage) return DefWindowProcA(hwnd, message, wParam, lParam);
  // Each change pushes the settle time back.
  toolkit::Guarded([self] {
    self->settle_.SetEnabled(false);
    self->settle_.SetEnabled(true);
  });
  return 0;
}

}  // namespace quendrel
