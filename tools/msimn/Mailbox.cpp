#include "tools/msimn/Mailbox.h"

#include <windows.h>

#include <array>
#include <utility>
#include <vector>

#include "store/DbxReader.h"
#include "tools/dbxwriter/DbxWriter.h"
#include "tools/msimn/MailGenerator.h"

namespace quendrel::standin {

namespace {

constexpr char kInboxFile[] = "Inbox.dbx";
constexpr char kFolderListFile[] = "Folders.dbx";
constexpr uint64_t kTicksPerMinute = 600000000ULL;

// The folders a fresh identity starts with, below "Local Folders".
const std::array<dbx::FolderSpec, 5> kStartFolders = {{
    {1, 0, "Local Folders", ""},
    {2, 1, "Inbox", "Inbox.dbx"},
    {3, 1, "Outbox", "Outbox.dbx"},
    {4, 1, "Sent Items", "Sent Items.dbx"},
    {5, 1, "Deleted Items", "Deleted Items.dbx"},
}};

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

uint64_t NowTicks() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return (uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
}

std::vector<Toe5_MessageInfo> LoadMessages(const std::string& path) {
  DbxItemList items;
  LoadDbxItems(path, &items);
  std::vector<Toe5_MessageInfo> messages;
  messages.reserve(items.size());
  for (auto& item : items) {
    if (auto* message = std::get_if<Toe5_MessageInfo>(&item)) messages.push_back(std::move(*message));
  }
  return messages;
}

// Our own messages get their text back on a rewrite; the record does not carry the body itself.
std::string BodyOf(const Toe5_MessageInfo& message) {
  constexpr std::string_view kPrefix = "<standin.";
  if (message.MessageId.rfind(kPrefix, 0) != 0) return {};
  uint32_t sequence = 0;
  for (size_t i = kPrefix.size(); i < message.MessageId.size() && message.MessageId[i] >= '0' &&
                                  message.MessageId[i] <= '9' && sequence < 100000000;
       ++i) {
    sequence = sequence * 10 + static_cast<uint32_t>(message.MessageId[i] - '0');
  }
  GeneratedMail mail = GenerateMail(sequence);
  return mail.messageId == message.MessageId ? mail.body : std::string();
}

}  // namespace

Mailbox::Mailbox(std::string folder) : folder_(std::move(folder)) {}

std::string Mailbox::InboxPath() const { return folder_ + "\\" + kInboxFile; }

std::string Mailbox::CreateMissingFiles() const {
  for (const dbx::FolderSpec& folder : kStartFolders) {
    if (folder.fileName.empty()) continue;
    const std::string path = folder_ + "\\" + folder.fileName;
    if (!FileExists(path) && !dbx::WriteMessageFile(path, {})) return "cannot create " + path;
  }
  const std::string folderList = folder_ + "\\" + kFolderListFile;
  if (!FileExists(folderList) && !dbx::WriteFolderListFile(folderList, kStartFolders)) {
    return "cannot create " + folderList;
  }
  return {};
}

bool Mailbox::Receive(uint32_t firstSequence, uint32_t count) const {
  const uint64_t now = NowTicks();
  std::vector<dbx::MessageSpec> incoming;
  incoming.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    GeneratedMail mail = GenerateMail(firstSequence + i);
    dbx::MessageSpec stored;
    stored.sentTime = now - 5 * kTicksPerMinute;
    stored.receivedTime = now;
    stored.senderName = std::move(mail.senderName);
    stored.senderAddress = std::move(mail.senderAddress);
    stored.subject = std::move(mail.subject);
    stored.messageId = std::move(mail.messageId);
    stored.body = std::move(mail.body);
    incoming.push_back(std::move(stored));
  }
  return dbx::AppendMessages(InboxPath(), incoming);
}

bool Mailbox::MarkAllRead() const {
  std::vector<dbx::MessageSpec> rewritten;
  for (const Toe5_MessageInfo& message : LoadMessages(InboxPath())) {
    dbx::MessageSpec stored;
    stored.index = message.MessageIndex;
    stored.read = true;
    stored.otherFlags = static_cast<uint32_t>(message.Flags) & 0xFFFFFF & ~uint32_t{dbx::kReadFlag};
    stored.sentTime = message.SentTime.Ticks();
    stored.receivedTime = message.ReceivedTime.Ticks();
    stored.senderName = message.SenderName;
    stored.senderAddress = message.SenderAddress;
    stored.subject = message.Subject;
    stored.messageId = message.MessageId;
    stored.body = BodyOf(message);
    rewritten.push_back(std::move(stored));
  }
  // Written aside and swapped in, so a reader opens either the old file or the complete new one.
  const std::string staged = folder_ + "\\~Inbox.new";
  if (!dbx::WriteMessageFile(staged, rewritten)) return false;
  // A reader that opened the Inbox without delete sharing blocks the swap until it lets go.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (MoveFileExA(staged.c_str(), InboxPath().c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    Sleep(10);
  }
  DeleteFileA(staged.c_str());
  return false;
}

InboxCounts Mailbox::CountInbox() const {
  InboxCounts counts;
  for (const Toe5_MessageInfo& message : LoadMessages(InboxPath())) {
    ++counts.total;
    if (!message.IsRead()) ++counts.unread;
  }
  return counts;
}

}  // namespace quendrel::standin
