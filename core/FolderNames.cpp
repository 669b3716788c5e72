#include "core/FolderNames.h"

namespace quendrel {

std::string AlertFolderName(const std::string& path) {
  const std::string_view fileName = FileNamePart(path);
  const size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(0, dot));
}

}  // namespace quendrel
