// State frames of the skin's strips: cut once per style and theme, with a plain fallback when a
// strip is missing or too small for its frames.
#pragma once

#include <windows.h>

#include <vector>

#include "skin/SkinFileTheme.h"
#include "skin/SkinTheme.h"
#include "toolkit/Bitmap.h"

namespace quendrel::skin {

// Frame index (1-based) of frameCount frames of key into dest, from the file theme or the built-in
// table. False, and dest emptied, when the strip is missing or too narrow to hold that many frames.
bool LoadStateFrame(const TSkinFileTheme* theme, TSkinUIStyle style, int key, int frameCount, int frameIndex,
                    toolkit::TBitmap& dest);

// The frames of one theme strip, cut once and kept until the style, the theme or the key changes.
class TStateFrames {
 public:
  // Frame frameIndex (1-based) of frameCount; null when the strip is missing or too thin for them.
  toolkit::TBitmap* Get(const TSkinFileTheme* theme, TSkinUIStyle style, int key, int frameCount,
                              int frameIndex);
  // After the theme file behind the same theme object was reloaded.
  void Reset() { loaded_ = false; }

 private:
  const TSkinFileTheme* theme_ = nullptr;
  TSkinUIStyle style_ = TSkinUIStyle::DeepBlue;
  int key_ = 0;
  int count_ = 0;
  bool loaded_ = false;
  std::vector<toolkit::TBitmap> frames_;  // empty when the strip cannot be had
};

// The frame of a four-frame check strip: checked 1, unchecked 2, checked disabled 3, unchecked disabled 4.
constexpr int CheckFrameIndex(bool checked, bool enabled) { return (checked ? 1 : 2) + (enabled ? 0 : 2); }

// A native-looking check box of size x size at (x, y): what a check glyph falls back to when its
// strip cannot be had.
void DrawFallbackCheck(HDC dc, int x, int y, int size, bool checked, bool enabled);

}  // namespace quendrel::skin
