// TGraphicControl: a control without a window, painted by its parent.
#pragma once

#include <memory>

#include "toolkit/Canvas.h"
#include "toolkit/Control.h"

namespace quendrel::toolkit {

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* owner);
  std::string ClassName() const override { return "TGraphicControl"; }

  // Valid while Paint runs: the parent's DC, origin at this control's top-left.
  TCanvas& Canvas() { return *canvas_; }

protected:
  virtual void Paint() {}
  void PaintControl(HDC dc) override;

private:
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace quendrel::toolkit
