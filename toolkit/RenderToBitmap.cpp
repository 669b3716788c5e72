#include "toolkit/RenderToBitmap.h"

#include <algorithm>
#include <cstdlib>

#include "toolkit/Control.h"
#include "toolkit/GdiHandles.h"

namespace quendrel::toolkit {

namespace {

// The window's own client area, then its children at their places. Children are walked here for
// both methods: Wine's WM_PRINT leaves them out, and a hidden form must still show its visible
// children (so the WS_VISIBLE style counts, not IsWindowVisible).
void Render(HWND window, HDC dc, TRenderMethod method) {
  if (method == TRenderMethod::kPrint) {
    SavedDCState saved(dc);
    SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  } else {
    {
      SavedDCState saved(dc);
      SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    }
    SavedDCState saved(dc);
    SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
  HWND child = GetWindow(window, GW_CHILD);
  if (!child) return;
  // Bottom of the Z order first, so the topmost child ends up on top.
  for (HWND last = GetWindow(child, GW_HWNDLAST); last; last = GetWindow(last, GW_HWNDPREV)) {
    if (!(GetWindowLongA(last, GWL_STYLE) & WS_VISIBLE)) continue;
    RECT client{};
    GetClientRect(last, &client);
    POINT origin{0, 0};
    MapWindowPoints(last, window, &origin, 1);
    SavedDCState saved(dc);
    POINT previous{};
    GetViewportOrgEx(dc, &previous);
    SetViewportOrgEx(dc, previous.x + origin.x, previous.y + origin.y, nullptr);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    Render(last, dc, method);
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
  Render(window, dc, method);
  bitmap.Flush();
  return true;
}

bool RenderControl(TControl& control, TBitmap& bitmap, TRenderMethod method) {
  if (auto* windowed = dynamic_cast<TWinControl*>(&control)) return RenderWindow(windowed->Handle(), bitmap, method);
  TWinControl* parent = control.Parent();
  if (!parent || control.Width() <= 0 || control.Height() <= 0) return false;
  TBitmap whole;
  if (!RenderWindow(parent->Handle(), whole, method)) return false;
  const RECT bounds = control.BoundsRect();
  bitmap.SetSize(0, 0);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetSize(control.Width(), control.Height());
  bitmap.Canvas().SetCopyMode(SRCCOPY);
  bitmap.Canvas().CopyRect({0, 0, control.Width(), control.Height()}, whole.Canvas(), bounds);
  bitmap.Flush();
  return true;
}

bool CopyScreen(const RECT& area, TBitmap& bitmap) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  bitmap.SetSize(0, 0);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetSize(width, height);
  const WindowDC screen;
  HDC dc = bitmap.Canvas().Handle();
  const bool ok = dc && BitBlt(dc, 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
  bitmap.Flush();
  return ok;
}

bool RenderWholeWindow(HWND window, TBitmap& bitmap, bool fromScreen) {
  RECT bounds{};
  if (!window || !IsWindow(window) || !GetWindowRect(window, &bounds)) return false;
  if (fromScreen) return CopyScreen(bounds, bitmap);
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return false;
  bitmap.SetSize(0, 0);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetSize(width, height);
  HDC dc = bitmap.Canvas().Handle();
  const bool ok = dc && PrintWindow(window, dc, 0);
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
