#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "skin/SkinFileTheme.h"

namespace quendrel::skin {

// Natively there is only the program's own folder.
std::vector<std::string> DefaultThemeSearchDirs() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return {exe.parent_path().string() + "/"};
}

}  // namespace quendrel::skin
