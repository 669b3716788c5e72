#include "toolkit/Label.h"

#include "toolkit/GdiHandles.h"
#include "toolkit/Properties.h"

namespace quendrel::toolkit {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  width_ = 65;
  height_ = 13;
  parentColor_ = true;
}

const TPropertyList& TLabel::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l = TControl::ClassProperties();
    using C = TLabel;
    l.String<C>("Caption", [](const C& c) { return c.Caption(); },
                [](C& c, const std::string& v) { c.SetCaption(v); });
    l.Boolean<C>("AutoSize", [](const C& c) { return c.AutoSize(); }, [](C& c, auto v) { c.SetAutoSize(v != 0); });
    l.Boolean<C>("WordWrap", [](const C& c) { return c.WordWrap(); }, [](C& c, auto v) { c.SetWordWrap(v != 0); });
    l.Boolean<C>("Transparent", [](const C& c) { return c.Transparent(); },
                 [](C& c, auto v) { c.SetTransparent(v != 0); });
    l.Enum<C>("Layout", "TTextLayout", [](const C& c) { return c.Layout(); },
              [](C& c, auto v) { c.SetLayout(static_cast<TTextLayout>(v)); });
    l.Enum<C>("Alignment", "TAlignment", [](const C& c) { return c.Alignment(); },
              [](C& c, auto v) { c.SetAlignment(static_cast<TAlignment>(v)); });
    l.Boolean<C>("ShowAccelChar", [](const C& c) { return c.ShowAccelChar(); },
                 [](C& c, auto v) { c.SetShowAccelChar(v != 0); });
    return l;
  }();
  return list;
}

void TLabel::SetAutoSize(bool value) {
  autoSize_ = value;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool value) {
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool value) {
  transparent_ = value;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout value) {
  layout_ = value;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
  showAccelChar_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::SizeChanged() {
  TGraphicControl::SizeChanged();
  if (autoSize_ && wordWrap_ && width_ != fittedWidth_) AdjustBounds();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

UINT TLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS;
  flags |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || Loading()) return;
  RECT rect{0, 0, wordWrap_ ? width_ : 0, 0};
  {
    const WindowDC screen;
    const SelectGuard font(screen.Get(), font_.Handle());
    // An empty caption still takes one line, so an empty label does not collapse.
    const std::string text = text_.empty() ? std::string(" ") : text_;
    DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &rect, TextFlags() | DT_CALCRECT);
  }
  int left = left_;
  const int newWidth = wordWrap_ ? width_ : rect.right;
  fittedWidth_ = newWidth;
  // Right-aligned text keeps its right edge, centred text its centre.
  if (!wordWrap_ && alignment_ == taRightJustify) left += width_ - newWidth;
  if (!wordWrap_ && alignment_ == taCenter) left += (width_ - newWidth) / 2;
  SetBounds(left, top_, newWidth, rect.bottom);
}

void TLabel::Paint() {
  TCanvas& canvas = Canvas();
  const RECT client = ClientRect();
  if (!transparent_) {
    canvas.Brush().SetColor(color_);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.FillRect(client);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  UINT flags = TextFlags();
  flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  RECT rect = client;
  if (layout_ != tlTop) {
    RECT measured = client;
    canvas.DrawText(text_, measured, flags | DT_CALCRECT);
    const int textHeight = measured.bottom - measured.top;
    const int space = (client.bottom - client.top) - textHeight;
    rect.top += layout_ == tlBottom ? space : space / 2;
  }
  if (!enabled_) {
    // Disabled text: an embossed highlight under grey, as system labels look.
    RECT shadow = rect;
    OffsetRect(&shadow, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(text_, shadow, flags);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.DrawText(text_, rect, flags);
}

}  // namespace quendrel::toolkit
