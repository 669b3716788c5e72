#include "app/ShellOpen.h"

#include <shellapi.h>

#include <vector>

namespace quendrel {

std::string HelpFilePathIn(const std::string& programPath) {
  const size_t slash = programPath.rfind('\\');
  const std::string folder = slash == std::string::npos ? std::string() : programPath.substr(0, slash + 1);
  return folder + kHelpFileName;
}

std::string HelpFilePath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return HelpFilePathIn(std::string(path.data(), length));
    path.resize(path.size() * 2);
  }
}

void ShellOpen(HWND owner, const std::string& target) {
  // A missing help file or an address without a handler is the user's business, not an error here.
  ShellExecuteA(owner, "open", target.c_str(), "", "", SW_SHOW);
}

}  // namespace quendrel
