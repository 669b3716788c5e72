// Files from the writer, read back by the program's reader.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "store/DbxReader.h"
#include "tests/support/PrivateRegistry.h"
#include "tests/support/TestFiles.h"
#include "tests/tools/ReadBack.h"
#include "tools/dbxwriter/DbxWriter.h"

namespace quendrel::dbx {
namespace {

using test::ReadFile;
using test::ScratchDir;

uint32_t Le32At(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

std::vector<MessageSpec> Numbered(int count) {
  std::vector<MessageSpec> messages(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    messages[i].index = i + 1;
    messages[i].subject = "message " + std::to_string(i + 1);
  }
  return messages;
}

// The body as the chain of 512-byte blocks at offset holds it; empty on any broken link.
std::string BodyAt(const std::string& bytes, uint32_t offset) {
  std::string body;
  for (int blocks = 0; offset != 0 && blocks < 40000; ++blocks) {
    if (offset + 16 > bytes.size() || Le32At(bytes, offset) != offset || Le32At(bytes, offset + 4) != 0x200)
      return "<broken block>";
    const uint32_t used = Le32At(bytes, offset + 8);
    if (used > 0x200 || offset + 16 + used > bytes.size()) return "<broken length>";
    body.append(bytes, offset + 16, used);
    offset = Le32At(bytes, offset + 12);
  }
  return body;
}

TEST(DbxWriter, MessageFieldsRoundTrip) {
  MessageSpec full;
  full.index = 7;
  full.read = true;
  full.otherFlags = 0x10001;
  full.sentTime = 0x01DC4F0012345678;
  full.receivedTime = 0x01DC4F00ABCDEF01;
  full.senderName = "J\xFCrgen M\xFCller";  // ANSI bytes stay bytes
  full.senderAddress = "jm@example.com";
  full.subject = "Quarterly \"report\"";
  full.messageId = "<1@example.com>";
  full.body = std::string(1300, 'b') + "end";  // three blocks
  MessageSpec bare;
  bare.index = 8;

  for (FlagsTag flagsTag : {FlagsTag::Direct, FlagsTag::Data}) {
    SCOPED_TRACE(flagsTag == FlagsTag::Direct ? "flags as direct value" : "flags as data");
    ScratchDir dir;
    const std::string path = dir.File("Inbox.dbx");
    const std::vector<MessageSpec> messages = {full, bare};
    ASSERT_TRUE(WriteMessageFile(path, messages, {.flagsTag = flagsTag}));
    const std::string bytes = ReadFile(path);
    EXPECT_EQ(Le32At(bytes, 0), kMagic);
    EXPECT_EQ(Le32At(bytes, kItemCountOffset), 2u);

    const std::vector<Toe5_MessageInfo> read = Messages(path);
    ASSERT_EQ(read.size(), 2u);
    const Toe5_MessageInfo& m = read[0];
    EXPECT_EQ(m.MessageIndex, 7);
    EXPECT_EQ(m.Flags, 0x10081);
    EXPECT_TRUE(m.IsRead());
    EXPECT_EQ(m.SentTime.Ticks(), full.sentTime);
    EXPECT_EQ(m.ReceivedTime.Ticks(), full.receivedTime);
    EXPECT_EQ(m.SenderName, full.senderName);
    EXPECT_EQ(m.SenderAddress, full.senderAddress);
    EXPECT_EQ(m.SenderNameAndAddress, full.senderName + " <jm@example.com>");
    EXPECT_EQ(m.Subject, full.subject);
    EXPECT_EQ(m.MessageId, full.messageId);
    EXPECT_EQ(m.TextSize, 1303);
    EXPECT_EQ(BodyAt(bytes, static_cast<uint32_t>(m.BodyOffset)), full.body);
    EXPECT_EQ(Le32At(bytes, static_cast<size_t>(m.RecordOffset)), static_cast<uint32_t>(m.RecordOffset));

    const Toe5_MessageInfo& b = read[1];
    EXPECT_EQ(b.MessageIndex, 8);
    EXPECT_FALSE(b.IsRead());
    EXPECT_EQ(b.BodyOffset, 0);
    EXPECT_EQ(b.Subject, "");
    EXPECT_GT(b.RecordOffset, m.RecordOffset);
  }
}

// A direct value holds 24 bits: a body beyond 16 MB must still be found from its record.
TEST(DbxWriter, BodiesBeyondSixteenMegabytesKeepTheirOffset) {
  std::vector<MessageSpec> messages = Numbered(2);
  messages[0].body = std::string(0x1000000, 'a');
  messages[1].body = "the second body";
  ScratchDir dir;
  const std::string path = dir.File("Huge.dbx");
  ASSERT_TRUE(WriteMessageFile(path, messages));
  const std::string bytes = ReadFile(path);
  const std::vector<Toe5_MessageInfo> read = Messages(path);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_GT(read[1].BodyOffset, 0xFFFFFF);
  EXPECT_EQ(BodyAt(bytes, static_cast<uint32_t>(read[1].BodyOffset)), "the second body");
  EXPECT_EQ(read[0].TextSize, 0xFFFFFF) << "the size saturates rather than wraps";
}

TEST(DbxWriter, TreesOfEveryShapeKeepTheOrder) {
  struct Case {
    int count;
    int maxEntries;
  };
  for (const Case& c : {Case{0, 51}, Case{1, 51}, Case{51, 51}, Case{52, 51}, Case{1500, 51}, Case{3000, 51},
                        Case{300, 1}, Case{300, 2}, Case{300, 7}}) {
    SCOPED_TRACE(testing::Message() << c.count << " messages, " << c.maxEntries << " per node");
    ScratchDir dir;
    const std::string path = dir.File("Big.dbx");
    ASSERT_TRUE(WriteMessageFile(path, Numbered(c.count), {.maxEntriesPerNode = c.maxEntries}));
    EXPECT_EQ(Indexes(path), Range(1, c.count));
  }
}

TEST(DbxWriter, LargeFileHasFullMultiLevelTree) {
  ScratchDir dir;
  const std::string path = dir.File("Inbox.dbx");
  ASSERT_TRUE(WriteMessageFile(path, Numbered(1200)));
  const std::string bytes = ReadFile(path);
  const uint32_t root = Le32At(bytes, kMessageRootOffset);
  const uint32_t rootEntries = Le32At(bytes, root + 16) >> 8;
  const uint32_t firstChild = Le32At(bytes, root + 8);
  EXPECT_EQ(Le32At(bytes, root), root);
  EXPECT_GT(firstChild, 0u) << "root is a leaf";
  EXPECT_EQ(Le32At(bytes, firstChild + 12), root) << "child's parent link";
  const uint32_t childEntries = Le32At(bytes, firstChild + 16) >> 8;
  EXPECT_LE(rootEntries, 0x33u);
  EXPECT_GE(childEntries, 0x20u) << "nodes should be well filled";
  EXPECT_LE(childEntries, 0x33u);
}

TEST(DbxWriter, FolderListRootIsWhereTheReaderLooksForIt) {
  const std::vector<FolderSpec> folders = {{1, 0, "Inbox", "Inbox.dbx"}, {2, 0, "Outbox", "Outbox.dbx"}};
  ScratchDir dir;
  ASSERT_TRUE(WriteFolderListFile(dir.File("folders.dbx"), folders));
  ASSERT_TRUE(WriteFolderListFile(dir.File("Folders.dbx.copy"), folders));
  const std::string bytes = ReadFile(dir.File("folders.dbx"));
  EXPECT_EQ(Le32At(bytes, 4), 0x6F74FDC6u) << "folder list class id";
  // Outside the store folder the reader walks it from offset 48 but decodes message records:
  // the folder id lands in the message index.
  EXPECT_EQ(Indexes(dir.File("folders.dbx")), (std::vector<int32_t>{1, 2}));
  // Under any other name the root is taken from offset 228, where the folder list has none.
  EXPECT_TRUE(Indexes(dir.File("Folders.dbx.copy")).empty());
}

#ifdef _WIN32
// In the mail client's store folder, under its lower-case name, the file is the folder list.
TEST(DbxWriter, FolderListRoundTripInTheStoreFolder) {
  test::ClearCurrentUser();
  ScratchDir dir;
  const std::string root = dir.Path().string();
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Outlook Express", 0, nullptr, 0, KEY_WRITE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const LONG set = RegSetValueExA(key, "Store Root", 0, REG_SZ, reinterpret_cast<const BYTE*>(root.c_str()),
                                  static_cast<DWORD>(root.size() + 1));
  RegCloseKey(key);
  ASSERT_EQ(set, ERROR_SUCCESS);

  const std::vector<FolderSpec> folders = {{1, 0, "Inbox", "Inbox.dbx"},
                                           {2, 1, "Sub \xE4", "Sub.dbx"},
                                           {3, 0, "No file", ""},
                                           {4, 0, "Deleted Items", "Deleted Items.dbx"}};
  ASSERT_TRUE(WriteFolderListFile(dir.File("folders.dbx"), folders, {.maxEntriesPerNode = 2}));
  DbxItemList items;
  LoadDbxItems(dir.File("folders.dbx"), &items);
  ASSERT_EQ(items.size(), 3u) << "a folder without a file name is not listed by the reader";
  const auto& sub = std::get<Toe5_FolderInfo>(items[1]);
  EXPECT_EQ(sub.FolderId, 2);
  EXPECT_EQ(sub.ParentId, 1);
  EXPECT_EQ(sub.FolderName, "Sub \xE4");
  EXPECT_EQ(sub.FileName, "Sub.dbx");
  EXPECT_EQ(std::get<Toe5_FolderInfo>(items[2]).FolderName, "Deleted Items");
}
#endif

// Each damaged shape against what the reader's rules make of it. Six messages, two entries per
// node: root (3, 5) with children node 1 (1, 2), node 2 (4) and node 3 (6).
TEST(DbxWriter, DamagedShapesReadAsTheReaderRulesSay) {
  const std::vector<MessageSpec> six = Numbered(6);
  const size_t fullSize = BuildMessageFile(six, {.maxEntriesPerNode = 2}).size();
  struct Case {
    const char* name;
    DbxDamage damage;
    std::vector<int32_t> expected;
  };
  const std::vector<Case> cases = {
      {"intact", {}, {1, 2, 3, 4, 5, 6}},
      {"truncated inside the last node's header", {.truncateTo = fullSize - kNodeSize + 10}, {1, 2, 3, 4, 5}},
      {"truncated inside the header", {.truncateTo = 100}, {}},
      {"item count zero", {.itemCount = 0}, {}},
      {"item count negative", {.itemCount = -1}, {}},
      {"root past the end", {.rootOffset = 0x7FFFFF00}, {}},
      {"root not a node", {.wrongSelfOffsetNode = 0}, {}},
      {"leaf with wrong self offset", {.wrongSelfOffsetNode = 2}, {1, 2, 3, 5, 6}},
      {"record with wrong self offset", {.wrongSelfOffsetItem = 3}, {1, 2, 3, 5, 6}},
      {"leaf linking back to the root", {.cycleToRootNode = 3}, {1, 2, 3, 4, 5, 6}},
      {"root linking to itself", {.cycleToRootNode = 0}, {3, 4, 5, 6}},
      {"two entries sharing a record", {.sharedRecordItem = 4}, {1, 2, 3, 4, 4, 6}},
      {"entry count beyond the file", {.oversizeEntryCountNode = 3}, {1, 2, 3, 4, 5}},
      {"entry count beyond the node's entries", {.oversizeEntryCountNode = 1, .oversizeEntryCount = 5},
       {1, 2, 3, 4, 5, 6}},
      {"record past the end", {.recordPastEndItem = 4}, {1, 2, 3, 4}},
      {"child link past the end", {.childPastEndNode = 2}, {1, 2, 3, 4, 5, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    const std::string path = dir.File("Damaged.dbx");
    ASSERT_TRUE(WriteMessageFile(path, six, {.maxEntriesPerNode = 2, .damage = c.damage}));
    EXPECT_EQ(Indexes(path), c.expected);
  }
}

}  // namespace
}  // namespace quendrel::dbx
