// Sizing actions: small strategies that record and rescale one kind of thing (a control's bounds,
// its bitmaps, its fonts), found by the class name of what they size. The recording walk over a
// component's published properties lives here; what touches windows, fonts and bitmaps is the
// window side's (it derives the concrete actions).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sizing/Extents.h"
#include "sizing/ScalerTypes.h"
#include "toolkit/Component.h"
#include "toolkit/Properties.h"

namespace quendrel::sizing {

class SizingActionRegistry;

// What an action reads from the scaler that calls it.
class SizerContext {
public:
  virtual TAnchorMode AnchorMode() const = 0;
  virtual bool StretchImages() const = 0;
  virtual bool StretchFonts() const = 0;
  virtual TProcessFonts ProcessFonts() const = 0;
  virtual FontCache& Fonts() = 0;
  virtual const SizingActionRegistry& Actions() const = 0;
  // Gives the message loop a turn (painting and input go on during long passes).
  virtual void ProcessMessages() {}

protected:
  ~SizerContext() = default;
};

// One instance is made for one call and dropped after it; it keeps nothing between calls.
class TCustomSizingAction {
public:
  TCustomSizingAction() = default;
  virtual ~TCustomSizingAction() = default;
  TCustomSizingAction(const TCustomSizingAction&) = delete;
  TCustomSizingAction& operator=(const TCustomSizingAction&) = delete;

  // Records the original size of `object` (the value of a class-typed property) in `extents`.
  virtual void StoreOriginal(toolkit::TComponent& owning, const toolkit::TObjectRef& object,
                             TPropertyExtents& extents);
  virtual void ApplySizing(toolkit::TComponent& component, TControlExtents& record, SizerContext& sizer) = 0;
  // Records one class-typed property, unless it is empty or already recorded.
  virtual void StoreProperty(toolkit::TComponent& instance, TControlExtents& record,
                             const toolkit::TPropInfo& prop);
  // Records every class-typed property (by name order) for which an action is registered.
  virtual void StoreProperties(toolkit::TComponent& component, TControlExtents& record, SizerContext& sizer);

  // The property the action was called for (set by the bounds action before it delegates).
  const toolkit::TPropInfo* PropInfo = nullptr;

protected:
  // Hands each class-typed property with a registered action to that action's ApplySizing.
  void ApplyPropertyActions(toolkit::TComponent& component, TControlExtents& record, SizerContext& sizer);
};

using SizingActionFactory = std::function<std::unique_ptr<TCustomSizingAction>()>;
// Whether an instance belongs to an entry's target class (that class or a descendant).
using SizingTarget = std::function<bool(const toolkit::TObjectRef& instance)>;

template <class T>
SizingTarget TargetClass() {
  return [](const toolkit::TObjectRef& instance) { return instance.As<T>() != nullptr; };
}

// Class name → action, in registration order. Each scaler holds one (no process-wide list).
class SizingActionRegistry {
public:
  struct Entry {
    std::string ClassName;
    SizingTarget Target;
    SizingActionFactory Create;
  };

  void RegisterSizingAction(std::string className, SizingTarget target, SizingActionFactory create);
  // Removes the entry of that class name (letter case ignored); false when there is none.
  bool UnregisterSizingAction(std::string_view className);
  // The first entry of that name (letter case ignored) whose target class the instance belongs to.
  const Entry* FindSizingAction(std::string_view className, const toolkit::TObjectRef& instance) const;
  // The first entry whose target class the instance belongs to; else the "TWinControl" entry, so
  // every control is sized by the bounds action.
  const Entry* FindSizingActionFor(const toolkit::TObjectRef& instance) const;
  // A component's action: by its class name first, else by its class as FindSizingActionFor.
  const Entry* FindComponentAction(toolkit::TComponent& component) const;
  const std::vector<Entry>& Entries() const { return entries_; }

private:
  std::vector<Entry> entries_;
};

inline constexpr std::string_view kWinControlAction = "TWinControl";
inline constexpr std::string_view kBitmapType = "TBitmap";
inline constexpr std::string_view kFontType = "TFont";

}  // namespace quendrel::sizing
