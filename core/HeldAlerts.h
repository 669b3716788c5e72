// Alerts that wait while the user runs a full-screen program: one per folder, the latest text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quendrel {

struct HeldAlert {
  int32_t unread = 0;
  std::string sender;
  std::string folder;
  friend bool operator==(const HeldAlert&, const HeldAlert&) = default;
};

class HeldAlerts {
public:
  // A folder held already keeps its place and takes the newer alert's counts.
  void Hold(const HeldAlert& alert);
  bool Empty() const { return alerts_.empty(); }
  // The held alerts in the order their folders first alerted; none remain.
  std::vector<HeldAlert> Release();

private:
  std::vector<HeldAlert> alerts_;
};

}  // namespace quendrel
