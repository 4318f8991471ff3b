// Properties looked up by name. The original finds a component's Caption, Hint, Text, Items,
// Lines, ... through run-time type information; here each class publishes the properties that
// are looked up in a small table of its own, and a look-up walks the class chain (a descendant's
// entry hides its parent's). Names ignore letter case, as the platform's look-up does.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/Object.h"
#include "platform/rtl/Variant.h"

struct TPropInfo {
  String Name;
  // A value property has Get (and Set unless read-only); an object property (a string list, a
  // font, ...) has GetObject.
  std::function<Variant(const TObject*)> Get;
  std::function<void(TObject*, const Variant&)> Set;
  std::function<TObject*(const TObject*)> GetObject;
  // An object property that can be pointed at another object (a link to a component).
  std::function<void(TObject*, TObject*)> SetObject;
};

// Publishes properties of a class; call once per class, e.g. from a static initialiser of the
// class's unit. Later entries of the same name replace earlier ones.
bool RegisterProperties(TClass cls, std::vector<TPropInfo> properties);

// Typed helpers for the tables: Property<TLabel>("Caption", &get, &set).
template <class T>
TPropInfo ValueProperty(String name, std::function<Variant(const T*)> get,
                        std::function<void(T*, const Variant&)> set = nullptr) {
  TPropInfo info;
  info.Name = std::move(name);
  info.Get = [get](const TObject* o) { return get(static_cast<const T*>(o)); };
  if (set) info.Set = [set](TObject* o, const Variant& v) { set(static_cast<T*>(o), v); };
  return info;
}

template <class T>
TPropInfo ObjectProperty(String name, std::function<TObject*(const T*)> get,
                         std::function<void(T*, TObject*)> set = nullptr) {
  TPropInfo info;
  info.Name = std::move(name);
  info.GetObject = [get](const TObject* o) { return get(static_cast<const T*>(o)); };
  if (set) info.SetObject = [set](TObject* o, TObject* v) { set(static_cast<T*>(o), v); };
  return info;
}

// nullptr when the object's class publishes no property of that name.
const TPropInfo* GetPropInfo(const TObject* object, const String& name);
bool IsPublishedProp(const TObject* object, const String& name);
// A missing property raises EPropertyError "Property <name> does not exist"; writing a
// read-only one raises EPropertyError "Property <name> is read-only".
Variant GetPropValue(const TObject* object, const String& name);
void SetPropValue(TObject* object, const String& name, const Variant& value);
TObject* GetObjectProp(const TObject* object, const String& name);
void SetObjectProp(TObject* object, const String& name, TObject* value);
