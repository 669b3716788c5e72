#include "tray/NotifyIconData.h"

#include <shlwapi.h>

namespace quendrel {

ShellVersion ModuleShellVersion(HMODULE module) {
  auto getVersion = module == nullptr ? nullptr
                                      : reinterpret_cast<DLLGETVERSIONPROC>(
                                            reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;
  if (getVersion == nullptr || FAILED(getVersion(&info))) return ShellVersion{4, 0};
  return ShellVersion{info.dwMajorVersion, info.dwMinorVersion};
}

ShellVersion CurrentShellVersion() { return ModuleShellVersion(GetModuleHandleA("shell32.dll")); }

NotifyIconLayout NotifyIconLayoutFor(ShellVersion version) {
  if (version.major >= 5) return NotifyIconLayout{NOTIFYICONDATAA_V2_SIZE, 127, true};
  return NotifyIconLayout{NOTIFYICONDATAA_V1_SIZE, 63, false};
}

bool BroadcastsTaskbarCreated(ShellVersion commonControls) {
  return commonControls.major > 4 || (commonControls.major == 4 && commonControls.minor > 70);
}

const NotifyIconLayout& CurrentNotifyIconLayout() {
  static const NotifyIconLayout layout = NotifyIconLayoutFor(CurrentShellVersion());
  return layout;
}

}  // namespace quendrel
