#include "toolkit/Color.h"

namespace quendrel::toolkit {

COLORREF ColorToRGB(TColor color) {
  if (color == clNone || color == clDefault) return 0;
  if (color & kSystemColorFlag) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

}  // namespace quendrel::toolkit
