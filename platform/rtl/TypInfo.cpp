#include "platform/rtl/TypInfo.h"

#include <map>

#include "platform/rtl/SysUtils.h"

namespace {

using TPropertyTable = std::vector<TPropInfo>;

std::map<TClass, TPropertyTable>& Registry() {
  static std::map<TClass, TPropertyTable> registry;
  return registry;
}

const TPropInfo* FindInTable(const TPropertyTable& table, const String& name) {
  for (const TPropInfo& info : table)
    if (SameText(info.Name, name)) return &info;
  return nullptr;
}

const TPropInfo& RequireProp(const TObject* object, const String& name) {
  const TPropInfo* info = GetPropInfo(object, name);
  if (!info) throw EPropertyError("Property " + name + " does not exist");
  return *info;
}

}  // namespace

bool RegisterProperties(TClass cls, std::vector<TPropInfo> properties) {
  TPropertyTable& table = Registry()[cls];
  for (TPropInfo& info : properties) {
    for (auto it = table.begin(); it != table.end();)
      it = SameText(it->Name, info.Name) ? table.erase(it) : it + 1;
    table.push_back(std::move(info));
  }
  return true;
}

const TPropInfo* GetPropInfo(const TObject* object, const String& name) {
  if (!object) return nullptr;
  const auto& registry = Registry();
  for (TClass cls = object->ClassType(); cls; cls = cls->Parent) {
    const auto it = registry.find(cls);
    if (it == registry.end()) continue;
    if (const TPropInfo* info = FindInTable(it->second, name)) return info;
  }
  return nullptr;
}

bool IsPublishedProp(const TObject* object, const String& name) {
  return GetPropInfo(object, name) != nullptr;
}

Variant GetPropValue(const TObject* object, const String& name) {
  const TPropInfo& info = RequireProp(object, name);
  if (!info.Get) throw EPropertyError("Property " + name + " is not a value property");
  return info.Get(object);
}

void SetPropValue(TObject* object, const String& name, const Variant& value) {
  const TPropInfo& info = RequireProp(object, name);
  if (!info.Set) throw EPropertyError("Property " + name + " is read-only");
  info.Set(object, value);
}

TObject* GetObjectProp(const TObject* object, const String& name) {
  const TPropInfo& info = RequireProp(object, name);
  if (!info.GetObject) throw EPropertyError("Property " + name + " is not an object property");
  return info.GetObject(object);
}

void SetObjectProp(TObject* object, const String& name, TObject* value) {
  const TPropInfo& info = RequireProp(object, name);
  if (!info.SetObject) throw EPropertyError("Property " + name + " is read-only");
  info.SetObject(object, value);
}
