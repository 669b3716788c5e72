// One timer check over 10 watched folders of 10,000 messages each, as under Wine: total time, the
// share spent handling window messages, and peak memory. Writes its store into a temporary folder and
// its settings into a private copy of HKEY_CURRENT_USER; the real one is left alone.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
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

constexpr int kFolders = 10;
constexpr int kMessagesPerFolder = 10'000;
constexpr int kRuns = 5;

double Ms(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// Handles the queue like the program's message loop would, and measures what that costs.
class BenchHost : public quendrel::CheckHost {
public:
  void SetTrayIconIndex(int) override {}
  void ShowMailAlert(int32_t, const std::string&, const std::string&) override { ++alerts; }
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

// HKEY_CURRENT_USER of this process goes to a scratch key that is removed at the end.
class PrivateHkcu {
public:
  PrivateHkcu() {
    path_ = "Software\\QuendrelBench\\" + std::to_string(GetCurrentProcessId());
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, key_);
  }
  ~PrivateHkcu() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(key_);
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
  }

private:
  std::string path_;
  HKEY key_ = nullptr;
};

}  // namespace

int main() {
  namespace fs = std::filesystem;
  PrivateHkcu hkcu;
  fs::path store = fs::temp_directory_path() / ("quendrel-bench-" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(store);

  // Realistic folders: mostly read mail, a few unread, the latest one unread.
  std::vector<quendrel::dbx::MessageSpec> messages(kMessagesPerFolder);
  const uint64_t base = 133'500'000'000'000'000ull;  // 2024
  for (int i = 0; i < kMessagesPerFolder; ++i) {
    auto& m = messages[i];
    m.senderName = "Sender " + std::to_string(i % 97);
    m.senderAddress = "sender" + std::to_string(i % 97) + "@example.org";
    m.subject = "Message number " + std::to_string(i);
    m.messageId = "<" + std::to_string(i) + "@example.org>";
    m.receivedTime = m.sentTime = base + uint64_t(i) * 600'000'000ull;
    m.read = (i % 10 != 0) && i != kMessagesPerFolder - 1;
  }
  for (int f = 0; f < kFolders; ++f) {
    std::string file = (store / ("Folder" + std::to_string(f) + ".dbx")).string();
    if (!quendrel::dbx::WriteMessageFile(file, messages)) {
      std::fprintf(stderr, "cannot write %s\n", file.c_str());
      return 1;
    }
  }
  {
    quendrel::toolkit::Registry reg;
    reg.OpenKey("\\Software\\Microsoft\\Outlook Express", true);
    reg.WriteString("Store Root", store.string());
    reg.OpenKey(quendrel::kProgramKey, true);
    reg.WriteBool("alwaysoe", false);
    reg.WriteBool("alwaysreceive", false);
    reg.WriteBool("hideoe", false);
    reg.WriteInteger("alwaysalert", -1);
  }
  quendrel::UpdateFolderKeys(quendrel::FullDefaults());
  for (int f = 0; f < kFolders; ++f) {
    quendrel::toolkit::Registry reg;
    reg.OpenKey(quendrel::FolderKeyPath("Folder" + std::to_string(f) + ".dbx"), false);
    reg.WriteBool("checked", true);
  }

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
  // The store reader's part of it: the same ten loads alone.
  std::vector<double> loads;
  size_t loaded = 0;
  for (int run = 0; run < kRuns; ++run) {
    LONGLONG loadStart = Now();
    quendrel::DbxItemList items;
    loaded = 0;
    for (int f = 0; f < kFolders; ++f) {
      items.clear();
      quendrel::LoadDbxItems((store / ("Folder" + std::to_string(f) + ".dbx")).string(), &items);
      loaded += items.size();
    }
    loads.push_back(Ms(Now() - loadStart));
  }
  std::sort(loads.begin(), loads.end());
  std::printf("loading the %zu records alone: median %.1f ms (min %.1f)\n", loaded, loads[kRuns / 2], loads[0]);

  std::sort(totals.begin(), totals.end());
  std::sort(shares.begin(), shares.end());
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf("CheckMail, %d folders x %d messages: median %.1f ms (min %.1f), messages %.1f%% of it, "
              "%d queue checks, peak working set %.1f MB\n",
              kFolders, kMessagesPerFolder, totals[kRuns / 2], totals[0], shares[kRuns / 2], queueChecks,
              memory.PeakWorkingSetSize / (1024.0 * 1024.0));

  KillTimer(window, 1);
  DestroyWindow(window);
  std::error_code ignored;
  fs::remove_all(store, ignored);
  return 0;
}
