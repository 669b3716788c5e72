#include "toolkit/GraphicControl.h"

namespace quendrel::toolkit {

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TCanvas>()) {}

void TGraphicControl::PaintControl(HDC dc) {
  CanvasHandleScope scope(*canvas_, dc);
  canvas_->SetFont(font_);
  Paint();
}

}  // namespace quendrel::toolkit
