#include "toolkit/Canvas.h"

#include <algorithm>
#include <climits>
#include <string>

#include "toolkit/Graphic.h"

namespace quendrel::toolkit {

namespace {

int ClampLength(size_t length) { return static_cast<int>(std::min<size_t>(length, INT_MAX)); }

}  // namespace

TCanvas::TCanvas() {
  font_.OnChange = [this](TFont&) {
    if (state_ & kFontSelected) {
      SelectObject(dc_, originalFont_);
      state_ &= ~kFontSelected;
    }
  };
  pen_.OnChange = [this](TPen&) {
    if (state_ & kPenSelected) {
      SelectObject(dc_, originalPen_);
      state_ &= ~kPenSelected;
    }
  };
  brush_.OnChange = [this](TBrush&) {
    if (state_ & kBrushSelected) {
      SelectObject(dc_, originalBrush_);
      state_ &= ~kBrushSelected;
    }
  };
}

TCanvas::TCanvas(HDC dc) : TCanvas() { dc_ = dc; }

TCanvas::~TCanvas() { DeselectHandles(); }

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  DeselectHandles();
  dc_ = dc;
}

void TCanvas::DeselectHandles() {
  if (!dc_) return;
  if (state_ & kPenSelected) SelectObject(dc_, originalPen_);
  if (state_ & kBrushSelected) SelectObject(dc_, originalBrush_);
  if (state_ & kFontSelected) SelectObject(dc_, originalFont_);
  state_ = 0;
}

void TCanvas::RequireState(unsigned wanted) {
  HDC dc = Handle();
  if (!dc) return;
  if ((wanted & kPenSelected) && !(state_ & kPenSelected)) {
    originalPen_ = SelectObject(dc, pen_.Handle());
    state_ |= kPenSelected;
  }
  if (wanted & kPenSelected) SetROP2(dc, pen_.Rop2());
  if ((wanted & kBrushSelected) && !(state_ & kBrushSelected)) {
    originalBrush_ = SelectObject(dc, brush_.Handle());
    state_ |= kBrushSelected;
  }
  if (wanted & kBrushSelected) {
    // Hatches are drawn on the brush colour's background like Delphi does.
    SetBkColor(dc, ColorToRGB(brush_.Color()));
    SetBkMode(dc, brush_.Style() == TBrushStyle::bsSolid ? OPAQUE : TRANSPARENT);
  }
  if ((wanted & kFontSelected) && !(state_ & kFontSelected)) {
    originalFont_ = SelectObject(dc, font_.Handle());
    state_ |= kFontSelected;
  }
  if (wanted & kFontSelected) SetTextColor(dc, ColorToRGB(font_.Color()));
}

POINT TCanvas::PenPos() {
  POINT p{};
  if (HDC dc = Handle()) GetCurrentPositionEx(dc, &p);
  return p;
}

RECT TCanvas::ClipRect() {
  RECT r{};
  if (HDC dc = Handle()) GetClipBox(dc, &r);
  return r;
}

void TCanvas::FillRect(const RECT& rect) {
  RequireState(kBrushSelected);
  if (dc_) ::FillRect(dc_, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
  RequireState(kBrushSelected);
  if (dc_) ::FrameRect(dc_, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  RequireState(kPenSelected | kBrushSelected);
  if (dc_) ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  RequireState(kPenSelected | kBrushSelected);
  if (dc_) ::RoundRect(dc_, left, top, right, bottom, cornerWidth, cornerHeight);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  RequireState(kPenSelected | kBrushSelected);
  if (dc_) ::Ellipse(dc_, left, top, right, bottom);
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  RequireState(kPenSelected);
  if (dc_) ::Arc(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::MoveTo(int x, int y) {
  if (HDC dc = Handle()) MoveToEx(dc, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  RequireState(kPenSelected | kBrushSelected);
  if (dc_) ::LineTo(dc_, x, y);
}

void TCanvas::Polyline(std::span<const POINT> points) {
  RequireState(kPenSelected | kBrushSelected);
  if (dc_ && !points.empty()) ::Polyline(dc_, points.data(), ClampLength(points.size()));
}

void TCanvas::Polygon(std::span<const POINT> points) {
  RequireState(kPenSelected | kBrushSelected);
  if (dc_ && !points.empty()) ::Polygon(dc_, points.data(), ClampLength(points.size()));
}

void TCanvas::DrawFocusRect(const RECT& rect) {
  RequireState(kBrushSelected);
  if (dc_) ::DrawFocusRect(dc_, &rect);
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  RequireState(kFontSelected | kBrushSelected);
  if (dc_) ::TextOutA(dc_, x, y, text.data(), ClampLength(text.size()));
}

void TCanvas::TextRect(const RECT& rect, int x, int y, std::string_view text) {
  RequireState(kFontSelected | kBrushSelected);
  if (!dc_) return;
  UINT options = ETO_CLIPPED;
  if (brush_.Style() != TBrushStyle::bsClear) options |= ETO_OPAQUE;
  ExtTextOutA(dc_, x, y, options, &rect, text.data(), static_cast<UINT>(ClampLength(text.size())), nullptr);
}

int TCanvas::DrawText(std::string_view text, RECT& rect, UINT flags) {
  RequireState(kFontSelected | kBrushSelected);
  if (!dc_) return 0;
  return ::DrawTextA(dc_, text.data(), ClampLength(text.size()), &rect, flags);
}

SIZE TCanvas::TextExtent(std::string_view text) {
  SIZE size{};
  RequireState(kFontSelected);
  if (dc_) GetTextExtentPoint32A(dc_, text.data(), ClampLength(text.size()), &size);
  return size;
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (graphic.Empty()) return;
  const RECT rect{x, y, x + graphic.Width(), y + graphic.Height()};
  graphic.Draw(*this, rect);
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic& graphic) {
  if (!graphic.Empty()) graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& srcRect) {
  HDC dc = Handle();
  HDC src = source.Handle();
  if (!dc || !src) return;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, src, srcRect.left,
             srcRect.top, srcRect.right - srcRect.left, srcRect.bottom - srcRect.top, copyMode_);
}

TColor TCanvas::Pixel(int x, int y) {
  HDC dc = Handle();
  return dc ? static_cast<TColor>(GetPixel(dc, x, y)) : static_cast<TColor>(CLR_INVALID);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (HDC dc = Handle()) ::SetPixel(dc, x, y, ColorToRGB(color));
}

int TCanvas::SaveState() {
  HDC dc = Handle();
  if (!dc) return 0;
  // Only the DC's own objects go into the saved state, so RestoreDC never revives one of ours.
  DeselectHandles();
  return SaveDC(dc);
}

void TCanvas::RestoreState(int state) {
  if (!dc_ || !state) return;
  // RestoreDC brings back the objects selected at SaveDC time; our bookkeeping must not outlive that.
  DeselectHandles();
  RestoreDC(dc_, state);
}

POINT TCanvas::ViewportOrg() {
  POINT p{};
  if (HDC dc = Handle()) GetViewportOrgEx(dc, &p);
  return p;
}

POINT TCanvas::SetViewportOrg(POINT origin) {
  POINT previous{};
  if (HDC dc = Handle()) SetViewportOrgEx(dc, origin.x, origin.y, &previous);
  return previous;
}

}  // namespace quendrel::toolkit
