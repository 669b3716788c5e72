// Whole store files of any content through one load, as a message file or as the folder list.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/DbxLoad.h"
#include "store/MemorySource.h"

#ifndef QUENDREL_FUZZ_FILE_NAME
#error "QUENDREL_FUZZ_FILE_NAME names the file the bytes are loaded as"
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quendrel::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
  quendrel::DbxItemList list;
  quendrel::LoadDbxItemsFrom(
      source, QUENDREL_FUZZ_FILE_NAME, [] { return std::string("C:\\Store"); }, list);
  return 0;
}
