// What the form scaler records about a control when it registers it: bounds, the owner's client
// size, and the original size of each font and bitmap the control publishes.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendrel::sizing {

struct TPropertyExtents {
  std::string PropName;
  std::string TypeName;    // declared type name: "TBitmap", "TFont"
  int32_t OrigHeight = 0;  // bitmap height, or font size in points
  int32_t OrigWidth = 0;   // bitmap width
};

// Property name → its record, in the order recorded (the bitmap rule walks them in that order).
// Names match ignoring letter case, as property names do everywhere in the toolkit.
class PropertyExtentsList {
public:
  // Adds a record unless one of that name exists; returns the record kept under the name.
  TPropertyExtents& Add(TPropertyExtents extents);
  const TPropertyExtents* Find(std::string_view propName) const;
  TPropertyExtents* Find(std::string_view propName);
  bool Contains(std::string_view propName) const { return Find(propName) != nullptr; }
  const std::vector<TPropertyExtents>& All() const { return items_; }
  size_t Count() const { return items_.size(); }

private:
  std::vector<TPropertyExtents> items_;
};

struct TControlExtents {
  int32_t Top = 0;
  int32_t Left = 0;
  int32_t ClientHeight = 0;
  int32_t ClientWidth = 0;
  int32_t OwnerClientHeight = 0;  // 0 in the form's own record
  int32_t OwnerClientWidth = 0;
  PropertyExtentsList Properties;
};

// Case-insensitive ordering of component names (ASCII letters fold, as the toolkit's names do).
int CompareNames(std::string_view a, std::string_view b);
struct NameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return CompareNames(a, b) < 0; }
};

// Component name → record. Records keep their address while they are registered, so a caller may
// hold one across a call that registers further controls.
class ControlList {
public:
  // Registers a record under `name` unless the name is taken; false when it was.
  bool Add(std::string_view name, TControlExtents extents);
  TControlExtents* Find(std::string_view name);
  const TControlExtents* Find(std::string_view name) const;
  bool Contains(std::string_view name) const { return Find(name) != nullptr; }
  // Forgets the record; false when the name was not registered.
  bool Remove(std::string_view name);
  size_t Count() const { return records_.size(); }
  void Clear() { records_.clear(); }

private:
  std::map<std::string, std::unique_ptr<TControlExtents>, NameLess> records_;
};

// The name a nameless component is registered under: its owner's name, its class name, and its
// index among the owner's components ("Form1" "TLabel" 7 → "Form1TLabel7").
std::string GeneratedComponentName(std::string_view ownerName, std::string_view className, int index);

// Recorded font size → the size chosen for it in the current pass.
class FontCache {
public:
  std::optional<int32_t> Find(int32_t recordedSize) const;
  void Set(int32_t recordedSize, int32_t size) { sizes_[recordedSize] = size; }
  void Clear() { sizes_.clear(); }
  bool Empty() const { return sizes_.empty(); }
  size_t Count() const { return sizes_.size(); }

private:
  std::map<int32_t, int32_t> sizes_;
};

}  // namespace quendrel::sizing
