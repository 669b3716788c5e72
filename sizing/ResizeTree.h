// The walk of a resize pass: depth first through the form's windowed controls, each registered
// control rescaled by its sizing action.
#pragma once

#include "sizing/Extents.h"
#include "sizing/SizingActions.h"
#include "toolkit/Component.h"

namespace quendrel::sizing {

// The parent/child tree of controls, which the component layer does not know.
class ControlTree {
public:
  virtual bool IsWindowed(const toolkit::TComponent& control) const = 0;
  // Child controls of a windowed control, asked by index each time (a message-loop turn may free
  // some): the count now and the child at an index now.
  virtual int ChildCount(const toolkit::TComponent& control) const = 0;
  virtual toolkit::TComponent* Child(const toolkit::TComponent& control, int index) const = 0;

protected:
  ~ControlTree() = default;
};

// Rescales `control` and what lies below it. A control without a sizing action is skipped with
// everything below it; the form itself is never rescaled, only walked. Actions get a copy of the
// record, so a control unregistered during a message-loop turn leaves nothing dangling.
void ResizeTree(toolkit::TComponent& control, const toolkit::TComponent& form, const ControlList& controls,
                SizerContext& sizer, const ControlTree& tree);

}  // namespace quendrel::sizing
