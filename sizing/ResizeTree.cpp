#include "sizing/ResizeTree.h"

namespace quendrel::sizing {
namespace {

void ApplyWithCopy(TCustomSizingAction& action, toolkit::TComponent& c, const ControlList& controls,
                   SizerContext& sizer) {
  const TControlExtents* record = controls.Find(c.Name());
  if (record == nullptr) return;
  TControlExtents copy = *record;
  action.ApplySizing(c, copy, sizer);
}

}  // namespace

void ResizeTree(toolkit::TComponent& control, const toolkit::TComponent& form, const ControlList& controls,
                SizerContext& sizer, const ControlTree& tree) {
  const SizingActionRegistry::Entry* entry = sizer.Actions().FindComponentAction(control);
  if (entry == nullptr) return;
  const std::unique_ptr<TCustomSizingAction> action = entry->Create();

  if (&control != &form) {
    ApplyWithCopy(*action, control, controls, sizer);
    for (int i = 0; i < control.ComponentCount(); ++i) {
      toolkit::TComponent* owned = control.Components(i);
      if (!controls.Contains(owned->Name())) continue;
      ApplyWithCopy(*action, *owned, controls, sizer);
      sizer.ProcessMessages();
    }
  }
  if (tree.IsWindowed(control)) {
    for (int i = 0; i < tree.ChildCount(control); ++i) {
      if (toolkit::TComponent* child = tree.Child(control, i))
        ResizeTree(*child, form, controls, sizer, tree);
    }
    sizer.ProcessMessages();
  }
}

}  // namespace quendrel::sizing
