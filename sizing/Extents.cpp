#include "sizing/Extents.h"

#include <algorithm>
#include <utility>

namespace quendrel::sizing {

int CompareNames(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char x = lower(a[i]);
    const char y = lower(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

TPropertyExtents& PropertyExtentsList::Add(TPropertyExtents extents) {
  if (TPropertyExtents* existing = Find(extents.PropName)) return *existing;
  items_.push_back(std::move(extents));
  return items_.back();
}

const TPropertyExtents* PropertyExtentsList::Find(std::string_view propName) const {
  for (const TPropertyExtents& item : items_) {
    if (CompareNames(item.PropName, propName) == 0) return &item;
  }
  return nullptr;
}

TPropertyExtents* PropertyExtentsList::Find(std::string_view propName) {
  return const_cast<TPropertyExtents*>(std::as_const(*this).Find(propName));
}

bool ControlList::Add(std::string_view name, TControlExtents extents) {
  if (Contains(name)) return false;
  records_.emplace(std::string(name), std::make_unique<TControlExtents>(std::move(extents)));
  return true;
}

TControlExtents* ControlList::Find(std::string_view name) {
  auto it = records_.find(name);
  return it == records_.end() ? nullptr : it->second.get();
}

const TControlExtents* ControlList::Find(std::string_view name) const {
  auto it = records_.find(name);
  return it == records_.end() ? nullptr : it->second.get();
}

bool ControlList::Remove(std::string_view name) {
  auto it = records_.find(name);
  if (it == records_.end()) return false;
  records_.erase(it);
  return true;
}

std::string GeneratedComponentName(std::string_view ownerName, std::string_view className, int index) {
  return std::string(ownerName) + std::string(className) + std::to_string(index);
}

std::optional<int32_t> FontCache::Find(int32_t recordedSize) const {
  auto it = sizes_.find(recordedSize);
  if (it == sizes_.end()) return std::nullopt;
  return it->second;
}

}  // namespace quendrel::sizing
