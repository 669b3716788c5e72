// The sizing actions that touch windows, bitmaps and fonts: a control's bounds, its bitmaps, its fonts.
#pragma once

#include <string_view>

#include "sizing/SizingActions.h"
#include "toolkit/Control.h"
#include "toolkit/Properties.h"

namespace quendrel::sizing {

// The T a component holds in a published property; none when the property holds no T.
template <class T>
T* PropertyObject(toolkit::TComponent& c, std::string_view propName) {
  const toolkit::TPropInfo* info = toolkit::GetPropInfo(c, propName);
  if (info == nullptr || !info->GetObj) return nullptr;
  return info->GetObj(c).template As<T>();
}

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
