#include "core/HeldAlerts.h"

#include <algorithm>
#include <utility>

namespace quendrel {

void HeldAlerts::Hold(const HeldAlert& alert) {
  auto same = std::find_if(alerts_.begin(), alerts_.end(),
                           [&](const HeldAlert& held) { return held.folder == alert.folder; });
  if (same != alerts_.end()) {
    *same = alert;
  } else {
    alerts_.push_back(alert);
  }
}

std::vector<HeldAlert> HeldAlerts::Release() {
  return std::exchange(alerts_, {});
}

}  // namespace quendrel
