// One timer check over 10 watched folders of 10,000 messages each, as under Wine: total time, the
// share spent handling window messages, and peak memory. The store goes into a temporary folder and
// the settings into a scratch key that stands in for HKEY_CURRENT_USER; the real one is left alone.
// The checks run in a child process so that its peak memory is the check's, not the store writer's.
// Then, for one watched folder of 1,000, 10,000 and 100,000 messages, with and without bodies, each in
// fresh processes: the first check of the process (CheckWatchedFolders, the part of every check that
// reads the store) and the later ones beside one plain read of the same file, the peak working set
// during the first check above the idle one before it, and the idle working set after the checks
// against before (repeated: the figures are ranges).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/CheckCycle.h"
#include "core/FolderCatalogue.h"
#include "core/Settings.h"
#include "store/DbxReader.h"
#include "toolkit/Registry.h"
#include "tools/dbxwriter/DbxWriter.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFolders = 10;
constexpr int kMessagesPerFolder = 10'000;
constexpr int kRuns = 5;
constexpr int kFoldSizes[] = {1'000, 10'000, 100'000};
constexpr int kFoldProcesses = 3;

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double Ms(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string FolderFile(const fs::path& store, int folder) {
  return (store / ("Folder" + std::to_string(folder) + ".dbx")).string();
}

// Handles the queue like the program's message loop would, and measures what that costs.
class BenchHost : public quendrel::CheckHost {
public:
  void SetTrayIconIndex(int) override {}
  void ShowMailAlert(int32_t, const std::string&, const std::string&) override { ++alerts; }
  void ShowUnreadFolders(const std::vector<quendrel::UnreadFolder>&) override {}
  void ProcessMessages() override {
    LONGLONG start = Now();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    messageTicks += Now() - start;
    ++queueChecks;
  }
  LONGLONG messageTicks = 0;
  int queueChecks = 0;
  int alerts = 0;
};

// HKEY_CURRENT_USER of this process goes to a scratch key below the real one.
class RedirectedHkcu {
public:
  explicit RedirectedHkcu(const std::string& path) {
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, key_);
  }
  ~RedirectedHkcu() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(key_);
  }
  RedirectedHkcu(const RedirectedHkcu&) = delete;
  RedirectedHkcu& operator=(const RedirectedHkcu&) = delete;

private:
  HKEY key_ = nullptr;
};

// Folders of mostly read mail, every tenth unread, the latest one unread. With bodies the messages are
// stored as the mail client keeps downloaded mail (0.3 to 3.3 KB each, beside its record); without,
// as it keeps an IMAP folder's headers: records and index only, the least bytes per message.
bool PrepareStore(const fs::path& store, int folders, int messagesPerFolder, bool bodies) {
  std::vector<quendrel::dbx::MessageSpec> messages(messagesPerFolder);
  const uint64_t base = 133'500'000'000'000'000ull;  // early 2024
  for (int i = 0; i < messagesPerFolder; ++i) {
    auto& m = messages[i];
    m.senderName = "Sender " + std::to_string(i % 97);
    m.senderAddress = "sender" + std::to_string(i % 97) + "@example.org";
    m.subject = "Message number " + std::to_string(i);
    m.messageId = "<" + std::to_string(i) + "@example.org>";
    m.receivedTime = m.sentTime = base + uint64_t(i) * 600'000'000ull;
    m.read = (i % 10 != 0) && i != messagesPerFolder - 1;
    if (bodies) m.body = std::string(300 + (i * 7919) % 3000, 'm');
  }
  for (int f = 0; f < folders; ++f) {
    if (!quendrel::dbx::WriteMessageFile(FolderFile(store, f), messages)) return false;
  }
  quendrel::toolkit::Registry reg;
  reg.OpenKey("\\Software\\Microsoft\\Outlook Express", true);
  reg.WriteString("Store Root", store.string());
  reg.OpenKey(quendrel::kProgramKey, true);
  // No mail client to start or wait for.
  reg.WriteBool("alwaysoe", false);
  reg.WriteBool("alwaysreceive", false);
  reg.WriteBool("hideoe", false);
  quendrel::UpdateFolderKeys(quendrel::FullDefaults());
  for (int f = 0; f < folders; ++f) {
    reg.OpenKey(quendrel::FolderKeyPath("Folder" + std::to_string(f) + ".dbx"), false);
    reg.WriteBool("checked", true);
  }
  return true;
}

