// New bounds of a registered control from its record and its owner's client size now.
#pragma once

#include <cstdint>

#include "sizing/Extents.h"
#include "sizing/ScalerTypes.h"

namespace quendrel::sizing {

// The toolkit's alignment and anchor values, same order and bits (the window side converts).
enum class BoundsAlign { None, Top, Bottom, Left, Right, Client, Custom };
enum BoundsAnchor : unsigned { kAnchorLeft = 1, kAnchorTop = 2, kAnchorRight = 4, kAnchorBottom = 8 };

struct BoundsRectI {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  friend bool operator==(const BoundsRectI&, const BoundsRectI&) = default;
};

struct BoundsInput {
  BoundsRectI Current;  // the control's bounds now: what a bound not rescaled keeps
  BoundsAlign Align = BoundsAlign::None;
  unsigned Anchors = kAnchorLeft | kAnchorTop;
  SizeI OwnerClient;  // the form's client size now
};

// Top and height follow the owner's client height, left and width its client width, each from the
// recorded value over the recorded owner size. A bound stays as it is when the alignment owns it,
// when its anchor holds it (amHonorAnchors only), or when the size it would be divided by was
// recorded as 0. The recorded client size becomes the new outer size.
BoundsRectI ScaledBounds(const BoundsInput& in, const TControlExtents& record, TAnchorMode mode);

// A recorded bitmap's new size: the control's outer size now times the bitmap's recorded size over
// the control's recorded client size. Always from the recorded sizes, so passes do not drift; an
// axis recorded at 0 keeps the bitmap's current size on that axis.
SizeI ScaledBitmapSize(SizeI controlNow, const TControlExtents& record, const TPropertyExtents& bitmap,
                       SizeI bitmapNow);

}  // namespace quendrel::sizing
