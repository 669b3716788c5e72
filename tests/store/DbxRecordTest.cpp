// Decoding message and folder records from their entry tables and data blocks.
#include <gtest/gtest.h>

#include <functional>

#include "store/DbxRecordDecoder.h"
#include "store/MemorySource.h"
#include "tests/store/DbxBytes.h"

namespace quendrel::test {
namespace {
using namespace std::string_literals;

constexpr int32_t kAt = 0x100;

struct Decoded {
  DecodeOutcome outcome;
  DbxItemList list;
};

Decoded Decode(const DbxBytes& bytes, bool folder) {
  MemorySource source(bytes.Bytes());
  BufferedReader reader(source);
  DbxTextArena texts;
  Decoded d;
  d.outcome =
      folder ? ReadFolderRecord(reader, kAt, d.list, texts) : ReadMessageRecord(reader, kAt, d.list, texts);
  return d;
}

std::string Z(std::string_view text) {
  return std::string(text) + '\0';
}

// Little-endian bytes of a 32-bit value.
std::string LE(uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
          static_cast<char>(v >> 24)};
}

TEST(MessageRecord, EveryTagFillsItsField) {
  std::string data;
  std::vector<uint32_t> entries;
  auto text = [&](uint8_t tag, std::string_view value) {
    entries.push_back(Tag(tag, static_cast<uint32_t>(data.size())));
    data += Z(value);
  };
  auto raw = [&](uint8_t tag, const std::string& bytes) {
    entries.push_back(Tag(tag, static_cast<uint32_t>(data.size())));
    data += bytes;
  };
  entries.push_back(Tag(0x80, 42));
  raw(0x01, "\x80\x01\x02");
  text(0x1B, "key");
  text(0x1A, "account");
  text(0x07, "<id@x>");
  raw(0x02, LE(0x11111111) + LE(0x01C00000));
  raw(0x12, LE(0x22222222) + LE(0x01D00000));
  text(0x08, "subject \xE9");
  text(0x0D, "sender");
  text(0x09, "Sender <s@x>");
  text(0x13, "receiver");
  text(0x0E, "s@x");
  text(0x0A, "<reply@x>");
  text(0x0B, "server");
  entries.push_back(Tag(0x91, 0x123456));
  raw(0x04, LE(0x80000010));
  entries.push_back(Tag(0x55, 0xFFFFFF));  // unknown tag: skipped, however wild its value

  const Decoded d = Decode(DbxBytes().Record(kAt, entries, data), false);
  ASSERT_EQ(d.outcome, DecodeOutcome::kAppended);
  const auto& m = std::get<Toe5_MessageInfo>(d.list.at(0));
  EXPECT_EQ(m.MessageIndex, 42);
  EXPECT_EQ(m.Flags, 0x020180);
  EXPECT_EQ(m.AccountKey, "key");
  EXPECT_EQ(m.AccountName, "account");
  EXPECT_EQ(m.MessageId, "<id@x>");
  EXPECT_EQ(m.SentTime, (DbxFileTime{0x11111111, 0x01C00000}));
  EXPECT_EQ(m.ReceivedTime, (DbxFileTime{0x22222222, 0x01D00000}));
  EXPECT_EQ(m.Subject, "subject \xE9");
  EXPECT_EQ(m.SenderName, "sender");
  EXPECT_EQ(m.SenderNameAndAddress, "Sender <s@x>");
  EXPECT_EQ(m.ReceiverName, "receiver");
  EXPECT_EQ(m.SenderAddress, "s@x");
  EXPECT_EQ(m.InReplyToId, "<reply@x>");
  EXPECT_EQ(m.ServerInfo, "server");
  EXPECT_EQ(m.TextSize, 0x123456);
  EXPECT_EQ(m.BodyOffset, static_cast<int32_t>(0x80000010));
  EXPECT_EQ(m.RecordOffset, kAt);

  const DbxBytes bytes = DbxBytes().Record(kAt, entries, data);
  MemorySource source(bytes.Bytes());
  BufferedReader reader(source);
  Toe5_MessageInfo senderOnly;
  ASSERT_EQ(DecodeMessageRecord(reader, kAt, senderOnly, kSenderNameText), DecodeOutcome::kAppended);
  EXPECT_EQ(senderOnly.SenderName, "sender");
  EXPECT_TRUE(senderOnly.Subject.empty() && senderOnly.SenderAddress.empty()) << "not asked for";
  EXPECT_EQ(senderOnly.ReceivedTime, m.ReceivedTime);
}

struct MessageCase {
  const char* name;
  DbxBytes bytes;
  std::function<void(const Toe5_MessageInfo&)> check;
};

TEST(MessageRecord, FlagsCountsAndLaterEntries) {
  std::vector<uint32_t> eighteen(18, Tag(0x55, 0));
  eighteen[17] = Tag(0x80, 18);
  const MessageCase cases[] = {
      {"flags_from_three_data_bytes_read", DbxBytes().Record(kAt, {Tag(0x01, 0)}, "\x80\x00\x00\xFF"s),
       [](auto& m) {
         EXPECT_EQ(m.Flags, 0x80);
         EXPECT_TRUE(m.IsRead());
       }},
      {"flags_keep_top_byte_clear", DbxBytes().Record(kAt, {Tag(0x01, 0)}, "\xFF\xFF\xFF\xFF"),
       [](auto& m) { EXPECT_EQ(m.Flags, 0xFFFFFF); }},
      {"flags_direct_zero_unread", DbxBytes().Record(kAt, {Tag(0x81, 0)}),
       [](auto& m) { EXPECT_FALSE(m.IsRead()); }},
      {"flags_later_direct_wins", DbxBytes().Record(kAt, {Tag(0x01, 0), Tag(0x81, 4)}, "\x80\x00\x00"s),
       [](auto& m) { EXPECT_EQ(m.Flags, 4); }},
      {"flags_later_data_wins", DbxBytes().Record(kAt, {Tag(0x81, 4), Tag(0x01, 0)}, "\x80\x00\x00"s),
       [](auto& m) { EXPECT_EQ(m.Flags, 0x80); }},
      {"body_offset_later_direct_wins", DbxBytes().Record(kAt, {Tag(0x04, 0), Tag(0x84, 9)}, LE(77)),
       [](auto& m) { EXPECT_EQ(m.BodyOffset, 9); }},
      {"body_offset_later_data_wins", DbxBytes().Record(kAt, {Tag(0x84, 9), Tag(0x04, 0)}, LE(77)),
       [](auto& m) { EXPECT_EQ(m.BodyOffset, 77); }},
      {"later_text_wins", DbxBytes().Record(kAt, {Tag(0x08, 0), Tag(0x08, 2)}, Z("a") + Z("b")),
       [](auto& m) { EXPECT_EQ(m.Subject, "b"); }},
      {"count_byte_zero_means_eighteen", DbxBytes().Record(kAt, eighteen, {}, {}, 0),
       [](auto& m) { EXPECT_EQ(m.MessageIndex, 18); }},
      {"no_known_tag_still_listed", DbxBytes().Record(kAt, {Tag(0x55, 1), Tag(0x99, 0xFFFFFF)}),
       [](auto& m) {
         EXPECT_EQ(m.RecordOffset, kAt);
         EXPECT_TRUE(m.Subject.empty());
         EXPECT_EQ(m.Flags, 0);
       }},
      {"negative_body_length_with_direct_tags_only", DbxBytes().Record(kAt, {Tag(0x80, 3)}, {}, -100),
       [](auto& m) { EXPECT_EQ(m.MessageIndex, 3); }},
      {"empty_text", DbxBytes().Record(kAt, {Tag(0x0D, 1)}, Z("a") + Z("")),
       [](auto& m) { EXPECT_EQ(m.SenderName, ""); }},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Decoded d = Decode(c.bytes, false);
    if (d.outcome != DecodeOutcome::kAppended || d.list.size() != 1) {
      ADD_FAILURE() << "not appended";
      continue;
    }
    c.check(std::get<Toe5_MessageInfo>(d.list[0]));
  }
}

struct OutcomeCase {
  const char* name;
  DbxBytes bytes;
  DecodeOutcome expected;
};

TEST(MessageRecord, DamagedRecordsSkipOrEndTheLoad) {
  const OutcomeCase cases[] = {
      {"self_offset_differs", DbxBytes().Record(kAt, {Tag(0x80, 1)}).Put32(kAt, kAt + 1),
       DecodeOutcome::kSkipped},
      {"text_offset_outside_block", DbxBytes().Record(kAt, {Tag(0x08, 2)}, Z("a")), DecodeOutcome::kEndLoad},
      {"text_without_zero", DbxBytes().Record(kAt, {Tag(0x08, 0)}, "abc"), DecodeOutcome::kEndLoad},
      {"offset_tag_without_data_block", DbxBytes().Record(kAt, {Tag(0x08, 0)}), DecodeOutcome::kEndLoad},
      {"offset_tag_with_negative_data_block", DbxBytes().Record(kAt, {Tag(0x08, 0)}, Z("a"), 2),
       DecodeOutcome::kEndLoad},
      {"file_time_crossing_block_end", DbxBytes().Record(kAt, {Tag(0x12, 0)}, "1234567"),
       DecodeOutcome::kEndLoad},
      {"flags_bytes_crossing_block_end", DbxBytes().Record(kAt, {Tag(0x01, 1)}, "\x80\x00\x00"s),
       DecodeOutcome::kEndLoad},
      {"body_offset_crossing_block_end", DbxBytes().Record(kAt, {Tag(0x04, 0)}, "abc"),
       DecodeOutcome::kEndLoad},
      {"body_length_beyond_bound", DbxBytes().Record(kAt, {Tag(0x80, 1)}, {}, kMaxRecordBody + 1),
       DecodeOutcome::kEndLoad},
      {"data_block_past_file_end", DbxBytes(0x100).Record(kAt, {Tag(0x80, 1)}, {}, 5000),
       DecodeOutcome::kEndLoad},
      {"entry_table_past_file_end", DbxBytes(0x100).Record(kAt, {}, {}, 0, 200).Resize(kAt + 20),
       DecodeOutcome::kEndLoad},
      {"header_past_file_end", DbxBytes(kAt + 8).Put32(kAt, kAt), DecodeOutcome::kEndLoad},
  };
  for (const OutcomeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Decoded d = Decode(c.bytes, false);
    EXPECT_EQ(d.outcome, c.expected);
    EXPECT_EQ(d.list.size(), c.expected == DecodeOutcome::kAppended ? 1u : 0u);
    // Measuring the sender alone, as a check does, checks the other texts all the same.
    MemorySource source(c.bytes.Bytes());
    BufferedReader reader(source);
    Toe5_MessageInfo m;
    EXPECT_EQ(DecodeMessageRecord(reader, kAt, m, kSenderNameText), c.expected) << "sender only";
  }
}

TEST(FolderRecord, FieldsAndAcceptance) {
  const std::string data = Z("Inbox") + Z("Inbox.dbx");
  const OutcomeCase cases[] = {
      {"complete", DbxBytes().Record(kAt, {Tag(0x80, 5), Tag(0x81, 1), Tag(0x02, 0), Tag(0x03, 6)}, data),
       DecodeOutcome::kAppended},
      {"tag_06_without_03_listed", DbxBytes().Record(kAt, {Tag(0x06, 0), Tag(0x02, 0)}, data),
       DecodeOutcome::kAppended},
      {"count_zero_discarded", DbxBytes().Record(kAt, {Tag(0x03, 0)}, data, {}, 0), DecodeOutcome::kSkipped},
      {"neither_03_nor_06_discarded_before_data_is_read",
       DbxBytes(0x200).Record(kAt, {Tag(0x02, 0)}, {}, 90000), DecodeOutcome::kSkipped},
      {"file_name_outside_block", DbxBytes().Record(kAt, {Tag(0x03, 40)}, data), DecodeOutcome::kEndLoad},
      {"self_offset_differs", DbxBytes().Record(kAt, {Tag(0x03, 0)}, data).Put32(kAt, 0),
       DecodeOutcome::kSkipped},
  };
  for (const OutcomeCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Decode(c.bytes, true).outcome, c.expected);
  }

  const Decoded full = Decode(cases[0].bytes, true);
  const auto& f = std::get<Toe5_FolderInfo>(full.list.at(0));
  EXPECT_EQ(f.FolderId, 5);
  EXPECT_EQ(f.ParentId, 1);
  EXPECT_EQ(f.FolderName, "Inbox");
  EXPECT_EQ(f.FileName, "Inbox.dbx");
  const Decoded noFile = Decode(cases[1].bytes, true);
  EXPECT_EQ(std::get<Toe5_FolderInfo>(noFile.list.at(0)).FileName, "");
  EXPECT_EQ(std::get<Toe5_FolderInfo>(noFile.list.at(0)).FolderName, "Inbox");
}

}  // namespace
}  // namespace quendrel::test
