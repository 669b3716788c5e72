#include "toolkit/Brush.h"

namespace quendrel::toolkit {

void TBrush::Assign(const TBrush& other) {
  if (this == &other) return;
  color_ = other.color_;
  style_ = other.style_;
  Changed();
}

void TBrush::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  // Delphi habit kept: giving a clear brush a colour makes it solid again.
  if (style_ == TBrushStyle::bsClear) style_ = TBrushStyle::bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

HBRUSH TBrush::Handle() const {
  if (style_ == TBrushStyle::bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!handle_) {
    LOGBRUSH lb{};
    lb.lbColor = ColorToRGB(color_);
    if (style_ == TBrushStyle::bsSolid) {
      lb.lbStyle = BS_SOLID;
    } else {
      static constexpr int kHatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS,
                                         HS_DIAGCROSS};
      lb.lbStyle = BS_HATCHED;
      lb.lbHatch = kHatches[static_cast<int>(style_) - static_cast<int>(TBrushStyle::bsHorizontal)];
    }
    handle_.Reset(CreateBrushIndirect(&lb));
  }
  return handle_.Get();
}

void TBrush::Changed() {
  // Deleted only after OnChange: a canvas may still have it selected.
  BrushHandle old(handle_.Release());
  if (OnChange) OnChange(*this);
}

}  // namespace quendrel::toolkit
