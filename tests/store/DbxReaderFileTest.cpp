// LoadDbxItems on real files: opening, missing files, and a list it must leave alone.
#include <gtest/gtest.h>

#include "store/DbxReader.h"
#include "tests/store/DbxBytes.h"
#include "tests/store/LoadHelpers.h"
#include "tests/support/TestFiles.h"

namespace quendrel::test {
namespace {

TEST(DbxReaderFile, ReadsAFileAndLeavesTheListAloneOtherwise) {
  ScratchDir dir("dbxreader");
  DbxBytes b;
  b.Header(2, 0x200).Node(0x200, 0, 0, {{0x800, 0}, {0x840, 0}}).Message(0x800, 1).Message(0x840, 2);
  const std::string inbox = dir.File("Inbox.dbx");
  WriteFile(inbox, b.Bytes());

  DbxItemList list;
  LoadDbxItems(inbox, &list);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2}));

  LoadDbxItems(dir.File("Missing.dbx"), &list);
  LoadDbxItems(dir.Path().string(), &list);  // a folder, not a file
  EXPECT_EQ(list.size(), 2u);
  LoadDbxItems(inbox, nullptr);
}

}  // namespace
}  // namespace quendrel::test
