// Small identifiers for live objects, for places where Windows carries a 32-bit number back to us
// (a notification icon's identifier, a timer's identifier) and an address would not fit.
#pragma once

#include <cstdint>
#include <map>

namespace quendrel {

template <class T>
class TIdTable {
 public:
  // A new identifier, never 0 and never one that is live. Identifiers count up and are not handed
  // out again soon, so a message still queued for a freed object finds nothing, not a newcomer.
  std::uint32_t Add(T* object) {
    while (next_ == 0 || live_.contains(next_)) ++next_;
    const std::uint32_t id = next_++;
    live_[id] = object;
    return id;
  }
  void Remove(std::uint32_t id) { live_.erase(id); }
  // The object, or null when the identifier is unknown or its object has left.
  T* Find(std::uint64_t id) const {
    if (id > UINT32_MAX) return nullptr;
    const auto found = live_.find(static_cast<std::uint32_t>(id));
    return found == live_.end() ? nullptr : found->second;
  }
  std::size_t Count() const { return live_.size(); }

 private:
  std::map<std::uint32_t, T*> live_;  // not owned
  std::uint32_t next_ = 1;
};

}  // namespace quendrel
