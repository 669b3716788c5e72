// A window of the test's own over the whole primary monitor, in front, as a presentation, a game
// or a film would be.
#pragma once

#include <windows.h>

namespace quendrel::test {

class FullScreenWindow {
public:
  FullScreenWindow() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& r = monitor.rcMonitor;
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "Slides", WS_POPUP | WS_VISIBLE, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(hwnd_);
  }
  ~FullScreenWindow() { Close(); }
  FullScreenWindow(const FullScreenWindow&) = delete;
  FullScreenWindow& operator=(const FullScreenWindow&) = delete;

  void Close() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  HWND get() const { return hwnd_; }

private:
  HWND hwnd_ = nullptr;
};

}  // namespace quendrel::test
