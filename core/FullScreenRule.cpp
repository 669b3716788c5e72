#include "core/FullScreenRule.h"

namespace quendrel {

bool IsFullScreen(const ForegroundWindow& window) {
  if (window.desktopOrShell || window.maximizedWithCaption) return false;
  const ScreenRect& w = window.bounds;
  const ScreenRect& m = window.monitor;
  if (m.right <= m.left || m.bottom <= m.top) return false;
  return w.left <= m.left && w.top <= m.top && w.right >= m.right && w.bottom >= m.bottom;
}

bool ShellStateHoldsAlerts(int state) {
  constexpr int kBusy = 2, kRunningD3DFullScreen = 3, kPresentationMode = 4;
  return state == kBusy || state == kRunningD3DFullScreen || state == kPresentationMode;
}

}  // namespace quendrel
