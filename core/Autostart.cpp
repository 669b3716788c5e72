#include "core/Autostart.h"

#include <windows.h>

#include <vector>

#include "toolkit/Registry.h"

namespace quendrel {

std::string AutostartCommand() {
  // MAX_PATH is not a limit for a program started from a long path; grow until the name fits.
  std::vector<char> path(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return "\"" + std::string(path.data(), length) + "\"";
    path.resize(path.size() * 2);
  }
}

void AddAutostartEntry() {
  toolkit::Registry reg;
  reg.OpenKey(kRunKey, false);
  reg.WriteString(kAutostartValue, AutostartCommand());
}

void DeleteAutostartEntry() {
  toolkit::Registry reg;
  if (reg.OpenKey(kRunKey, false)) reg.DeleteValue(kAutostartValue);
}

}  // namespace quendrel
