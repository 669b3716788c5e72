#include "core/FullScreenCheck.h"

#include <cstring>

namespace quendrel {
namespace {

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

bool IsDesktopOrShell(HWND window) {
  if (window == GetDesktopWindow() || window == GetShellWindow()) return true;
  // The wallpaper layer that takes the foreground when the desktop is clicked (Windows 7 and later).
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  return std::strcmp(className, "WorkerW") == 0 || std::strcmp(className, "Progman") == 0;
}

}  // namespace

QueryUserNotificationStateFn FindQueryUserNotificationState() {
  // The program links shell32, so it is loaded already.
  HMODULE shell32 = GetModuleHandleA("shell32.dll");
  if (shell32 == nullptr) return nullptr;
  return reinterpret_cast<QueryUserNotificationStateFn>(
      reinterpret_cast<void*>(GetProcAddress(shell32, "SHQueryUserNotificationState")));
}

ForegroundWindow DescribeForegroundWindow(HWND window) {
  ForegroundWindow described;
  described.desktopOrShell = IsDesktopOrShell(window);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  described.bounds = ToScreenRect(bounds);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    described.monitor = ToScreenRect(monitor.rcMonitor);
  }
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  described.maximizedWithCaption = IsZoomed(window) && (style & WS_CAPTION) == WS_CAPTION;
  return described;
}

bool FullScreenProbe::UserIsFullScreen() const {
  if (query_ != nullptr) {
    int state = 0;
    if (SUCCEEDED(query_(&state)) && ShellStateHoldsAlerts(state)) return true;
  }
  HWND foreground = GetForegroundWindow();
  return foreground != nullptr && IsFullScreen(DescribeForegroundWindow(foreground));
}

}  // namespace quendrel
