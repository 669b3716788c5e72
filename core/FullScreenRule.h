// When alerts wait: a program runs full screen, told by its window or by the shell.
#pragma once

namespace quendrel {

struct ScreenRect {
  long left = 0, top = 0, right = 0, bottom = 0;
};

// What is known of the foreground window.
struct ForegroundWindow {
  ScreenRect bounds;
  ScreenRect monitor;              // the whole monitor it is on, taskbar included
  bool desktopOrShell = false;     // the desktop, the shell's window or its wallpaper layer
  bool maximizedWithCaption = false;
};

// A window covering its whole monitor, other than the desktop and the shell. A maximized window
// with a caption covers it too when the taskbar hides itself, yet is no full-screen program.
bool IsFullScreen(const ForegroundWindow& window);

// The shell's states (QUERY_USER_NOTIFICATION_STATE) in which the user is busy, presenting or runs
// a full-screen Direct3D program.
bool ShellStateHoldsAlerts(int state);

}  // namespace quendrel
