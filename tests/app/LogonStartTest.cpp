// The program as a user meets it at logon: the real quendrel.exe in a process of its own, on its own
// message loop, started with "startwork" on while the user types in a window of this test, and with
// no folder manager to reach. Everything is watched from here without handling one message for the
// program: the foreground and the keyboard focus must stay where the user left them, the note about
// the folder manager comes once as the tray's balloon, the first check's popups come up, and a click
// (real input from this process) on one of them closes it.
//
// quendrel.exe sees the session's real HKEY_CURRENT_USER, so its settings and the mail client's
// "Store Root" are written there for the test and removed again.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "tests/core/CoreFixture.h"
#include "tests/msimn/StandInHarness.h"
#include "tests/support/TestFiles.h"
#include "toolkit/Registry.h"

namespace quendrel::test {
namespace {

// Below HKEY_CURRENT_USER, without the leading backslash the program's registry layer takes.
constexpr char kSettingsKey[] = "SOFTWARE\\Quendrel";
constexpr char kClientKey[] = "Software\\Microsoft\\Outlook Express";
// The end of the note's text, as the shell's balloon window gives it back.
constexpr char kBalloonMark[] = "This note is shown once.";
constexpr char kAlertPrefix[] = "Alert: You got mail in ";

double MsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

std::string ClassOf(HWND window) {
  char name[128] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// WM_GETTEXT, which reaches windows of other processes (GetWindowText does not ask them).
std::string TextOf(HWND window) {
  char text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 500,
                      &copied);
  return text;
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

// Enumeration callbacks are called with Windows' convention (a lambda has the compiler's).
BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

BOOL CALLBACK FindExitButton(HWND child, LPARAM found) {
  char caption[32] = {};
  GetWindowTextA(child, caption, sizeof caption);
  if (std::string(caption) != "Exit") return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// The shell's balloon carrying the note, when one is on screen.
HWND VisibleBalloon() {
  for (HWND window : TopLevelWindows()) {
    if (IsWindowVisible(window) && ClassOf(window) == "tooltips_class32" &&
        TextOf(window).find(kBalloonMark) != std::string::npos) {
      return window;
    }
  }
  return nullptr;
}

// The program's alert popups on screen, by window name.
std::vector<std::pair<std::string, HWND>> VisibleAlerts(DWORD process) {
  std::vector<std::pair<std::string, HWND>> alerts;
  for (HWND window : TopLevelWindows()) {
    if (ProcessOf(window) != process || !IsWindowVisible(window)) continue;
    char name[256] = {};
    GetWindowTextA(window, name, sizeof name);
    if (std::string(name).rfind(kAlertPrefix, 0) == 0) alerts.emplace_back(name, window);
  }
  return alerts;
}

// The window the user types in: a frame with an edit control that has the keyboard focus. Only its
// own messages are handled here.
class TypingWindow {
 public:
  TypingWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuendrelTestTyping";
    RegisterClassA(&wc);
    frame_ = CreateWindowExA(0, wc.lpszClassName, "Typing", WS_OVERLAPPEDWINDOW, 200, 200, 400, 200, nullptr,
                             nullptr, wc.hInstance, nullptr);
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 360, 24, frame_,
                            nullptr, wc.hInstance, nullptr);
    ShowWindow(frame_, SW_SHOWNORMAL);
    SetForegroundWindow(frame_);
    SetFocus(edit_);
    Pump();
  }
  ~TypingWindow() { DestroyWindow(frame_); }
  TypingWindow(const TypingWindow&) = delete;
  TypingWindow& operator=(const TypingWindow&) = delete;

  HWND frame() const { return frame_; }
  HWND edit() const { return edit_; }
  bool HasTheKeyboard() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetForegroundWindow() == frame_ &&
           GetGUIThreadInfo(GetWindowThreadProcessId(frame_, nullptr), &info) && info.hwndFocus == edit_;
  }
  // This thread's messages only: the program's windows live in another process.
  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

