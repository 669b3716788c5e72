#include "core/CheckCycle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "client/MailClient.h"
#include "core/Settings.h"
#include "store/DbxTime.h"
#include "tests/core/CoreFixture.h"
#include "toolkit/Registry.h"

namespace quendrel::test {
namespace {

using Alerts = std::vector<Alert>;
using Trays = std::vector<int>;
using Unread = std::vector<UnreadFolder>;

const uint64_t kMonday = UtcNoon(2024, 3, 4);
const uint64_t kTuesday = UtcNoon(2024, 3, 5);

DateTime Converted(uint64_t ticks) {
  return DbxFileTimeToDateTime({static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)});
}

class CheckCycleTest : public StoreTest {};

TEST_F(CheckCycleTest, NewLatestMessageAlertsOnceAndIsRemembered) {
  SetSettings(/*alwaysAlert=*/false);
  WriteFolder("Inbox.dbx", {Message("Old Friend", kMonday), Message("Ann", kTuesday)});
  MakeFolderKey("Inbox.dbx", true);

  RecordingHost first;
  CheckMail(first);
  EXPECT_EQ(first.alerts, (Alerts{{2, "Ann", "Inbox"}}));
  EXPECT_EQ(first.trayIndexes, (Trays{0, 3}));
  EXPECT_EQ(ReadText(FolderKeyPath("Inbox.dbx"), kMailReceived), "Ann");
  EXPECT_EQ(ReadTime(FolderKeyPath("Inbox.dbx"), kMailTime), Converted(kTuesday));

  RecordingHost second;
  CheckMail(second);
  EXPECT_TRUE(second.alerts.empty());
  EXPECT_EQ(second.trayIndexes, (Trays{0, 0}));
}

TEST_F(CheckCycleTest, TimesOutsideTheStoreRangeAreNewAtEveryRun) {
  SetSettings(/*alwaysAlert=*/false);
  for (uint64_t received : {uint64_t{0}, UtcNoon(1990, 6, 1), UtcNoon(2060, 1, 1)}) {
    SCOPED_TRACE(received);
    WriteFolder("Inbox.dbx", {Message("Ann", received)});
    MakeFolderKey("Inbox.dbx", true);
    for (int run = 0; run < 2; ++run) {
      // The clock counts milliseconds: two runs within one would see the same "now".
      Sleep(2);
      RecordingHost host;
      double before = NowLocal();
      CheckMail(host);
      EXPECT_EQ(host.alerts, (Alerts{{1, "Ann", "Inbox"}}));
      EXPECT_GE(ReadTime(FolderKeyPath("Inbox.dbx"), kMailTime), before);
    }
  }
}

TEST_F(CheckCycleTest, FoldersInKeyOrderAndTheTrayFollowsTheLastWithUnreadMail) {
  SetSettings(/*alwaysAlert=*/false);
  WriteFolder("A.dbx", {Message("Ann", kTuesday)});
  WriteFolder("B.dbx", {Message("Bob", kMonday)});
  WriteFolder("C.dbx", {Message("Cid", kMonday)});
  WriteFolder("D.dbx", {Message("Dee", kMonday, true)});
  MakeFolderKey("A.dbx", true);
  MakeFolderKey("B.dbx", true, "Bob", Converted(kMonday));  // unread but nothing new
  MakeFolderKey("C.dbx", false);                            // not watched
  MakeFolderKey("D.dbx", true);                             // nothing unread

  RecordingHost host;
  CheckMail(host);
  EXPECT_EQ(host.alerts, (Alerts{{1, "Ann", "A"}}));
  EXPECT_EQ(host.trayIndexes, (Trays{0, 3, 0}));
  EXPECT_EQ(ReadText(FolderKeyPath("C.dbx"), kMailReceived), "");
  // The tooltip's folders: every watched one with unread mail, alerted or not, once per check.
  EXPECT_EQ(host.unreadShown, (std::vector<Unread>{{{"A", 1}, {"B", 1}}}));

  WriteFolder("A.dbx", {Message("Ann", kTuesday, true)});
  WriteFolder("B.dbx", {Message("Bob", kMonday, true)});
  RecordingHost read;
  CheckMailOnEvent(read);
  EXPECT_EQ(read.unreadShown, (std::vector<Unread>{{}}));
}

TEST_F(CheckCycleTest, GoneFilesAndOddKeyNames) {
  SetSettings(/*alwaysAlert=*/true);
  WriteFolder("Gone.dbx", {Message("Ann", kMonday)});
  WriteFolder("Inbox", {Message("Ivy", kMonday)});  // hand-made key without a dot
  // Read as the folder list file: its folder records are no messages, unread or otherwise.
  const dbx::FolderSpec folders[] = {{1, 0, "Inbox", "Inbox"}, {2, 0, "Outbox", "Outbox.dbx"}};
  ASSERT_TRUE(dbx::WriteFolderListFile(StoreFile("folders.dbx"), folders));
  MakeFolderKey("Gone.dbx", true);
  MakeFolderKey("Inbox", true);
  MakeFolderKey("folders.dbx", true);
  std::filesystem::remove(StoreFile("Gone.dbx"));

  // The event's check does not refresh the catalogue, so the key of the gone file is still examined.
  RecordingHost host;
  CheckMailOnEvent(host);
  EXPECT_EQ(host.alerts, (Alerts{{1, "Ivy", ""}}));
  EXPECT_TRUE(KeyExists(FolderKeyPath("Gone.dbx")));
  EXPECT_EQ(host.trayIndexes, (Trays{3}));

  RecordingHost timer;
  CheckMail(timer);
  EXPECT_FALSE(KeyExists(FolderKeyPath("Gone.dbx")));
  EXPECT_EQ(timer.alerts, (Alerts{{1, "Ivy", ""}}));
}

TEST_F(CheckCycleTest, RegistryErrorsEndTheRunAfterWhatWasWritten) {
  const struct {
    const char* what;
    std::function<void(toolkit::Registry&)> spoil;  // applied to the key of B.dbx
    std::string expected;
  } cases[] = {
      {"no mailtime", [](toolkit::Registry& b) { b.DeleteValue(kMailTime); },
       "Failed to get data for 'mailtime'"},
      {"mailtime as a number", [](toolkit::Registry& b) { b.WriteInteger(kMailTime, 45000); },
       "Invalid data type for 'mailtime'"},
      {"no checked", [](toolkit::Registry& b) { b.DeleteValue(kChecked); },
       "Failed to get data for 'checked'"},
      {"same time, no mailreceived",
       [](toolkit::Registry& b) {
         b.WriteDateTime(kMailTime, Converted(kMonday));
         b.DeleteValue(kMailReceived);
       },
       "Failed to get data for 'mailreceived'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetSettings(/*alwaysAlert=*/false);
    for (const char* name : {"A.dbx", "B.dbx", "C.dbx"}) {
      WriteFolder(name, {Message(name, kMonday)});
      MakeFolderKey(name, true);
    }
    {
      toolkit::Registry b;
      b.OpenKey(FolderKeyPath("B.dbx"), false);
      c.spoil(b);
    }
    RecordingHost host;
    EXPECT_EQ(RegistryErrorOf([&] { CheckMail(host); }), c.expected);
    EXPECT_EQ(host.alerts, (Alerts{{1, "A.dbx", "A"}}));
    // A check cut short leaves the tooltip as the last whole check left it.
    EXPECT_TRUE(host.unreadShown.empty());
    EXPECT_EQ(ReadText(FolderKeyPath("A.dbx"), kMailReceived), "A.dbx");
    EXPECT_EQ(ReadText(FolderKeyPath("C.dbx"), kMailReceived), "");
  }
}

TEST_F(CheckCycleTest, ANestedCheckRunsToItsEndBeforeTheOuterGoesOn) {
  SetSettings(/*alwaysAlert=*/false);
  WriteFolder("A.dbx", {Message("Ann", kMonday)});
  WriteFolder("B.dbx", {Message("Bob", kMonday)});
  MakeFolderKey("A.dbx", true);
  MakeFolderKey("B.dbx", true);

  RecordingHost host;
  bool nested = false;
  host.onMessages = [&] {
    if (nested) return;
    nested = true;  // a timer tick arriving while the outer check reads A.dbx
    CheckMail(host);
  };
  CheckMail(host);
  // The nested check alerts on both and remembers them, so the outer finds nothing new.
  EXPECT_EQ(host.alerts, (Alerts{{1, "Ann", "A"}, {1, "Bob", "B"}}));
  EXPECT_EQ(host.trayIndexes, (Trays{0, 0, 3, 3, 0, 0}));
}

// A timer tick during the outer check's look at A: the nested check's catalogue refresh drops the key
// of B, whose file is gone. The outer check passes B by instead of creating an empty key for it.
TEST_F(CheckCycleTest, AKeyDroppedByANestedCheckIsSkipped) {
  SetSettings(/*alwaysAlert=*/true);
  for (const char* name : {"A.dbx", "B.dbx", "C.dbx"}) {
    WriteFolder(name, {Message(name, kMonday)});
    MakeFolderKey(name, true);
  }
  RecordingHost host;
  bool nested = false;
  host.onMessages = [&] {
    if (nested) return;
    nested = true;
    std::filesystem::remove(StoreFile("B.dbx"));
    RecordingHost inner;
    CheckMail(inner);
    EXPECT_EQ(inner.alerts, (Alerts{{1, "A.dbx", "A"}, {1, "C.dbx", "C"}}));
  };
  EXPECT_EQ(RegistryErrorOf([&] { CheckMail(host); }), "(no error)");
  EXPECT_FALSE(KeyExists(FolderKeyPath("B.dbx")));
  EXPECT_EQ(host.alerts, (Alerts{{1, "A.dbx", "A"}, {1, "C.dbx", "C"}}));
}

TEST_F(CheckCycleTest, MessagesAreHandledPerFolderNotPerRecord) {
  SetSettings(/*alwaysAlert=*/true);
  std::vector<dbx::MessageSpec> many;
  for (int i = 0; i < 3000; ++i) many.push_back(Message("Sender " + std::to_string(i), kMonday + i));
  WriteFolder("Big.dbx", many);
  WriteFolder("Small.dbx", {Message("Sam", kMonday)});
  WriteFolder("Empty.dbx", {});
  for (const char* name : {"Big.dbx", "Small.dbx", "Empty.dbx"}) MakeFolderKey(name, true);

  RecordingHost host;
  CheckMail(host);
  EXPECT_GE(host.messageBreaks, 3);  // one at every folder's start
  // Far from one per record, even on a loaded machine where 3000 records take long.
  EXPECT_LT(host.messageBreaks, 3000 / 20);
  std::printf("[ figure ] %d message breaks for 3002 records in 3 folders\n", host.messageBreaks);
  EXPECT_EQ(host.alerts, (Alerts{{3000, "Sender 2999", "Big"}, {1, "Sam", "Small"}}));
}

// The mail client is a window of this process; the progress window of Send/Receive another one.
class ClientWindows {
public:
  ClientWindows() {
    client_ = Make(kMailClientClass, "Inbox - Outlook Express");
    progress_ = Make("QuendrelTestProgress", "Outlook Express");
  }
  ~ClientWindows() {
    DestroyWindow(client_);
    DestroyWindow(progress_);
  }
  HWND client() const { return client_; }
  HWND progress() const { return progress_; }
  bool SendReceivePosted() const {
    MSG msg;
    bool found = false;
    while (PeekMessageA(&msg, client_, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
      found = found || (msg.wParam == 40193 && msg.lParam == 0x003A00D8);
    }
    return found;
  }

private:
  static HWND Make(const char* className, const char* title) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    return hwnd;
  }
  HWND client_;
  HWND progress_;
};

TEST_F(CheckCycleTest, DrivesTheMailClientAsSet) {
  const struct {
    const char* what;
    bool clientRunning, alwaysOe, alwaysReceive, hideOe;
    bool posted, progressHidden, clientHidden;
    DWORD waitMs;  // the blocking waits the run must make at least
  } cases[] = {
      {"receive", true, true, true, false, true, true, false, 200},
      {"receive off", true, true, false, false, false, false, false, 0},
      {"hide", true, false, false, true, false, false, true, 0},
      {"start a missing client and wait", false, true, true, true, false, false, false, 1000},
      {"nothing to do without a client", false, false, true, true, false, false, false, 0},
  };
  // The shell must not find a client to start: a registration that another test left in this Wine
  // prefix would start a real one, which outlives the test.
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msimn.exe");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetSettings(/*alwaysAlert=*/false, c.alwaysOe, c.alwaysReceive, c.hideOe);
    std::optional<ClientWindows> windows;
    if (c.clientRunning) windows.emplace();
    RecordingHost host;
    // A difference of 32-bit tick counts is right across their wrap.
    const DWORD start = GetTickCount();
    CheckMail(host);
    const DWORD took = GetTickCount() - start;
    // The tick count may run a little behind a sleep. How long past the waits a run takes depends on
    // the machine's load: a figure, bounded only against a hang.
    EXPECT_GE(took + 10, c.waitMs);
    EXPECT_LE(took, c.waitMs + 20'000u);
    std::printf("[ figure ] %s: %lu ms (waits %lu ms)\n", c.what, static_cast<unsigned long>(took),
                static_cast<unsigned long>(c.waitMs));
    if (windows) {
      EXPECT_EQ(windows->SendReceivePosted(), c.posted);
      EXPECT_EQ(!IsWindowVisible(windows->progress()), c.progressHidden);
      EXPECT_EQ(!IsWindowVisible(windows->client()), c.clientHidden);
    }
  }
}

// The checks that events start (the folder manager's new message, a write in the store folder) leave
// the mail client and the catalogue alone, and of the settings create only the two they read; with
// every setting missing, the timer's check would create the mail client's settings with their
// defaults and post Send/Receive.
TEST_F(CheckCycleTest, EventChecksNeverDriveTheMailClientAndCreateOnlyTheirTwoSettings) {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msimn.exe");
  WriteFolder("Inbox.dbx", {Message("Ann", kMonday)});
  WriteFolder("New.dbx", {Message("Nat", kMonday)});  // no folder key yet
  const char* const settings[] = {"alwayscheck", "alwayssound", "alwaysoe",  "alwaysreceive",
                                  "hideoe",      "alwaysalert", "startwork", "checktime"};
  const struct {
    const char* what;
    void (*check)(CheckHost&);
  } checks[] = {{"new-message event", CheckMailOnEvent}, {"store folder change", CheckMailOnStoreChange}};
  for (const auto& c : checks) {
    SCOPED_TRACE(c.what);
    toolkit::DeleteKeyTree(HKEY_CURRENT_USER, "SOFTWARE\\Quendrel");
    MakeFolderKey("Inbox.dbx", true);
    ClientWindows windows;
    RecordingHost host;
    c.check(host);
    EXPECT_EQ(host.alerts, (Alerts{{1, "Ann", "Inbox"}}));
    std::vector<std::string> created;
    for (const char* name : settings) {
      toolkit::Registry reg;
      if (reg.OpenKey(kProgramKey, false) && reg.ValueExists(name)) created.push_back(name);
    }
    EXPECT_EQ(created, (std::vector<std::string>{"alwayssound", "alwaysalert"}));
    EXPECT_EQ(KeyNames(kProgramKey), std::vector<std::string>{"Inbox.dbx"});
    EXPECT_FALSE(windows.SendReceivePosted());
    EXPECT_TRUE(IsWindowVisible(windows.client()));
    EXPECT_TRUE(IsWindowVisible(windows.progress()));
  }
}

}  // namespace
}  // namespace quendrel::test
