// Appending to a message file the way the mail client receives mail.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "store/DbxReader.h"
#include "tests/support/TestFiles.h"
#include "tests/tools/ReadBack.h"
#include "tools/dbxwriter/DbxWriter.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quendrel::dbx {
namespace {

using test::ReadFile;
using test::ScratchDir;
using test::WriteFile;

std::vector<MessageSpec> Mail(int count, int32_t firstIndex, bool read) {
  std::vector<MessageSpec> messages(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    messages[i].index = firstIndex == 0 ? 0 : firstIndex + i;
    messages[i].read = read;
    messages[i].senderName = "Sender " + std::to_string(i);
    messages[i].subject = "Subject " + std::to_string(i);
    messages[i].receivedTime = 0x01DC000000000000 + static_cast<uint64_t>(i);
    messages[i].body = "body " + std::to_string(i);
  }
  return messages;
}

// A handle like the program's reader holds: read-only, sharing reading and writing.
class OpenReader {
public:
  explicit OpenReader(const std::string& path) {
#ifdef _WIN32
    handle_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(handle_, INVALID_HANDLE_VALUE);
#else
    stream_.open(path, std::ios::binary);
    EXPECT_TRUE(stream_.is_open());
#endif
  }
#ifdef _WIN32
  ~OpenReader() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  OpenReader(const OpenReader&) = delete;
  OpenReader& operator=(const OpenReader&) = delete;
#endif
  // The item count as this handle sees it now.
  uint32_t ItemCount() {
    uint32_t count = 0;
#ifdef _WIN32
    DWORD got = 0;
    SetFilePointer(handle_, static_cast<LONG>(kItemCountOffset), nullptr, FILE_BEGIN);
    ::ReadFile(handle_, &count, 4, &got, nullptr);
#else
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(kItemCountOffset));
    stream_.read(reinterpret_cast<char*>(&count), 4);
#endif
    return count;
  }

private:
#ifdef _WIN32
  HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
  std::ifstream stream_;
#endif
};

TEST(DbxAppend, AddsUnreadMailAfterTheExistingWhileTheFileIsOpen) {
  ScratchDir dir;
  const std::string path = dir.File("Inbox.dbx");
  ASSERT_TRUE(WriteMessageFile(path, Mail(120, 1, true)));
  OpenReader reader(path);
  EXPECT_EQ(reader.ItemCount(), 120u);

  ASSERT_TRUE(AppendMessages(path, Mail(3, 0, false)));
  EXPECT_EQ(reader.ItemCount(), 123u);
  const std::vector<Toe5_MessageInfo> messages = Messages(path);
  ASSERT_EQ(messages.size(), 123u);
  EXPECT_EQ(Indexes(path), Range(1, 123));
  EXPECT_TRUE(messages[119].IsRead());
  EXPECT_FALSE(messages[120].IsRead());
  EXPECT_EQ(messages[122].SenderName, "Sender 2");
  EXPECT_EQ(messages[122].TextSize, 6);

  // A stand-in client receiving one message at a time: the tree stays a tree, not a chain.
  for (int i = 0; i < 60; ++i) ASSERT_TRUE(AppendMessages(path, Mail(1, 0, false)));
  EXPECT_EQ(Indexes(path), Range(1, 183));
  const std::string bytes = ReadFile(path);
  uint32_t root = 0;
  std::memcpy(&root, bytes.data() + kMessageRootOffset, 4);
  uint32_t rootEntries = 0;
  std::memcpy(&rootEntries, bytes.data() + root + 16, 4);
  EXPECT_LE(rootEntries >> 8, 0x33u);
}

// The append writes only past the old end, except for the header switch: a reader that took the
// old header still finds the old state intact.
TEST(DbxAppend, ChangesNothingReachableBeforeTheHeaderSwitch) {
  ScratchDir dir;
  const std::string path = dir.File("Inbox.dbx");
  ASSERT_TRUE(WriteMessageFile(path, Mail(70, 1, false), {.maxEntriesPerNode = 4}));
  const std::string before = ReadFile(path);
  ASSERT_TRUE(AppendMessages(path, Mail(5, 0, false)));
  const std::string after = ReadFile(path);

  ASSERT_GT(after.size(), before.size());
  const size_t switchFrom = kItemCountOffset;
  const size_t switchTo = kMessageRootOffset + 4;
  EXPECT_EQ(after.substr(0, switchFrom), before.substr(0, switchFrom));
  EXPECT_EQ(after.substr(switchTo, before.size() - switchTo), before.substr(switchTo));

  std::string oldHeaderNewFile = after;
  oldHeaderNewFile.replace(switchFrom, switchTo - switchFrom, before, switchFrom, switchTo - switchFrom);
  const std::string mixed = dir.File("mixed.dbx");
  WriteFile(mixed, oldHeaderNewFile);
  EXPECT_EQ(Indexes(mixed), Range(1, 70));
}

TEST(DbxAppend, StartsFromMissingOrEmptyFilesAndRefusesForeignOnes) {
  ScratchDir dir;
  const std::string missing = dir.File("New.dbx");
  ASSERT_TRUE(AppendMessages(missing, Mail(2, 0, false)));
  EXPECT_EQ(Indexes(missing), Range(1, 2));

  const std::string empty = dir.File("Outbox.dbx");
  ASSERT_TRUE(WriteMessageFile(empty, {}));
  ASSERT_TRUE(AppendMessages(empty, Mail(1, 0, false)));
  EXPECT_EQ(Indexes(empty), Range(1, 1));

  // Explicit indexes are kept as given.
  ASSERT_TRUE(AppendMessages(empty, Mail(1, 40, false)));
  EXPECT_EQ(Indexes(empty), (std::vector<int32_t>{1, 40}));

  const std::string foreign = dir.File("notes.dbx");
  WriteFile(foreign, "too short to be a store file");
  EXPECT_FALSE(AppendMessages(foreign, Mail(1, 0, false)));
  EXPECT_EQ(ReadFile(foreign), "too short to be a store file");

  const std::string folderList = dir.File("Folders.dbx");
  ASSERT_TRUE(WriteFolderListFile(folderList, std::vector<FolderSpec>{{1, 0, "Inbox", "Inbox.dbx"}}));
  const std::string folderBytes = ReadFile(folderList);
  EXPECT_FALSE(AppendMessages(folderList, Mail(1, 0, false)));
  EXPECT_EQ(ReadFile(folderList), folderBytes);
}

}  // namespace
}  // namespace quendrel::dbx
