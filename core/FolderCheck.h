// The folder check's rule: which of a watched folder's messages are unread, whether its latest one is
// new since the last look, and whether the folder alerts. Plain C++: what the folder key remembers
// and the rest of the program are reached through FolderMemory and CheckHost.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "core/CheckHost.h"
#include "store/DbxRecordVisitor.h"
#include "store/DbxRecords.h"
#include "store/DbxTime.h"

namespace quendrel {

// What a folder key remembers of the latest message a check took for new. Reads may throw (a
// missing or mistyped value) and then end the check where it is.
class FolderMemory {
public:
  virtual ~FolderMemory() = default;
  virtual DateTime MailTime() = 0;
  virtual std::string MailReceived() = 0;
  virtual void Remember(DateTime mailTime, const std::string& mailReceived) = 0;
};

// Lets waiting window messages be handled between records. A queue check is a wineserver round trip
// (~60 µs under Wine), so it is made at the start of every folder and then only once some
// milliseconds of work have passed. Even the clock (~0.1 µs) is read only every few dozen records,
// which take far less than a millisecond to examine.
class MessageBreaks {
public:
  explicit MessageBreaks(CheckHost& host) : host_(host) {}

  void AtFolderStart() { Handle(); }
  void AtRecord() {
    if (++records_ % kRecordsPerClockRead == 0 && std::chrono::steady_clock::now() - last_ >= kPeriod) {
      Handle();
    }
  }

private:
  static constexpr std::chrono::milliseconds kPeriod{5};
  static constexpr unsigned kRecordsPerClockRead = 64;

  void Handle() {
    host_.ProcessMessages();
    // Counted from the end of the handling: a nested check is not work of this one.
    last_ = std::chrono::steady_clock::now();
  }

  CheckHost& host_;
  std::chrono::steady_clock::time_point last_;
  unsigned records_ = 0;
};

struct FolderVerdict {
  int32_t unread = 0;
  bool isNew = false;  // the latest message is unread and not the one remembered
  friend bool operator==(const FolderVerdict&, const FolderVerdict&) = default;
};

// One pass over a folder's records in index order, keeping only what the verdict needs: the count of
// unread messages and the latest record's time and sender (copied into one buffer that keeps its
// room, so a pass allocates nothing per record). Records that are no messages (a folder list read
// as a folder) do not count, but one that comes last leaves no latest message.
class FolderTally {
public:
  void Add(const Toe5_MessageInfo& message);
  void AddOther() { latestUnread_ = false; }

  // Compares the latest record, when it is an unread message, with what memory holds; a different
  // one is remembered from now on.
  FolderVerdict Finish(FolderMemory& memory) const;

private:
  int32_t unread_ = 0;
  bool latestUnread_ = false;
  DbxFileTime latestReceived_;
  std::string latestSender_;
};

// Folds the records of a walk into a tally, letting waiting messages in between them. Of the texts
// it reads the sender's name alone.
class FolderTallyVisitor : public DbxRecordVisitor {
public:
  explicit FolderTallyVisitor(MessageBreaks& breaks) : breaks_(breaks) {}
  uint32_t MessageTexts() const override { return kSenderNameText; }
  void Visit(Toe5_MessageInfo& message) override {
    Between();
    tally.Add(message);
  }
  void Visit(Toe5_FolderInfo&) override {
    Between();
    tally.AddOther();
  }
  FolderTally tally;

private:
  void Between() {
    if (!first_) breaks_.AtRecord();
    first_ = false;
  }
  MessageBreaks& breaks_;
  bool first_ = true;
};

// The verdict on records already loaded.
FolderVerdict ExamineFolderItems(const DbxItemList& items, FolderMemory& memory, MessageBreaks& breaks);

// The verdict on the store file at path, read in one pass that keeps no records. A missing or damaged
// file counts what could be read. Exceptions out of memory or out of the breaks' message handling
// (a nested check) end the examination and leave here.
FolderVerdict ExamineFolderFile(const std::string& path, FolderMemory& memory, MessageBreaks& breaks);

// The tray icon and the alert for an examined folder at path: a folder with unread mail that is new,
// or any unread mail with alwaysAlert, alerts with the remembered sender; other unread mail only sets
// the running icon; a folder without unread mail changes nothing.
void ReportFolder(const FolderVerdict& verdict, bool alwaysAlert, const std::string& path, FolderMemory& memory,
                  CheckHost& host);

}  // namespace quendrel
