#include "sizing/SizingActions.h"

#include <algorithm>

namespace quendrel::sizing {

void TCustomSizingAction::StoreOriginal(toolkit::TComponent&, const toolkit::TObjectRef&, TPropertyExtents&) {
}

void TCustomSizingAction::StoreProperty(toolkit::TComponent& instance, TControlExtents& record,
                                        const toolkit::TPropInfo& prop) {
  if (!prop.GetObj) return;
  const toolkit::TObjectRef object = prop.GetObj(instance);
  if (!object || record.Properties.Contains(prop.Name)) return;
  TPropertyExtents extents;
  extents.PropName = prop.Name;
  extents.TypeName = prop.TypeName;
  StoreOriginal(instance, object, extents);
  record.Properties.Add(std::move(extents));
}

namespace {

// Each class-typed property (by name order) that holds an object with a registered action, with a
// turn of the message loop after each such property.
template <class Fn>
void ForEachPropertyAction(toolkit::TComponent& component, SizerContext& sizer, Fn&& fn) {
  for (const toolkit::TPropInfo* prop : toolkit::GetPropList(component, {toolkit::tkClass})) {
    if (!prop->GetObj) continue;
    const toolkit::TObjectRef object = prop->GetObj(component);
    if (!object) continue;
    if (const auto* entry = sizer.Actions().FindSizingAction(prop->TypeName, object)) fn(*entry, *prop);
    sizer.ProcessMessages();
  }
}

}  // namespace

void TCustomSizingAction::StoreProperties(toolkit::TComponent& component, TControlExtents& record,
                                          SizerContext& sizer) {
  ForEachPropertyAction(component, sizer,
                        [&](const SizingActionRegistry::Entry& entry, const toolkit::TPropInfo& prop) {
                          entry.Create()->StoreProperty(component, record, prop);
                        });
}

void TCustomSizingAction::ApplyPropertyActions(toolkit::TComponent& component, TControlExtents& record,
                                               SizerContext& sizer) {
  ForEachPropertyAction(component, sizer,
                        [&](const SizingActionRegistry::Entry& entry, const toolkit::TPropInfo& prop) {
                          std::unique_ptr<TCustomSizingAction> action = entry.Create();
                          action->PropInfo = &prop;
                          action->ApplySizing(component, record, sizer);
                        });
}

void SizingActionRegistry::RegisterSizingAction(std::string className, SizingTarget target,
                                                SizingActionFactory create) {
  entries_.push_back(Entry{std::move(className), std::move(target), std::move(create)});
}

bool SizingActionRegistry::UnregisterSizingAction(std::string_view className) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const Entry& e) { return CompareNames(e.ClassName, className) == 0; });
  if (it == entries_.end()) return false;
  entries_.erase(it);
  return true;
}

const SizingActionRegistry::Entry* SizingActionRegistry::FindSizingAction(
    std::string_view className, const toolkit::TObjectRef& instance) const {
  for (const Entry& e : entries_) {
    if (CompareNames(e.ClassName, className) == 0 && e.Target(instance)) return &e;
  }
  return nullptr;
}

const SizingActionRegistry::Entry* SizingActionRegistry::FindSizingActionFor(
    const toolkit::TObjectRef& instance) const {
  const Entry* fallback = nullptr;
  for (const Entry& e : entries_) {
    if (e.Target(instance)) return &e;
    if (fallback == nullptr && CompareNames(e.ClassName, kWinControlAction) == 0) fallback = &e;
  }
  return fallback;
}

const SizingActionRegistry::Entry* SizingActionRegistry::FindComponentAction(
    toolkit::TComponent& component) const {
  const toolkit::TObjectRef ref(&component);
  if (const Entry* byName = FindSizingAction(component.ClassName(), ref)) return byName;
  return FindSizingActionFor(ref);
}

}  // namespace quendrel::sizing
