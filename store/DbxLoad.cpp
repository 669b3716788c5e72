#include "store/DbxLoad.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "store/DbxFileName.h"
#include "store/DbxIndexWalker.h"
#include "store/DbxRecordDecoder.h"
#include "store/LittleEndian.h"

namespace quendrel {
namespace {

// A real message takes an index entry, a record of a few hundred bytes and usually a body.
constexpr uint64_t kMinBytesPerItem = 256;

std::optional<int32_t> ReadInt32(BufferedReader& Reader, uint64_t Offset) {
  const auto bytes = Reader.Read(Offset, 4);
  if (!bytes || bytes->size() < 4) return std::nullopt;
  return LoadI32(bytes->data());
}

// Tells the visitor's exceptions, which leave, from the reader's, which only end the walk.
class VisitorRelay : public DbxRecordVisitor {
 public:
  explicit VisitorRelay(DbxRecordVisitor& inner) : inner_(inner) {}
  void Start(std::optional<size_t> PlausibleCount) override { Pass([&] { inner_.Start(PlausibleCount); }); }
  void Visit(Toe5_MessageInfo& Message) override { Pass([&] { inner_.Visit(Message); }); }
  void Visit(Toe5_FolderInfo& Folder) override { Pass([&] { inner_.Visit(Folder); }); }
  uint32_t MessageTexts() const override { return inner_.MessageTexts(); }
  std::exception_ptr error;

 private:
  template <typename F>
  void Pass(F&& visit) {
    try {
      visit();
    } catch (...) {
      error = std::current_exception();
      throw;
    }
  }
  DbxRecordVisitor& inner_;
};

// Appends each record with its texts kept in the load's text blocks, which the records share.
class ListAppender : public DbxRecordVisitor {
 public:
  explicit ListAppender(DbxItemList& list) : list_(list) {}
  // Room for the records up front. Still doubling: a caller gathering many files into one list
  // must not copy it at each load.
  void Start(std::optional<size_t> PlausibleCount) override {
    if (PlausibleCount) {
      const size_t needed = list_.size() + *PlausibleCount;
      if (needed > list_.capacity()) list_.reserve(std::max(needed, 2 * list_.capacity()));
    }
  }
  void Visit(Toe5_MessageInfo& Message) override { Append(Message); }
  void Visit(Toe5_FolderInfo& Folder) override { Append(Folder); }

 private:
  template <typename Record>
  void Append(Record& record) {
    KeepTexts(record, texts_);
    list_.emplace_back(std::move(record));
  }
  DbxItemList& list_;
  DbxTextArena texts_;
};

}  // namespace

std::optional<Toe5_FileHeader> ReadFileHeader(BufferedReader& Reader) {
  const std::optional<int32_t> count = ReadInt32(Reader, kItemCountOffset);
  if (!count) return std::nullopt;
  Toe5_FileHeader header;
  header.ItemCount = *count;
  return header;
}

void VisitDbxItemsFrom(ByteSource& Source, std::string_view FileName,
                       const std::function<std::string()>& StoreRoot, DbxRecordVisitor& Visitor) {
  VisitorRelay relay(Visitor);

  try {
    BufferedReader reader(Source);
    const std::optional<Toe5_FileHeader> header = ReadFileHeader(reader);
    if (!header || header->ItemCount <= 0) return;
    const std::optional<int32_t> root =
        ReadInt32(reader, HasFolderListName(FileName) ? kFolderListRootOffset : kMessageRootOffset);
    if (!root) return;
    const bool folderMode = IsFolderListFile(FileName, StoreRoot());
    // A crafted count must not promise more than a fraction of the file's size.
    std::optional<size_t> plausible;
    if (const std::optional<uint64_t> length = Source.Length()) {
      plausible = static_cast<size_t>(
          std::min<uint64_t>(static_cast<uint64_t>(header->ItemCount), *length / kMinBytesPerItem));
    }
    relay.Start(plausible);
    DbxIndexWalker(reader, folderMode, relay).ReadIndexNode(*root);
  } catch (...) {
    // The store locator's registry error or a failed allocation only ends the walk.
    if (!relay.error) return;
  }
  if (relay.error) std::rethrow_exception(relay.error);
}

void LoadDbxItemsFrom(ByteSource& Source, std::string_view FileName,
                      const std::function<std::string()>& StoreRoot, DbxItemList& List) {
  ListAppender appender(List);

  try {
    VisitDbxItemsFrom(Source, FileName, StoreRoot, appender);
  } catch (...) {
    // Nothing leaves a load: a failed allocation while appending only ends it.
  }
}

}  // namespace quendrel
