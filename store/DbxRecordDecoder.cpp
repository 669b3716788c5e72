#include "store/DbxRecordDecoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <utility>

#include "store/LittleEndian.h"

namespace quendrel {
namespace {

constexpr size_t kHeaderSize = 12;
constexpr unsigned kDefaultMessageEntries = 18;  // a message record's count byte 0 means this

// The record header and its entry table, copied out of the reader's window because reading the
// data block may replace the window.
struct RecordTable {
  int32_t bodyLength = 0;
  unsigned count = 0;
  std::array<uint32_t, 255> entries;  // only the first `count` are set
};

// Bytes before the first zero among the Limit at P (Limit when there is none). Eight at a time:
// Wine's memchr takes one byte per step, and a large folder's texts are millions of bytes.
size_t TextLength(const uint8_t* P, size_t Limit) {
  constexpr uint64_t kOnes = 0x0101010101010101;
  constexpr uint64_t kHighs = 0x8080808080808080;
  size_t n = 0;
  for (; Limit - n >= 8; n += 8) {
    uint64_t word;
    std::memcpy(&word, P + n, 8);
    if (((word - kOnes) & ~word & kHighs) != 0) break;  // a zero byte among these eight
  }
  while (n < Limit && P[n] != 0) ++n;
  return n;
}

// Values of offset-type tags inside the data block; any of them failing is a decoding failure.
class DataBlock {
 public:
  explicit DataBlock(std::span<const uint8_t> Bytes) : bytes_(Bytes), textsEnd_(Bytes.size()) {
    // A text is whole when a zero follows it inside the block: one starting before the block's last
    // zero is. Found once, from the end, where records keep their padding.
    while (textsEnd_ > 0 && bytes_[textsEnd_ - 1] != 0) --textsEnd_;
  }

  // A text at At must be whole; it is measured only when Wanted. It still lies in the reader's
  // window; KeepTexts moves it once the record is decoded.
  bool Text(uint32_t At, DbxText& Out, bool Wanted) const {
    if (At >= textsEnd_) return false;
    if (Wanted) {
      const uint8_t* begin = bytes_.data() + At;
      Out = DbxText(reinterpret_cast<const char*>(begin), TextLength(begin, textsEnd_ - At));
    }
    return true;
  }

  // Fixed-size values must lie wholly inside the block: the bytes after it belong to something else.
  const uint8_t* Bytes(uint32_t At, size_t Count) const {
    return At < bytes_.size() && Count <= bytes_.size() - At ? bytes_.data() + At : nullptr;
  }

