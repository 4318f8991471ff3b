// Fields of a dataset: the field types and kinds, TField with its value conversions and display
// properties, the field classes by type, the field list and the field definitions.
//
// A field reads the cell of its column in the dataset's active record (no copy, no allocation for
// numbers); a calculated or lookup field reads the dataset's buffer of calculated values. The
// conversions follow the platform: a NULL reads as "", 0, false or 0.0 and as Null through Value;
// a conversion the field's class does not offer raises EDatabaseError
// "Cannot access field '<name>' as type <type>"; writing needs the dataset in edit or insert
// state ("Dataset not in edit or insert mode"), except calculated fields while the dataset
// calculates.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/db/RowStore.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Event.h"
#include "platform/rtl/Variant.h"

class TDataSet;
class TField;

enum TFieldType : uint8_t {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftBytes,
  ftVarBytes,
  ftAutoInc,
  ftBlob,
  ftMemo,
  ftGraphic,
  ftFmtMemo,
  ftCursor,
  ftFixedChar,
  ftWideString,
  ftLargeint,
  ftOraBlob,
  ftOraClob,
  ftVariant,
  ftGuid,
  ftTimeStamp,
  ftFMTBcd,
};

// "String", "Integer", "FixedChar", ... as the platform names the types.
String FieldTypeName(TFieldType type);
// How a column of the type is held in the row buffer. ftCursor has no storage (no field holds a
// cursor); it is reported as Variant.
TStorageKind StorageKindOf(TFieldType type);

enum TFieldKind : uint8_t { fkData, fkCalculated, fkLookup };

using TFieldNotifyEvent = Event<void(TField*)>;
// Asked for a field's text: Text is to be set; DisplayText tells the display text (true) from the
// editing text (false).
using TFieldGetTextEvent = Event<void(TField* sender, String& text, bool displayText)>;

// The platform's error of the data access layer: "<component name>: <message>" when the component
// has a name, the message alone otherwise.
[[noreturn]] void DatabaseError(const String& message, const TComponent* component = nullptr);

