#include "toolkit/Properties.h"

#include <algorithm>
#include <stdexcept>

namespace quendrel::toolkit {
namespace {

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    const char x = lower(a[i]);
    const char y = lower(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

const TPropInfo& Require(const TComponent& instance, std::string_view name, TTypeKind kind) {
  const TPropInfo* info = instance.PublishedProperties().Find(name);
  if (info == nullptr) {
    throw std::invalid_argument("Property " + std::string(name) + " does not exist");
  }
  const bool ordinal = kind == tkInteger || kind == tkEnumeration || kind == tkSet;
  const bool infoOrdinal = info->Kind == tkInteger || info->Kind == tkEnumeration || info->Kind == tkSet;
  if (ordinal ? !infoOrdinal : info->Kind != kind) {
    throw std::invalid_argument("Invalid property type: " + info->Name);
  }
  return *info;
}

[[noreturn]] void ReadOnly(const TPropInfo& info) {
  throw std::invalid_argument("Property " + info.Name + " is read-only");
}

}  // namespace

const TPropInfo* TPropertyList::Find(std::string_view name) const {
  for (const TPropInfo& info : props_) {
    if (CompareText(info.Name, name) == 0) return &info;
  }
  return nullptr;
}

std::vector<const TPropInfo*> TPropertyList::OfKind(std::initializer_list<TTypeKind> kinds,
                                                    bool sortedByName) const {
  std::vector<const TPropInfo*> result;
  for (const TPropInfo& info : props_) {
    if (kinds.size() == 0 || std::find(kinds.begin(), kinds.end(), info.Kind) != kinds.end()) {
      result.push_back(&info);
    }
  }
  if (sortedByName) {
    std::stable_sort(result.begin(), result.end(),
                     [](const TPropInfo* a, const TPropInfo* b) { return CompareText(a->Name, b->Name) < 0; });
  }
  return result;
}

TPropertyList& TPropertyList::Add(TPropInfo info) {
  auto same = std::find_if(props_.begin(), props_.end(),
                           [&](const TPropInfo& p) { return CompareText(p.Name, info.Name) == 0; });
  if (same != props_.end()) {
    *same = std::move(info);
  } else {
    props_.push_back(std::move(info));
  }
  return *this;
}

const TPropertyList& TComponent::ClassProperties() {
  static const TPropertyList list = [] {
    TPropertyList l;
    l.String<TComponent>("Name", [](const TComponent& c) { return c.Name(); },
                         [](TComponent& c, const std::string& v) { c.SetName(v); });
    return l;
  }();
  return list;
}

bool IsPublishedProp(const TComponent& instance, std::string_view name) {
  return instance.PublishedProperties().Find(name) != nullptr;
}

const TPropInfo* GetPropInfo(const TComponent& instance, std::string_view name) {
  return instance.PublishedProperties().Find(name);
}

std::vector<const TPropInfo*> GetPropList(const TComponent& instance, std::initializer_list<TTypeKind> kinds,
                                          bool sortedByName) {
  return instance.PublishedProperties().OfKind(kinds, sortedByName);
}

std::int64_t GetOrdProp(const TComponent& instance, std::string_view name) {
  return Require(instance, name, tkInteger).GetOrd(instance);
}

void SetOrdProp(TComponent& instance, std::string_view name, std::int64_t value) {
  const TPropInfo& info = Require(instance, name, tkInteger);
  if (!info.SetOrd) ReadOnly(info);
  info.SetOrd(instance, value);
}

std::string GetStrProp(const TComponent& instance, std::string_view name) {
  return Require(instance, name, tkString).GetStr(instance);
}

void SetStrProp(TComponent& instance, std::string_view name, const std::string& value) {
  const TPropInfo& info = Require(instance, name, tkString);
  if (!info.SetStr) ReadOnly(info);
  info.SetStr(instance, value);
}

TObjectRef GetObjectProp(TComponent& instance, std::string_view name) {
  return Require(instance, name, tkClass).GetObj(instance);
}

void SetObjectProp(TComponent& instance, std::string_view name, const TObjectRef& value) {
  const TPropInfo& info = Require(instance, name, tkClass);
  if (!info.SetObj) ReadOnly(info);
  if (!info.SetObj(instance, value)) {
    throw std::invalid_argument("Invalid property value for " + info.Name);
  }
}

}  // namespace quendrel::toolkit
