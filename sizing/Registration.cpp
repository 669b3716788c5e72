#include "sizing/Registration.h"

#include <string>

namespace quendrel::sizing {
namespace {

using toolkit::TComponent;
using toolkit::TObjectRef;

TControlExtents RecordAt(const ControlPlacement& placement, SizeI ownerClient) {
  TControlExtents record;
  record.Top = placement.Top;
  record.Left = placement.Left;
  record.ClientHeight = placement.Client.Height;
  record.ClientWidth = placement.Client.Width;
  record.OwnerClientHeight = ownerClient.Height;
  record.OwnerClientWidth = ownerClient.Width;
  return record;
}

void StoreWith(const SizingActionRegistry::Entry* entry, TComponent& c, TControlExtents& record,
               SizerContext& sizer) {
  if (entry != nullptr) entry->Create()->StoreProperties(c, record, sizer);
}

}  // namespace

std::string NameForNameless(const TComponent& component) {
  const TComponent* owner = component.Owner();
  const std::string ownerName = owner ? owner->Name() : std::string();
  int index = 0;
  if (owner) {
    while (index < owner->ComponentCount() && owner->Components(index) != &component) ++index;
  }
  std::string name = GeneratedComponentName(ownerName, component.ClassName(), index);
  while (owner && owner->FindComponent(name) != nullptr) {
    name = GeneratedComponentName(ownerName, component.ClassName(), ++index);
  }
  return name;
}

void RegisterControl(TComponent* component, const TComponent& form, ControlList& controls,
                     SizerContext& sizer, const ControlProbe& probe) {
  if (component == nullptr) return;
  if (component != &form && component->Owner() != &form) return;
  const std::optional<ControlPlacement> placement = probe.Placement(*component);
  if (!placement) return;
  if (component->Name().empty()) component->SetName(NameForNameless(*component));
  if (controls.Contains(component->Name())) return;

  SizeI ownerClient;
  if (TComponent* owner = component->Owner()) {
    if (const auto ownerPlacement = probe.Placement(*owner)) ownerClient = ownerPlacement->Client;
  }
  TControlExtents record = RecordAt(*placement, ownerClient);
  const std::string name = component->Name();
  StoreWith(sizer.Actions().FindComponentAction(*component), *component, record, sizer);
  controls.Add(name, std::move(record));

  // Components added meanwhile (by a message-loop turn) are registered when they are inserted.
  for (int i = 0; i < component->ComponentCount(); ++i) {
    RegisterControl(component->Components(i), form, controls, sizer, probe);
  }
}

void UnregisterControl(const TComponent* component, ControlList& controls) {
  if (component != nullptr) controls.Remove(component->Name());
}

void RefreshControl(TComponent* component, const TComponent& form, ControlList& controls, SizerContext& sizer,
                    const ControlProbe& probe) {
  if (component == nullptr) return;
  const std::string name = component->Name();
  const TControlExtents* record = controls.Find(name);
  if (record == nullptr || name.empty()) {
    RegisterControl(component, form, controls, sizer, probe);
    return;
  }
  if (component->Owner() != &form) return;
  const std::optional<ControlPlacement> placement = probe.Placement(*component);
  const std::optional<ControlPlacement> formPlacement = probe.Placement(form);
  if (!placement || !formPlacement) return;
  TControlExtents fresh = RecordAt(*placement, formPlacement->Client);
  fresh.Properties = record->Properties;
  const TObjectRef ref(component);
  const auto* entry = sizer.Actions().FindSizingAction(component->ClassName(), ref);
  if (entry == nullptr) entry = sizer.Actions().FindSizingAction(kWinControlAction, ref);
  // Recording gives the message loop turns; a control unregistered meanwhile stays forgotten.
  StoreWith(entry, *component, fresh, sizer);
  if (TControlExtents* kept = controls.Find(name)) *kept = std::move(fresh);
}

}  // namespace quendrel::sizing
