// Registering the controls of a form with the scaler: their records are taken when the form has
// loaded (and when a control joins it later), and dropped when a control leaves.
#pragma once

#include <optional>

#include "sizing/Extents.h"
#include "sizing/SizingActions.h"
#include "toolkit/Component.h"

namespace quendrel::sizing {

struct ControlPlacement {
  int32_t Top = 0;
  int32_t Left = 0;
  SizeI Client;
};

// What registration asks of the window side about a component.
class ControlProbe {
public:
  // The control's top, left and client size; none when the component is not a control.
  virtual std::optional<ControlPlacement> Placement(const toolkit::TComponent& component) const = 0;

protected:
  ~ControlProbe() = default;
};

// The name a nameless component gets: owner name, class name, index among the owner's components
// ("Form1TLabel7"). Indices shift when components go, so a name already taken in the owner moves on
// to the next free index instead of failing.
std::string NameForNameless(const toolkit::TComponent& component);

// Registers `component` and, recursively, what it owns, when it is a control and is the form or
// owned by it. A component already registered under its name is left as it is, and so is what it
// owns. Nameless components are named first.
void RegisterControl(toolkit::TComponent* component, const toolkit::TComponent& form, ControlList& controls,
                     SizerContext& sizer, const ControlProbe& probe);

// Forgets the component's record, if it has one.
void UnregisterControl(const toolkit::TComponent* component, ControlList& controls);

// Takes the bounds of a registered control owned by the form afresh (and records properties not
// recorded yet); registers a component not registered yet.
void RefreshControl(toolkit::TComponent* component, const toolkit::TComponent& form, ControlList& controls,
                    SizerContext& sizer, const ControlProbe& probe);

}  // namespace quendrel::sizing
