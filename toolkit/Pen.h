// TPen: colour, width, style and raster mode of the lines a canvas draws; owns its HPEN.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/Color.h"
#include "toolkit/GdiHandles.h"

namespace quendrel::toolkit {

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen {
 public:
  TPen() = default;
  TPen(const TPen& other) : color_(other.color_), width_(other.width_), style_(other.style_), mode_(other.mode_) {}
  TPen& operator=(const TPen& other) {
    Assign(other);
    return *this;
  }
  void Assign(const TPen& other);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);
  // The R2_ code for SetROP2.
  int Rop2() const;

  // Created on first use, owned by the pen; a change replaces it (after OnChange has run).
  HPEN Handle() const;

  std::function<void(TPen&)> OnChange;

 private:
  void Changed(bool handleChanges);

  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = TPenStyle::psSolid;
  TPenMode mode_ = TPenMode::pmCopy;
  mutable PenHandle handle_;
};

}  // namespace quendrel::toolkit
