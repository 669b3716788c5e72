#include "skin/SkinDraw.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "toolkit/Resources.h"

namespace quendrel::skin {

using toolkit::TBitmap;
using toolkit::TCanvas;

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
bool Empty(const RECT& r) { return Width(r) <= 0 || Height(r) <= 0; }

// A slice of no width or height (the middle of an even-sized bitmap) is one pixel wide or high, so
// the target gets the pixels next to it instead of a hole.
void AtLeastOnePixel(LONG& from, LONG& to, int size) {
  if (to > from || size <= 0) return;
  from = std::clamp<LONG>(from, 0, size - 1);
  to = from + 1;
}

// Copies src's srcRect stretched into dest's destRect; masked: pixels of mask colour are left out.
// Rectangles that leave the source are not drawn.
void Blit(HDC dest, const RECT& destRect, TBitmap& src, RECT srcRect, bool masked) {
  AtLeastOnePixel(srcRect.left, srcRect.right, src.Width());
  AtLeastOnePixel(srcRect.top, srcRect.bottom, src.Height());
  if (Empty(destRect) || Empty(srcRect) || srcRect.left < 0 || srcRect.top < 0 || srcRect.right > src.Width() ||
      srcRect.bottom > src.Height())
    return;
  HDC source = src.Canvas().Handle();
  if (masked) {
    TransparentBlt(dest, destRect.left, destRect.top, Width(destRect), Height(destRect), source, srcRect.left,
                   srcRect.top, Width(srcRect), Height(srcRect), kSkinMaskColor);
  } else {
    SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, destRect.left, destRect.top, Width(destRect), Height(destRect), source, srcRect.left, srcRect.top,
               Width(srcRect), Height(srcRect), SRCCOPY);
  }
}

void CutInto(TBitmap& loaded, TBitmap* graphic, int frameCount, int frameIndex) {
  if (frameCount == 0) {
    graphic->Assign(loaded);
  } else {
    CutFrame(loaded, *graphic, frameCount, frameIndex);
  }
}

}  // namespace

bool GetThemeImage(TSkinUIStyle style, int keyNumber, TBitmap* graphic, int frameCount, int frameIndex) {
  if (!graphic) return false;
  const std::string_view name = GetThemeImageName(style, keyNumber);
  if (name.empty()) return false;
  TBitmap loaded;
  if (!loaded.LoadFromResourceName(GetModuleHandleA(nullptr), std::string(name)))
    throw toolkit::EResNotFound(std::string(name));
  CutInto(loaded, graphic, frameCount, frameIndex);
  return true;
}

bool GetThemeImage(const TSkinFileThemeMgr& theme, int keyNumber, TBitmap* graphic, int frameCount, int frameIndex) {
  if (!graphic) return false;
  const auto bytes = theme.GetImageBytes(keyNumber);
  if (!bytes) return false;
  TBitmap loaded;
  if (!loaded.LoadFromMemory(*bytes)) return false;
  CutInto(loaded, graphic, frameCount, frameIndex);
  return true;
}

bool GetThemeImage(const TResolvedStyle& resolved, const TSkinFileTheme* fileTheme, int keyNumber, TBitmap* graphic,
                   int frameCount, int frameIndex) {
  if (resolved.fromFile) return GetThemeImage(fileTheme->Manager(), keyNumber, graphic, frameCount, frameIndex);
  return GetThemeImage(resolved.style, keyNumber, graphic, frameCount, frameIndex);
}

void CutFrame(const TBitmap& strip, TBitmap& dest, int frameCount, int frameIndex) {
  const int n = std::max(frameCount, 1);
  const int k = std::clamp(frameIndex, 1, n);
  const int w = strip.Width() / n;
  strip.Flush();
  TBitmap frame(w, strip.Height(), strip.PixelFormat());
  const size_t bytes = static_cast<size_t>(w) * strip.BytesPerPixel();
  for (int y = 0; y < strip.Height() && bytes > 0; ++y)
    std::memcpy(frame.ScanLine(y), strip.ScanLine(y) + static_cast<size_t>(w) * (k - 1) * strip.BytesPerPixel(), bytes);
  dest.Assign(frame);
}

