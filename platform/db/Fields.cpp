#include "platform/db/Fields.h"

#include <limits>

#include "platform/db/DataSet.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"

void DatabaseError(const String& message, const TComponent* component) {
  if (component && !component->Name().empty())
    throw EDatabaseError(component->Name() + ": " + message);
  throw EDatabaseError(message);
}

String FieldTypeName(TFieldType type) {
  static const char* const kNames[] = {
      "Unknown", "String",   "SmallInt",  "Integer",    "Word",     "Boolean",
      "Float",   "Currency", "BCD",       "Date",       "Time",     "DateTime",
      "Bytes",   "VarBytes", "AutoInc",   "Blob",       "Memo",     "Graphic",
      "FmtMemo", "Cursor",   "FixedChar", "WideString", "Largeint", "OraBlob",
      "OraClob", "Variant",  "Guid",      "TimeStamp",  "FMTBcd"};
  static_assert(sizeof(kNames) / sizeof(kNames[0]) == ftFMTBcd + 1, "one name per type");
  return kNames[type];
}

TStorageKind StorageKindOf(TFieldType type) {
  switch (type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
    case ftBoolean:
      return TStorageKind::Integer;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftFMTBcd:
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp:
      return TStorageKind::Float;
    case ftString:
    case ftFixedChar:
    case ftWideString:
    case ftGuid:
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftOraBlob:
    case ftOraClob:
    case ftBytes:
    case ftVarBytes:
      return TStorageKind::Text;
    case ftUnknown:
    case ftVariant:
    case ftCursor:
      return TStorageKind::Variant;
  }
  return TStorageKind::Variant;
}

RTL_CLASS_IMPL_CREATABLE(TField, TComponent)
RTL_CLASS_IMPL_CREATABLE(TStringField, TField)
RTL_CLASS_IMPL_CREATABLE(TWideStringField, TStringField)
RTL_CLASS_IMPL(TNumericField, TField)
RTL_CLASS_IMPL_CREATABLE(TIntegerField, TNumericField)
RTL_CLASS_IMPL_CREATABLE(TSmallintField, TIntegerField)
RTL_CLASS_IMPL_CREATABLE(TWordField, TIntegerField)
RTL_CLASS_IMPL_CREATABLE(TAutoIncField, TIntegerField)
RTL_CLASS_IMPL_CREATABLE(TLargeintField, TNumericField)
RTL_CLASS_IMPL_CREATABLE(TFloatField, TNumericField)
RTL_CLASS_IMPL_CREATABLE(TCurrencyField, TFloatField)
RTL_CLASS_IMPL_CREATABLE(TBCDField, TNumericField)
RTL_CLASS_IMPL_CREATABLE(TFMTBCDField, TNumericField)
RTL_CLASS_IMPL_CREATABLE(TBooleanField, TField)
RTL_CLASS_IMPL_CREATABLE(TDateTimeField, TField)
RTL_CLASS_IMPL_CREATABLE(TDateField, TDateTimeField)
RTL_CLASS_IMPL_CREATABLE(TTimeField, TDateTimeField)
RTL_CLASS_IMPL_CREATABLE(TSQLTimeStampField, TDateTimeField)
RTL_CLASS_IMPL_CREATABLE(TBlobField, TField)
RTL_CLASS_IMPL_CREATABLE(TMemoField, TBlobField)
RTL_CLASS_IMPL_CREATABLE(TVariantField, TField)

