#include "toolkit/RenderToBitmap.h"

#include <algorithm>
#include <cstdlib>

namespace quendrel::toolkit {

namespace {

void PaintWithDC(HWND window, HDC dc) {
  {
    SavedDCState saved(dc);
    SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  }
  {
    SavedDCState saved(dc);
    SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
  // Children in reverse Z order, so the topmost ends up on top.
  HWND child = GetWindow(window, GW_CHILD);
  if (!child) return;
  for (HWND last = GetWindow(child, GW_HWNDLAST); last; last = GetWindow(last, GW_HWNDPREV)) {
    if (!IsWindowVisible(last)) continue;
    RECT bounds{};
    GetWindowRect(last, &bounds);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bounds), 2);
    RECT client{};
    GetClientRect(last, &client);
    POINT clientOrigin{0, 0};
    ClientToScreen(last, &clientOrigin);
    ScreenToClient(window, &clientOrigin);
    SavedDCState saved(dc);
    POINT previous{};
    GetViewportOrgEx(dc, &previous);
    SetViewportOrgEx(dc, previous.x + clientOrigin.x, previous.y + clientOrigin.y, nullptr);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    PaintWithDC(last, dc);
  }
}

}  // namespace

bool RenderWindow(HWND window, TBitmap& bitmap, TRenderMethod method) {
  RECT client{};
  if (!window || !IsWindow(window) || !GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
    return false;
  bitmap.SetSize(0, 0);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetSize(client.right, client.bottom);
  HDC dc = bitmap.Canvas().Handle();
  if (!dc) return false;
  if (method == TRenderMethod::kPrint) {
    SavedDCState saved(dc);
    SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
  } else {
    PaintWithDC(window, dc);
  }
  bitmap.Flush();
  return true;
}

bool RenderWholeWindow(HWND window, TBitmap& bitmap) {
  RECT bounds{};
  if (!window || !IsWindow(window) || !GetWindowRect(window, &bounds)) return false;
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return false;
  bitmap.SetSize(0, 0);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetSize(width, height);
  HDC dc = bitmap.Canvas().Handle();
  if (!dc) return false;
  const bool ok = PrintWindow(window, dc, 0) != FALSE;
  bitmap.Flush();
  return ok;
}

bool NearColor(TColor a, TColor b, int tolerance) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance && std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

int CountPixels(const TBitmap& bitmap, TColor color, int tolerance, const RECT* area) {
  RECT r{0, 0, bitmap.Width(), bitmap.Height()};
  if (area) {
    r.left = std::max(r.left, area->left);
    r.top = std::max(r.top, area->top);
    r.right = std::min(r.right, area->right);
    r.bottom = std::min(r.bottom, area->bottom);
  }
  bitmap.Flush();
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (NearColor(bitmap.PixelColor(x, y), color, tolerance)) ++count;
  return count;
}

std::optional<RECT> ColorBounds(const TBitmap& bitmap, TColor color, int tolerance) {
  bitmap.Flush();
  RECT bounds{bitmap.Width(), bitmap.Height(), 0, 0};
  bool found = false;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (!NearColor(bitmap.PixelColor(x, y), color, tolerance)) continue;
      found = true;
      bounds.left = std::min<LONG>(bounds.left, x);
      bounds.top = std::min<LONG>(bounds.top, y);
      bounds.right = std::max<LONG>(bounds.right, x + 1);
      bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
    }
  }
  if (!found) return std::nullopt;
  return bounds;
}

}  // namespace quendrel::toolkit
