// Whole store files of any content through one load, as a message file or as the folder list.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "store/DbxLoad.h"
#include "store/MemorySource.h"

#ifndef QUENDREL_FUZZ_FILE_NAME
#error "QUENDREL_FUZZ_FILE_NAME names the file the bytes are loaded as"
#endif

namespace {

// Every text is read once the load is over: one that still pointed into the reader's buffers
// would be a use after free.
size_t Digest(const quendrel::DbxItemList& list) {
  size_t sum = list.size();
  auto touch = [&sum](std::string_view text) {
    for (const char c : text) sum = sum * 31 + static_cast<unsigned char>(c);
  };
  for (const quendrel::DbxRecord& record : list) {
    if (const auto* m = std::get_if<quendrel::Toe5_MessageInfo>(&record)) {
      for (const std::string_view text :
           {m->AccountKey, m->AccountName, m->MessageId, m->Subject, m->SenderName, m->SenderNameAndAddress,
            m->ReceiverName, m->SenderAddress, m->InReplyToId, m->ServerInfo})
        touch(text);
    } else if (const auto* f = std::get_if<quendrel::Toe5_FolderInfo>(&record)) {
      touch(f->FolderName);
      touch(f->FileName);
    }
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quendrel::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
  auto load = [&source](quendrel::DbxItemList& list) {
    quendrel::LoadDbxItemsFrom(
        source, QUENDREL_FUZZ_FILE_NAME, [] { return std::string("C:\\Store"); }, list);
  };
  quendrel::DbxItemList list;
  load(list);
  const size_t first = Digest(list);
  // Loaded again into the same list, which writes the memory of the first load again: the same.
  list.clear();
  load(list);
  if (Digest(list) != first) __builtin_trap();
  return 0;
}