TClass DefaultFieldClass(TFieldType type) {
  switch (type) {
    case ftString:
    case ftFixedChar:
    case ftGuid:
      return TStringField::ClassInfo();
    case ftWideString:
      return TWideStringField::ClassInfo();
    case ftSmallint:
      return TSmallintField::ClassInfo();
    case ftInteger:
      return TIntegerField::ClassInfo();
    case ftWord:
      return TWordField::ClassInfo();
    case ftAutoInc:
      return TAutoIncField::ClassInfo();
    case ftLargeint:
      return TLargeintField::ClassInfo();
    case ftBoolean:
      return TBooleanField::ClassInfo();
    case ftFloat:
      return TFloatField::ClassInfo();
    case ftCurrency:
      return TCurrencyField::ClassInfo();
    case ftBCD:
      return TBCDField::ClassInfo();
    case ftFMTBcd:
      return TFMTBCDField::ClassInfo();
    case ftDate:
      return TDateField::ClassInfo();
    case ftTime:
      return TTimeField::ClassInfo();
    case ftDateTime:
      return TDateTimeField::ClassInfo();
    case ftTimeStamp:
      return TSQLTimeStampField::ClassInfo();
    case ftBlob:
    case ftGraphic:
    case ftOraBlob:
    case ftBytes:
    case ftVarBytes:
      return TBlobField::ClassInfo();
    case ftMemo:
    case ftFmtMemo:
    case ftOraClob:
      return TMemoField::ClassInfo();
    case ftUnknown:
    case ftVariant:
      return TVariantField::ClassInfo();
    case ftCursor:
      break;
  }
  return nullptr;
}

// --- TField: structure -------------------------------------------------------------------------

void TField::SetDataSet(TDataSet* dataSet) {
  if (dataSet == FDataSet) return;
  if (FDataSet) FDataSet->CheckInactive();
  if (dataSet) {
    dataSet->CheckInactive();
    if (dataSet->FindField(FFieldName) && !FFieldName.empty())
      DatabaseError("Duplicate field name '" + FFieldName + "'", dataSet);
  }
  if (FDataSet) FDataSet->DetachField(this);
  if (dataSet) dataSet->AttachField(this);
}

void TField::SetFieldName(const String& name) {
  if (name == FFieldName) return;
  if (FDataSet) {
    FDataSet->CheckInactive();
    const TField* other = FDataSet->FindField(name);
    if (other && other != this) DatabaseError("Duplicate field name '" + name + "'", FDataSet);
  }
  FFieldName = name;
}

void TField::SetFieldKind(TFieldKind kind) {
  if (FDataSet) FDataSet->CheckInactive();
  FFieldKind = kind;
}

void TField::SetSize(int size) {
  if (FDataSet) FDataSet->CheckInactive();
  FSize = size;
}

int TField::Index() const { return FDataSet ? FDataSet->FFields.IndexOf(this) : -1; }

void TField::SetIndex(int index) {
  if (!FDataSet) return;
  auto& list = FDataSet->FFields.FList;
  const int current = Index();
  index = std::max(0, std::min(index, static_cast<int>(list.size()) - 1));
  if (index == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + index, this);
  if (FDataSet->Active()) FDataSet->DataEvent(deLayoutChange);
}

void TField::SetLookupDataSet(TDataSet* dataSet) {
  if (dataSet == FLookupDataSet) return;
  if (FLookupDataSet) RemoveFreeNotification(FLookupDataSet);
  FLookupDataSet = dataSet;
  if (dataSet) FreeNotification(dataSet);
}

void TField::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FLookupDataSet) FLookupDataSet = nullptr;
}

void TField::Destroy() {
  // A field that goes while its dataset is open takes the dataset down with it, as the
  // dataset's rows can no longer be read through all of its fields.
  if (TDataSet* dataSet = FDataSet) {
    if (!dataSet->HasState(csDestroying)) dataSet->Close();
    dataSet->DetachField(this);
  }
  SetLookupDataSet(nullptr);
  inherited::Destroy();
}

TField::TFamily TField::Family() const {
  switch (FDataType) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
    case ftGuid:
      return TFamily::Text;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
      return TFamily::Integer;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftFMTBcd:
      return TFamily::Float;
    case ftBoolean:
      return TFamily::Boolean;
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp:
      return TFamily::Date;
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftOraBlob:
    case ftOraClob:
    case ftBytes:
    case ftVarBytes:
      return TFamily::Blob;
    case ftUnknown:
    case ftVariant:
    case ftCursor:
      return TFamily::Variant;
  }
  return TFamily::Variant;
}