  bool FileTime(uint32_t At, DbxFileTime& Out) const {
    const uint8_t* p = Bytes(At, 8);
    if (p == nullptr) return false;
    Out.LowDateTime = LoadU32(p);
    Out.HighDateTime = LoadU32(p + 4);
    return true;
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t textsEnd_;  // just past the last zero byte; 0 when there is none
};

enum class TableOutcome { kRead, kNotHere, kEndLoad };

TableOutcome ReadTable(BufferedReader& Reader, int32_t RecordOffset, bool MessageCount, RecordTable& Table) {
  const auto header = Reader.Read(static_cast<uint64_t>(RecordOffset), kHeaderSize);
  if (!header || header->size() < kHeaderSize) return TableOutcome::kEndLoad;
  if (LoadI32(header->data()) != RecordOffset) return TableOutcome::kNotHere;
  Table.bodyLength = LoadI32(header->data() + 4);
  Table.count = (*header)[10];
  if (Table.count == 0 && MessageCount) Table.count = kDefaultMessageEntries;
  const size_t tableSize = 4 * size_t{Table.count};
  const auto entries = Reader.Read(uint64_t(RecordOffset) + kHeaderSize, tableSize);
  if (!entries || entries->size() < tableSize) return TableOutcome::kEndLoad;
  for (unsigned i = 0; i < Table.count; ++i) Table.entries[i] = LoadU32(entries->data() + 4 * i);
  return TableOutcome::kRead;
}

// The data block follows the entry table; its length is what the body length leaves after the
// table, and a length of 0 or below reads nothing.
std::optional<std::span<const uint8_t>> ReadData(BufferedReader& Reader, int32_t RecordOffset,
                                                 const RecordTable& Table) {
  if (Table.bodyLength > kMaxRecordBody) return std::nullopt;
  const int64_t length = int64_t{Table.bodyLength} - 4 * int64_t{Table.count};
  if (length <= 0) return std::span<const uint8_t>();
  const uint64_t at = uint64_t(RecordOffset) + kHeaderSize + 4 * uint64_t{Table.count};
  const auto data = Reader.Read(at, static_cast<size_t>(length));
  if (!data || data->size() < static_cast<size_t>(length)) return std::nullopt;
  return data;
}

uint8_t Tag(uint32_t Entry) {
  return static_cast<uint8_t>(Entry & 0xFF);
}
uint32_t Value(uint32_t Entry) {
  return Entry >> 8;
}

bool DecodeMessageEntry(uint32_t Entry, const DataBlock& Data, uint32_t Texts, Toe5_MessageInfo& M) {
  const uint32_t v = Value(Entry);
  switch (Tag(Entry)) {
    case 0x80:
      M.MessageIndex = static_cast<int32_t>(v);
      return true;
    case 0x81:
      M.Flags = static_cast<int32_t>(v);
      return true;
    case 0x84:
      M.BodyOffset = static_cast<int32_t>(v);
      return true;
    case 0x91:
      M.TextSize = static_cast<int32_t>(v);
      return true;
    case 0x01: {
      // Three bytes only: the top byte of the flags stays clear.
      const uint8_t* p = Data.Bytes(v, 3);
      if (p == nullptr) return false;
      M.Flags = int32_t{p[0]} | int32_t{p[1]} << 8 | int32_t{p[2]} << 16;
      return true;
    }
    case 0x04: {
      const uint8_t* p = Data.Bytes(v, 4);
      if (p == nullptr) return false;
      M.BodyOffset = LoadI32(p);
      return true;
    }
    case 0x02:
      return Data.FileTime(v, M.SentTime);
    case 0x12:
      return Data.FileTime(v, M.ReceivedTime);
    case 0x1B:
      return Data.Text(v, M.AccountKey, (Texts & kAccountKeyText) != 0);
    case 0x1A:
      return Data.Text(v, M.AccountName, (Texts & kAccountNameText) != 0);
    case 0x07:
      return Data.Text(v, M.MessageId, (Texts & kMessageIdText) != 0);
    case 0x08:
      return Data.Text(v, M.Subject, (Texts & kSubjectText) != 0);
    case 0x0D:
      return Data.Text(v, M.SenderName, (Texts & kSenderNameText) != 0);
    case 0x09:
      return Data.Text(v, M.SenderNameAndAddress, (Texts & kSenderNameAndAddressText) != 0);
    case 0x13:
      return Data.Text(v, M.ReceiverName, (Texts & kReceiverNameText) != 0);
    case 0x0E:
      return Data.Text(v, M.SenderAddress, (Texts & kSenderAddressText) != 0);
    case 0x0A:
      return Data.Text(v, M.InReplyToId, (Texts & kInReplyToIdText) != 0);
    case 0x0B:
      return Data.Text(v, M.ServerInfo, (Texts & kServerInfoText) != 0);
    default:
      return true;
  }
}

bool DecodeFolderEntry(uint32_t Entry, const DataBlock& Data, Toe5_FolderInfo& F) {
  const uint32_t v = Value(Entry);
  switch (Tag(Entry)) {
    case 0x02:
      return Data.Text(v, F.FolderName, true);
    case 0x03:
      return Data.Text(v, F.FileName, true);
    case 0x80:
      F.FolderId = static_cast<int32_t>(v);
      return true;
    case 0x81:
      F.ParentId = static_cast<int32_t>(v);
      return true;
    default:
      return true;
  }
}

// Copies the record's texts out of the reader's window into the arena in one piece: the stretch of
// the data block from the first to the end of the last. So a record keeps at most its data block,
// however many entries name the same text.
template <size_t N>
void KeepTextsIn(const std::array<DbxText*, N>& Texts, DbxTextArena& Arena,
               std::shared_ptr<const void>& Storage) {
  const char* first = nullptr;
  const char* end = nullptr;
  for (DbxText* text : Texts) {
    if (text->empty()) {
      *text = DbxText();
    } else if (first == nullptr) {
      first = text->data();
      end = text->data() + text->size();
    } else {
      first = std::min(first, text->data());
      end = std::max(end, text->data() + text->size());
    }
  }
  if (first == nullptr) return;
  const char* kept = Arena.Keep(
      std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(first), static_cast<size_t>(end - first)));
  for (DbxText* text : Texts) {
    if (!text->empty()) *text = DbxText(kept + (text->data() - first), text->size());
  }
  Storage = Arena.Owner();
}

}  // namespace

DecodeOutcome DecodeFolderRecord(BufferedReader& Reader, int32_t RecordOffset, Toe5_FolderInfo& Out) {
  RecordTable table;
  switch (ReadTable(Reader, RecordOffset, /*MessageCount=*/false, table)) {
    case TableOutcome::kNotHere:
      return DecodeOutcome::kSkipped;
    case TableOutcome::kEndLoad:
      return DecodeOutcome::kEndLoad;
    case TableOutcome::kRead:
      break;
  }
  const auto first = table.entries.begin();
  const auto last = first + table.count;
  if (std::none_of(first, last, [](uint32_t e) { return Tag(e) == 0x03 || Tag(e) == 0x06; })) {
    return DecodeOutcome::kSkipped;
  }
  const auto data = ReadData(Reader, RecordOffset, table);
  if (!data) return DecodeOutcome::kEndLoad;
  const DataBlock block(*data);
  for (auto e = first; e != last; ++e) {
    if (!DecodeFolderEntry(*e, block, Out)) return DecodeOutcome::kEndLoad;
  }
  return DecodeOutcome::kAppended;
}

DecodeOutcome DecodeMessageRecord(BufferedReader& Reader, int32_t RecordOffset, Toe5_MessageInfo& Out,
                                  uint32_t Texts) {
  RecordTable table;
  switch (ReadTable(Reader, RecordOffset, /*MessageCount=*/true, table)) {
    case TableOutcome::kNotHere:
      return DecodeOutcome::kSkipped;
    case TableOutcome::kEndLoad:
      return DecodeOutcome::kEndLoad;
    case TableOutcome::kRead:
      break;
  }
  const auto data = ReadData(Reader, RecordOffset, table);
  if (!data) return DecodeOutcome::kEndLoad;
  Out.RecordOffset = RecordOffset;
  const DataBlock block(*data);
  for (unsigned i = 0; i < table.count; ++i) {
    if (!DecodeMessageEntry(table.entries[i], block, Texts, Out)) return DecodeOutcome::kEndLoad;
  }
  return DecodeOutcome::kAppended;
}

void KeepTexts(Toe5_FolderInfo& Folder, DbxTextArena& Texts) {
  KeepTextsIn(std::array{&Folder.FolderName, &Folder.FileName}, Texts, Folder.TextStorage);
}

void KeepTexts(Toe5_MessageInfo& Message, DbxTextArena& Texts) {
  KeepTextsIn(std::array{&Message.AccountKey, &Message.AccountName, &Message.MessageId, &Message.Subject,
                         &Message.SenderName, &Message.SenderNameAndAddress, &Message.ReceiverName,
                         &Message.SenderAddress, &Message.InReplyToId, &Message.ServerInfo},
              Texts, Message.TextStorage);
}

namespace {
// Decodes one record of either kind and, when it decodes, keeps its texts and appends it.
template <typename Record, typename Decode>
DecodeOutcome DecodeAndAppend(Decode decode, BufferedReader& Reader, int32_t RecordOffset, DbxItemList& List,
                              DbxTextArena& Texts) {
  Record record;
  const DecodeOutcome outcome = decode(Reader, RecordOffset, record);
  if (outcome != DecodeOutcome::kAppended) return outcome;
  KeepTexts(record, Texts);
  List.emplace_back(std::move(record));
  return outcome;
}
}  // namespace

DecodeOutcome ReadFolderRecord(BufferedReader& Reader, int32_t RecordOffset, DbxItemList& List,
                               DbxTextArena& Texts) {
  return DecodeAndAppend<Toe5_FolderInfo>(DecodeFolderRecord, Reader, RecordOffset, List, Texts);
}

DecodeOutcome ReadMessageRecord(BufferedReader& Reader, int32_t RecordOffset, DbxItemList& List,
                                DbxTextArena& Texts) {
  return DecodeAndAppend<Toe5_MessageInfo>(
      [](BufferedReader& reader, int32_t offset, Toe5_MessageInfo& out) {
        return DecodeMessageRecord(reader, offset, out);
      },
      Reader, RecordOffset, List, Texts);
}

}  // namespace quendrel
