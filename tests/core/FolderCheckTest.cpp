// The folder check's rule on records and an in-memory folder key: unread counting, what counts as
// new, what is remembered and read, the tray icon and the alert.
#include "core/FolderCheck.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "resources/ResourceNames.h"
#include "tests/core/RecordingHost.h"

namespace quendrel::test {
namespace {

using Alerts = std::vector<Alert>;
using Trays = std::vector<int>;

constexpr uint64_t kHour = 36'000'000'000;
constexpr uint64_t kMonday = 133'540'272'000'000'000;  // 2024-03-04 12:00 UTC
constexpr uint64_t kTuesday = kMonday + 24 * kHour;
constexpr int kAlerted = resources::kTrayAlerted;
constexpr int kRunning = resources::kTrayRunning;

DbxFileTime Stamp(uint64_t ticks) { return {static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)}; }
DateTime Converted(uint64_t ticks) { return DbxFileTimeToDateTime(Stamp(ticks)); }

DbxRecord Message(const std::string& sender, uint64_t received, bool read = false) {
  Toe5_MessageInfo message;
  message.SenderName = sender;
  message.ReceivedTime = Stamp(received);
  message.Flags = read ? Toe5_MessageInfo::kReadFlag : 0;
  return message;
}

// A folder key: a value that is not there fails to read as the registry's does.
class KeyMemory : public FolderMemory {
public:
  KeyMemory(std::optional<DateTime> mailTime, std::optional<std::string> mailReceived)
      : mailTime(mailTime), mailReceived(std::move(mailReceived)) {}
  DateTime MailTime() override {
    reads.push_back("mailtime");
    if (!mailTime) throw std::runtime_error("Failed to get data for 'mailtime'");
    return *mailTime;
  }
  std::string MailReceived() override {
    reads.push_back("mailreceived");
    if (!mailReceived) throw std::runtime_error("Failed to get data for 'mailreceived'");
    return *mailReceived;
  }
  void Remember(DateTime time, const std::string& sender) override {
    mailTime = time;
    mailReceived = sender;
    ++writes;
  }

  std::optional<DateTime> mailTime;
  std::optional<std::string> mailReceived;
  std::vector<std::string> reads;
  int writes = 0;
};

struct Outcome {
  FolderVerdict verdict;
  Alerts alerts;
  Trays trays;
};

Outcome Check(const DbxItemList& items, bool alwaysAlert, KeyMemory& memory) {
  RecordingHost host;
  MessageBreaks breaks(host);
  Outcome outcome;
  outcome.verdict = ExamineFolderItems(items, memory, breaks);
  ReportFolder(outcome.verdict, alwaysAlert, "C:\\Store\\Inbox.dbx", memory, host);
  outcome.alerts = host.alerts;
  outcome.trays = host.trayIndexes;
  return outcome;
}

// The key remembers Ann's Tuesday message.
TEST(FolderCheck, WhatCountsAsNew) {
  const struct {
    const char* what;
    DbxItemList items;
    bool alwaysAlert;
    FolderVerdict verdict;
    bool rewritten;  // the key now describes the latest message
  } cases[] = {
      {"same message", {Message("Ann", kTuesday)}, false, {1, false}, false},
      {"same time, other sender", {Message("Bob", kTuesday)}, false, {1, true}, true},
      {"same sender, other time", {Message("Ann", kMonday)}, false, {1, true}, true},
      {"sender differs in case only", {Message("ann", kTuesday)}, false, {1, true}, true},
      {"latest read, older unread", {Message("Bob", kMonday), Message("Cy", kMonday, true)}, false, {1, false}, false},
      {"latest read, older unread, always alert",
       {Message("Bob", kMonday), Message("Cy", kMonday, true)}, true, {1, false}, false},
      {"same message, always alert", {Message("X", kMonday), Message("Ann", kTuesday)}, true, {2, false}, false},
      {"new, older ones counted too",
       {Message("X", kMonday), Message("Y", kMonday, true), Message("Zoe", kMonday)}, false, {2, true}, true},
      {"everything read, always alert", {Message("Bob", kMonday, true)}, true, {0, false}, false},
      {"no messages, always alert", {}, true, {0, false}, false},
      {"folder records are no messages", {Toe5_FolderInfo{"Inbox", 1, 0, "Inbox.dbx"}}, true, {0, false}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    KeyMemory memory(Converted(kTuesday), "Ann");
    const Outcome outcome = Check(c.items, c.alwaysAlert, memory);
    EXPECT_EQ(outcome.verdict, c.verdict);
    const Toe5_MessageInfo* latest = c.items.empty() ? nullptr : std::get_if<Toe5_MessageInfo>(&c.items.back());
    if (c.rewritten) {
      EXPECT_EQ(memory.mailReceived, latest->SenderName);
      EXPECT_EQ(memory.mailTime, Converted(latest->ReceivedTime.Ticks()));
    } else {
      EXPECT_EQ(memory.writes, 0);
    }
    const bool alerts = c.verdict.unread >= 1 && (c.verdict.isNew || c.alwaysAlert);
    if (alerts) {
      EXPECT_EQ(outcome.alerts, (Alerts{{c.verdict.unread, *memory.mailReceived, "Inbox"}}));
      EXPECT_EQ(outcome.trays, Trays{kAlerted});
    } else {
      EXPECT_TRUE(outcome.alerts.empty());
      EXPECT_EQ(outcome.trays, c.verdict.unread >= 1 ? Trays{kRunning} : Trays{});
    }
  }
}

// A value read that fails ends the check there: the rule reads only what it needs, so a value it
// does not need may be missing.
TEST(FolderCheck, ReadsOnlyWhatTheComparisonNeeds) {
  const struct {
    const char* what;
    DbxItemList items;
    std::optional<DateTime> mailTime;
    std::optional<std::string> mailReceived;
    std::vector<std::string> reads;
    const char* error;
  } cases[] = {
      {"latest read: nothing read", {Message("Ann", kMonday), Message("Bob", kMonday, true)}, {}, {}, {}, nullptr},
      {"no mailtime", {Message("Ann", kMonday)}, {}, "Ann", {"mailtime"}, "Failed to get data for 'mailtime'"},
      {"other time: mailreceived not compared", {Message("Ann", kMonday)}, Converted(kTuesday), {},
       {"mailtime"}, nullptr},
      {"same time, no mailreceived", {Message("Ann", kMonday)}, Converted(kMonday), {},
       {"mailtime", "mailreceived"}, "Failed to get data for 'mailreceived'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    KeyMemory memory(c.mailTime, c.mailReceived);
    RecordingHost host;
    MessageBreaks breaks(host);
    if (c.error != nullptr) {
      try {
        ExamineFolderItems(c.items, memory, breaks);
        ADD_FAILURE() << "no error";
      } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), c.error);
      }
    } else {
      EXPECT_NO_THROW(ExamineFolderItems(c.items, memory, breaks));
    }
    EXPECT_EQ(memory.reads, c.reads);
  }
}