int TField::DefaultWidth() const {
  switch (FDataType) {
    case ftSmallint:
      return 6;
    case ftInteger:
    case ftAutoInc:
      return 11;
    case ftWord:
      return 5;
    case ftLargeint:
      return 15;
    case ftBoolean:
      return 5;
    case ftDateTime:
    case ftTimeStamp:
      return 18;
    default:
      return 10;
  }
}

// --- TField: reading ---------------------------------------------------------------------------

TField::TCellRef TField::Cell() const {
  if (!FDataSet || FColumn < 0) return {};
  if (FFieldKind == fkData) {
    if (!FDataSet->FActiveRow) return {};
    return {FDataSet->FActiveRow, FDataSet->FStore.get(), FColumn};
  }
  FDataSet->EnsureCalculated();
  const TRowStore* calc = FDataSet->FCalcStore.get();
  return {calc->Row(0), calc, FColumn};
}

void TField::AccessError(const char* typeName) const {
  DatabaseError("Cannot access field '" + DisplayName() + "' as type " + typeName);
}

double TField::RawNumber(const TCellRef& cell) const {
  switch (FStorage) {
    case TStorageKind::Integer:
      return static_cast<double>(cell.Store->GetInteger(cell.Row, cell.Column));
    case TStorageKind::Float:
      return cell.Store->GetFloat(cell.Row, cell.Column);
    case TStorageKind::Text:
      return StrToFloat(String(cell.Store->GetText(cell.Row, cell.Column)));
    case TStorageKind::Variant:
      return cell.Store->GetVariant(cell.Row, cell.Column).AsDouble();
  }
  return 0;
}

String TField::RawText(const TCellRef& cell) const {
  switch (FStorage) {
    case TStorageKind::Integer:
      return IntToStr(cell.Store->GetInteger(cell.Row, cell.Column));
    case TStorageKind::Float:
      return FloatToStr(cell.Store->GetFloat(cell.Row, cell.Column));
    case TStorageKind::Text:
      return String(cell.Store->GetText(cell.Row, cell.Column));
    case TStorageKind::Variant:
      return VarToStr(cell.Store->GetVariant(cell.Row, cell.Column));
  }
  return String();
}

bool TField::NumberValue(double& value) const {
  const TCellRef cell = Cell();
  if (!cell.Row || TRowStore::IsNull(cell.Row, cell.Column)) return false;
  value = RawNumber(cell);
  return true;
}

bool TField::IsNull() const {
  const TCellRef cell = Cell();
  return !cell.Row || TRowStore::IsNull(cell.Row, cell.Column);
}

String TField::AsString() const {
  const TCellRef cell = Cell();
  if (!cell.Row || TRowStore::IsNull(cell.Row, cell.Column)) return String();
  switch (Family()) {
    case TFamily::Text:
    case TFamily::Blob:
    case TFamily::Variant:
    case TFamily::Float:
      return RawText(cell);
    case TFamily::Integer:
      return IntToStr(AsLargeInt());
    case TFamily::Boolean:
      return AsBoolean() ? "True" : "False";
    case TFamily::Date: {
      const double value = RawNumber(cell);
      if (FDataType == ftDate) return DateToStr(value);
      if (FDataType == ftTime) return TimeToStr(value);
      return DateTimeToStr(value);
    }
  }
  return String();
}

std::string_view TField::AsStringView() const {
  const TCellRef cell = Cell();
  if (FStorage != TStorageKind::Text) AccessError("String");
  if (!cell.Row || TRowStore::IsNull(cell.Row, cell.Column)) return {};
  return cell.Store->GetText(cell.Row, cell.Column);
}

