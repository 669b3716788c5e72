// quendrel-demo-driver: plays the user for demo.sh on a display without a user. It runs on the
// demo's Wine desktop (window lookups only see their own desktop) and reports into a file.
//   quendrel-demo-driver REPORT wait-window TITLE SECONDS   wait until a visible window TITLE exists
//   quendrel-demo-driver REPORT click TITLE BUTTON          press the button captioned BUTTON in it
//   quendrel-demo-driver REPORT wait-gone TITLE SECONDS     wait until no window TITLE exists (hidden too)
//   quendrel-demo-driver REPORT tray-click left|right        click the newest icon of the notification area
//   quendrel-demo-driver REPORT menu-choose POSITION         choose the item at POSITION of the open menu
//   quendrel-demo-driver REPORT window-rect TITLE FILE       write the window's place as WxH+X+Y into FILE
// REPORT gets one line: "ok" or "failed: why".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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
std::string TrayClick(const std::string& button) {
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  if (taskbar == nullptr) return "failed: no taskbar";
  RECT r{};
  GetWindowRect(taskbar, &r);
  const int x = r.right - GetSystemMetrics(SM_CXSMICON) / 2 - 2;
  const int y = (r.top + r.bottom) / 2;
  SetCursorPos(x, y);
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(
        stderr,
        "usage: quendrel-demo-driver REPORT wait-window TITLE SECONDS | click TITLE BUTTON |\n"
        "       wait-gone TITLE SECONDS | tray-click left|right | menu-choose POSITION |\n"
        "       window-rect TITLE FILE\n");
    return 2;
  }
  const std::string command = argv[2];
  std::string result = "failed: unknown command " + command;
  if (command == "wait-window" && argc >= 5) result = WaitWindow(argv[3], std::atoi(argv[4]));
  if (command == "click" && argc >= 5) result = Click(argv[3], argv[4]);
  if (command == "wait-gone" && argc >= 5) result = WaitGone(argv[3], std::atoi(argv[4]));
  if (command == "tray-click") result = TrayClick(argv[3]);
  if (command == "menu-choose") result = MenuChoose(std::atoi(argv[3]));
  if (command == "window-rect" && argc >= 5) result = WindowRect(argv[3], argv[4]);
  if (FILE* report = std::fopen(argv[1], "wb")) {
    std::fprintf(report, "%s\n", result.c_str());
    std::fclose(report);
  }
  return result == "ok" ? 0 : 1;
}
