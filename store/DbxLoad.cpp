#include "store/DbxLoad.h"

#include <algorithm>

#include "store/DbxFileName.h"
#include "store/DbxIndexWalker.h"
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

}  // namespace

std::optional<Toe5_FileHeader> ReadFileHeader(BufferedReader& Reader) {
  const std::optional<int32_t> count = ReadInt32(Reader, kItemCountOffset);
  if (!count) return std::nullopt;
  Toe5_FileHeader header;
  header.ItemCount = *count;
  return header;
}

void LoadDbxItemsFrom(ByteSource& Source, std::string_view FileName,
                      const std::function<std::string()>& StoreRoot, DbxItemList& List) {
  try {
    BufferedReader reader(Source, &List.Reads());
    const std::optional<Toe5_FileHeader> header = ReadFileHeader(reader);
    if (!header || header->ItemCount <= 0) return;
    const std::optional<int32_t> root =
        ReadInt32(reader, HasFolderListName(FileName) ? kFolderListRootOffset : kMessageRootOffset);
    if (!root) return;
    const bool folderMode = IsFolderListFile(FileName, StoreRoot());
    // Room for the records up front, trusting the item count only as far as the file could hold
    // real messages, so that a crafted count cannot reserve more than a fraction of the file's size.
    if (const std::optional<uint64_t> length = Source.Length()) {
      const uint64_t plausible =
          std::min<uint64_t>(static_cast<uint64_t>(header->ItemCount), *length / kMinBytesPerItem);
      const size_t needed = List.size() + static_cast<size_t>(plausible);
      // Still doubling: a caller gathering many files into one list must not copy it at each load.
      if (needed > List.capacity()) List.reserve(std::max(needed, 2 * List.capacity()));
    }
    List.Texts().Rewind();
    DbxIndexWalker(reader, folderMode, List).ReadIndexNode(*root);
  } catch (...) {
    // Nothing leaves a load: the store locator's registry error or a failed allocation only ends it.
  }
}

}  // namespace quendrel