int64_t TField::AsLargeInt() const {
  const TCellRef cell = Cell();
  if (!cell.Row || TRowStore::IsNull(cell.Row, cell.Column)) return 0;
  switch (Family()) {
    case TFamily::Text:
      return StrToInt64(RawText(cell));
    case TFamily::Integer:
      if (FStorage == TStorageKind::Integer) return cell.Store->GetInteger(cell.Row, cell.Column);
      return Round(RawNumber(cell));
    case TFamily::Float:
      return Round(RawNumber(cell));
    case TFamily::Variant:
      return cell.Store->GetVariant(cell.Row, cell.Column).AsInt64();
    case TFamily::Boolean:
    case TFamily::Date:
    case TFamily::Blob:
      break;
  }
  AccessError("Integer");
}

int32_t TField::AsInteger() const {
  const int64_t value = AsLargeInt();
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    DatabaseError(IntToStr(value) + " is not a valid value for field '" + DisplayName() +
                  "'. The allowed range is " + IntToStr(std::numeric_limits<int32_t>::min()) +
                  " to " + IntToStr(std::numeric_limits<int32_t>::max()));
  return static_cast<int32_t>(value);
}

double TField::AsFloat() const {
  const TCellRef cell = Cell();
  if (!cell.Row || TRowStore::IsNull(cell.Row, cell.Column)) return 0;
  switch (Family()) {
    case TFamily::Text:
      return StrToFloat(RawText(cell));
    case TFamily::Integer:
    case TFamily::Float:
    case TFamily::Date:
    case TFamily::Variant:
      return RawNumber(cell);
    case TFamily::Boolean:
    case TFamily::Blob:
      break;
  }
  AccessError("Float");
}

bool TField::AsBoolean() const {
  const TCellRef cell = Cell();
  if (!cell.Row || TRowStore::IsNull(cell.Row, cell.Column)) return false;
  switch (Family()) {
    case TFamily::Text: {
      const std::string_view text = FStorage == TStorageKind::Text
                                        ? cell.Store->GetText(cell.Row, cell.Column)
                                        : std::string_view();
      return !text.empty() && String("TtYy").find(text[0]) != String::npos;
    }
    case TFamily::Boolean:
      return RawNumber(cell) != 0;
    case TFamily::Variant:
      return cell.Store->GetVariant(cell.Row, cell.Column).AsBoolean();
    case TFamily::Integer:
    case TFamily::Float:
    case TFamily::Date:
    case TFamily::Blob:
      break;
  }
  AccessError("Boolean");
}

TDateTime TField::AsDateTime() const {
  const TCellRef cell = Cell();
  if (!cell.Row || TRowStore::IsNull(cell.Row, cell.Column)) return 0;
  switch (Family()) {
    case TFamily::Text:
      return StrToDateTime(RawText(cell));
    case TFamily::Date:
      return RawNumber(cell);
    case TFamily::Variant:
      return cell.Store->GetVariant(cell.Row, cell.Column).AsDateTime();
    case TFamily::Integer:
    case TFamily::Float:
    case TFamily::Boolean:
    case TFamily::Blob:
      break;
  }
  AccessError("DateTime");
}

Variant TField::Value() const {
  const TCellRef cell = Cell();
  if (!cell.Row || TRowStore::IsNull(cell.Row, cell.Column)) return Null();
  switch (Family()) {
    case TFamily::Text:
    case TFamily::Blob:
      if (FDataType == ftWideString) return Variant(RawText(cell));
      return VarAsString8(RawText(cell));
    case TFamily::Integer:
      if (FDataType == ftLargeint) return Variant(AsLargeInt());
      return Variant(AsInteger());
    case TFamily::Float:
      if (FDataType == ftBCD) return VarFromCurrencyScaled(Round(RawNumber(cell) * 10000));
      return Variant(RawNumber(cell));
    case TFamily::Boolean:
      return Variant(AsBoolean());
    case TFamily::Date:
      return VarFromDateTime(RawNumber(cell));
    case TFamily::Variant:
      if (FStorage == TStorageKind::Variant) return cell.Store->GetVariant(cell.Row, cell.Column);
      if (FStorage == TStorageKind::Text) return Variant(RawText(cell));
      if (FStorage == TStorageKind::Integer)
        return Variant(static_cast<long long>(RawNumber(cell)));
      return Variant(RawNumber(cell));
  }
  return Null();
}

