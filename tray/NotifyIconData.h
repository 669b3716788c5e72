// The notification-area record as the running shell takes it: its size and what it may carry depend on
// the version of the shell (shell32.dll), not on the Windows the program was built for.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>

namespace quendrel {

struct ShellVersion {
  DWORD major = 0;
  DWORD minor = 0;
};

// The version a shell DLL (shell32, comctl32) reports through DllGetVersion, looked up at run time: the
// DLLs of shells before 4.71 have none. {4, 0} when it cannot be told (no module, no such export).
ShellVersion ModuleShellVersion(HMODULE module);
// shell32's own.
ShellVersion CurrentShellVersion();

// What a shell of that version takes in NOTIFYICONDATAA:
//  - before 5.0 (Windows 95/NT 4 shells): the first layout, a tip of 64 characters, no balloons;
//  - 5.0 and later (Windows 2000, XP, Server 2003 and every later one): the Windows 2000 layout, a tip of
//    128 characters and balloon tips (NIF_INFO). Later layouts add nothing this program uses.
struct NotifyIconLayout {
  DWORD size;        // cbSize
  size_t tipLength;  // characters of szTip before its terminating zero
  bool balloons;     // NIF_INFO and the balloon fields are honoured
};
NotifyIconLayout NotifyIconLayoutFor(ShellVersion version);

// Whether a shell whose common controls have this version broadcasts "TaskbarCreated" when the taskbar
// comes back (Explorer restarted): those newer than 4.70 do.
bool BroadcastsTaskbarCreated(ShellVersion commonControls);

// The layout of the shell this process runs with, asked once.
const NotifyIconLayout& CurrentNotifyIconLayout();

// The first layout ends at szTip[64]; the Windows 2000 layout after the balloon fields.
static_assert(NOTIFYICONDATAA_V1_SIZE == (sizeof(void*) == 8 ? 104 : 88));
static_assert(NOTIFYICONDATAA_V2_SIZE == (sizeof(void*) == 8 ? 504 : 488));

}  // namespace quendrel
