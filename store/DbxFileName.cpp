#include "store/DbxFileName.h"

#include <string>

namespace quendrel {

bool HasFolderListName(std::string_view FileName) {
#ifdef _WIN32
  constexpr std::string_view kSeparators = "\\:";
#else
  // Native builds take posix paths as well; "/" cannot occur in a Windows file name anyway.
  constexpr std::string_view kSeparators = "\\:/";
#endif
  const size_t cut = FileName.find_last_of(kSeparators);
  const std::string_view name = cut == std::string_view::npos ? FileName : FileName.substr(cut + 1);
  return name == kFolderListName;
}

bool IsFolderListFile(std::string_view FileName, std::string_view StoreRoot) {
  std::string expected(StoreRoot);
  if (expected.empty() || expected.back() != '\\') expected += '\\';
  expected += kFolderListName;
  return FileName == expected;
}

}  // namespace quendrel