String TField::GetText(bool displayText) const {
  if (Family() == TFamily::Blob) {
    const String name = FieldTypeName(FDataType);
    return "(" + (IsNull() ? name : AnsiUpperCase(name)) + ")";
  }
  return AsString();
}

String TFloatField::GetText(bool displayText) const {
  if (IsNull()) return String();
  const double value = AsFloat();
  if (Currency())
    return FloatToStrF(value, displayText ? TFloatFormat::ffCurrency : TFloatFormat::ffFixed,
                       Precision(), FormatSettings.CurrencyDecimals);
  return FloatToStrF(value, TFloatFormat::ffGeneral, Precision(), 0);
}

String TField::Text() const {
  if (!OnGetText) return GetText(false);
  String text;
  OnGetText(const_cast<TField*>(this), text, false);
  return text;
}

String TField::DisplayText() const {
  if (!OnGetText) return GetText(true);
  String text;
  OnGetText(const_cast<TField*>(this), text, true);
  return text;
}

// --- TField: writing ---------------------------------------------------------------------------

uint64_t* TField::WritableRow(TRowStore*& store) {
  if (!FDataSet) DatabaseError("Field '" + DisplayName() + "' has no dataset");
  const TDataSetState state = FDataSet->FState;
  if (FFieldKind != fkData) {
    if (state != dsCalcFields && state != dsEdit && state != dsInsert)
      DatabaseError("Dataset not in edit or insert mode", FDataSet);
    FDataSet->EnsureCalculated();
    store = FDataSet->FCalcStore.get();
    return store->Row(0);
  }
  if (state != dsEdit && state != dsInsert)
    DatabaseError("Dataset not in edit or insert mode", FDataSet);
  if (FReadOnly) DatabaseError("Field '" + DisplayName() + "' cannot be modified");
  store = FDataSet->FStore.get();
  return FDataSet->FEditRow.data();
}

void TField::Changed() {
  FDataSet->FieldChanged(this);
  if (OnChange && FDataSet->FState != dsCalcFields) OnChange(this);
}

void TField::WriteText(std::string_view text) {
  TRowStore* store;
  uint64_t* row = WritableRow(store);
  switch (FStorage) {
    case TStorageKind::Text:
      store->SetText(row, FColumn, text);
      break;
    case TStorageKind::Variant:
      store->SetVariant(
          row, FColumn,
          FDataType == ftWideString ? Variant(String(text)) : VarAsString8(String(text)));
      break;
    case TStorageKind::Integer:
      store->SetInteger(row, FColumn, StrToInt64(String(text)));
      break;
    case TStorageKind::Float:
      store->SetFloat(row, FColumn, StrToFloat(String(text)));
      break;
  }
  Changed();
}

void TField::WriteInteger(int64_t value) {
  TRowStore* store;
  uint64_t* row = WritableRow(store);
  switch (FStorage) {
    case TStorageKind::Integer:
      store->SetInteger(row, FColumn, value);
      break;
    case TStorageKind::Float:
      store->SetFloat(row, FColumn, static_cast<double>(value));
      break;
    case TStorageKind::Text:
      store->SetText(row, FColumn, IntToStr(value));
      break;
    case TStorageKind::Variant:
      store->SetVariant(row, FColumn, Variant(static_cast<long long>(value)));
      break;
  }
  Changed();
}

