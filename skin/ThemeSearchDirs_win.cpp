#include <windows.h>

#include <string>
#include <vector>

#include "skin/SkinFileTheme.h"

namespace quendrel::skin {

namespace {

std::string WithBackslash(std::string dir) {
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir;
}

}  // namespace

std::vector<std::string> DefaultThemeSearchDirs() {
  std::vector<std::string> dirs;
  char path[MAX_PATH] = {};
  if (const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH); n > 0 && n < MAX_PATH) {
    std::string exe(path, n);
    dirs.push_back(exe.substr(0, exe.find_last_of("\\/:") + 1));
  }
  if (const UINT n = GetWindowsDirectoryA(path, MAX_PATH); n > 0 && n < MAX_PATH) dirs.push_back(WithBackslash(path));
  if (const UINT n = GetSystemDirectoryA(path, MAX_PATH); n > 0 && n < MAX_PATH) dirs.push_back(WithBackslash(path));
  return dirs;
}

}  // namespace quendrel::skin
