#include "toolkit/BufferedPaint.h"

#include <algorithm>

#include "toolkit/Bitmap.h"
#include "toolkit/Canvas.h"
#include "toolkit/GdiHandles.h"

namespace quendrel::toolkit {

void PaintBuffered(HDC dc, const RECT& area, const std::function<void(HDC)>& paint) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  MemoryDC buffer(dc);
  BitmapHandle bitmap(CreateCompatibleBitmap(dc, width, height));
  if (!buffer.Get() || !bitmap) {
    paint(dc);
    return;
  }
  SelectGuard select(buffer.Get(), bitmap.Get());
  SetViewportOrgEx(buffer.Get(), -area.left, -area.top, nullptr);
  paint(buffer.Get());
  SetViewportOrgEx(buffer.Get(), 0, 0, nullptr);
  BitBlt(dc, area.left, area.top, width, height, buffer.Get(), 0, 0, SRCCOPY);
}

void PaintBuffered(TCanvas& target, const RECT& bounds, const std::function<void(TCanvas&)>& paint) {
  const RECT clip = target.ClipRect();
  RECT area;
  if (!IntersectRect(&area, &clip, &bounds)) return;
  PaintBuffered(target.Handle(), area, [&paint](HDC dc) {
    TCanvas canvas(dc);
    paint(canvas);
  });
}

void PaintToBitmap(TBitmap& bitmap, int width, int height, const std::function<void(TCanvas&)>& paint) {
  bitmap.SetSize(std::max(width, 1), std::max(height, 1));
  paint(bitmap.Canvas());
  bitmap.Flush();
}

}  // namespace quendrel::toolkit
