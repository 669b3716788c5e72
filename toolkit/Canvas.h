// TCanvas: drawing on a device context with a pen, a brush and a font.
// The DC is not owned unless a subclass makes it (CreateHandle); whatever the canvas selects into the
// DC is put back before the DC is let go, so the DC leaves in the state it came in.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "toolkit/Brush.h"
#include "toolkit/Font.h"
#include "toolkit/Pen.h"

// The toolkit's names win over <windows.h>'s A/W macros; the ANSI functions are called by full name.
#undef TextOut
#undef DrawText

namespace quendrel::toolkit {

class TGraphic;

class TCanvas {
 public:
  TCanvas();
  explicit TCanvas(HDC dc);  // dc not owned
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The DC, made by CreateHandle when there is none yet (null for a plain canvas without DC).
  HDC Handle();
  // Puts back what was selected into the old DC, then draws on dc (not owned) from now on.
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont& Font() { return font_; }
  void SetFont(const TFont& font) { font_.Assign(font); }
  TPen& Pen() { return pen_; }
  void SetPen(const TPen& pen) { pen_.Assign(pen); }
  TBrush& Brush() { return brush_; }
  void SetBrush(const TBrush& brush) { brush_.Assign(brush); }
  // Raster operation of Draw, StretchDraw and CopyRect (SRCCOPY by default).
  DWORD CopyMode() const { return copyMode_; }
  void SetCopyMode(DWORD rop) { copyMode_ = rop; }

  POINT PenPos();
  void SetPenPos(POINT p) { MoveTo(p.x, p.y); }
  RECT ClipRect();

  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void Ellipse(int left, int top, int right, int bottom);
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(std::span<const POINT> points);
  void Polygon(std::span<const POINT> points);
  void DrawFocusRect(const RECT& rect);

  void TextOut(int x, int y, std::string_view text);
  // Text clipped to rect, its top-left at (x, y); the brush fills rect first unless bsClear.
  void TextRect(const RECT& rect, int x, int y, std::string_view text);
  // DrawTextA with the canvas's font; rect may be updated (DT_CALCRECT). Returns the text height.
  int DrawText(std::string_view text, RECT& rect, UINT flags);
  SIZE TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }

  void Draw(int x, int y, TGraphic& graphic);
  void StretchDraw(const RECT& rect, TGraphic& graphic);
  // Copies source's srcRect into dest, stretched, with CopyMode.
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& srcRect);

  // -1 (CLR_INVALID) outside the DC's clip area.
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

  // SaveDC/RestoreDC; selections made by the canvas are given back first, as RestoreDC would undo them.
  int SaveState();
  void RestoreState(int state);
  POINT ViewportOrg();
  POINT SetViewportOrg(POINT origin);  // returns the previous origin

 protected:
  // Subclasses that own their DC create it here and hand it over with SetHandle.
  virtual void CreateHandle() {}
  // Gives back all selections (used before a subclass frees its DC).
  void DeselectHandles();

 private:
  enum State : unsigned { kPenSelected = 1, kBrushSelected = 2, kFontSelected = 4 };
  void RequireState(unsigned state);

  HDC dc_ = nullptr;
  unsigned state_ = 0;
  HGDIOBJ originalPen_ = nullptr;
  HGDIOBJ originalBrush_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  DWORD copyMode_ = SRCCOPY;
};

// Lends a DC to a canvas for one scope (e.g. between BeginPaint and EndPaint) and takes it back.
class CanvasHandleScope {
 public:
  CanvasHandleScope(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.SetHandle(dc); }
  ~CanvasHandleScope() { canvas_.SetHandle(nullptr); }
  CanvasHandleScope(const CanvasHandleScope&) = delete;
  CanvasHandleScope& operator=(const CanvasHandleScope&) = delete;

 private:
  TCanvas& canvas_;
};

}  // namespace quendrel::toolkit
