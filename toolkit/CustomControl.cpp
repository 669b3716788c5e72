#include "toolkit/CustomControl.h"

namespace quendrel::toolkit {

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TCanvas>()) {}

void TCustomControl::PaintWindow(HDC dc) {
  CanvasHandleScope scope(*canvas_, dc);
  canvas_->SetFont(font_);
  Paint();
}

}  // namespace quendrel::toolkit
