// Generated and hand-described mail for quendrel-dbxgen.
#include <gtest/gtest.h>

#include "store/DbxReader.h"
#include "tests/support/TestFiles.h"
#include "tools/dbxgen/MessageList.h"
#include "tools/dbxgen/SampleMail.h"

namespace quendrel::dbx {
namespace {

TEST(SampleMail, FileTimesOfCalendarTimes) {
  EXPECT_EQ(FileTimeFromUtc(1601, 1, 1, 0, 0, 0), 0u);
  EXPECT_EQ(FileTimeFromUtc(1970, 1, 1, 0, 0, 0), 116444736000000000u);
  EXPECT_EQ(FileTimeFromUtc(2026, 3, 1, 10, 0, 0), 134168328000000000u);
}

TEST(SampleMail, SameSeedSameMailNewestUnread) {
  const std::vector<MessageSpec> a = SampleMessages({.count = 50, .unread = 4, .seed = 9});
  const std::vector<MessageSpec> b = SampleMessages({.count = 50, .unread = 4, .seed = 9});
  const std::vector<MessageSpec> other = SampleMessages({.count = 50, .unread = 4, .seed = 10});
  ASSERT_EQ(a.size(), 50u);
  int sameAsOther = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(a[i].subject, b[i].subject);
    EXPECT_EQ(a[i].senderAddress, b[i].senderAddress);
    EXPECT_EQ(a[i].receivedTime, b[i].receivedTime);
    EXPECT_EQ(a[i].index, static_cast<int32_t>(i + 1));
    EXPECT_EQ(a[i].read, i < 46);
    EXPECT_NE(a[i].senderName.find(' '), std::string::npos);
    EXPECT_NE(a[i].body.find("Subject: " + a[i].subject + "\r\n"), std::string::npos);
    if (i > 0) {
      EXPECT_GT(a[i].receivedTime, a[i - 1].receivedTime);
    }
    sameAsOther += a[i].senderName == other[i].senderName && a[i].subject == other[i].subject;
  }
  EXPECT_LT(sameAsOther, 10);
}

TEST(SampleMail, DemoStoreHoldsReadAndUnreadMail) {
  test::ScratchDir dir;
  ASSERT_TRUE(WriteDemoStore(dir.Path().string()));
  struct Expected {
    const char* file;
    size_t count;
    size_t unread;
  };
  for (const Expected& e : {Expected{"Inbox.dbx", 12, 3}, Expected{"Outbox.dbx", 0, 0},
                            Expected{"Sent Items.dbx", 5, 0}, Expected{"Deleted Items.dbx", 2, 0}}) {
    SCOPED_TRACE(e.file);
    DbxItemList items;
    LoadDbxItems(dir.File(e.file), &items);
    size_t unread = 0;
    for (const DbxRecord& item : items) unread += std::get<Toe5_MessageInfo>(item).IsRead() ? 0 : 1;
    EXPECT_EQ(items.size(), e.count);
    EXPECT_EQ(unread, e.unread);
    if (e.unread > 0) {
      EXPECT_FALSE(std::get<Toe5_MessageInfo>(items.back()).IsRead()) << "latest is unread";
    }
  }
}

TEST(MessageList, ParsesLinesAndPointsAtTheFirstBadOne) {
  const MessageList good = ParseMessageList(
      "# hand-made inbox\r\n"
      "read\t2026-03-01 10:00:00\tAnna Adler\tanna@example.com\tHello\r\n"
      "\n"
      "unread\t2026-03-02 23:59:59\t\t\tno sender, no address");
  ASSERT_EQ(good.badLine, 0);
  ASSERT_EQ(good.messages.size(), 2u);
  EXPECT_TRUE(good.messages[0].read);
  EXPECT_EQ(good.messages[0].receivedTime, FileTimeFromUtc(2026, 3, 1, 10, 0, 0));
  EXPECT_EQ(good.messages[0].subject, "Hello");
  EXPECT_EQ(good.messages[1].index, 2);
  EXPECT_FALSE(good.messages[1].read);
  EXPECT_EQ(good.messages[1].senderName, "");
  EXPECT_EQ(good.messages[1].subject, "no sender, no address");

  for (const char* bad : {"seen\t2026-03-01 10:00:00\ta\tb\tc", "read\t2026-13-01 10:00:00\ta\tb\tc",
                          "read\t2026-03-01 10:00\ta\tb\tc", "read\t2026-03-01 10:00:00x\ta\tb\tc",
                          "read\t2026-03-01 10:00:00\ta\tb", "read\t2026-03-01 10:00:00\ta\tb\tc\td",
                          "read 2026-03-01 10:00:00 a b c"}) {
    SCOPED_TRACE(bad);
    const MessageList list = ParseMessageList(std::string("# first\nread\t2026-03-01 10:00:00\ta\tb\tc\n") + bad);
    EXPECT_EQ(list.badLine, 3);
    EXPECT_TRUE(list.messages.empty());
  }
}

}  // namespace
}  // namespace quendrel::dbx
