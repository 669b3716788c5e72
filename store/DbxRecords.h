// Records that the store file reader produces from a mail client's ".dbx" store file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quendrel {

// A FILETIME as the store file holds it: 100-nanosecond intervals since 1601-01-01 00:00 UTC,
// low half first. Kept as two halves so that "both halves zero" stays visible.
struct DbxFileTime {
  uint32_t LowDateTime = 0;
  uint32_t HighDateTime = 0;

  uint64_t Ticks() const { return (uint64_t{HighDateTime} << 32) | LowDateTime; }
  friend bool operator==(const DbxFileTime&, const DbxFileTime&) = default;
};

// Text fields are single-byte text in the system's ANSI code page, taken over from the file as
// bytes. They are views: a loaded record's texts lie in its load's text blocks, which TextStorage
// keeps alive for as long as any copy of the record exists. A record made by hand must point its
// texts at something that outlives it.
using DbxText = std::string_view;

// One message of a folder's store file.
struct Toe5_MessageInfo {
  int32_t MessageIndex = 0;
  int32_t Flags = 0;  // bit 0x80: the message has been read
  DbxText AccountKey;
  DbxText AccountName;
  DbxText MessageId;
  DbxFileTime SentTime;
  DbxFileTime ReceivedTime;
  DbxText Subject;
  DbxText SenderName;
  DbxText SenderNameAndAddress;
  DbxText ReceiverName;
  DbxText SenderAddress;
  DbxText InReplyToId;
  DbxText ServerInfo;
  int32_t TextSize = 0;
  int32_t BodyOffset = 0;
  int32_t RecordOffset = 0;
  std::shared_ptr<const void> TextStorage;

  static constexpr int32_t kReadFlag = 0x80;
  bool IsRead() const { return (Flags & kReadFlag) != 0; }
};

// The text fields of a message, as a set: the ones a reader of records asks for.
enum DbxMessageText : uint32_t {
  kAccountKeyText = 1u << 0,
  kAccountNameText = 1u << 1,
  kMessageIdText = 1u << 2,
  kSubjectText = 1u << 3,
  kSenderNameText = 1u << 4,
  kSenderNameAndAddressText = 1u << 5,
  kReceiverNameText = 1u << 6,
  kSenderAddressText = 1u << 7,
  kInReplyToIdText = 1u << 8,
  kServerInfoText = 1u << 9,
  kAllMessageTexts = (1u << 10) - 1,
};

// One folder of the folder list file.
struct Toe5_FolderInfo {
  DbxText FolderName;
  int32_t FolderId = 0;
  int32_t ParentId = 0;
  DbxText FileName;
  std::shared_ptr<const void> TextStorage;
};

// Summary of the open store file during one load. The two text fields are part of the record's
// shape but nothing fills or reads them.
struct Toe5_FileHeader {
  int32_t ItemCount = 0;
  std::string Reserved1;
  std::string Reserved2;
};

// One load appends records of one kind only: messages, or folders for the folder list file.
using DbxRecord = std::variant<Toe5_MessageInfo, Toe5_FolderInfo>;

using DbxItemList = std::vector<DbxRecord>;

}  // namespace quendrel
