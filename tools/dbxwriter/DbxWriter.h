// Writing Outlook Express 5/6 ".dbx" store files: message files and the folder list file, well
// formed as the mail client writes them or deliberately damaged for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quendrel::dbx {

// Fixed sizes of the file format.
inline constexpr uint32_t kMagic = 0xFE12ADCF;
inline constexpr size_t kHeaderSize = 0x24BC;
inline constexpr size_t kItemCountOffset = 0xC4;
inline constexpr size_t kMessageRootOffset = 0xE4;
inline constexpr size_t kFolderListRootOffset = 0x30;
inline constexpr size_t kNodeSize = 0x27C;
inline constexpr int kMaxNodeEntries = 0x33;
inline constexpr size_t kBodyBlockData = 0x200;
inline constexpr int32_t kReadFlag = 0x80;

// One message. Texts are single-byte ANSI text, stored as given (without a zero byte inside).
struct MessageSpec {
  int32_t index = 0;  // stored in 24 bits; AppendMessages numbers a 0 after the highest index in the file
  bool read = false;
  uint32_t otherFlags = 0;  // further flag bits beside "read"; only the low 24 bits fit the file
  uint64_t sentTime = 0;    // FILETIME ticks, UTC
  uint64_t receivedTime = 0;
  std::string senderName{};
  std::string senderAddress{};
  std::string subject{};
  std::string messageId{};
  std::string body{};  // the whole stored message (headers and text); empty: no body chain
};

// One folder of the folder list file.
struct FolderSpec {
  int32_t id = 0;
  int32_t parentId = 0;
  std::string name{};
  std::string fileName{};  // e.g. "Inbox.dbx"; empty for folders without a file of their own
};

// How the read flag is stored: as a direct value (tag 0x81) or as data bytes (tag 0x01).
enum class FlagsTag { Direct, Data };

// Deliberate faults, for tests of readers. Nodes are numbered in pre-order (root 0, then the first
// child's subtree, then each entry's subtree); items by their position in the input. -1: no fault.
struct DbxDamage {
  std::optional<size_t> truncateTo{};       // cut the finished file to this many bytes
  std::optional<int32_t> itemCount{};       // header item count instead of the real one
  std::optional<int32_t> rootOffset{};      // root link instead of the real one (e.g. past the end)
  int wrongSelfOffsetNode = -1;           // node whose self offset is off by 4
  int wrongSelfOffsetItem = -1;           // record whose self offset is off by 4
  int cycleToRootNode = -1;               // node whose first child link names the root (use a leaf to lose nothing)
  int sharedRecordItem = -1;              // item (>= 1) whose entry names the previous item's record
  int oversizeEntryCountNode = -1;        // node whose entry count exceeds the entries it holds
  uint32_t oversizeEntryCount = 0xFFFFFF;
  int recordPastEndItem = -1;             // item whose entry names an offset past the end of the file
  int childPastEndNode = -1;              // node whose first child link names an offset past the end
};

struct DbxWriteOptions {
  int maxEntriesPerNode = kMaxNodeEntries;  // 1..0x33; small values give deep trees from few items
  FlagsTag flagsTag = FlagsTag::Direct;
  DbxDamage damage{};
};

// The complete bytes of a message file / folder list file.
std::string BuildMessageFile(std::span<const MessageSpec> messages, const DbxWriteOptions& options = {});
std::string BuildFolderListFile(std::span<const FolderSpec> folders, const DbxWriteOptions& options = {});

// Write the file at path (replacing it). False when it cannot be written.
bool WriteMessageFile(const std::string& path, std::span<const MessageSpec> messages,
                      const DbxWriteOptions& options = {});
bool WriteFolderListFile(const std::string& path, std::span<const FolderSpec> folders,
                         const DbxWriteOptions& options = {});

// Adds messages after those of an existing message file (a missing file is created), the way the
// mail client does: new bodies, records and a complete new index tree go to the end of the file,
// and only then does the header switch to the new item count and root. A reader in another process
// sees the old state or the new one. The file may be open elsewhere meanwhile. The existing records
// are those that the program's reader finds. False, with the file untouched, when it is not a
// message file; false also when it cannot be read or written.
bool AppendMessages(const std::string& path, std::span<const MessageSpec> messages);

}  // namespace quendrel::dbx
