#include "core/StoreFolderWatcher.h"

#include <utility>

namespace quendrel {

namespace {

constexpr UINT kChangedMessage = WM_APP + 0x51;
constexpr UINT_PTR kSettleTimer = 1;
constexpr char kWindowClass[] = "QuendrelStoreFolderWatcher";

// Writes, new files and renames: the client appends, rewrites and replaces its store files.
constexpr DWORD kChangeFilter =
    FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_FILE_NAME;

void RegisterWindowClass(WNDPROC windowProc) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);  // a second registration fails harmlessly
}

}  // namespace

StoreFolderWatcher::StoreFolderWatcher(std::function<void()> onSettled, UINT settleMs)
    : onSettled_(std::move(onSettled)), settleMs_(settleMs) {}

StoreFolderWatcher::~StoreFolderWatcher() {
  Stop();
}

bool StoreFolderWatcher::Start(const std::string& folder) {
  Stop();
  HANDLE change = FindFirstChangeNotificationA(folder.c_str(), FALSE, kChangeFilter);
  if (change == INVALID_HANDLE_VALUE) return false;
  RegisterWindowClass(&StoreFolderWatcher::WindowProc);
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
  // Changes already posted go with the window: a stopped watcher reports nothing more.
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
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case kChangedMessage:
      // Each change pushes the settle time back.
      SetTimer(hwnd, kSettleTimer, self->settleMs_, nullptr);
      return 0;
    case WM_TIMER:
      if (wParam != kSettleTimer) break;
      KillTimer(hwnd, kSettleTimer);
      try {
        if (self->onSettled_) self->onSettled_();
      } catch (...) {
        // The handler reports its own errors; nothing may unwind through the window procedure.
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace quendrel
