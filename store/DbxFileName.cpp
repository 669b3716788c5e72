#include "store/DbxFileName.h"

#include <string>

namespace quendrel {

std::string StoreFolderPath(std::string_view StoreRoot) {
  std::string path(StoreRoot);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string_view FileNamePart(std::string_view Path) {
#ifdef _WIN32
  constexpr std::string_view kSeparators = "\\:";
#else
  // Native builds take posix paths as well; "/" cannot occur in a Windows file name anyway.
  constexpr std::string_view kSeparators = "\\:/";
#endif
  const size_t cut = Path.find_last_of(kSeparators);
  return cut == std::string_view::npos ? Path : Path.substr(cut + 1);
}

bool HasFolderListName(std::string_view FileName) { return FileNamePart(FileName) == kFolderListName; }

bool IsFolderListFile(std::string_view FileName, std::string_view StoreRoot) {
  return FileName == StoreFolderPath(StoreRoot) + std::string(kFolderListName);
}

}  // namespace quendrel
