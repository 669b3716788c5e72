// Flicker-free painting: a picture is put together off screen and reaches the window in one copy.
#pragma once

#include <windows.h>

#include <functional>

namespace quendrel::toolkit {

class TBitmap;
class TCanvas;

// Paints area of dc (in dc's logical coordinates) through an off-screen buffer of that size: paint
// draws on the buffer's DC with dc's coordinates, then one copy puts the result on dc. Pixels
// outside area are not drawn. Without memory for the buffer, paint draws on dc itself, rather than
// not at all.
void PaintBuffered(HDC dc, const RECT& area, const std::function<void(HDC)>& paint);

// The same for a control's Paint: the part of bounds (its client area) that target's clip box (the
// update rectangle) leaves, drawn by paint on a canvas of its own (a fresh canvas: no pen, brush or
// font carried over).
void PaintBuffered(TCanvas& target, const RECT& bounds, const std::function<void(TCanvas&)>& paint);

// The same picture whole into bitmap, sized width x height (at least 1 x 1): what a control that
// paints this way shows, for tests and for work out of sight.
void PaintToBitmap(TBitmap& bitmap, int width, int height, const std::function<void(TCanvas&)>& paint);

}  // namespace quendrel::toolkit
