#include "toolkit/Graphic.h"

namespace quendrel::toolkit {

void TGraphic::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Changed();
}

void TGraphic::Changed() {
  if (OnChange) OnChange(*this);
}

}  // namespace quendrel::toolkit
