#include "skin/SkinCheckListBox.h"

#include "skin/SkinStateFrames.h"
#include "skin/SkinControls.h"
#include "toolkit/Bitmap.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/Properties.h"

namespace quendrel::skin {

using toolkit::TColor;
using toolkit::TMessage;

namespace {
constexpr int kCheckFrames = 4;
constexpr int kGlyphLeft = 2;  // the list's own box sits there
constexpr int kFallbackCheckSize = 13;
}  // namespace

TSkinCheckListBox::TSkinCheckListBox(toolkit::TComponent* owner) : TSkinStyled(owner) {
  SetFlat(true);
  SetBorderWidth(1);
  StyleChanged();
}

const toolkit::TPropertyList& TSkinCheckListBox::ClassProperties() {
  using C = TSkinCheckListBox;
  static const toolkit::TPropertyList list = [] {
    toolkit::TPropertyList l = TCheckListBox::ClassProperties();
    AddStyleProperties<C>(l);
    l.Integer<C>("BorderColor", [](const C& c) { return c.BorderColor(); },
                 [](C& c, std::int64_t v) { c.SetBorderColor(static_cast<TColor>(v)); }, "TColor");
    return l;
  }();
  return list;
}

void TSkinCheckListBox::CreateParams(toolkit::TCreateParams& params) {
  TCheckListBox::CreateParams(params);
  // A thin border of our own colour instead of the sunken edge.
  params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  params.Style |= WS_BORDER;
}

void TSkinCheckListBox::StyleChanged() {
  borderColor_ = GetThemeColor(Resolved(), FileTheme(), keys::ControlBorderColor);
  Invalidate();
  PaintBorder();
}

void TSkinCheckListBox::SetBorderColor(TColor value) {
  borderColor_ = value;
  PaintBorder();
}

void TSkinCheckListBox::FontChanged() {
  TCheckListBox::FontChanged();
  lineHeight_ = -1;
}

POINT TSkinCheckListBox::GlyphOrigin(const RECT& itemRect, int glyphHeight) {
  if (lineHeight_ < 0) {
    toolkit::TBitmap scratch(1, 1);
    scratch.Canvas().SetFont(font_);
    lineHeight_ = scratch.Canvas().TextExtent("W").cy;
  }
  // Small fonts leave the list's items a pixel short of where the glyph would centre.
  const int bottom = itemRect.bottom + (lineHeight_ < 12 ? 1 : 0);
  return POINT{itemRect.left + kGlyphLeft, itemRect.top + (bottom - itemRect.top - glyphHeight) / 2};
}

void TSkinCheckListBox::DrawCheck(HDC dc, const RECT& rect, toolkit::TCheckBoxState state, bool enabled) {
  const bool checked = state != toolkit::cbUnchecked;
  toolkit::TBitmap* glyph =
      frames_.Get(FileTheme(), UIStyle(), keys::CheckListBoxImage, kCheckFrames, CheckFrameIndex(checked, enabled));
  if (!glyph) {
    const POINT at = GlyphOrigin(rect, kFallbackCheckSize);
    DrawFallbackCheck(dc, at.x, at.y, kFallbackCheckSize, checked, enabled);
    return;
  }
  const POINT at = GlyphOrigin(rect, glyph->Height());
  BitBlt(dc, at.x, at.y, glyph->Width(), glyph->Height(), glyph->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinCheckListBox::PaintBorder() {
  if (!HandleAllocated()) return;
  RECT bounds;
  GetWindowRect(handle_, &bounds);
  toolkit::WholeWindowDC dc(handle_);
  if (!dc.Get()) return;
  toolkit::GdiObject<HBRUSH> brush(CreateSolidBrush(toolkit::ColorToRGB(borderColor_)));
  RECT frame{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
  FrameRect(dc.Get(), &frame, brush.Get());
}

void TSkinCheckListBox::WndProc(TMessage& message) {
  TCheckListBox::WndProc(message);
  switch (message.Msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      PaintBorder();
      break;
    default:
      break;
  }
}

}  // namespace quendrel::skin
