// Whole files as the mail client lays them out (built by the store writer), intact and damaged.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/store/LoadHelpers.h"
#include "tests/support/TestFiles.h"
#include "tools/dbxwriter/DbxWriter.h"

namespace quendrel::test {
namespace {

std::vector<dbx::MessageSpec> Messages(int count) {
  std::vector<dbx::MessageSpec> messages;
  for (int i = 1; i <= count; ++i) {
    dbx::MessageSpec m;
    m.index = i;
    m.read = i % 3 == 0;
    m.receivedTime = 0x01D0000000000000ull + uint64_t(i) * 10'000'000;
    m.senderName = "Sender " + std::to_string(i);
    m.subject = "Subject " + std::to_string(i);
    m.body = std::string(100 + i % 700, 'b');
    messages.push_back(m);
  }
  return messages;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> ids;
  for (int i = first; i <= last; ++i) ids.push_back(i);
  return ids;
}

TEST(DbxWriterFiles, MessagesComeOutInOrderWithTheirFields) {
  const auto messages = Messages(500);
  for (dbx::FlagsTag flags : {dbx::FlagsTag::Direct, dbx::FlagsTag::Data}) {
    SCOPED_TRACE(flags == dbx::FlagsTag::Direct ? "direct flags" : "flags in data");
    dbx::DbxWriteOptions options;
    options.maxEntriesPerNode = 3;  // a deep tree
    options.flagsTag = flags;
    const DbxItemList list = LoadBytes(dbx::BuildMessageFile(messages, options));
    ASSERT_EQ(Ids(list), Range(1, 500));
    for (size_t i = 0; i < list.size(); ++i) {
      const auto& m = std::get<Toe5_MessageInfo>(list[i]);
      if (m.IsRead() != messages[i].read || m.ReceivedTime.Ticks() != messages[i].receivedTime ||
          m.SenderName != messages[i].senderName || m.Subject != messages[i].subject) {
        ADD_FAILURE() << "message " << i + 1 << " differs";
      }
    }
  }
}

// Texts are shared by the records of a load: a copy keeps them after the list and the bytes are gone.
TEST(DbxWriterFiles, ARecordKeepsItsTextsWithoutItsList) {
  Toe5_MessageInfo kept;
  {
    const DbxItemList list = LoadBytes(dbx::BuildMessageFile(Messages(3)));
    kept = std::get<Toe5_MessageInfo>(list.at(1));
  }
  EXPECT_EQ(kept.SenderName, "Sender 2");
  EXPECT_EQ(kept.Subject, "Subject 2");
}

// Loading again never disturbs the texts of records from earlier loads: not of a record copied out
// of the list, nor of the records the list still holds when a load appends.
TEST(DbxWriterFiles, LoadingAgainLeavesHeldTextsAlone) {
  const std::string first = dbx::BuildMessageFile(Messages(3));
  std::vector<dbx::MessageSpec> others = Messages(3);
  for (auto& m : others) m.senderName = "Other " + m.senderName;
  const std::string second = dbx::BuildMessageFile(others);
  auto load = [](const std::string& bytes, DbxItemList& list) {
    MemorySource source(bytes);
    LoadDbxItemsFrom(
        source, kMessageFile, [] { return std::string(kStoreRoot); }, list);
  };
  auto sender = [](const DbxItemList& list, size_t i) {
    return std::string(std::get<Toe5_MessageInfo>(list.at(i)).SenderName);
  };

  DbxItemList list;
  load(first, list);
  const Toe5_MessageInfo kept = std::get<Toe5_MessageInfo>(list.at(0));
  list.clear();
  load(second, list);
  EXPECT_EQ(kept.SenderName, "Sender 1");
  EXPECT_EQ(sender(list, 0), "Other Sender 1");

  DbxItemList appended;
  load(first, appended);
  load(second, appended);
  ASSERT_EQ(appended.size(), 6u);
  EXPECT_EQ(sender(appended, 2), "Sender 3");
  EXPECT_EQ(sender(appended, 5), "Other Sender 3");

  // Nothing holds the first loads' texts any more.
  list.clear();
  load(first, list);
  EXPECT_EQ(sender(list, 2), "Sender 3");
}

// A folder without a file of its own has neither tag 0x03 nor 0x06 and is not listed.
TEST(DbxWriterFiles, FolderListIsReadAsFolders) {
  const std::vector<dbx::FolderSpec> folders = {
      {1, 0, "Local Folders", ""}, {2, 1, "Inbox", "Inbox.dbx"}, {3, 1, "Sent Items", "Sent Items.dbx"}};
  const DbxItemList list = LoadBytes(dbx::BuildFolderListFile(folders), "C:\\Store\\folders.dbx");
  ASSERT_EQ(list.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    const auto& f = std::get<Toe5_FolderInfo>(list[i]);
    const dbx::FolderSpec& written = folders[i + 1];
    EXPECT_EQ(f.FolderId, written.id);
    EXPECT_EQ(f.ParentId, written.parentId);
    EXPECT_EQ(f.FolderName, written.name);
    EXPECT_EQ(f.FileName, written.fileName);
  }
}

bool IsSubsequence(const std::vector<int>& part, const std::vector<int>& whole) {
  return std::includes(whole.begin(), whole.end(), part.begin(), part.end());
}

TEST(DbxWriterFiles, DamagedFilesYieldWhatPrecedesOrSurroundsTheDamage) {
  const auto messages = Messages(60);
  const std::vector<int> all = Range(1, 60);
  enum class Expect { kExact, kPrefix, kSubsequence };
  struct Case {
    const char* name;
    std::function<void(dbx::DbxDamage&)> damage;
    Expect kind;
    std::vector<int> expected;
  };
  std::vector<int> shared = all;
  shared[5] = 5;
  std::vector<int> withoutSeven = all;
  withoutSeven.erase(withoutSeven.begin() + 6);
  const Case cases[] = {
      {"item_count_zero", [](auto& d) { d.itemCount = 0; }, Expect::kExact, {}},
      {"root_past_end", [](auto& d) { d.rootOffset = 0x7FFF0000; }, Expect::kExact, {}},
      {"leaf_links_back_to_root", [](auto& d) { d.cycleToRootNode = 3; }, Expect::kExact, all},
      {"shared_record_listed_twice", [](auto& d) { d.sharedRecordItem = 5; }, Expect::kExact, shared},
      {"record_failing_self_offset_skipped", [](auto& d) { d.wrongSelfOffsetItem = 6; }, Expect::kExact,
       withoutSeven},
      {"record_past_end_ends_load", [](auto& d) { d.recordPastEndItem = 6; }, Expect::kExact, Range(1, 6)},
      {"node_failing_self_offset", [](auto& d) { d.wrongSelfOffsetNode = 2; }, Expect::kSubsequence, {}},
      {"oversize_entry_count", [](auto& d) { d.oversizeEntryCountNode = 2; }, Expect::kPrefix, {}},
      {"child_past_end", [](auto& d) { d.childPastEndNode = 1; }, Expect::kSubsequence, {}},
      {"truncated", [](auto& d) { d.truncateTo = 9000; }, Expect::kPrefix, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dbx::DbxWriteOptions options;
    options.maxEntriesPerNode = 4;
    c.damage(options.damage);
    const std::vector<int> ids = Ids(LoadBytes(dbx::BuildMessageFile(messages, options)));
    switch (c.kind) {
      case Expect::kExact:
        EXPECT_EQ(ids, c.expected);
        break;
      case Expect::kPrefix:
        EXPECT_LT(ids.size(), all.size());
        EXPECT_TRUE(std::equal(ids.begin(), ids.end(), all.begin()));
        break;
      case Expect::kSubsequence:
        EXPECT_LT(ids.size(), all.size());
        EXPECT_TRUE(IsSubsequence(ids, all));
        break;
    }
  }
}

// The bytes of one file before and after the mail client changed it, switching after a number of
// reads: a load that overlaps the change.
class ChangingFile : public ByteSource {
 public:
  ChangingFile(std::string before, std::string after, int readsBefore)
      : before_(std::move(before)), after_(std::move(after)), readsBefore_(readsBefore) {}
  std::optional<size_t> ReadAt(uint64_t offset, std::span<uint8_t> buffer) override {
    return MemorySource(Now()).ReadAt(offset, buffer);
  }
  std::optional<uint64_t> Length() override { return Now().size(); }

 private:
  const std::string& Now() { return readsBefore_-- > 0 ? before_ : after_; }
  std::string before_, after_;
  int readsBefore_;
};

TEST(DbxWriterFiles, LoadOverlappingAnAppendOrATruncation) {
  ScratchDir dir("dbxchange");
  const std::string path = dir.File("Inbox.dbx");
  const auto messages = Messages(80);
  const std::string before = dbx::BuildMessageFile(std::span(messages).first(60));
  WriteFile(path, before);
  ASSERT_TRUE(dbx::AppendMessages(path, std::span(messages).subspan(60)));
  const std::string appended = ReadFile(path);
  ASSERT_EQ(Ids(LoadBytes(appended)), Range(1, 80));

  for (int reads = 0; reads < 40; ++reads) {
    SCOPED_TRACE("change after " + std::to_string(reads) + " reads");
    // The client appends records and a new tree, then switches the header: a load sees either state.
    ChangingFile growing(before, appended, reads);
    DbxItemList list;
    LoadDbxItemsFrom(
        growing, kMessageFile, [] { return std::string(); }, list);
    const std::vector<int> ids = Ids(list);
    EXPECT_TRUE(ids == Range(1, 60) || ids == Range(1, 80));
    // Compacting cuts the file short: the load ends early with what it had.
    ChangingFile cut(before, before.substr(0, before.size() / 2), reads);
    list.clear();
    LoadDbxItemsFrom(
        cut, kMessageFile, [] { return std::string(); }, list);
    const std::vector<int> prefix = Ids(list);
    EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), Range(1, 60).begin()) && prefix.size() <= 60);
  }
}

}  // namespace
}  // namespace quendrel::test
