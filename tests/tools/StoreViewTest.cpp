// What quendrel-store prints, checked on records made by hand.
#include <gtest/gtest.h>

#include "tests/tools/JsonCheck.h"
#include "tools/storetool/AnsiText.h"
#include "tools/storetool/StoreView.h"

namespace quendrel::storetool {
namespace {

std::string Same(std::string_view text) { return std::string(text); }

// The texts are literals: a record made by hand borrows them.
Toe5_MessageInfo Message(int32_t offset, int32_t index, int32_t flags, uint64_t received, DbxText sender,
                         DbxText subject) {
  Toe5_MessageInfo message;
  message.RecordOffset = offset;
  message.MessageIndex = index;
  message.Flags = flags;
  message.ReceivedTime = {static_cast<uint32_t>(received), static_cast<uint32_t>(received >> 32)};
  message.SenderName = sender;
  message.Subject = subject;
  return message;
}

TEST(StoreView, FormatsDateTimes) {
  struct Case {
    DateTime value;
    const char* expected;
  };
  for (const Case& c : {Case{0.0, "1899-12-30 00:00:00"}, Case{36585.5, "2000-02-29 12:00:00"},
                        Case{45351.75, "2024-02-29 18:00:00"}, Case{45351.0 + 59.9994 / 86400, "2024-02-29 00:00:59"},
                        Case{45351.0 + 86399.9999 / 86400, "2024-03-01 00:00:00"}, Case{-1.25, "1899-12-28 18:00:00"}}) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(FormatDateTime(c.value), c.expected);
  }
}

TEST(StoreView, EscapesJsonStrings) {
  EXPECT_EQ(JsonString("plain"), "\"plain\"");
  EXPECT_EQ(JsonString("a\"b\\c/"), "\"a\\\"b\\\\c/\"");
  EXPECT_EQ(JsonString(std::string("\x01\n\t\x1F\x7F", 5)), "\"\\u0001\\u000A\\u0009\\u001F\x7F\"");
  EXPECT_EQ(JsonString("M\xC3\xBCller"), "\"M\xC3\xBCller\"");
  EXPECT_EQ(AnsiToUtf8("M\xFCller"), "M\xC3\xBCller");
}

TEST(StoreView, JsonOfMessageRecordsIsExact) {
  const DbxItemList items = {Message(9408, 1, 0x80, 0x01DC4F0012345678, "Anna \"A\" Adler", "Re: 1\\2"),
                             Message(9900, 2, 0, 0xFFFFFFFFFFFFFFFF, "Ben\x01", "")};
  const std::string json = RecordJson("C:\\Mail\\Inbox.dbx", items, Same);
  EXPECT_EQ(json,
            "{\"file\": \"C:\\\\Mail\\\\Inbox.dbx\", \"records\": [\n"
            "  {\"offset\": 9408, \"index\": 1, \"flags\": 128, \"read\": true, \"received_filetime\": "
            "134068950638286456, \"sender\": \"Anna \\\"A\\\" Adler\", \"subject\": \"Re: 1\\\\2\"},\n"
            "  {\"offset\": 9900, \"index\": 2, \"flags\": 0, \"read\": false, \"received_filetime\": "
            "18446744073709551615, \"sender\": \"Ben\\u0001\", \"subject\": \"\"}\n"
            "]}\n");
  EXPECT_TRUE(test::IsValidJson(json));
  EXPECT_EQ(RecordJson("x.dbx", {}, Same), "{\"file\": \"x.dbx\", \"records\": []}\n");
}

TEST(StoreView, JsonOfFolderRecordsAndEveryControlCharacterIsValid) {
  Toe5_FolderInfo folder;
  folder.FolderId = 4;
  folder.ParentId = -1;
  folder.FolderName = "Deleted Items";
  folder.FileName = "Deleted Items.dbx";
  const std::string json = RecordJson("folders.dbx", {folder}, Same);
  EXPECT_EQ(json,
            "{\"file\": \"folders.dbx\", \"folders\": [\n"
            "  {\"id\": 4, \"parent_id\": -1, \"name\": \"Deleted Items\", \"file_name\": \"Deleted Items.dbx\"}\n"
            "]}\n");
  EXPECT_TRUE(test::IsValidJson(json));

  // Every byte value as ANSI text, through the platform's conversion.
  std::string allBytes;
  for (int c = 1; c < 256; ++c) allBytes += static_cast<char>(c);
  const std::string allJson =
      RecordJson(allBytes, {Message(1, 1, 0, 0, allBytes, allBytes)}, [](std::string_view t) { return AnsiToUtf8(t); });
  EXPECT_TRUE(test::IsValidJson(allJson)) << allJson;
}

TEST(StoreView, TableShowsRecordsInListOrder) {
  const uint64_t received = 0x01DC4F0012345678;
  const std::string when = FormatDateTime(DbxFileTimeToDateTime({0x12345678, 0x01DC4F00}));
  const DbxItemList items = {Message(0x24C0, 1, 0x80, received, "Anna Adler", "Hello"),
                             Message(0x2800, 2, 0x10001, received, "Bo", "Re: Hello")};
  EXPECT_EQ(RecordTable(items),
            "Offset        Index  Flags     State   Received             Sender      Subject\n"
            "0x000024C0        1  0x000080  read    " + when + "  Anna Adler  Hello\n"
            "0x00002800        2  0x010001  unread  " + when + "  Bo          Re: Hello\n");
}

TEST(StoreView, FolderTableSummarisesEachFile) {
  const uint64_t received = 0x01DC4F0012345678;
  const std::string when = FormatDateTime(DbxFileTimeToDateTime({0x12345678, 0x01DC4F00}));
  Toe5_FolderInfo folder;
  folder.FolderName = "Inbox";
  const std::vector<FolderFile> files = {
      {"Inbox.dbx",
       {Message(1, 1, 0, received, "A", "old"), Message(2, 2, 0x80, received, "B", "b"),
        Message(3, 3, 0, received, "C", "latest")}},
      {"Outbox.dbx", {}},
      {"folders.dbx", {folder}},
  };
  EXPECT_EQ(FolderTable(files),
            "File         Records  Unread  Latest\n"
            "Inbox.dbx          3       2  " + when + "  unread  C  latest\n"
            "Outbox.dbx         0       0  -\n"
            "folders.dbx        1       -  (folder list)\n");
}

}  // namespace
}  // namespace quendrel::storetool