void TField::WriteFloat(double value) {
  TRowStore* store;
  uint64_t* row = WritableRow(store);
  switch (FStorage) {
    case TStorageKind::Float:
      store->SetFloat(row, FColumn, value);
      break;
    case TStorageKind::Integer:
      store->SetInteger(row, FColumn, Round(value));
      break;
    case TStorageKind::Text:
      store->SetText(row, FColumn, FloatToStr(value));
      break;
    case TStorageKind::Variant:
      store->SetVariant(row, FColumn,
                        Family() == TFamily::Date ? VarFromDateTime(value) : Variant(value));
      break;
  }
  Changed();
}

void TField::CheckRange(int64_t value) const {
  int64_t low, high;
  switch (FDataType) {
    case ftSmallint:
      low = std::numeric_limits<int16_t>::min(), high = std::numeric_limits<int16_t>::max();
      break;
    case ftWord:
      low = 0, high = std::numeric_limits<uint16_t>::max();
      break;
    case ftInteger:
    case ftAutoInc:
      low = std::numeric_limits<int32_t>::min(), high = std::numeric_limits<int32_t>::max();
      break;
    default:
      return;
  }
  if (value < low || value > high)
    DatabaseError(IntToStr(value) + " is not a valid value for field '" + DisplayName() +
                  "'. The allowed range is " + IntToStr(low) + " to " + IntToStr(high));
}

namespace {

// The text cut to `size` characters (a size of 0 keeps it whole).
std::string_view CutToSize(const String& text, int size) {
  if (size <= 0 || static_cast<int>(text.size()) <= size) return text;
  size_t pos = 0;
  for (int i = 0; i < size && pos < text.size(); ++i) NextUtf8Char(text, pos);
  return std::string_view(text).substr(0, pos);
}

bool StartsBooleanText(const String& value, const char* text) {
  return value.size() <= std::strlen(text) && AnsiSameText(value, String(text, value.size()));
}

}  // namespace

void TField::SetAsString(const String& value) {
  const TFamily family = Family();
  if (family == TFamily::Text) return WriteText(CutToSize(value, FSize));
  if (family == TFamily::Blob || family == TFamily::Variant) return WriteText(value);
  if (value.empty()) return Clear();
  switch (family) {
    case TFamily::Integer: {
      int64_t number;
      if (!TryStrToInt64(value, number))
        DatabaseError("'" + value + "' is not a valid integer value for field '" + DisplayName() +
                      "'");
      return SetAsLargeInt(number);
    }
    case TFamily::Float: {
      double number;
      if (!TryStrToFloat(value, number))
        DatabaseError("'" + value + "' is not a valid floating point value for field '" +
                      DisplayName() + "'");
      return SetAsFloat(number);
    }
    case TFamily::Boolean:
      if (StartsBooleanText(value, "False")) return SetAsBoolean(false);
      if (StartsBooleanText(value, "True")) return SetAsBoolean(true);
      DatabaseError("'" + value + "' is not a valid boolean value for field '" + DisplayName() +
                    "'");
    case TFamily::Date:
      return SetAsDateTime(StrToDateTime(value));
    default:
      return;
  }
}

void TField::SetAsLargeInt(int64_t value) {
  switch (Family()) {
    case TFamily::Text:
      return SetAsString(IntToStr(value));
    case TFamily::Integer:
      CheckRange(value);
      return WriteInteger(value);
    case TFamily::Float:
      return WriteFloat(static_cast<double>(value));
    case TFamily::Variant:
      return WriteInteger(value);
    case TFamily::Boolean:
    case TFamily::Date:
    case TFamily::Blob:
      break;
  }
  AccessError("Integer");
}

void TField::SetAsFloat(double value) {
  switch (Family()) {
    case TFamily::Text:
      return SetAsString(FloatToStr(value));
    case TFamily::Integer:
      return SetAsLargeInt(Round(value));
    case TFamily::Float:
    case TFamily::Date:
    case TFamily::Variant:
      return WriteFloat(value);
    case TFamily::Boolean:
    case TFamily::Blob:
      break;
  }
  AccessError("Float");
}

