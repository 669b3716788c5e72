// Run-time information on published properties: what a class publishes, found and used by name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <typeindex>
#include <typeinfo>
#include <type_traits>
#include <vector>

#include "toolkit/Component.h"

namespace quendrel::toolkit {

enum TTypeKind { tkInteger, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod };

// An object held by a class-typed property, with the C++ type it is declared as.
class TObjectRef {
public:
  TObjectRef() = default;
  template <class T>
  explicit TObjectRef(T* object) : object_(object), type_(typeid(T)) {
    if constexpr (std::is_base_of_v<TComponent, T>) component_ = object;
  }
  explicit operator bool() const { return object_ != nullptr; }
  // The object as T when T is its declared type (components also by dynamic type), else null.
  template <class T>
  T* As() const {
    if (object_ == nullptr) return nullptr;
    if (type_ == std::type_index(typeid(T))) return static_cast<T*>(object_);
    if constexpr (std::is_base_of_v<TComponent, T>) return dynamic_cast<T*>(component_);
    return nullptr;
  }
  TComponent* Component() const { return component_; }
  std::type_index Type() const { return type_; }

private:
  void* object_ = nullptr;
  std::type_index type_ = typeid(void);
  TComponent* component_ = nullptr;
};

struct TPropInfo {
  std::string Name;
  std::string TypeName;  // declared type name: "Integer", "TAlign", "TFont", ...
  TTypeKind Kind = tkInteger;
  // Only the accessors of the property's kind are set; a missing setter means read-only.
  std::function<std::int64_t(const TComponent&)> GetOrd;
  std::function<void(TComponent&, std::int64_t)> SetOrd;
  std::function<std::string(const TComponent&)> GetStr;
  std::function<void(TComponent&, const std::string&)> SetStr;
  std::function<TObjectRef(TComponent&)> GetObj;
  std::function<bool(TComponent&, const TObjectRef&)> SetObj;  // false: object of the wrong type
};

// The published properties of one class in declaration order, inherited ones first. Each class
// builds its list once from its base's (see the Declare helpers) and returns it from
// PublishedProperties().
class TPropertyList {
public:
  TPropertyList() = default;

  const std::vector<TPropInfo>& All() const { return props_; }
  // Case-insensitive, as property names are everywhere in the toolkit.
  const TPropInfo* Find(std::string_view name) const;
  // Properties of the given kinds; sorted by name (case-insensitive) when asked.
  std::vector<const TPropInfo*> OfKind(std::initializer_list<TTypeKind> kinds, bool sortedByName) const;

  // A property of the same name declared again (in a subclass) replaces the inherited one.
  TPropertyList& Add(TPropInfo info);

  template <class C, class Get, class Setter>
  TPropertyList& Integer(std::string name, Get get, Setter set, std::string typeName = "Integer") {
    return AddOrd<C>(std::move(name), std::move(typeName), tkInteger, get, set);
  }
  template <class C, class Get, class Setter>
  TPropertyList& Enum(std::string name, std::string typeName, Get get, Setter set) {
    return AddOrd<C>(std::move(name), std::move(typeName), tkEnumeration, get, set);
  }
  template <class C, class Get, class Setter>
  TPropertyList& Boolean(std::string name, Get get, Setter set) {
    return AddOrd<C>(std::move(name), "Boolean", tkEnumeration, get, set);
  }
  template <class C, class Get, class Setter>
  TPropertyList& SetOf(std::string name, std::string typeName, Get get, Setter set) {
    return AddOrd<C>(std::move(name), std::move(typeName), tkSet, get, set);
  }
  template <class C, class Get, class Setter>
  TPropertyList& String(std::string name, Get get, Setter set) {
    TPropInfo info{std::move(name), "string", tkString, {}, {}, {}, {}, {}, {}};
    info.GetStr = [get](const TComponent& c) { return std::string(get(static_cast<const C&>(c))); };
    info.SetStr = [set](TComponent& c, const std::string& v) { set(static_cast<C&>(c), v); };
    return Add(std::move(info));
  }
  // get returns T*; set (may be nullptr_t for read-only) takes T* (a copy is the setter's business).
  template <class C, class T, class Get, class Setter>
  TPropertyList& Object(std::string name, std::string typeName, Get get, Setter set) {
    TPropInfo info{std::move(name), std::move(typeName), tkClass, {}, {}, {}, {}, {}, {}};
    info.GetObj = [get](TComponent& c) { return TObjectRef(static_cast<T*>(get(static_cast<C&>(c)))); };
    if constexpr (!std::is_same_v<Setter, std::nullptr_t>) {
      info.SetObj = [set](TComponent& c, const TObjectRef& v) {
        T* object = v.As<T>();
        if (v && object == nullptr) return false;
        set(static_cast<C&>(c), object);
        return true;
      };
    }
    return Add(std::move(info));
  }
  template <class C, class Get>
  TPropertyList& Event(std::string name, std::string typeName, Get assigned) {
    TPropInfo info{std::move(name), std::move(typeName), tkMethod, {}, {}, {}, {}, {}, {}};
    info.GetOrd = [assigned](const TComponent& c) -> std::int64_t { return assigned(static_cast<const C&>(c)) ? 1 : 0; };
    return Add(std::move(info));
  }

private:
  template <class C, class Get, class Setter>
  TPropertyList& AddOrd(std::string name, std::string typeName, TTypeKind kind, Get get, Setter set) {
    TPropInfo info{std::move(name), std::move(typeName), kind, {}, {}, {}, {}, {}, {}};
    info.GetOrd = [get](const TComponent& c) { return static_cast<std::int64_t>(get(static_cast<const C&>(c))); };
    if constexpr (!std::is_same_v<Setter, std::nullptr_t>) {
      info.SetOrd = [set](TComponent& c, std::int64_t v) { set(static_cast<C&>(c), v); };
    }
    return Add(std::move(info));
  }

  std::vector<TPropInfo> props_;
};

// By-name access on an instance. Unknown names and wrong kinds throw std::invalid_argument, the
// way the toolkit reports a property that is not there.
bool IsPublishedProp(const TComponent& instance, std::string_view name);
const TPropInfo* GetPropInfo(const TComponent& instance, std::string_view name);
// Class-typed (or all) published properties, sorted by name: the order the form sizer walks them.
std::vector<const TPropInfo*> GetPropList(const TComponent& instance, std::initializer_list<TTypeKind> kinds,
                                          bool sortedByName = true);
std::int64_t GetOrdProp(const TComponent& instance, std::string_view name);
void SetOrdProp(TComponent& instance, std::string_view name, std::int64_t value);
std::string GetStrProp(const TComponent& instance, std::string_view name);
void SetStrProp(TComponent& instance, std::string_view name, const std::string& value);
TObjectRef GetObjectProp(TComponent& instance, std::string_view name);
void SetObjectProp(TComponent& instance, std::string_view name, const TObjectRef& value);

}  // namespace quendrel::toolkit
