#include "toolkit/Pen.h"

namespace quendrel::toolkit {

void TPen::Assign(const TPen& other) {
  if (this == &other) return;
  color_ = other.color_;
  width_ = other.width_;
  style_ = other.style_;
  mode_ = other.mode_;
  Changed(true);
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed(true);
}

void TPen::SetWidth(int width) {
  if (width < 0 || width == width_) return;
  width_ = width;
  Changed(true);
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed(true);
}

void TPen::SetMode(TPenMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  Changed(false);
}

int TPen::Rop2() const {
  static constexpr int kCodes[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                   R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                   R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                   R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
  return kCodes[static_cast<int>(mode_)];
}

HPEN TPen::Handle() const {
  if (!handle_) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL,
                                      PS_INSIDEFRAME};
    handle_.Reset(CreatePen(kStyles[static_cast<int>(style_)], width_, ColorToRGB(color_)));
  }
  return handle_.Get();
}

void TPen::Changed(bool handleChanges) {
  // The old pen may still be selected in a canvas: it is deleted only after OnChange let the
  // canvas put it back.
  PenHandle old(handleChanges ? handle_.Release() : nullptr);
  if (OnChange) OnChange(*this);
}

}  // namespace quendrel::toolkit
