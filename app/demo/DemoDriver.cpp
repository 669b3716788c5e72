// quendrel-demo-driver: plays the user for demo.sh on a display without a user. It runs on the
// demo's Wine desktop (window lookups only see their own desktop) and reports into a file.
//   quendrel-demo-driver REPORT wait-window TITLE SECONDS   wait until a visible window TITLE exists
//   quendrel-demo-driver REPORT click TITLE BUTTON          press the button captioned BUTTON in it
//   quendrel-demo-driver REPORT wait-gone TITLE SECONDS     wait until no window TITLE exists (hidden too)
//   quendrel-demo-driver REPORT tray-click left|right        click the newest icon of the notification area
//   quendrel-demo-driver REPORT menu-choose POSITION         choose the item at POSITION of the open menu
//   quendrel-demo-driver REPORT window-rect TITLE FILE       write the window's place as WxH+X+Y into FILE
//   quendrel-demo-driver REPORT tray-hover                   rest the mouse on the newest icon (its tooltip)
//   quendrel-demo-driver REPORT park-mouse                   move the mouse to the middle of the screen
//   quendrel-demo-driver REPORT full-screen TITLE SECONDS    a full-screen program of the demo's own, in
//                                                            front; reports once it is, stays until "close"
//   quendrel-demo-driver REPORT close TITLE                  ask the visible window TITLE to close
//   quendrel-demo-driver REPORT send-receive                 the mail client's Send/Receive, as its menu does
// REPORT gets one line: "ok" or "failed: why".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "client/MailClient.h"
#include "toolkit/GdiHandles.h"

