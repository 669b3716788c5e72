// Window classes of the toolkit's own windows.
#pragma once

#include <windows.h>

namespace quendrel::toolkit {

struct TWindowClassParams {
  const char* Name = nullptr;
  WNDPROC Proc = nullptr;
  UINT Style = 0;
  HICON Icon = nullptr;
  HCURSOR Cursor = nullptr;  // none: the window sets its cursor itself (or has no area to point at)
};

// Registers the class in this module unless it is registered already; throws when that fails, and
// when the name is registered with other class styles (the caller would silently not get them).
// No background brush: windows of these classes paint their own background.
void RegisterWindowClass(const TWindowClassParams& params);

}  // namespace quendrel::toolkit
