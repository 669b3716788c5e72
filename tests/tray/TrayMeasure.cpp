// tray_measure: CPU of an idle tray icon and window-system objects over many image changes.
// Not a test; run by hand under Wine: tray_measure [SECONDS] [CHANGES]
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "tests/toolkit/GdiObjectCount.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/ImageList.h"
#include "tray/TrayIcon.h"

namespace {

using namespace quendrel;
using namespace quendrel::toolkit;

double CpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// The program's idle loop: wait for messages, handle them, for the given time.
void IdleFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (DWORD elapsed = 0; elapsed < milliseconds; elapsed = GetTickCount() - start) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    Application.ProcessMessages();
  }
}

BOOL CALLBACK CountChild(HWND, LPARAM param) {
  ++*reinterpret_cast<unsigned long*>(param);
  return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM param) {
  ++*reinterpret_cast<unsigned long*>(param);
  EnumChildWindows(window, CountChild, param);
  return TRUE;
}

// USER objects as Wine cannot count them: this thread's windows and menus plus the live icons,
// found by probing every handle index (a handle with a zero high word matches any generation).
unsigned long UserObjects() {
  if (unsigned long count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return count;
  unsigned long count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  for (std::uintptr_t low = 0x20; low < 0x10000; low += 2) {
    const auto handle = reinterpret_cast<HICON>(low);
    ICONINFO info{};
    if (IsWindow(reinterpret_cast<HWND>(handle))) continue;  // counted above
    if (IsMenu(reinterpret_cast<HMENU>(handle))) {
      ++count;
    } else if (GetIconInfo(handle, &info)) {
      ++count;
      if (info.hbmMask) DeleteObject(info.hbmMask);
      if (info.hbmColor) DeleteObject(info.hbmColor);
    }
  }
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 10;
  const int changes = argc > 2 ? std::atoi(argv[2]) : 10000;

  TImageList list(nullptr);
  TBitmap strip;
  strip.SetSize(64, 16);
  for (int i = 0; i < 4; ++i) {
    strip.Canvas().Brush().SetColor(static_cast<TColor>(RGB(60 * i, 255 - 60 * i, 40)));
    const RECT cell{16 * i, 0, 16 * i + 16, 16};
    strip.Canvas().FillRect(cell);
  }
  list.Add(strip);
  auto icon = std::make_unique<TTrayIcon>(nullptr);
  icon->SetIconList(&list);
  icon->SetHint("Quendrel");
  icon->SetIconVisible(true);
  IdleFor(500);

  const auto idle = [&](const char* what) {
    const double before = CpuMs();
    IdleFor(seconds * 1000);
    const double used = CpuMs() - before;
    std::printf("idle %lu s, %s: CPU %.0f ms (%.2f %%), timers armed %u\n", static_cast<unsigned long>(seconds),
                what, used, used / (seconds * 10.0), TSimpleTimer::ArmedCount());
  };
  idle("LeaveTimer off");
  icon->SetWantEnterExitEvents(true);
  idle("LeaveTimer on, cursor away");
  // A move over the icon: from then on every tick reads the cursor.
  SendMessageA(icon->HandlerWindow(), WM_TRAYNOTIFY, icon->TrayId(), WM_MOUSEMOVE);
  idle("LeaveTimer on, cursor on the icon");
  icon->SetWantEnterExitEvents(false);

  const unsigned long gdiBefore = GdiObjectCount(), userBefore = UserObjects();
  const double start = CpuMs();
  for (int i = 0; i < changes; ++i) icon->SetIconIndex(i % 4);  // each one a shell update
  Application.ProcessMessages();
  std::printf("%d icon-index changes (%.0f ms CPU): GDI objects %lu -> %lu, USER objects %lu -> %lu\n", changes,
              CpuMs() - start, gdiBefore, GdiObjectCount(), userBefore, UserObjects());
  icon.reset();
  std::printf("after the icon went: GDI objects %lu, USER objects %lu\n", GdiObjectCount(), UserObjects());
  return 0;
}
