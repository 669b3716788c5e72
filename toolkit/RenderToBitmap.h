// Rendering windows into bitmaps and looking at the pixels: painting is checked on pixels, in tests
// and demos alike.
#pragma once

#include <windows.h>

#include <optional>

#include "toolkit/Bitmap.h"
#include "toolkit/Color.h"

namespace quendrel::toolkit {

class TControl;

enum class TRenderMethod {
  // WM_PRINT with PRF_CLIENT | PRF_ERASEBKGND (the window's class answers WM_PRINTCLIENT).
  kPrint,
  // WM_ERASEBKGND and WM_PAINT with the DC as wParam: the way controls paint their parent's
  // background into their own DC.
  kPaintWithDC,
};

// The client area of window, then each child window with WS_VISIBLE at its place, into bitmap, sized to the client area, 24-bit.
// False when the window is not there or has an empty client area.
bool RenderWindow(HWND window, TBitmap& bitmap, TRenderMethod method = TRenderMethod::kPrint);
// A control as it shows on screen: a windowed control through its window (with its children), a
// graphic control by rendering its parent and cutting out the control's bounds. False for a
// graphic control without a parent.
bool RenderControl(TControl& control, TBitmap& bitmap, TRenderMethod method = TRenderMethod::kPaintWithDC);
// What the screen shows in area (screen coordinates), 24-bit. False for an empty area.
bool CopyScreen(const RECT& area, TBitmap& bitmap);
// The whole window, frame included (PrintWindow); fromScreen: copied from the screen instead, as it
// shows there, with the system controls that do not print under Wine.
bool RenderWholeWindow(HWND window, TBitmap& bitmap, bool fromScreen = false);

// Whether two colours differ by at most tolerance in each of red, green and blue.
bool NearColor(TColor a, TColor b, int tolerance = 0);
// -1 outside the bitmap.
inline TColor PixelAt(const TBitmap& bitmap, int x, int y) { return bitmap.PixelColor(x, y); }
// Pixels of color (within tolerance), in area when given (clipped to the bitmap).
int CountPixels(const TBitmap& bitmap, TColor color, int tolerance = 0, const RECT* area = nullptr);
// The smallest rectangle (right and bottom exclusive) holding every pixel of color; none if absent.
std::optional<RECT> ColorBounds(const TBitmap& bitmap, TColor color, int tolerance = 0);

}  // namespace quendrel::toolkit
