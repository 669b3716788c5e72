#include "core/CheckCycle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "client/MailClient.h"
#include "core/Settings.h"
#include "store/DbxTime.h"
#include "tests/core/CoreFixture.h"

namespace quendrel::test {
namespace {

using Alerts = std::vector<Alert>;
using Trays = std::vector<int>;

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

// One watched folder whose key remembers Ann's Tuesday message.
TEST_F(CheckCycleTest, WhatCountsAsNew) {
  const struct {
    const char* what;
    std::vector<dbx::MessageSpec> messages;
    bool alwaysAlert;
    int32_t unread;  // 0: no alert expected
    bool rewritten;  // mailtime and mailreceived now describe the latest message
  } cases[] = {
      {"same message", {Message("Ann", kTuesday)}, false, 0, false},
      {"same time, other sender", {Message("Bob", kTuesday)}, false, 1, true},
      {"same sender, other time", {Message("Ann", kMonday)}, false, 1, true},
      {"sender differs in case only", {Message("ann", kTuesday)}, false, 1, true},
      {"latest read, older unread", {Message("Bob", kMonday), Message("Cy", kMonday, true)}, false, 0, false},
      {"latest read, older unread, always alert",
       {Message("Bob", kMonday), Message("Cy", kMonday, true)}, true, 1, false},
      {"same message, always alert", {Message("X", kMonday), Message("Ann", kTuesday)}, true, 2, false},
      {"everything read, always alert", {Message("Bob", kMonday, true)}, true, 0, false},
      {"no messages, always alert", {}, true, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetSettings(c.alwaysAlert);
    WriteFolder("Inbox.dbx", c.messages);
    MakeFolderKey("Inbox.dbx", true, "Ann", Converted(kTuesday));

    RecordingHost host;
    CheckMail(host);
    if (c.unread == 0) {
      EXPECT_TRUE(host.alerts.empty());
    } else {
      const dbx::MessageSpec& latest = c.messages.back();
      std::string remembered = c.rewritten ? latest.senderName : "Ann";
      EXPECT_EQ(host.alerts, (Alerts{{c.unread, remembered, "Inbox"}}));
      EXPECT_EQ(host.trayIndexes.back(), 3);
    }
    std::string sender = ReadText(FolderKeyPath("Inbox.dbx"), kMailReceived);
    double time = ReadTime(FolderKeyPath("Inbox.dbx"), kMailTime);
    if (c.rewritten) {
      EXPECT_EQ(sender, c.messages.back().senderName);
      EXPECT_EQ(time, Converted(c.messages.back().receivedTime));
    } else {
      EXPECT_EQ(sender, "Ann");
      EXPECT_EQ(time, Converted(kTuesday));
    }
  }
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
  EXPECT_GE(host.messageBreaks, 3);
  EXPECT_LT(host.messageBreaks, 50);  // only a few milliseconds of work each
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
    DWORD minMs, maxMs;  // wide: only the blocking waits of 200 and 1000 ms are told apart
  } cases[] = {
      {"receive", true, true, true, false, true, true, false, 190, 900},
      {"receive off", true, true, false, false, false, false, false, 0, 900},
      {"hide", true, false, false, true, false, false, true, 0, 900},
      {"start a missing client and wait", false, true, true, true, false, false, false, 990, 1800},
      {"nothing to do without a client", false, false, true, true, false, false, false, 0, 900},
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
    ULONGLONG start = GetTickCount64();
    CheckMail(host);
    ULONGLONG took = GetTickCount64() - start;
    EXPECT_GE(took, c.minMs);
    EXPECT_LE(took, c.maxMs);
    if (windows) {
      EXPECT_EQ(windows->SendReceivePosted(), c.posted);
      EXPECT_EQ(!IsWindowVisible(windows->progress()), c.progressHidden);
      EXPECT_EQ(!IsWindowVisible(windows->client()), c.clientHidden);
    }
  }
}

}  // namespace
}  // namespace quendrel::test
