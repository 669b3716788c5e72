#include "sizing/BoundsRule.h"

#include "sizing/ScaleMath.h"

namespace quendrel::sizing {
namespace {

bool AlignedIn(BoundsAlign align, std::initializer_list<BoundsAlign> allowed) {
  for (BoundsAlign a : allowed) {
    if (a == align) return true;
  }
  return false;
}

}  // namespace

BoundsRectI ScaledBounds(const BoundsInput& in, const TControlExtents& record, TAnchorMode mode) {
  using enum BoundsAlign;
  const bool honour = mode == amHonorAnchors;
  auto held = [&](unsigned anchor) { return honour && (in.Anchors & anchor) != 0; };
  const int32_t w = in.OwnerClient.Width;
  const int32_t h = in.OwnerClient.Height;

  BoundsRectI out = in.Current;
  if (!held(kAnchorTop) && AlignedIn(in.Align, {None, Bottom, Custom})) {
    out.Top = ScaleInt(h, record.Top, record.OwnerClientHeight).value_or(out.Top);
  }
  if (!held(kAnchorRight) && AlignedIn(in.Align, {None, Left, Right, Custom})) {
    out.Width = ScaleInt(w, record.ClientWidth, record.OwnerClientWidth).value_or(out.Width);
  }
  if (!held(kAnchorBottom) && AlignedIn(in.Align, {None, Top, Bottom, Custom})) {
    out.Height = ScaleInt(h, record.ClientHeight, record.OwnerClientHeight).value_or(out.Height);
  }
  if (!held(kAnchorLeft) && AlignedIn(in.Align, {None, Right, Custom})) {
    out.Left = ScaleInt(w, record.Left, record.OwnerClientWidth).value_or(out.Left);
  }
  return out;
}

SizeI ScaledBitmapSize(SizeI controlNow, const TControlExtents& record, const TPropertyExtents& bitmap,
                       SizeI bitmapNow) {
  return SizeI{
      ScaleInt(controlNow.Width, bitmap.OrigWidth, record.ClientWidth).value_or(bitmapNow.Width),
      ScaleInt(controlNow.Height, bitmap.OrigHeight, record.ClientHeight).value_or(bitmapNow.Height)};
}

}  // namespace quendrel::sizing
