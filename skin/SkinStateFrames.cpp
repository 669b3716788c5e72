#include "skin/SkinStateFrames.h"

#include <algorithm>

#include "skin/SkinDraw.h"
#include "toolkit/Resources.h"

namespace quendrel::skin {

using toolkit::TBitmap;

bool LoadStateFrame(const TSkinFileTheme* theme, TSkinUIStyle style, int key, int frameCount, int frameIndex,
                    TBitmap& dest) {
  TBitmap strip;
  try {
    GetThemeImage(ResolveUIStyle(theme, style), theme, key, &strip);
  } catch (const toolkit::EResNotFound&) {
    strip.SetSize(0, 0);
  }
  if (strip.Height() == 0 || strip.Width() / std::max(frameCount, 1) == 0) {
    dest.SetSize(0, 0);
    return false;
  }
  CutFrame(strip, dest, frameCount, frameIndex);
  return true;
}

TBitmap* TStateFrames::Get(const TSkinFileTheme* theme, TSkinUIStyle style, int key, int frameCount,
                                 int frameIndex) {
  if (!loaded_ || theme != theme_ || style != style_ || key != key_ || frameCount != count_) {
    theme_ = theme;
    style_ = style;
    key_ = key;
    count_ = frameCount;
    loaded_ = true;
    frames_.clear();
    TBitmap frame;
    for (int i = 1; i <= frameCount && LoadStateFrame(theme, style, key, frameCount, i, frame); ++i)
      frames_.push_back(frame);
  }
  if (frameIndex < 1 || frameIndex > static_cast<int>(frames_.size())) return nullptr;
  return &frames_[static_cast<size_t>(frameIndex - 1)];
}

void DrawFallbackCheck(HDC dc, int x, int y, int size, bool checked, bool enabled) {
  RECT box{x, y, x + size, y + size};
  UINT flags = DFCS_BUTTONCHECK | DFCS_FLAT;
  if (checked) flags |= DFCS_CHECKED;
  if (!enabled) flags |= DFCS_INACTIVE;
  DrawFrameControl(dc, &box, DFC_BUTTON, flags);
}

}  // namespace quendrel::skin
