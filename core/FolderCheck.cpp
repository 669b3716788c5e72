#include "core/FolderCheck.h"

#include <variant>

#include "core/FolderNames.h"
#include "store/DbxReader.h"
#include "resources/ResourceNames.h"

namespace quendrel {
namespace {

bool RememberLatest(FolderMemory& memory, const DbxFileTime& received, const std::string& sender) {
  const DateTime mailTime = memory.MailTime();
  if (DbxFileTimeToDateTime(received) == mailTime && sender == memory.MailReceived()) return false;
  // Converted afresh: a time out of the store's range reads as "now", which has moved on.
  memory.Remember(DbxFileTimeToDateTime(received), sender);
  return true;
}

}  // namespace

void FolderTally::Add(const Toe5_MessageInfo& message) {
  latestUnread_ = !message.IsRead();
  if (!latestUnread_) return;
  ++unread_;
  latestReceived_ = message.ReceivedTime;
  latestSender_.assign(message.SenderName);
}

FolderVerdict FolderTally::Finish(FolderMemory& memory) const {
  FolderVerdict verdict;
  verdict.unread = unread_;
  if (latestUnread_) verdict.isNew = RememberLatest(memory, latestReceived_, latestSender_);
  return verdict;
}

FolderVerdict ExamineFolderItems(const DbxItemList& items, FolderMemory& memory, MessageBreaks& breaks) {
  FolderTally tally;
  breaks.AtFolderStart();
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) breaks.AtRecord();
    if (const auto* message = std::get_if<Toe5_MessageInfo>(&items[i])) {
      tally.Add(*message);
    } else {
      tally.AddOther();
    }
  }
  return tally.Finish(memory);
}

FolderVerdict ExamineFolderFile(const std::string& path, FolderMemory& memory, MessageBreaks& breaks) {
  breaks.AtFolderStart();
  FolderTallyVisitor visitor(breaks);
  VisitDbxItems(path, visitor);
  return visitor.tally.Finish(memory);
}

void ReportFolder(const FolderVerdict& verdict, bool alwaysAlert, const std::string& path, FolderMemory& memory,
                  CheckHost& host) {
  if (verdict.unread < 1) return;
  if (verdict.isNew || alwaysAlert) {
    host.SetTrayIconIndex(resources::kTrayAlerted);
    std::string folderName = AlertFolderName(path);
    host.ShowMailAlert(verdict.unread, memory.MailReceived(), folderName);
  } else {
    host.SetTrayIconIndex(resources::kTrayRunning);
  }
}

}  // namespace quendrel
