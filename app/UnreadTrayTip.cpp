#include "app/UnreadTrayTip.h"

#include <windows.h>

#include "tray/NotifyIconData.h"

namespace quendrel {

std::string AnsiEllipsis() {
  const wchar_t ellipsis = L'\u2026';
  char bytes[8] = {};
  BOOL usedDefault = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, 0, &ellipsis, 1, bytes, sizeof bytes, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return "...";
  return std::string(bytes, static_cast<size_t>(length));
}

std::string UnreadTrayTip(const std::vector<UnreadFolder>& folders) {
  return ComposeUnreadTip(kTrayTipName, folders, AnsiEllipsis(), CurrentNotifyIconLayout().tipLength);
}

}  // namespace quendrel
