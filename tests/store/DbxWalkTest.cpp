// The index tree walk: order of records, guards, and where a damaged file ends the load.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

#include "tests/store/DbxBytes.h"
#include "tests/store/LoadHelpers.h"

namespace quendrel::test {
namespace {

using Ids_ = std::vector<int>;

struct WalkCase {
  const char* name;
  DbxBytes bytes;
  Ids_ expected;
};

DbxBytes Base(int32_t itemCount = 1, int32_t root = 0x200) {
  DbxBytes b;
  b.Header(itemCount, root);
  return b;
}

std::vector<WalkCase> WalkCases() {
  std::vector<WalkCase> cases;
  // Records of the first child's subtree, then each entry's record followed by its subtree.
  cases.push_back({"tree_order",
                   Base()
                       .Node(0x200, 0x300, 0, {{0x800, 0x400}, {0x840, 0}})
                       .Node(0x300, 0, 0x200, {{0x880, 0}})
                       .Node(0x400, 0, 0x200, {{0x8C0, 0}})
                       .Message(0x800, 1)
                       .Message(0x840, 2)
                       .Message(0x880, 3)
                       .Message(0x8C0, 4),
                   {3, 1, 4, 2}});
  cases.push_back({"root_names_inner_node_climbs_to_parent_first",
                   Base(1, 0x300)
                       .Node(0x300, 0, 0x200, {{0x840, 0}})
                       .Node(0x200, 0, 0, {{0x800, 0x300}, {0x880, 0}})
                       .Message(0x800, 1)
                       .Message(0x840, 2)
                       .Message(0x880, 3),
                   {1, 3, 2}});
  cases.push_back({"links_back_to_root_walk_each_node_once",
                   Base()
                       .Node(0x200, 0, 0, {{0x800, 0x300}})
                       .Node(0x300, 0x200, 0x200, {{0x840, 0x200}})
                       .Message(0x800, 1)
                       .Message(0x840, 2),
                   {1, 2}});
  cases.push_back({"shared_record_listed_twice",
                   Base().Node(0x200, 0, 0, {{0x800, 0}, {0x800, 0}}).Message(0x800, 1),
                   {1, 1}});
  cases.push_back({"empty_node_still_follows_parent_then_first_child",
                   Base()
                       .Node(0x200, 0x400, 0x300, {})
                       .Node(0x300, 0, 0, {{0x800, 0}})
                       .Node(0x400, 0, 0, {{0x840, 0}})
                       .Message(0x800, 1)
                       .Message(0x840, 2),
                   {1, 2}});
  cases.push_back({"node_walked_by_earlier_sibling_not_walked_again",
                   Base()
                       .Node(0x200, 0, 0, {{0x800, 0x300}, {0x840, 0x400}})
                       .Node(0x300, 0x400, 0, {})
                       .Node(0x400, 0, 0, {{0x880, 0}})
                       .Message(0x800, 1)
                       .Message(0x840, 2)
                       .Message(0x880, 3),
                   {1, 3, 2}});
  cases.push_back({"links_zero_or_negative_not_followed",
                   Base().Node(0x200, -5, -1, {{-8, -1}, {0, 0}, {0x800, 0}}).Message(0x800, 1),
                   {1}});
  cases.push_back({"node_failing_self_offset_skipped_each_time",
                   Base()
                       .Node(0x200, 0x300, 0, {{0x800, 0x300}, {0x840, 0}})
                       .Node(0x300, 0, 0, {{0x880, 0}})
                       .Put32(0x300, 0x304)
                       .Message(0x800, 1)
                       .Message(0x840, 2)
                       .Message(0x880, 3),
                   {1, 2}});
  cases.push_back({"node_header_cut_by_file_end_skipped",
                   Base()
                       .Node(0x200, 0, 0, {{0x800, 0xFF0}, {0x840, 0}})
                       .Message(0x800, 1)
                       .Message(0x840, 2)
                       .Put32(0xFF0, 0xFF0)
                       .Resize(0x1000),
                   {1, 2}});
  cases.push_back({"entries_cut_by_file_end_end_the_load",
                   Base()
                       .Node(0x200, 0, 0, {{0x800, 0xF00}, {0x840, 0}})
                       .Node(0xF00, 0, 0, {{0x880, 0}}, 1000)
                       .Message(0x800, 1)
                       .Message(0x840, 2)
                       .Message(0x880, 3)
                       .Resize(0x1000),
                   {1}});
  cases.push_back({"huge_entry_count_ends_the_load",
                   Base()
                       .Node(0x200, 0, 0, {{0x800, 0x300}, {0x840, 0}})
                       .Node(0x300, 0, 0, {{0x880, 0}}, 0xFFFFFF)
                       .Message(0x800, 1)
                       .Message(0x840, 2)
                       .Message(0x880, 3),
                   {1}});
  cases.push_back({"undecodable_record_ends_the_load_keeping_earlier",
                   Base()
                       .Node(0x200, 0, 0, {{0x800, 0}, {0x840, 0}, {0x880, 0}})
                       .Message(0x800, 1)
                       .Record(0x840, {Tag(0x08, 99)}, std::string("x\0", 2))
                       .Message(0x880, 3),
                   {1}});
  cases.push_back({"record_failing_self_offset_skipped",
                   Base()
                       .Node(0x200, 0, 0, {{0x800, 0}, {0x840, 0}, {0x880, 0}})
                       .Message(0x800, 1)
                       .Message(0x840, 2)
                       .Put32(0x840, 0x844)
                       .Message(0x880, 3),
                   {1, 3}});
  cases.push_back(
      {"record_past_file_end_ends_the_load",
       Base().Node(0x200, 0, 0, {{0x800, 0}, {0x9000, 0}, {0x880, 0}}).Message(0x800, 1).Message(0x880, 3),
       {1}});
  const auto oneRecord = [](DbxBytes b) { return b.Node(0x200, 0, 0, {{0x800, 0}}).Message(0x800, 1); };
  cases.push_back({"item_count_zero", oneRecord(Base(0)), {}});
  cases.push_back({"item_count_negative", oneRecord(Base(-1)), {}});
  cases.push_back({"root_zero", oneRecord(Base(1, 0)), {}});
  cases.push_back({"root_negative", oneRecord(Base(1, -0x200)), {}});
  cases.push_back({"root_past_file_end", oneRecord(Base(1, 0x7FFFFFF0)), {}});
  cases.push_back({"file_shorter_than_header", DbxBytes(150), {}});
  cases.push_back({"file_ends_inside_root_offset", DbxBytes(230).Put32(196, 1), {}});
  return cases;
}

TEST(DbxWalk, OrderGuardsAndFailures) {
  for (const WalkCase& c : WalkCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Ids(LoadBytes(c.bytes.Bytes())), c.expected);
  }
}

// The same file read from offset 48 or 228, as folders or messages.
TEST(DbxWalk, FileNameDecidesRootAndRecordKind) {
  const DbxBytes b = FolderListBytes();
  struct Case {
    const char* fileName;
    const char* storeRoot;
    Ids_ expected;
  } cases[] = {
      {"C:\\Store\\folders.dbx", "C:\\Store", {-7}}, {"C:\\Store\\folders.dbx", "C:\\Store\\", {-7}},
      {"C:\\Store\\Folders.dbx", "C:\\Store", {5}},  // other case: offset 228, messages
      {"C:\\Store\\folders.dbx", "C:\\STORE", {7}},  // folder name compared byte for byte
      {"D:\\Other\\folders.dbx", "C:\\Store", {7}},  // offset 48, decoded as messages
      {"C:folders.dbx", "C:\\Store", {7}},           {"C:\\Store\\folders.dbx.bak", "C:\\Store", {5}},
      {"C:\\Store\\Inbox.dbx", "C:\\Store", {5}},    {"C:\\Store\\folders.dbx", "", {7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.fileName) + " in " + c.storeRoot);
    EXPECT_EQ(Ids(LoadBytes(b.Bytes(), c.fileName, c.storeRoot)), c.expected);
  }
  const auto folder = std::get<Toe5_FolderInfo>(LoadBytes(b.Bytes(), "C:\\Store\\folders.dbx")[0]);
  EXPECT_EQ(folder.FileName, "a.dbx");
}

TEST(DbxWalk, StoreRootIsAskedOnlyForFilesWithItemsAndMayThrow) {
  DbxBytes b;
  b.Header(1, 0x200).Node(0x200, 0, 0, {{0x800, 0}}).Message(0x800, 1);
  MemorySource source(b.Bytes());
  DbxItemList list;
  int asked = 0;
  LoadDbxItemsFrom(
      source, kMessageFile,
      [&]() -> std::string {
        ++asked;
        throw std::runtime_error("Invalid data type for 'Store Root'");
      },
      list);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(list.empty());

  b.Put32(196, 0);
  MemorySource empty(b.Bytes());
  LoadDbxItemsFrom(
      empty, kMessageFile,
      [&] {
        ++asked;
        return std::string();
      },
      list);
  EXPECT_EQ(asked, 1);
}

TEST(DbxWalk, AppendsAfterRecordsAlreadyInTheList) {
  DbxBytes b;
  b.Header(1, 0x200).Node(0x200, 0, 0, {{0x800, 0}}).Message(0x800, 1);
  MemorySource source(b.Bytes());
  DbxItemList list;
  list.emplace_back(Toe5_FolderInfo{"kept", 9, 0, "x.dbx"});
  LoadDbxItemsFrom(
      source, kMessageFile, [] { return std::string(); }, list);
  EXPECT_EQ(Ids(list), (Ids_{-9, 1}));
}

// A chain of first-child links as long as the file allows must not exhaust the stack, and keeps
// depth-first order: the deepest node's record comes first.
TEST(DbxWalk, LongChainOfNodesNeedsNoThreadStack) {
  constexpr int kNodes = 200'000;
  constexpr int32_t kFirst = 0x1000;
  DbxBytes b(kFirst + 36 * size_t{kNodes} + 0x100);
  b.Header(kNodes, kFirst);
  for (int i = 0; i < kNodes; ++i) {
    const int32_t at = kFirst + 36 * i;
    const int32_t record = i == 0 ? 0x200 : (i == kNodes - 1 ? 0x240 : 0);
    b.Node(at, i + 1 < kNodes ? at + 36 : 0, i > 0 ? at - 36 : 0, {{record, 0}});
  }
  b.Message(0x200, 1).Message(0x240, 2);
  EXPECT_EQ(Ids(LoadBytes(b.Bytes())), (Ids_{2, 1}));
}

// One node whose entries all name the same large record: without a bound on the work of a load, a
// 4 MB file makes it decode 250,000 records of 1 MB each.
TEST(DbxWalk, OverlappingEntriesCannotMakeTheLoadQuadratic) {
  constexpr int32_t kRecord = 0x400;
  constexpr int32_t kBody = 1 << 20;
  constexpr int32_t kNode = kRecord + 12 + kBody;
  constexpr uint32_t kEntries = 250'000;
  std::string data(kBody - 4, 'x');
  data[10] = '\0';
  DbxBytes b;
  b.Header(1, kNode).Record(kRecord, {Tag(0x08, 0)}, data);
  b.Node(kNode, 0, 0, {}, kEntries);
  for (uint32_t i = 0; i < kEntries; ++i) b.Put32(kNode + 24 + 12 * i, kRecord);
  b.Resize(kNode + 24 + 12 * size_t{kEntries});

  const auto start = std::chrono::steady_clock::now();
  const DbxItemList list = LoadBytes(b.Bytes());
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GT(list.size(), 0u);
  EXPECT_LT(list.size(), 20u) << "the load should end once its work exceeds a few times the file";
  EXPECT_LT(seconds, 60.0);  // only against a runaway load: the bound above is the real check
}

// Entries that hop between three distant records defeat any read-ahead: each needs the file again.
// The reads that reach the file, and the bytes they copy, stay linear in the file's size.
TEST(DbxWalk, EntriesHoppingAcrossTheFileCannotFloodItWithReads) {
  class CountingSource : public MemorySource {
   public:
    using MemorySource::MemorySource;
    std::optional<size_t> ReadAt(uint64_t offset, std::span<uint8_t> buffer) override {
      ++reads;
      bytes += buffer.size();
      return MemorySource::ReadAt(offset, buffer);
    }
    uint64_t reads = 0;
    uint64_t bytes = 0;
  };
  constexpr int32_t kRecords[] = {0x1000, 0x101000, 0x201000};
  constexpr int32_t kNode = 0x301000;
  constexpr uint32_t kEntries = 300'000;
  DbxBytes b;
  b.Header(1, kNode).Node(kNode, 0, 0, {}, kEntries);
  for (int32_t at : kRecords) b.Message(at, 1);
  for (uint32_t i = 0; i < kEntries; ++i) b.Put32(kNode + 24 + 12 * i, kRecords[i % 3]);
  b.Resize(kNode + 24 + 12 * size_t{kEntries});

  CountingSource source(b.Bytes());
  DbxItemList list;
  LoadDbxItemsFrom(
      source, kMessageFile, [] { return std::string(); }, list);
  const uint64_t size = b.Bytes().size();
  EXPECT_GT(list.size(), 0u);
  EXPECT_LT(list.size(), kEntries);
  EXPECT_LE(source.reads, (BufferedReader::kBudgetPerByte * size + BufferedReader::kBudgetSlack) /
                              BufferedReader::kSourceReadCost);
  // Nor can they make it copy whole windows again and again.
  EXPECT_LE(source.bytes, BufferedReader::kReadAheadPerByte * size + BufferedReader::kReadAheadSlack +
                              BufferedReader::kBudgetPerByte * size + (2 << 20));
}

}  // namespace
}  // namespace quendrel::test
