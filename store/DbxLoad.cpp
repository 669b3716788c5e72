#include "store/DbxLoad.h"

#include "store/DbxFileName.h"
#include "store/DbxIndexWalker.h"
#include "store/LittleEndian.h"

namespace quendrel {
namespace {

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
    BufferedReader reader(Source);
    const std::optional<Toe5_FileHeader> header = ReadFileHeader(reader);
    if (!header || header->ItemCount <= 0) return;
    const std::optional<int32_t> root =
        ReadInt32(reader, HasFolderListName(FileName) ? kFolderListRootOffset : kMessageRootOffset);
    if (!root) return;
    const bool folderMode = IsFolderListFile(FileName, StoreRoot());
    DbxIndexWalker(reader, folderMode, List).ReadIndexNode(*root);
  } catch (...) {
    // Nothing leaves a load: the store locator's registry error or a failed allocation only ends it.
  }
}

}  // namespace quendrel
