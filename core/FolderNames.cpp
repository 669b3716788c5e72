#include "core/FolderNames.h"

namespace quendrel {

std::string StoreFolderPath(const std::string& storeRoot) {
  if (!storeRoot.empty() && storeRoot.back() == '\\') return storeRoot;
  return storeRoot + "\\";
}

std::string AlertFolderName(const std::string& path) {
  size_t separator = path.find_last_of("\\:");
  std::string fileName = separator == std::string::npos ? path : path.substr(separator + 1);
  size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? std::string() : fileName.substr(0, dot);
}

}  // namespace quendrel