void TField::SetAsBoolean(bool value) {
  switch (Family()) {
    case TFamily::Text:
      return SetAsString(value ? "T" : "F");
    case TFamily::Boolean:
      return WriteInteger(value ? 1 : 0);
    case TFamily::Variant: {
      TRowStore* store;
      uint64_t* row = WritableRow(store);
      store->SetVariant(row, FColumn, Variant(value));
      return Changed();
    }
    case TFamily::Integer:
    case TFamily::Float:
    case TFamily::Date:
    case TFamily::Blob:
      break;
  }
  AccessError("Boolean");
}

void TField::SetAsDateTime(TDateTime value) {
  switch (Family()) {
    case TFamily::Text:
      return SetAsString(DateTimeToStr(value));
    case TFamily::Date:
      return WriteFloat(value);
    case TFamily::Variant: {
      TRowStore* store;
      uint64_t* row = WritableRow(store);
      store->SetVariant(row, FColumn, VarFromDateTime(value));
      return Changed();
    }
    case TFamily::Integer:
    case TFamily::Float:
    case TFamily::Boolean:
    case TFamily::Blob:
      break;
  }
  AccessError("DateTime");
}

void TField::SetValue(const Variant& value) {
  if (VarIsNull(value) || VarIsEmpty(value)) return Clear();
  // A text is read by the field's own rules, with their errors.
  if (VarIsStr(value) && Family() != TFamily::Variant) return SetAsString(value.AsString());
  switch (Family()) {
    case TFamily::Text:
    case TFamily::Blob:
      return SetAsString(value.AsString());
    case TFamily::Integer:
      return SetAsLargeInt(value.AsInt64());
    case TFamily::Float:
      return SetAsFloat(value.AsDouble());
    case TFamily::Boolean:
      return SetAsBoolean(value.AsBoolean());
    case TFamily::Date:
      return SetAsDateTime(value.AsDateTime());
    case TFamily::Variant: {
      if (FStorage != TStorageKind::Variant) return SetAsString(value.AsString());
      TRowStore* store;
      uint64_t* row = WritableRow(store);
      store->SetVariant(row, FColumn, value);
      return Changed();
    }
  }
}

void TField::Clear() {
  TRowStore* store;
  uint64_t* row = WritableRow(store);
  store->SetNull(row, FColumn);
  Changed();
}

// --- TFields -----------------------------------------------------------------------------------

TField* TFields::Fields(int index) const {
  if (index < 0 || index >= Count()) throw EDatabaseError("Field index out of range");
  return FList[static_cast<size_t>(index)];
}

TField* TFields::FindField(const String& name) const {
  for (TField* field : FList)
    if (AnsiSameText(field->FieldName(), name)) return field;
  return nullptr;
}

int TFields::IndexOf(const TField* field) const {
  for (size_t i = 0; i < FList.size(); ++i)
    if (FList[i] == field) return static_cast<int>(i);
  return -1;
}

// --- TFieldDefs --------------------------------------------------------------------------------

const TFieldDef& TFieldDefs::Items(int index) const {
  if (index < 0 || index >= Count()) throw EDatabaseError("Field index out of range");
  return FItems[static_cast<size_t>(index)];
}

int TFieldDefs::Add(const String& name, TFieldType type, int size, bool required) {
  TFieldDef def;
  def.Name = name;
  def.DataType = type;
  def.Size = size;
  def.Required = required;
  return Add(def);
}

int TFieldDefs::Add(const TFieldDef& def) {
  TFieldDef unique = def;
  for (int suffix = 1; IndexOf(unique.Name) >= 0; ++suffix)
    unique.Name = def.Name + "_" + std::to_string(suffix);
  FItems.push_back(std::move(unique));
  return Count() - 1;
}

int TFieldDefs::IndexOf(const String& name) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (AnsiSameText(FItems[i].Name, name)) return static_cast<int>(i);
  return -1;
}