 private:
  HWND frame_;
  HWND edit_;
};

// One run of quendrel.exe. Ended as the user ends it, with the "Exit" button of its (hidden) main
// window; killed when that does not end it.
class ProgramRun {
 public:
  ProgramRun() {
    QueryPerformanceCounter(&started_);
    std::string commandLine = "\"" + BuildFilePath(QUENDREL_EXE) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
      CloseHandle(info.hThread);
      process_ = info.hProcess;
      processId_ = info.dwProcessId;
    }
  }
  ~ProgramRun() {
    if (!process_) return;
    if (!Exit()) TerminateProcess(process_, 99);
    CloseHandle(process_);
  }
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return processId_; }
  double Ms() const { return MsSince(started_); }

  // True when the process has ended.
  bool Exit() {
    HWND exitButton = nullptr;
    for (HWND window : TopLevelWindows()) {
      char title[64] = {};
      if (ProcessOf(window) != processId_ || !GetWindowTextA(window, title, sizeof title)) continue;
      if (std::string(title) != "Quendrel") continue;
      EnumChildWindows(window, FindExitButton, reinterpret_cast<LPARAM>(&exitButton));
    }
    if (exitButton != nullptr) {
      PostMessageA(exitButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      PostMessageA(exitButton, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    for (int i = 0; i < 500; ++i) {
      if (WaitForSingleObject(process_, 10) == WAIT_OBJECT_0) return true;
      TypingWindow::Pump();
    }
    return false;
  }

 private:
  LARGE_INTEGER started_{};
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

// What the user saw of one run, sampled every few milliseconds.
struct Sight {
  std::vector<std::string> stolen;  // who had the foreground or the focus instead of the typing window
  int balloonShows = 0;
  double balloonMs = -1;  // first sight, from the process's creation
  std::set<std::string> alerts;
  double alertsMs = -1;  // when the last of `expectedAlerts` came up
};

void Look(ProgramRun& run, const TypingWindow& typing, Sight& sight, size_t expectedAlerts, bool& balloonUp) {
  TypingWindow::Pump();
  if (!typing.HasTheKeyboard() && sight.stolen.size() < 5) {
    HWND foreground = GetForegroundWindow();
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(0, &info);
    char line[256];
    std::snprintf(line, sizeof line, "at %.0f ms: foreground %s \"%s\" of %s, focus %s", run.Ms(),
                  ClassOf(foreground).c_str(), TextOf(foreground).c_str(),
                  ProcessOf(foreground) == run.Id() ? "quendrel" : "another process",
                  ClassOf(info.hwndFocus).c_str());
    sight.stolen.push_back(line);
  }
  const bool up = VisibleBalloon() != nullptr;
  if (up && !balloonUp) {
    ++sight.balloonShows;
    if (sight.balloonMs < 0) sight.balloonMs = run.Ms();
  }
  balloonUp = up;
  for (const auto& [name, window] : VisibleAlerts(run.Id())) sight.alerts.insert(name);
  if (sight.alertsMs < 0 && sight.alerts.size() >= expectedAlerts) sight.alertsMs = run.Ms();
}

// Watches for `ms` milliseconds at least, and on until the balloon (when `untilBalloon`) and the
// alerts have been seen, 20 seconds at most.
Sight Watch(ProgramRun& run, const TypingWindow& typing, double ms, size_t expectedAlerts,
            bool untilBalloon) {
  Sight sight;
  bool balloonUp = false;
  while (run.Ms() < ms || (run.Ms() < 20000 && (sight.alerts.size() < expectedAlerts ||
                                                (untilBalloon && sight.balloonShows == 0)))) {
    Look(run, typing, sight, expectedAlerts, balloonUp);
    Sleep(5);
  }
  return sight;
}

// The program's settings and the mail client's store location in the real HKEY_CURRENT_USER, for the
// test's lifetime.
class RealSettings {
 public:
  RealSettings() { Remove(); }
  ~RealSettings() { Remove(); }
  RealSettings(const RealSettings&) = delete;
  RealSettings& operator=(const RealSettings&) = delete;

 private:
  static void Remove() {
    RealCurrentUser real;
    toolkit::DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    toolkit::DeleteKeyValue(HKEY_CURRENT_USER, kClientKey, "Store Root");
  }
};

bool ToldValueExists() {
  RealCurrentUser real;
  DWORD type = 0, value = 0, size = sizeof value;
  return toolkit::GetKeyValue(HKEY_CURRENT_USER, kSettingsKey, "foldermanagertold", &type, &value, &size) ==
         ERROR_SUCCESS;
}

class LogonStartTest : public StoreTest {};

TEST_F(LogonStartTest, NothingTakesTheKeyboardTheNoteIsABalloonOnceAndPopupsCloseOnAClick) {
  // Nothing may answer as the folder manager, nor may the shell find a mail client to start.
  UnregisterStandInAppPath();
  {
    StandInProcess unregister;
    ASSERT_TRUE(unregister.Start("--unregserver") && unregister.WaitForExit(std::chrono::seconds(20)));
  }
  const uint64_t monday = UtcNoon(2024, 3, 4);
  WriteFolder("Inbox.dbx", {Message("Ann", monday)});
  WriteFolder("Work.dbx", {Message("Bob", monday)});
  RealSettings settings;
  {
    RealCurrentUser real;
    ASSERT_EQ(toolkit::SetKeyValue(HKEY_CURRENT_USER, kClientKey, "Store Root", REG_SZ,
                                   store_.Path().string().c_str(),
                                   static_cast<DWORD>(store_.Path().string().size() + 1)),
              ERROR_SUCCESS);
    SetSettings(/*alwaysAlert=*/true);
    toolkit::Registry reg;
    reg.OpenKey(kProgramKey, true);
    reg.WriteBool("startwork", true);
    reg.WriteBool("alwayssound", false);
    MakeFolderKey("Inbox.dbx", true);
    MakeFolderKey("Work.dbx", true);
  }
  const std::set<std::string> firstCheck = {std::string(kAlertPrefix) + "Inbox",
                                            std::string(kAlertPrefix) + "Work"};

  TypingWindow typing;
  ASSERT_TRUE(typing.HasTheKeyboard());
  ASSERT_EQ(VisibleBalloon(), nullptr);
  double balloonMs = 0;
  {
    ProgramRun run;
    ASSERT_TRUE(run.Started());
    Sight sight = Watch(run, typing, 3000, firstCheck.size(), /*untilBalloon=*/true);
    EXPECT_EQ(sight.stolen, std::vector<std::string>{});
    EXPECT_EQ(sight.balloonShows, 1);
    EXPECT_EQ(sight.alerts, firstCheck);
    EXPECT_TRUE(ToldValueExists());
    balloonMs = sight.balloonMs;
    std::printf("[ figure ] from the start: popups of the first check %.0f ms, balloon %.0f ms\n",
                sight.alertsMs, sight.balloonMs);

    // A left click on a popup, away from its text (which would open the mail client), as the user's mouse
    // gives it. The popup has slid in when it stops moving.
    const auto alerts = VisibleAlerts(run.Id());
    ASSERT_FALSE(alerts.empty());
    HWND popup = alerts.front().second;
    RECT before{}, now{};
    do {
      before = now;
      Sleep(60);
      GetWindowRect(popup, &now);
    } while (!EqualRect(&before, &now));
    SetCursorPos(now.right - 12, now.top + 12);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    LARGE_INTEGER clicked;
    QueryPerformanceCounter(&clicked);
    ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
    while (IsWindow(popup) && IsWindowVisible(popup) && MsSince(clicked) < 5000) {
      TypingWindow::Pump();
      Sleep(2);
    }
    const double closeMs = MsSince(clicked);
    std::printf("[ figure ] popup gone %.0f ms after the click\n", closeMs);
    EXPECT_LT(closeMs, 1000.0) << "the popup did not close at once";
    EXPECT_TRUE(typing.HasTheKeyboard());
    // The other popup stays.
    EXPECT_EQ(VisibleAlerts(run.Id()).size(), alerts.size() - 1);
    EXPECT_TRUE(run.Exit());
  }
  // The balloon goes with the icon.
  ASSERT_TRUE(WaitFor([] { return VisibleBalloon() == nullptr; }, std::chrono::seconds(15)));

  // The next start: the note was given, the popups come as before, the balloon does not.
  ProgramRun again;
  ASSERT_TRUE(again.Started());
  const Sight sight = Watch(again, typing, std::max(6000.0, balloonMs + 3000), firstCheck.size(),
                            /*untilBalloon=*/false);
  EXPECT_EQ(sight.stolen, std::vector<std::string>{});
  EXPECT_EQ(sight.alerts, firstCheck);
  EXPECT_EQ(sight.balloonShows, 0);
}

}  // namespace
}  // namespace quendrel::test
