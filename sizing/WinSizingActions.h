// The sizing actions that touch windows, bitmaps and fonts: a control's bounds, its bitmaps, its fonts.
#pragma once

#include "sizing/SizingActions.h"
#include "toolkit/Control.h"

namespace quendrel::sizing {

// Every control's bounds, then the fonts and bitmaps it publishes.
class TWinControlSizingAction : public TCustomSizingAction {
public:
  void ApplySizing(toolkit::TComponent& component, TControlExtents& record, SizerContext& sizer) override;
  virtual void ApplyBounds(toolkit::TControl& control, const TControlExtents& record, SizerContext& sizer);
};

class TBitmapSizingAction : public TCustomSizingAction {
public:
  void StoreOriginal(toolkit::TComponent& owning, const toolkit::TObjectRef& object,
                     TPropertyExtents& extents) override;
  void ApplySizing(toolkit::TComponent& component, TControlExtents& record, SizerContext& sizer) override;
};

class TFontSizingAction : public TCustomSizingAction {
public:
  void StoreOriginal(toolkit::TComponent& owning, const toolkit::TObjectRef& object,
                     TPropertyExtents& extents) override;
  void ApplySizing(toolkit::TComponent& component, TControlExtents& record, SizerContext& sizer) override;
};

// The three entries every scaler starts with: "TWinControl", "TBitmap", "TFont", in that order.
void RegisterStandardSizingActions(SizingActionRegistry& registry);

}  // namespace quendrel::sizing
