// Whether the user runs a full-screen program now: the foreground window, and the shell's own
// notification state on Windows versions that report one.
#pragma once

#include <windows.h>

#include "core/FullScreenRule.h"

namespace quendrel {

// SHQueryUserNotificationState; the state is a QUERY_USER_NOTIFICATION_STATE.
using QueryUserNotificationStateFn = HRESULT(WINAPI*)(int* state);

// Null where shell32 has no such function (Windows XP and Server 2003).
QueryUserNotificationStateFn FindQueryUserNotificationState();

// The facts about window that decide whether it is a full-screen program.
ForegroundWindow DescribeForegroundWindow(HWND window);

class FullScreenProbe {
public:
  explicit FullScreenProbe(QueryUserNotificationStateFn query = FindQueryUserNotificationState()) : query_(query) {}
  // A failing shell query counts as not busy; the window still decides.
  bool UserIsFullScreen() const;

private:
  QueryUserNotificationStateFn query_;
};

}  // namespace quendrel