class TField : public TComponent {
  RTL_CLASS(TField, TComponent)
 public:
  // The dataset the field belongs to; setting it adds the field at the end of the dataset's
  // fields (the dataset must be closed: "Cannot perform this operation on an open dataset").
  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* dataSet);

  const String& FieldName() const { return FFieldName; }
  void SetFieldName(const String& name);
  TFieldKind FieldKind() const { return FFieldKind; }
  void SetFieldKind(TFieldKind kind);
  bool Calculated() const { return FFieldKind == fkCalculated; }
  bool Lookup() const { return FFieldKind == fkLookup; }
  TFieldType DataType() const { return FDataType; }
  // Characters of a string field; 0 for types without a size.
  int Size() const { return FSize; }
  void SetSize(int size);
  // 1-based number of the field's column in the open dataset; 0 for calculated and lookup
  // fields and while the dataset is closed.
  int FieldNo() const { return FColumn + 1; }
  // Position in the dataset's fields.
  int Index() const;
  void SetIndex(int index);

  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { FVisible = value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  bool Required() const { return FRequired; }
  void SetRequired(bool value) { FRequired = value; }
  // The label when one was set, the field name otherwise.
  const String& DisplayLabel() const { return DisplayName(); }
  void SetDisplayLabel(const String& label) { FDisplayLabel = label; }
  const String& DisplayName() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
  // Characters a grid column shows: set explicitly, or the type's default.
  int DisplayWidth() const { return FDisplayWidth > 0 ? FDisplayWidth : DefaultWidth(); }
  void SetDisplayWidth(int width) { FDisplayWidth = width; }

  // Lookup fields: the value of LookupResultField in the row of LookupDataSet whose
  // LookupKeyFields equal this dataset's KeyFields ("A;B" lists).
  TDataSet* LookupDataSet() const { return FLookupDataSet; }
  void SetLookupDataSet(TDataSet* dataSet);
  const String& KeyFields() const { return FKeyFields; }
  void SetKeyFields(const String& value) { FKeyFields = value; }
  const String& LookupKeyFields() const { return FLookupKeyFields; }
  void SetLookupKeyFields(const String& value) { FLookupKeyFields = value; }
  const String& LookupResultField() const { return FLookupResultField; }
  void SetLookupResultField(const String& value) { FLookupResultField = value; }

  bool IsNull() const;
  String AsString() const;
  // The text without a copy, valid until the active record changes; only for text-held fields
  // (string, memo, blob), others raise the access error. The fast path for walking many rows.
  std::string_view AsStringView() const;
  int32_t AsInteger() const;
  int64_t AsLargeInt() const;
  double AsFloat() const;
  double AsCurrency() const { return AsFloat(); }
  bool AsBoolean() const;
  TDateTime AsDateTime() const;
  // Null for a NULL field; otherwise a variant of the field's kind: 8-bit string for string and
  // memo fields, wide string for wide-string fields, Integer, Int64, Double, Currency (BCD),
  // Boolean or Date.
  Variant Value() const;
  Variant AsVariant() const { return Value(); }
  // Through OnGetText when assigned, else the field's own text.
  String Text() const;
  String DisplayText() const;

  void SetAsString(const String& value);
  void SetAsInteger(int32_t value) { SetAsLargeInt(value); }
  void SetAsLargeInt(int64_t value);
  void SetAsFloat(double value);
  void SetAsCurrency(double value) { SetAsFloat(value); }
  void SetAsBoolean(bool value);
  void SetAsDateTime(TDateTime value);
  // Null and Unassigned clear the field.
  void SetValue(const Variant& value);
  void SetAsVariant(const Variant& value) { SetValue(value); }
  void Clear();

  TFieldGetTextEvent OnGetText;
  TFieldNotifyEvent OnChange;

 protected:
  TField() = default;
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;
  // The type a class of field stands for; field classes set it in their constructor.
  void SetDataType(TFieldType type) { FDataType = type; }
  // The field's own text (no OnGetText).
  virtual String GetText(bool displayText) const;
  virtual int DefaultWidth() const;

 private:
  friend class TDataSet;
  friend class TFields;

  enum class TFamily : uint8_t { Text, Integer, Float, Boolean, Date, Blob, Variant };
  TFamily Family() const;

  // The cell the field reads: its row image and column in the store that holds it; null
  // without an active record.
  struct TCellRef {
    const uint64_t* Row = nullptr;
    const TRowStore* Store = nullptr;
    int Column = -1;
  };
  TCellRef Cell() const;
  // The cell the field writes, with the dataset's checks done.
  uint64_t* WritableRow(TRowStore*& store);
  void Changed();
  [[noreturn]] void AccessError(const char* typeName) const;
  double RawNumber(const TCellRef& cell) const;
  // The value as a number for comparisons (Booleans 1/0, dates as days); false when NULL.
  bool NumberValue(double& value) const;
  String RawText(const TCellRef& cell) const;
  void WriteText(std::string_view text);
  void WriteInteger(int64_t value);
  void WriteFloat(double value);
  void CheckRange(int64_t value) const;

  TDataSet* FDataSet = nullptr;
  String FFieldName;
  TFieldKind FFieldKind = fkData;
  TFieldType FDataType = ftUnknown;
  int FSize = 0;
  // Column in the dataset's row store (data fields) or calculated-value store (calculated and
  // lookup fields); -1 while unbound.
  int FColumn = -1;
  TStorageKind FStorage = TStorageKind::Variant;
  bool FVisible = true;
  bool FReadOnly = false;
  bool FRequired = false;
  int FDisplayWidth = 0;
  String FDisplayLabel;
  TDataSet* FLookupDataSet = nullptr;
  String FKeyFields;
  String FLookupKeyFields;
  String FLookupResultField;
};

// Field classes by type. Each stands for its types' conversions; the platform's code tests them
// by class as well as by DataType.
#define DB_FIELD_CLASS(Self, Parent, Type) \
  class Self : public Parent {             \
    RTL_CLASS(Self, Parent)                \
   protected:                              \
    Self() { SetDataType(Type); }          \
  }

