#include "toolkit/Panel.h"

#include "toolkit/Properties.h"

namespace quendrel::toolkit {
namespace {

void Bevel(HDC dc, RECT& rect, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  const COLORREF topLeft = GetSysColor(cut == bvRaised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
  const COLORREF bottomRight = GetSysColor(cut == bvRaised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  for (int i = 0; i < width; ++i) {
    BrushHandle light(CreateSolidBrush(topLeft));
    BrushHandle dark(CreateSolidBrush(bottomRight));
    RECT top{rect.left, rect.top, rect.right, rect.top + 1};
    RECT left{rect.left, rect.top, rect.left + 1, rect.bottom};
    RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom};
    RECT right{rect.right - 1, rect.top, rect.right, rect.bottom};
    FillRect(dc, &top, light.Get());
    FillRect(dc, &left, light.Get());
    FillRect(dc, &bottom, dark.Get());
    FillRect(dc, &right, dark.Get());
    InflateRect(&rect, -1, -1);
  }
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  width_ = 185;
  height_ = 41;
}

const TPropertyList& TCustomPanel::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TWinControl::ClassProperties();
    using C = TCustomPanel;
    l.String<C>("Caption", [](const C& c) { return c.Caption(); },
                [](C& c, const std::string& v) { c.SetCaption(v); });
    l.Enum<C>("BevelOuter", "TBevelCut", [](const C& c) { return c.BevelOuter(); },
              [](C& c, auto v) { c.SetBevelOuter(static_cast<TBevelCut>(v)); });
    l.Enum<C>("BevelInner", "TBevelCut", [](const C& c) { return c.BevelInner(); },
              [](C& c, auto v) { c.SetBevelInner(static_cast<TBevelCut>(v)); });
    l.Integer<C>("BevelWidth", [](const C& c) { return c.BevelWidth(); },
                 [](C& c, auto v) { c.SetBevelWidth(int(v)); });
    l.Integer<C>("BorderWidth", [](const C& c) { return c.BorderWidth(); },
                 [](C& c, auto v) { c.SetBorderWidth(int(v)); });
    return l;
  }();
  return list;
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  bevelOuter_ = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  bevelInner_ = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
  bevelWidth_ = value < 1 ? 1 : value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Invalidate();
}

int TCustomPanel::BevelSpace() const {
  return (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

RECT TCustomPanel::AlignRect() const {
  RECT rect = TCustomControl::AlignRect();
  InflateRect(&rect, -BevelSpace(), -BevelSpace());
  return rect;
}

void TCustomPanel::Paint() {
  HDC dc = Canvas().Handle();
  RECT rect = ClientRect();
  Bevel(dc, rect, bevelOuter_, bevelWidth_);
  InflateRect(&rect, -borderWidth_, -borderWidth_);
  Bevel(dc, rect, bevelInner_, bevelWidth_);
  if (text_.empty()) return;
  Canvas().Brush().SetStyle(TBrushStyle::bsClear);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  Canvas().DrawText(text_, rect, flags);
}

}  // namespace quendrel::toolkit
