#include "platform/ora/OraParams.h"

#include "platform/ora/SqlText.h"

RTL_CLASS_IMPL(TOraParam, TPersistent)
RTL_CLASS_IMPL(TOraParams, TPersistent)
RTL_CLASS_IMPL(TMacro, TPersistent)
RTL_CLASS_IMPL(TMacros, TPersistent)

namespace {

template <class T>
T* FindByName(const std::vector<T*>& items, const String& name) {
  for (T* item : items)
    if (SameText(item->Name(), name)) return item;
  return nullptr;
}

template <class T>
void RebuildByNames(std::vector<T*>& items, const std::vector<String>& names) {
  std::vector<T*> next;
  for (const String& name : names) {
    T* item = FindByName(items, name);
    if (item) {
      std::erase(items, item);
    } else {
      item = T::Create();
      item->SetName(name);
    }
    next.push_back(item);
  }
  for (T* unused : items) unused->Free();
  items = std::move(next);
}

template <class T>
void FreeAll(std::vector<T*>& items) {
  for (T* item : items) item->Free();
  items.clear();
}

template <class T>
void CopyAll(std::vector<T*>& items, const std::vector<T*>& source) {
  FreeAll(items);
  for (T* original : source) {
    T* copy = T::Create();
    copy->Assign(original);
    items.push_back(copy);
  }
}

template <class T>
T* ItemAt(const std::vector<T*>& items, int index) {
  if (index < 0 || index >= static_cast<int>(items.size())) ListIndexError(index);
  return items[static_cast<size_t>(index)];
}

}  // namespace

// ---------------------------------------------------------------------------------------------

String TOraParam::AsString() const { return IsNull() ? String() : FValue.AsString(); }
int32_t TOraParam::AsInteger() const { return IsNull() ? 0 : FValue.AsInteger(); }
double TOraParam::AsFloat() const { return IsNull() ? 0 : FValue.AsDouble(); }
bool TOraParam::AsBoolean() const { return !IsNull() && FValue.AsBoolean(); }
TDateTime TOraParam::AsDateTime() const { return IsNull() ? 0 : FValue.AsDateTime(); }

void TOraParam::SetAsString(const String& value) {
  TypeIfUnknown(ftString);
  FValue = value;
}

void TOraParam::SetAsInteger(int32_t value) {
  TypeIfUnknown(ftInteger);
  FValue = value;
}

void TOraParam::SetAsFloat(double value) {
  TypeIfUnknown(ftFloat);
  FValue = value;
}

void TOraParam::SetAsBoolean(bool value) {
  TypeIfUnknown(ftBoolean);
  FValue = value;
}

void TOraParam::SetAsDateTime(TDateTime value) {
  TypeIfUnknown(ftDateTime);
  FValue = VarFromDateTime(value);
}

void TOraParam::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TOraParam*>(source);
  if (!other) return inherited::Assign(source);
  FName = other->FName;
  FDataType = other->FDataType;
  FParamType = other->FParamType;
  FValue = other->FValue;
}

Variant TOraParam::BindValue() const {
  const bool isDate = FDataType == ftDate || FDataType == ftDateTime || FDataType == ftTime ||
                      FDataType == ftTimeStamp;
  if (isDate && !IsNull() && VarIsNumeric(FValue)) return VarFromDateTime(FValue.AsDouble());
  return FValue;
}

TOraParamDirection TOraParam::Direction() const {
  switch (FParamType) {
    case ptInput:
      return TOraParamDirection::Input;
    case ptOutput:
      return TOraParamDirection::Output;
    case ptResult:
      return TOraParamDirection::Result;
    default:
      // An undeclared direction takes what a block gives back, as Oracle's bind variables do.
      return TOraParamDirection::InputOutput;
  }
}

// ---------------------------------------------------------------------------------------------

TOraParam* TOraParams::Items(int index) const { return ItemAt(FItems, index); }

TOraParam* TOraParams::FindParam(const String& name) const { return FindByName(FItems, name); }

TOraParam* TOraParams::ParamByName(const String& name) const {
  TOraParam* param = FindParam(name);
  if (!param) throw EDatabaseError("Parameter '" + name + "' not found");
  return param;
}

TOraParam* TOraParams::CreateParam(TFieldType type, const String& name, TParamType paramType) {
  TOraParam* param = TOraParam::Create();
  param->SetName(name);
  param->SetDataType(type);
  param->SetParamType(paramType);
  FItems.push_back(param);
  return param;
}

void TOraParams::Clear() { FreeAll(FItems); }

void TOraParams::Rebuild(const std::vector<String>& names) { RebuildByNames(FItems, names); }

void TOraParams::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TOraParams*>(source);
  if (!other) return inherited::Assign(source);
  if (other != this) CopyAll(FItems, other->FItems);
}

void TOraParams::Destroy() {
  FreeAll(FItems);
  inherited::Destroy();
}

TOraBinds TOraParams::Binds() const {
  TOraBinds binds;
  binds.reserve(FItems.size());
  for (const TOraParam* param : FItems)
    binds.emplace_back(param->Name(), param->BindValue(), param->Direction());
  return binds;
}

void TOraParams::ReadBack(const TOraBinds& binds) {
  for (const TOraBind& bind : binds) {
    if (bind.Direction == TOraParamDirection::Input) continue;
    if (TOraParam* param = FindParam(bind.Name)) param->SetValue(bind.Value);
  }
}

// ---------------------------------------------------------------------------------------------

void TMacro::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TMacro*>(source);
  if (!other) return inherited::Assign(source);
  FName = other->FName;
  FValue = other->FValue;
  FActive = other->FActive;
}

TMacro* TMacros::Items(int index) const { return ItemAt(FItems, index); }

TMacro* TMacros::FindMacro(const String& name) const { return FindByName(FItems, name); }

TMacro* TMacros::MacroByName(const String& name) const {
  TMacro* macro = FindMacro(name);
  if (!macro) throw EDatabaseError("Macro '" + name + "' not found");
  return macro;
}

void TMacros::Rebuild(const std::vector<String>& names) { RebuildByNames(FItems, names); }

void TMacros::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TMacros*>(source);
  if (!other) return inherited::Assign(source);
  if (other != this) CopyAll(FItems, other->FItems);
}

void TMacros::Destroy() {
  FreeAll(FItems);
  inherited::Destroy();
}

String TMacros::Expand(const String& text) const {
  return ExpandSqlMacros(text, [this](std::string_view name) -> std::optional<String> {
    const TMacro* macro = FindMacro(String(name));
    if (!macro) return std::nullopt;
    return macro->Active() ? macro->Value() : String();
  });
}