int MeasureChecks(const fs::path& store) {
  // A window timer keeps the queue from being trivially empty, as the program's timers would.
  HWND window = CreateWindowExA(0, "STATIC", "bench", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetTimer(window, 1, 1, nullptr);

  std::vector<double> totals, shares;
  int queueChecks = 0;
  for (int run = 0; run < kRuns; ++run) {
    BenchHost host;
    LONGLONG start = Now();
    quendrel::CheckMail(host);
    double total = Ms(Now() - start);
    double messagesMs = Ms(host.messageTicks);
    std::printf("run %d: %.1f ms, handling messages %.2f ms (%.1f%%) in %d queue checks, %d alerts\n", run,
                total, messagesMs, 100.0 * messagesMs / total, host.queueChecks, host.alerts);
    totals.push_back(total);
    shares.push_back(100.0 * messagesMs / total);
    queueChecks = host.queueChecks;
  }
  KillTimer(window, 1);
  DestroyWindow(window);
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

  // The store reader's part of it: the same loads alone.
  std::vector<double> loads;
  for (int run = 0; run < kRuns; ++run) {
    LONGLONG start = Now();
    quendrel::DbxItemList items;
    for (int f = 0; f < kFolders; ++f) {
      items.clear();
      quendrel::LoadDbxItems(FolderFile(store, f), &items);
    }
    loads.push_back(Ms(Now() - start));
  }

  // The catalogue refresh at the start of every check: registry and directory round trips only.
  std::vector<double> refreshes;
  for (int run = 0; run < kRuns; ++run) {
    LONGLONG start = Now();
    quendrel::UpdateFolderKeys(quendrel::ShortDefaults());
    refreshes.push_back(Ms(Now() - start));
  }
  std::printf("catalogue refresh alone: median %.1f ms\n", Median(refreshes));

  std::printf("CheckMail, %d folders x %d messages: median %.1f ms (min %.1f), of which loading the store "
              "files alone %.1f ms; handling messages %.2f%% in %d queue checks; peak working set %.1f MB\n",
              kFolders, kMessagesPerFolder, Median(totals), *std::min_element(totals.begin(), totals.end()),
              Median(loads), Median(shares), queueChecks, memory.PeakWorkingSetSize / (1024.0 * 1024.0));
  return 0;
}

double PlainRead(const std::string& path) {
  const LONGLONG start = Now();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  std::vector<char> buffer(1 << 20);
  DWORD got = 0;
  while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
  }
  CloseHandle(file);
  return Ms(Now() - start);
}

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  return memory;
}

double Mb(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// One fresh process over one watched folder: the check alone (no catalogue refresh, no mail client).
int MeasureFold(const fs::path& store) {
  const std::string path = FolderFile(store, 0);
  auto check = [] {
    BenchHost host;
    quendrel::toolkit::Registry reg;
    reg.OpenKey(quendrel::kProgramKey, false);
    const LONGLONG start = Now();
    quendrel::CheckWatchedFolders(reg, /*AlwaysAlert=*/false, host);
    return Ms(Now() - start);
  };
  const SIZE_T idleBefore = Memory().WorkingSetSize;
  const double first = check();
  const PROCESS_MEMORY_COUNTERS afterFirst = Memory();
  double later = 1e9;
  for (int run = 0; run < kRuns; ++run) later = std::min(later, check());
  const SIZE_T idleAfter = Memory().WorkingSetSize;
  double plain = 1e9;
  for (int run = 0; run < kRuns; ++run) plain = std::min(plain, PlainRead(path));
  std::printf("%9.1f %9.2f %7.2f %7.2f %9.2f %7.2f %10.1f %10.2f %10.2f %10.2f\n",
              Mb(static_cast<SIZE_T>(fs::file_size(path))), plain,
              first, first / plain, later, later / plain, Mb(idleBefore),
              Mb(afterFirst.PeakWorkingSetSize) - Mb(idleBefore), Mb(afterFirst.WorkingSetSize) - Mb(idleBefore),
              Mb(idleAfter) - Mb(idleBefore));
  return 0;
}

int RunChild(const char* mode, const std::string& hkcuPath, const fs::path& store) {
  std::string command =
      "\"" + std::string(_pgmptr) + "\" " + mode + " \"" + hkcuPath + "\" \"" + store.string() + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "cannot start the measuring process\n");
    return 1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(exitCode);
}

// A store of folders x messages in a scratch folder and key, measured by a child in the given mode.
int MeasureInChild(const char* mode, int folders, int messagesPerFolder, bool bodies, int processes) {
  const std::string hkcuPath = "Software\\QuendrelBench\\" + std::to_string(GetCurrentProcessId());
  const fs::path store = fs::temp_directory_path() / ("quendrel-bench-" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(store);
  bool prepared;
  {
    RedirectedHkcu hkcu(hkcuPath);
    prepared = PrepareStore(store, folders, messagesPerFolder, bodies);
  }
  if (!prepared) std::fprintf(stderr, "cannot write the store files\n");
  int result = prepared ? 0 : 1;
  for (int p = 0; p < processes && result == 0; ++p) {
    if (std::strcmp(mode, "--fold") == 0) std::printf("%9d %6s ", messagesPerFolder, bodies ? "yes" : "no");
    std::fflush(stdout);
    result = RunChild(mode, hkcuPath, store);
  }
  quendrel::toolkit::DeleteKeyTree(HKEY_CURRENT_USER, hkcuPath.c_str());
  std::error_code ignored;
  fs::remove_all(store, ignored);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--check") == 0) {
    RedirectedHkcu hkcu(argv[2]);
    return MeasureChecks(argv[3]);
  }
  if (argc == 4 && std::strcmp(argv[1], "--fold") == 0) {
    RedirectedHkcu hkcu(argv[2]);
    return MeasureFold(argv[3]);
  }
  int result = MeasureInChild("--check", kFolders, kMessagesPerFolder, /*bodies=*/false, 1);
  std::printf("\nOne watched folder, each line a fresh process (times in ms, memory in MB):\n");
  std::printf("%9s %6s %9s %9s %7s %7s %9s %7s %10s %10s %10s %10s\n", "messages", "bodies", "file", "plain",
              "first", "ratio", "later", "ratio", "idle", "peak over", "after 1st", "idle after");
  for (bool bodies : {true, false}) {
    for (int size : kFoldSizes) {
      if (result == 0) result = MeasureInChild("--fold", 1, size, bodies, kFoldProcesses);
    }
  }
  return result;
}
