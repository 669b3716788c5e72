// The tray icon's tooltip text: the program's name and the folders holding unread mail.
#pragma once

#include <string>
#include <vector>

#include "core/UnreadTip.h"

namespace quendrel {

inline constexpr char kTrayTipName[] = "Quendrel";

// "…" in the ANSI code page the tip is shown in (0x85 in Windows-1252), or "..." where that code
// page has no such character.
std::string AnsiEllipsis();

// What fits the running shell's tray tip (127 characters from Windows 2000 on), kTrayTipName alone when no folder holds unread mail.
std::string UnreadTrayTip(const std::vector<UnreadFolder>& folders);

}  // namespace quendrel