void DrawThreeSlice(TBitmap& strip, TCanvas& canvas, const RECT& rect, bool useCornerPixel) {
  const int p = strip.Width() / 3;
  const int h = strip.Height();
  HDC dc = canvas.Handle();
  if (p == 0 || h == 0 || !dc) return;
  strip.Flush();
  const toolkit::TColor mask = useCornerPixel ? strip.PixelColor(0, 0) : kSkinMaskColor;
  HDC source = strip.Canvas().Handle();
  TransparentBlt(dc, rect.left, rect.top, p, h, source, 0, 0, p, h, mask);
  TransparentBlt(dc, rect.right - p, rect.top, p, h, source, 2 * p, 0, p, h, mask);
  Blit(dc, {rect.left + p, rect.top, rect.right - p, rect.bottom}, strip, {p, 0, 2 * p, h}, false);
}

void DrawNineSlice(TBitmap& bitmap, TCanvas& canvas, const RECT& rect, bool masked) {
  const int W = Width(rect), H = Height(rect);
  const int sw = bitmap.Width(), sh = bitmap.Height();
  HDC dc = canvas.Handle();
  if (W <= 0 || H <= 0 || sw == 0 || sh == 0 || !dc) return;
  bitmap.Flush();
  const int hw = sw / 2, hh = sh / 2;
  const int x0 = rect.left, y0 = rect.top;

  // The corners: each the smaller of its source and its share of the target, never negative.
  auto size = [](int a, int b) { return std::max(0, std::min(a, b)); };
  const int tlw = size(hw, W / 2), tlh = size(hh, H / 2);
  const int blw = size(hw, W / 2), blh = size(hh - 1, H / 2 - 1);
  const int trw = size(hw - 1, W / 2 - 1), trh = size(hh, H / 2);
  const int brw = size(hw - 1, W / 2 - 1), brh = size(hh - 1, H / 2 - 1);
  const RECT TL{x0, y0, x0 + tlw, y0 + tlh};
  const RECT BL{x0, rect.bottom - blh, x0 + blw, rect.bottom};
  const RECT TR{rect.right - trw, y0, rect.right, y0 + trh};
  const RECT BR{rect.right - brw, rect.bottom - brh, rect.right, rect.bottom};
  Blit(dc, TL, bitmap, {0, 0, tlw, tlh}, masked);
  Blit(dc, BL, bitmap, {0, sh - blh, blw, sh}, masked);
  Blit(dc, TR, bitmap, {sw - trw, 0, sw, trh}, masked);
  Blit(dc, BR, bitmap, {sw - brw, sh - brh, sw, sh}, masked);

  // Edges and centre go through a bitmap of the target's size that starts all magenta, so where
  // they leave a gap the corners (or what lies under them) show.
  TBitmap middle(W, H);
  middle.Canvas().Brush().SetColor(kSkinMaskColor);
  middle.Canvas().FillRect({0, 0, W, H});
  HDC m = middle.Canvas().Handle();
  auto local = [&](RECT r) { return RECT{r.left - x0, r.top - y0, r.right - x0, r.bottom - y0}; };
  const RECT tl = local(TL), bl = local(BL), tr = local(TR), br = local(BR);
  // Left edge: when narrower than the source, its left part.
  const RECT left{0, tl.bottom, tl.right, bl.top};
  Blit(m, left, bitmap, {0, hh, std::min(hw, Width(left)), sh - hh}, false);
  // Right edge: its right part.
  const RECT right{tr.left, tr.bottom, tr.right, br.top};
  Blit(m, right, bitmap, {sw - std::min(hw - 1, Width(right)), sh - hh, sw, hh + 2}, false);
  // Top edge: its top part.
  const RECT top{tl.right, 0, tr.left, tl.bottom};
  Blit(m, top, bitmap, {hw, 0, sw - hw + 1, std::min(hh, Height(top))}, false);
  const RECT centre{tl.right, tl.bottom, tr.left, br.top - 1};
  Blit(m, centre, bitmap, {hw, hh, sw - hw + 1, sh - hh}, false);
  // Bottom edge: its bottom part.
  const RECT bottom{tl.right - 1, bl.top - 1, br.left, br.bottom};
  Blit(m, bottom, bitmap, {hw, sh - std::min(hh, Height(bottom)), sw - hw + 1, sh}, false);
  middle.Flush();
  TransparentBlt(dc, x0, y0, W, H, m, 0, 0, W, H, kSkinMaskColor);
}

bool PtInRectInclusive(POINT point, const RECT& rect) {
  return point.x >= rect.left && point.x <= rect.right && point.y >= rect.top && point.y <= rect.bottom;
}

}  // namespace quendrel::skin