namespace {

struct ButtonSearch {
  std::string caption;
  HWND found = nullptr;
};

BOOL CALLBACK FindButton(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ButtonSearch*>(param);
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  if (search->caption == text && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// className or title may be null (any).
HWND VisibleWindow(const char* className, const char* title) {
  HWND window = FindWindowA(className, title);
  return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitVisible(const char* className, const char* title, int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    if (HWND window = VisibleWindow(className, title)) return window;
    Sleep(100);
  }
  return nullptr;
}

std::string WaitWindow(const std::string& title, int seconds) {
  return WaitVisible(nullptr, title.c_str(), seconds) ? "ok" : "failed: no window \"" + title + "\"";
}

std::string WaitGone(const std::string& title, int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    if (FindWindowA(nullptr, title.c_str()) == nullptr) return "ok";
    Sleep(100);
  }
  return "failed: window \"" + title + "\" still there";
}

std::string Click(const std::string& title, const std::string& caption) {
  HWND window = VisibleWindow(nullptr, title.c_str());
  if (window == nullptr) return "failed: no window \"" + title + "\"";
  ButtonSearch search{caption};
  EnumChildWindows(window, FindButton, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return "failed: no button \"" + caption + "\"";
  RECT r{};
  GetClientRect(search.found, &r);
  const LPARAM centre = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
  // A mouse press as the button's own window sees it; works for system and painted buttons alike.
  PostMessageA(search.found, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  PostMessageA(search.found, WM_LBUTTONUP, 0, centre);
  return "ok";
}

// Wine's taskbar draws the notification area at its right end, the newest icon rightmost.
bool NewestTrayIcon(POINT& centre) {
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  if (taskbar == nullptr) return false;
  RECT r{};
  GetWindowRect(taskbar, &r);
  centre = {r.right - GetSystemMetrics(SM_CXSMICON) / 2 - 2, (r.top + r.bottom) / 2};
  return true;
}

// A real mouse move to the point, in the absolute 0..65535 coordinates of the primary screen.
void MoveMouse(POINT to) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(to.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(to.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

std::string TrayClick(const std::string& button) {
  POINT icon{};
  if (!NewestTrayIcon(icon)) return "failed: no taskbar";
  SetCursorPos(icon.x, icon.y);
  Sleep(100);
  const bool right = button == "right";
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input[0], sizeof(INPUT));
  Sleep(50);
  SendInput(1, &input[1], sizeof(INPUT));
  return "ok";
}

// The tooltip control starts its delay at a move over the icon: come from beside it, then rest on it.
std::string TrayHover() {
  POINT icon{};
  if (!NewestTrayIcon(icon)) return "failed: no taskbar";
  MoveMouse({icon.x - 60, icon.y - 60});
  Sleep(200);
  for (int step = 2; step >= 0; --step) {
    MoveMouse({icon.x - step, icon.y});
    Sleep(100);
  }
  return "ok";
}

// Off the icon, so no tooltip stands in front of what comes next.
std::string ParkMouse() {
  MoveMouse({GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2});
  return "ok";
}

// The menu window belongs to the program; its menu loop takes keys posted to it.
std::string MenuChoose(int position) {
  HWND menu = WaitVisible("#32768", nullptr, 5);
  if (menu == nullptr) return "failed: no menu open";
  for (int i = 0; i <= position; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  return "ok";
}

// The screen's geometry in ImageMagick's crop form, for cutting one window out of a screenshot.
std::string WindowRect(const std::string& title, const char* file) {
  HWND window = VisibleWindow(nullptr, title.c_str());
  if (window == nullptr) return "failed: no window \"" + title + "\"";
  RECT r{};
  GetWindowRect(window, &r);
  FILE* out = std::fopen(file, "wb");
  if (out == nullptr) return std::string("failed: cannot write ") + file;
  std::fprintf(out, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  std::fclose(out);
  return "ok";
}

std::string Close(const std::string& title) {
  HWND window = VisibleWindow(nullptr, title.c_str());
  if (window == nullptr) return "failed: no window \"" + title + "\"";
  PostMessageA(window, WM_CLOSE, 0, 0);
  return "ok";
}

std::string SendReceive() {
  HWND client = FindWindowA(quendrel::kMailClientClass, nullptr);
  if (client == nullptr) return "failed: no mail client";
  PostMessageA(client, WM_COMMAND, quendrel::kSendReceiveCommand, quendrel::kSendReceiveLParam);
  return "ok";
}

void WriteReport(const char* file, const std::string& result) {
  if (FILE* report = std::fopen(file, "wb")) {
    std::fprintf(report, "%s\n", result.c_str());
    std::fclose(report);
  }
}

constexpr UINT_PTR kFullScreenTimeout = 1;

LRESULT CALLBACK FullScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      quendrel::toolkit::PaintDC dc(window);
      RECT r{};
      GetClientRect(window, &r);
      FillRect(dc.Get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      quendrel::toolkit::FontHandle font(CreateFontA(-28, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                                     0, ANTIALIASED_QUALITY, 0, "Tahoma"));
      quendrel::toolkit::SelectGuard selected(dc.Get(), font.Get());
      SetBkMode(dc.Get(), TRANSPARENT);
      SetTextColor(dc.Get(), RGB(230, 230, 230));
      char text[256] = {};
      GetWindowTextA(window, text, sizeof text);
      const std::string lines = std::string(text) + "\n\nA full-screen program of the demo's own.\n"
                                                    "Quendrel holds its alerts until it closes.";
      RECT box = r;
      DrawTextA(dc.Get(), lines.c_str(), -1, &box, DT_CENTER | DT_CALCRECT | DT_NOPREFIX);
      const int height = box.bottom - box.top;
      box = {r.left, (r.bottom - height) / 2, r.right, (r.bottom + height) / 2};
      DrawTextA(dc.Get(), lines.c_str(), -1, &box, DT_CENTER | DT_NOPREFIX);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kFullScreenTimeout) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Covers the primary monitor, topmost, and takes the foreground, as a presentation would. The report
// is written as soon as it is in front, so the demo can go on while it stays.
int FullScreen(const char* reportFile, const std::string& title, int seconds) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FullScreenProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "QuendrelDemoFullScreen";
  RegisterClassA(&windowClass);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& r = monitor.rcMonitor;
  HWND window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, title.c_str(), WS_POPUP | WS_VISIBLE,
                                r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  if (window == nullptr) {
    WriteReport(reportFile, "failed: no full-screen window");
    return 1;
  }
  SetForegroundWindow(window);
  SetTimer(window, kFullScreenTimeout, static_cast<UINT>(seconds) * 1000, nullptr);
  bool reported = false;
  const DWORD start = GetTickCount();
  MSG message{};
  for (;;) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        if (!reported) WriteReport(reportFile, "failed: closed before it was in front");
        return reported ? 0 : 1;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (!reported && GetForegroundWindow() == window) {
      WriteReport(reportFile, "ok");
      reported = true;
    }
    if (!reported && GetTickCount() - start > 5000) {
      WriteReport(reportFile, "failed: the full-screen window did not come to the front");
      DestroyWindow(window);
      return 1;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, reported ? INFINITE : 50, QS_ALLINPUT);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(
        stderr,
        "usage: quendrel-demo-driver REPORT wait-window TITLE SECONDS | click TITLE BUTTON |\n"
        "       wait-gone TITLE SECONDS | tray-click left|right | menu-choose POSITION |\n"
        "       window-rect TITLE FILE | tray-hover | park-mouse | full-screen TITLE SECONDS | close TITLE |\n"
        "       send-receive\n");
    return 2;
  }
  const std::string command = argv[2];
  if (command == "full-screen" && argc >= 5) return FullScreen(argv[1], argv[3], std::atoi(argv[4]));
  std::string result = "failed: unknown command " + command;
  if (command == "wait-window" && argc >= 5) result = WaitWindow(argv[3], std::atoi(argv[4]));
  if (command == "click" && argc >= 5) result = Click(argv[3], argv[4]);
  if (command == "wait-gone" && argc >= 5) result = WaitGone(argv[3], std::atoi(argv[4]));
  if (command == "tray-click" && argc >= 4) result = TrayClick(argv[3]);
  if (command == "menu-choose" && argc >= 4) result = MenuChoose(std::atoi(argv[3]));
  if (command == "window-rect" && argc >= 5) result = WindowRect(argv[3], argv[4]);
  if (command == "tray-hover") result = TrayHover();
  if (command == "park-mouse") result = ParkMouse();
  if (command == "close" && argc >= 4) result = Close(argv[3]);
  if (command == "send-receive") result = SendReceive();
  WriteReport(argv[1], result);
  return result == "ok" ? 0 : 1;
}
