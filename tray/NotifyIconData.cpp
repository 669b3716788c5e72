#include "tray/NotifyIconData.h"

#include <shlwapi.h>

namespace quendrel {

ShellVersion CurrentShellVersion() {
  HMODULE shell = GetModuleHandleA("shell32.dll");
  auto getVersion = shell == nullptr ? nullptr
                                     : reinterpret_cast<DLLGETVERSIONPROC>(
                                           reinterpret_cast<void*>(GetProcAddress(shell, "DllGetVersion")));
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;
  if (getVersion == nullptr || FAILED(getVersion(&info))) return ShellVersion{4, 0};
  return ShellVersion{info.dwMajorVersion, info.dwMinorVersion};
}

NotifyIconLayout NotifyIconLayoutFor(ShellVersion version) {
  if (version.major >= 5) return NotifyIconLayout{NOTIFYICONDATAA_V2_SIZE, 127, true};
  return NotifyIconLayout{NOTIFYICONDATAA_V1_SIZE, 63, false};
}

const NotifyIconLayout& CurrentNotifyIconLayout() {
  static const NotifyIconLayout layout = NotifyIconLayoutFor(CurrentShellVersion());
  return layout;
}

}  // namespace quendrel
