#include "core/FolderCheck.h"

#include <variant>

#include "core/FolderNames.h"
#include "resources/ResourceNames.h"

namespace quendrel {
namespace {

bool RememberLatest(FolderMemory& memory, const Toe5_MessageInfo& latest) {
  const DateTime mailTime = memory.MailTime();
  if (DbxFileTimeToDateTime(latest.ReceivedTime) == mailTime && latest.SenderName == memory.MailReceived()) {
    return false;
  }
  // Converted afresh: a time out of the store's range reads as "now", which has moved on.
  memory.Remember(DbxFileTimeToDateTime(latest.ReceivedTime), latest.SenderName);
  return true;
}

}  // namespace

FolderVerdict ExamineFolderItems(const DbxItemList& items, FolderMemory& memory, MessageBreaks& breaks) {
  FolderVerdict verdict;
  breaks.AtFolderStart();
  for (size_t i = items.size(); i-- > 0;) {
    if (i + 1 < items.size()) breaks.AtRecord();
    const auto* message = std::get_if<Toe5_MessageInfo>(&items[i]);
    if (message == nullptr || message->IsRead()) continue;
    ++verdict.unread;
    if (i + 1 == items.size()) verdict.isNew = RememberLatest(memory, *message);
  }
  return verdict;
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