class TStringField : public TField {
  RTL_CLASS(TStringField, TField)
 protected:
  TStringField() {
    SetDataType(ftString);
    SetSize(20);
  }
  int DefaultWidth() const override { return Size(); }
};

class TWideStringField : public TStringField {
  RTL_CLASS(TWideStringField, TStringField)
 protected:
  TWideStringField() { SetDataType(ftWideString); }
};

class TNumericField : public TField {
  RTL_CLASS(TNumericField, TField)
 protected:
  TNumericField() = default;
};

DB_FIELD_CLASS(TIntegerField, TNumericField, ftInteger);
DB_FIELD_CLASS(TSmallintField, TIntegerField, ftSmallint);
DB_FIELD_CLASS(TWordField, TIntegerField, ftWord);
DB_FIELD_CLASS(TAutoIncField, TIntegerField, ftAutoInc);
DB_FIELD_CLASS(TLargeintField, TNumericField, ftLargeint);

class TFloatField : public TNumericField {
  RTL_CLASS(TFloatField, TNumericField)
 public:
  // Significant digits of the display text (15 unless set).
  int Precision() const { return FPrecision; }
  void SetPrecision(int value) { FPrecision = value; }
  // Shown as money (ffCurrency) instead of the general form.
  bool Currency() const { return FCurrency; }
  void SetCurrency(bool value) { FCurrency = value; }

 protected:
  TFloatField() { SetDataType(ftFloat); }
  String GetText(bool displayText) const override;

 private:
  int FPrecision = 15;
  bool FCurrency = false;
};

class TCurrencyField : public TFloatField {
  RTL_CLASS(TCurrencyField, TFloatField)
 protected:
  TCurrencyField() {
    SetDataType(ftCurrency);
    SetCurrency(true);
  }
};

DB_FIELD_CLASS(TBCDField, TNumericField, ftBCD);
DB_FIELD_CLASS(TFMTBCDField, TNumericField, ftFMTBcd);
DB_FIELD_CLASS(TBooleanField, TField, ftBoolean);
DB_FIELD_CLASS(TDateTimeField, TField, ftDateTime);
DB_FIELD_CLASS(TDateField, TDateTimeField, ftDate);
DB_FIELD_CLASS(TTimeField, TDateTimeField, ftTime);
DB_FIELD_CLASS(TSQLTimeStampField, TDateTimeField, ftTimeStamp);
DB_FIELD_CLASS(TBlobField, TField, ftBlob);
DB_FIELD_CLASS(TMemoField, TBlobField, ftMemo);
DB_FIELD_CLASS(TVariantField, TField, ftVariant);

#undef DB_FIELD_CLASS

// The class a dataset makes for a column of the type when it creates its fields itself.
TClass DefaultFieldClass(TFieldType type);

// The fields of a dataset in order. It does not own them; the dataset does.
class TFields {
 public:
  int Count() const { return static_cast<int>(FList.size()); }
  TField* Fields(int index) const;
  TField* operator[](int index) const { return Fields(index); }
  // By name, ignoring letter case; nullptr when there is none.
  TField* FindField(const String& name) const;
  int IndexOf(const TField* field) const;

  auto begin() const { return FList.begin(); }
  auto end() const { return FList.end(); }

 private:
  friend class TDataSet;
  friend class TField;
  std::vector<TField*> FList;
};

// One column as the dataset's source describes it.
struct TFieldDef {
  String Name;
  TFieldType DataType = ftUnknown;
  int Size = 0;       // characters of a string column
  int Precision = 0;  // digits of a number column (NUMBER(p,s)); 0 when not declared
  int Scale = 0;      // decimals of a number column
  bool Required = false;
};

class TFieldDefs {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  const TFieldDef& Items(int index) const;
  const TFieldDef& operator[](int index) const { return Items(index); }
  // Adds a column. A name already present (letter case ignored) is made unique with "_1", "_2",
  // ... as a result with two equal column names needs; returns the index.
  int Add(const String& name, TFieldType type, int size = 0, bool required = false);
  int Add(const TFieldDef& def);
  // Index by name (letter case ignored); -1 when there is none.
  int IndexOf(const String& name) const;

 private:
  std::vector<TFieldDef> FItems;
};
