// app_measure: start-up time, memory and window-system objects of the main window under Wine.
// Not a test; run by hand (see the usage text). Each mode runs in a private HKEY_CURRENT_USER.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/FormCheckHost.h"
#include "app/MainForm.h"
#include "app/UnreadTrayTip.h"
#include "app/ProgramGlobals.h"
#include "core/FullScreenCheck.h"
#include "core/Settings.h"
#include "tests/support/PrivateRegistry.h"
#include "toolkit/Application.h"
#include "toolkit/Registry.h"
#include "toolkit/Timer.h"
#include "tools/dbxwriter/DbxWriter.h"

namespace {

using namespace quendrel;
using toolkit::Application;

constexpr char kUsage[] =
    "usage: app_measure prepare STOREDIR   write the measuring store (5 folders, 2,000 messages)\n"
    "       app_measure window STOREDIR    ms from process creation to the shown main window\n"
    "       app_measure check STOREDIR     ms from process creation to the end of the first check\n"
    "                                      of a launch with startwork on\n"
    "       app_measure memory STOREDIR    working set after start and after 1,000 checks\n"
    "       app_measure gui STOREDIR       GDI and USER objects around 1,000 show/hide cycles\n"
    "       app_measure repaint STOREDIR   ms per full repaint of the shown main window (200 repaints)\n"
    "       app_measure glance STOREDIR    ms from a check's end to the tray tooltip's update, and per\n"
    "                                      full-screen test before an alert\n";

double MsSinceProcessStart() {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

// This process's user and kernel time: steadier than the clock on a busy machine.
double CpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

double WorkingSetMb() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// Wine answers GetGuiResources with 0. Its GDI handle table is the one the process environment
// block points at (as on Windows): 24-byte entries, a non-zero type marks an object in use.
unsigned long GdiObjects() {
  if (unsigned long count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return count;
  struct Entry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
  };
  uint8_t* peb = nullptr;
  asm("mov %%gs:0x60, %0" : "=r"(peb));  // the process environment block of x64 Windows
  const auto* table = *reinterpret_cast<const Entry* const*>(peb + 0xF8);
  if (table == nullptr) return 0;
  unsigned long count = 0;
  for (int i = 0; i < 0x10000; ++i) count += table[i].type != 0 ? 1 : 0;
  return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM param) {
  ++*reinterpret_cast<unsigned long*>(param);
  return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM param) {
  ++*reinterpret_cast<unsigned long*>(param);
  EnumChildWindows(window, CountChild, param);  // every descendant, once
  return TRUE;
}

// USER objects as Wine cannot count them: the windows of this thread, children included.
unsigned long UserObjects() {
  if (unsigned long count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return count;
  unsigned long count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

bool Prepare(const std::string& dir) {
  CreateDirectoryA(dir.c_str(), nullptr);
  const char* folders[] = {"Inbox.dbx", "Outbox.dbx", "Sent Items.dbx", "Deleted Items.dbx", "Lists.dbx"};
  const int sizes[] = {1000, 50, 500, 300, 150};
  for (int f = 0; f < 5; ++f) {
    std::vector<dbx::MessageSpec> messages;
    for (int i = 0; i < sizes[f]; ++i) {
      dbx::MessageSpec m;
      m.index = i + 1;
      m.read = i < sizes[f] - 3;
      m.receivedTime = 133500000000000000ull + uint64_t(i) * 600000000ull;
      m.sentTime = m.receivedTime;
      m.senderName = "Sender " + std::to_string(i % 37);
      m.subject = "Subject " + std::to_string(i);
      messages.push_back(m);
    }
    if (!dbx::WriteMessageFile(dir + "\\" + folders[f], messages)) return false;
  }
  return true;
}

// The store and the settings a user of the program would have, every folder watched.
void Configure(const std::string& dir, bool startWork) {
  toolkit::Registry reg;
  reg.OpenKey("\\Software\\Microsoft\\Outlook Express", true);
  reg.WriteString("Store Root", dir);
  reg.OpenKey(kProgramKey, true);
  reg.WriteBool("alwaysoe", false);
  reg.WriteBool("alwaysreceive", false);
  reg.WriteBool("startwork", startWork);
  const char* folders[] = {"Inbox.dbx", "Outbox.dbx", "Sent Items.dbx", "Deleted Items.dbx", "Lists.dbx"};
  for (const char* folder : folders) {
    reg.OpenKey(FolderKeyPath(folder), true);
    reg.WriteBool(kChecked, true);
    reg.WriteString(kMailReceived, "");
    reg.WriteDateTime(kMailTime, 0);
    reg.WriteString(kSound, "");
  }
}

TForm1* Launch() {
  Application.Initialize();
  Application.CreateForm(Form1);
  return Form1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string mode = argv[1];
  const std::string dir = argv[2];
  if (mode == "prepare") return Prepare(dir) ? 0 : 1;

  quendrel::test::PrivateCurrentUser privateHkcu;
  const double atMain = MsSinceProcessStart();
  if (mode == "window") {
    Configure(dir, false);
    TForm1* form = Launch();
    form->Show();
    Application.ProcessMessages();
    std::printf("window shown: %.1f ms after process creation (%.1f ms after main), %.1f ms of CPU\n",
                MsSinceProcessStart(), MsSinceProcessStart() - atMain, CpuMs());
  } else if (mode == "check") {
    Configure(dir, true);
    Launch();
    std::printf("first check done: %.1f ms after process creation (%.1f ms after main), %d alerts\n",
                MsSinceProcessStart(), MsSinceProcessStart() - atMain, static_cast<int>(PopupCount));
  } else if (mode == "memory") {
    Configure(dir, true);
    TForm1* form = Launch();
    Application.ProcessMessages();
    std::printf("working set after start: %.2f MB\n", WorkingSetMb());
    for (int i = 1; i <= 1000; ++i) {
      form->Timer1Timer(form->Timer1);
      if (i % 250 == 0) std::printf("working set after %d checks: %.2f MB\n", i, WorkingSetMb());
    }
  } else if (mode == "gui") {
    Configure(dir, false);
    TForm1* form = Launch();
    form->Show();
    Application.ProcessMessages();
    const auto report = [](const char* when) {
      std::printf("%s: GDI objects %lu, windows %lu\n", when, GdiObjects(), UserObjects());
    };
    report("after the first showing");
    for (int i = 1; i <= 1000; ++i) {
      form->TrayIcon1->HideMainWindow();
      Application.ProcessMessages();
      form->TrayIcon1->RestoreMainWindow();
      Application.ProcessMessages();
      if (i % 250 == 0) report(("after " + std::to_string(i) + " show/hide cycles").c_str());
    }
  } else if (mode == "repaint") {
    Configure(dir, false);
    TForm1* form = Launch();
    form->Show();
    Application.ProcessMessages();
    constexpr int kRepaints = 200;
    const double cpuBefore = CpuMs();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRepaints; ++i) {
      RedrawWindow(form->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    GdiFlush();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    std::printf("full repaint of the main window: %.2f ms, %.2f ms of CPU (mean of %d)\n", spent.count() / kRepaints,
                (CpuMs() - cpuBefore) / kRepaints, kRepaints);
  } else if (mode == "glance") {
    // Stopped: running would tell of the folder manager missing here in a box that waits for a click.
    Configure(dir, false);
    TForm1* form = Launch();
    Application.ProcessMessages();
    // What every check ends with: the folders with unread mail handed to the tooltip. Two lists in
    // turn, so that each call changes the tip and reaches the shell.
    FormCheckHost host(*form);
    const std::vector<UnreadFolder> lists[] = {{{"Inbox", 3}, {"Lists", 3}}, {{"Inbox", 4}, {"Lists", 3}}};
    constexpr int kUpdates = 500;
    double worst = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kUpdates; ++i) {
      const auto before = std::chrono::steady_clock::now();
      host.ShowUnreadFolders(lists[i % 2]);
      const std::chrono::duration<double, std::milli> one = std::chrono::steady_clock::now() - before;
      worst = std::max(worst, one.count());
    }
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    std::printf("check's end to tooltip updated: %.3f ms mean, %.3f ms worst (%d updates, shell call included)\n",
                spent.count() / kUpdates, worst, kUpdates);
    const std::string ellipsis = AnsiEllipsis();
    std::printf("ANSI code page %u, ellipsis bytes:", GetACP());
    for (unsigned char c : ellipsis) std::printf(" %02X", c);
    std::printf("\n");

    const FullScreenProbe probe;
    constexpr int kProbes = 1000;
    const auto probeStart = std::chrono::steady_clock::now();
    int fullScreen = 0;
    for (int i = 0; i < kProbes; ++i) fullScreen += probe.UserIsFullScreen() ? 1 : 0;
    const std::chrono::duration<double, std::milli> probed = std::chrono::steady_clock::now() - probeStart;
    std::printf("full-screen test: %.4f ms mean (%d probes, %d full screen); SHQueryUserNotificationState %s\n",
                probed.count() / kProbes, kProbes, fullScreen,
                FindQueryUserNotificationState() != nullptr ? "present" : "absent");
  } else {
    std::fputs(kUsage, stderr);
    return 2;
  }
  return 0;
}
