// TCustomControl: a windowed control that paints itself on a canvas.
#pragma once

#include <memory>

#include "toolkit/Canvas.h"
#include "toolkit/Control.h"

namespace quendrel::toolkit {

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner);
  std::string ClassName() const override { return "TCustomControl"; }

  // Valid while Paint runs (the paint DC); outside it, a canvas without a DC.
  TCanvas& Canvas() { return *canvas_; }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

private:
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace quendrel::toolkit
