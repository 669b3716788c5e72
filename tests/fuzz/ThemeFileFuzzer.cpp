// Theme files of any content through the reader and every lookup.
#include <cstddef>
#include <cstdint>
#include <span>

#include "skin/FileThemeMgr.h"
#include "skin/SkinTheme.h"
#include "skin/ThemeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quendrel::skin;
  const auto bytes = std::as_bytes(std::span(data, size));
  HasThemeFileMagic(bytes);
  TSkinFileThemeMgr mgr;
  try {
    mgr.LoadFromBytes(bytes);
  } catch (const EReadError&) {
    return 0;
  }
  for (int key = 0; key <= kThemeKeyCount + 1; ++key) {
    mgr.GetBool(key);
    mgr.GetInt(key);
    if (const auto image = mgr.GetImageBytes(key); image && !image->empty()) {
      volatile std::byte last = image->back();  // the block lies inside the input
      (void)last;
    }
  }
  return 0;
}
