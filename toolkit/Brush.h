// TBrush: colour and hatch of the areas a canvas fills; owns its HBRUSH.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/Color.h"
#include "toolkit/GdiHandles.h"

namespace quendrel::toolkit {

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush {
 public:
  TBrush() = default;
  TBrush(const TBrush& other) : color_(other.color_), style_(other.style_) {}
  TBrush& operator=(const TBrush& other) {
    Assign(other);
    return *this;
  }
  void Assign(const TBrush& other);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);

  // Created on first use, owned by the brush (bsClear gives the stock hollow brush).
  HBRUSH Handle() const;

  std::function<void(TBrush&)> OnChange;

 private:
  void Changed();

  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
  mutable BrushHandle handle_;
};

}  // namespace quendrel::toolkit