// The alert's sender is read after the tray icon changed: a failing read leaves the icon set.
TEST(FolderCheck, AlertReadsTheSenderTheKeyRemembers) {
  KeyMemory memory(Converted(kTuesday), "Ann");
  RecordingHost host;
  ReportFolder({3, false}, /*alwaysAlert=*/true, "C:\\Store\\Mail.Old.dbx", memory, host);
  EXPECT_EQ(host.alerts, (Alerts{{3, "Ann", "Mail.Old"}}));

  KeyMemory broken(Converted(kTuesday), std::nullopt);
  RecordingHost failing;
  EXPECT_THROW(ReportFolder({1, true}, false, "C:\\Store\\Inbox.dbx", broken, failing), std::runtime_error);
  EXPECT_EQ(failing.trayIndexes, Trays{kAlerted});
  EXPECT_TRUE(failing.alerts.empty());
}

// Such a time reads as the current time, which has moved on by the next look.
TEST(FolderCheck, TimesOutsideTheStoreRangeAreNewAtEveryLook) {
  for (uint64_t received : {uint64_t{0}, kMonday + 40 * 365 * 24 * kHour}) {
    SCOPED_TRACE(received);
    KeyMemory memory(0.0, "Ann");
    for (int look = 0; look < 2; ++look) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));  // the clock counts milliseconds
      const DateTime before = NowLocal();
      RecordingHost host;
      MessageBreaks breaks(host);
      EXPECT_TRUE(ExamineFolderItems({Message("Ann", received)}, memory, breaks).isNew);
      EXPECT_GE(*memory.mailTime, before);
    }
  }
}

// Waiting messages are handled at the start of a folder and then after some milliseconds of work, never
// once per record.
TEST(FolderCheck, MessagesAreHandledPerFolderNotPerRecord) {
  DbxItemList many;
  for (int i = 0; i < 3000; ++i) many.push_back(Message("Sender " + std::to_string(i), kMonday + i));
  KeyMemory memory(0.0, "");
  RecordingHost host;
  MessageBreaks breaks(host);
  EXPECT_EQ(ExamineFolderItems(many, memory, breaks), (FolderVerdict{3000, true}));
  EXPECT_GE(host.messageBreaks, 1);
  // The clock is read every few dozen records: even a very slow machine stays far below one per record.
  EXPECT_LT(host.messageBreaks, 3000 / 20);
  ExamineFolderItems({}, memory, breaks);
  EXPECT_GE(host.messageBreaks, 2);
}

}  // namespace
}  // namespace quendrel::test
