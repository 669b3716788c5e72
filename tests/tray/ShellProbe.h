// Asks the real shell whether it holds a tray icon, for tests of the icon and of the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "tray/NotifyIconData.h"

namespace quendrel::test {

// Whether the shell holds an icon for this window and identifier (a modify succeeds only then).
inline bool ShellHolds(HWND window, UINT id) {
  NOTIFYICONDATAA probe{};
  probe.cbSize = CurrentNotifyIconLayout().size;
  probe.hWnd = window;
  probe.uID = id;
  return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

}  // namespace quendrel::test
