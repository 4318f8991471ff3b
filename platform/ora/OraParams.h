// Parameters and macros of Oracle datasets.
//
// A query's parameters and macros are the names its SQL text uses (":name", "&name"), found again
// whenever the text changes: a name still used keeps its definition and value, new names start
// unset, names no longer used go. Names are compared without regard to letter case. An unset
// parameter is NULL. A macro's value is raw SQL text; an inactive macro expands to nothing.
#pragma once

#include <vector>

#include "platform/db/Fields.h"
#include "platform/ora/OraConnection.h"
#include "platform/rtl/Classes.h"

enum TParamType : uint8_t { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };

class TOraParam : public TPersistent {
  RTL_CLASS(TOraParam, TPersistent)
 public:
  const String& Name() const { return FName; }
  void SetName(const String& name) { FName = name; }
  // ftCursor for a cursor variable; the setters below choose the type while it is ftUnknown.
  TFieldType DataType() const { return FDataType; }
  void SetDataType(TFieldType type) { FDataType = type; }
  TParamType ParamType() const { return FParamType; }
  void SetParamType(TParamType type) { FParamType = type; }

  const Variant& Value() const { return FValue; }
  void SetValue(const Variant& value) { FValue = value; }
  bool IsNull() const { return VarIsClear(FValue) || VarIsNull(FValue); }
  void Clear() { FValue = Null(); }
  // A NULL reads as "", 0, false.
  String AsString() const;
  int32_t AsInteger() const;
  double AsFloat() const;
  bool AsBoolean() const;
  TDateTime AsDateTime() const;
  void SetAsString(const String& value);
  void SetAsInteger(int32_t value);
  void SetAsFloat(double value);
  void SetAsBoolean(bool value);
  void SetAsDateTime(TDateTime value);

  // Name, types and value of another parameter.
  void Assign(TPersistent* source) override;

  // The value as it is bound: a number given to a date parameter is a date.
  Variant BindValue() const;
  TOraParamDirection Direction() const;

 protected:
  TOraParam() = default;

 private:
  void TypeIfUnknown(TFieldType type) {
    if (FDataType == ftUnknown) FDataType = type;
  }

  String FName;
  TFieldType FDataType = ftUnknown;
  TParamType FParamType = ptUnknown;
  Variant FValue;
};

class TOraParams : public TPersistent {
  RTL_CLASS(TOraParams, TPersistent)
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TOraParam* Items(int index) const;
  TOraParam* operator[](int index) const { return Items(index); }
  TOraParam* FindParam(const String& name) const;
  // Raises EDatabaseError "Parameter 'X' not found".
  TOraParam* ParamByName(const String& name) const;
  TOraParam* CreateParam(TFieldType type, const String& name, TParamType paramType);
  void Clear();
  // Keeps the parameters named and in that order: existing ones with their definitions and
  // values, new ones unset.
  void Rebuild(const std::vector<String>& names);
  // Copies every definition and value of another list.
  void Assign(TPersistent* source) override;

  TOraBinds Binds() const;
  // Values the statement gave back to output parameters.
  void ReadBack(const TOraBinds& binds);

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 protected:
  TOraParams() = default;
  void Destroy() override;

 private:
  std::vector<TOraParam*> FItems;
};

class TMacro : public TPersistent {
  RTL_CLASS(TMacro, TPersistent)
 public:
  const String& Name() const { return FName; }
  void SetName(const String& name) { FName = name; }
  const String& Value() const { return FValue; }
  void SetValue(const String& value) { FValue = value; }
  const String& AsString() const { return FValue; }
  void SetAsString(const String& value) { FValue = value; }
  bool Active() const { return FActive; }
  void SetActive(bool value) { FActive = value; }
  void Assign(TPersistent* source) override;

 protected:
  TMacro() = default;

 private:
  String FName;
  String FValue;
  bool FActive = true;
};

class TMacros : public TPersistent {
  RTL_CLASS(TMacros, TPersistent)
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TMacro* Items(int index) const;
  TMacro* operator[](int index) const { return Items(index); }
  TMacro* FindMacro(const String& name) const;
  // Raises EDatabaseError "Macro 'X' not found".
  TMacro* MacroByName(const String& name) const;
  void Rebuild(const std::vector<String>& names);
  void Assign(TPersistent* source) override;
  // The text with every macro replaced by its value (nothing when inactive).
  String Expand(const String& text) const;

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 protected:
  TMacros() = default;
  void Destroy() override;

 private:
  std::vector<TMacro*> FItems;
};
