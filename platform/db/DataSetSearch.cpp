// Rows by value: Locate, Lookup, the local filter and the local range.
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/FilterExpr.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"

namespace {

// Makes a row of the dataset the one its fields read for a while, and puts the previous one
// back however the scope is left.
class TRowSwitch {
 public:
  TRowSwitch(const uint64_t*& row, int64_t& key)
      : FRow(row), FKey(key), FSavedRow(row), FSavedKey(key) {}
  ~TRowSwitch() {
    FRow = FSavedRow;
    FKey = FSavedKey;
  }
  void To(const uint64_t* row, int64_t key) {
    FRow = row;
    FKey = key;
  }

 private:
  const uint64_t*& FRow;
  int64_t& FKey;
  const uint64_t* FSavedRow;
  int64_t FSavedKey;
};

bool ReadKeyNumber(const String& text, double& value) {
  return TryStrToFloat(text, value) || TryStrToFloat(text, value, '.');
}

}  // namespace

TDataSet::TMatchKey TDataSet::PrepareKey(TField* field, const Variant& value) const {
  TMatchKey key;
  key.Field = field;
  key.Value = value;
  key.Null = VarIsNull(value) || VarIsEmpty(value);
  switch (field->Family()) {
    case TField::TFamily::Text:
      key.PrefixAllowed = true;
      [[fallthrough]];
    case TField::TFamily::Blob:
      key.Kind = TMatchKey::TKind::Text;
      if (!key.Null) {
        key.Text = value.AsString();
        key.Upper = AnsiUpperCase(key.Text);
      }
      return key;
    case TField::TFamily::Variant:
      key.Kind = TMatchKey::TKind::Variant;
      return key;
    default:
      break;
  }
  key.Kind = TMatchKey::TKind::Number;
  if (key.Null) return key;
  const bool isDate = field->Family() == TField::TFamily::Date;
  const bool isBoolean = field->Family() == TField::TFamily::Boolean;
  try {
    if (VarIsStr(value) && !isBoolean) {
      const String text = value.AsString();
      if (isDate) {
        if (!ReadKeyNumber(text, key.Number)) key.Number = StrToDateTime(text);
      } else if (!ReadKeyNumber(text, key.Number)) {
        throw EConvertError(text);
      }
    } else if (isBoolean) {
      key.Number = value.AsBoolean() ? 1 : 0;
    } else {
      key.Number = value.AsDouble();
    }
  } catch (const Exception&) {
    Error("'" + VarToStr(value) + "' is not a valid value for field '" + field->DisplayName() +
          "'");
  }
  return key;
}

bool TDataSet::KeyMatches(const TMatchKey& key, TLocateOptions options) {
  const TField* field = key.Field;
  if (key.Kind == TMatchKey::TKind::Variant) {
    const Variant value = field->Value();
    if (key.Null || VarIsNull(value)) return key.Null && VarIsNull(value);
    try {
      return VarCompareValue(value, key.Value) == vrEqual;
    } catch (const EVariantError&) {
      return false;
    }
  }
  if (field->IsNull()) return key.Null;
  if (key.Null) return false;
  if (key.Kind == TMatchKey::TKind::Number) {
    double number;
    field->NumberValue(number);
    return number == key.Number;
  }
  String scratch;
  std::string_view text;
  if (field->FStorage == TStorageKind::Text) {
    text = field->AsStringView();
  } else {
    scratch = field->AsString();
    text = scratch;
  }
  const bool caseInsensitive = (options & loCaseInsensitive) != 0;
  if ((options & loPartialKey) && key.PrefixAllowed)
    return caseInsensitive ? AnsiUpperCase(String(text)).starts_with(key.Upper)
                           : text.starts_with(key.Text);
  return caseInsensitive ? AnsiSameText(String(text), key.Text) : text == key.Text;
}

std::vector<TField*> TDataSet::FieldList(const String& names) const {
  std::vector<TField*> fields;
  for (const String& name : SplitFieldNames(names)) fields.push_back(FieldByName(name));
  if (fields.empty()) Error("Field '" + names + "' not found");
  return fields;
}

int TDataSet::FindRow(const String& keyFields, const Variant& keyValues, TLocateOptions options) {
  CheckActive();
  const std::vector<TField*> fields = FieldList(keyFields);
  std::vector<Variant> values;
  if (VarIsArray(keyValues)) {
    const int low = VarArrayLowBound(keyValues), high = VarArrayHighBound(keyValues);
    for (int i = low; i <= high; ++i) values.push_back(keyValues.GetElement(i));
  } else {
    values.push_back(keyValues);
  }
  if (values.size() != fields.size())
    Error("Key values do not match the key fields '" + keyFields + "'");
  std::vector<TMatchKey> keys;
  for (size_t i = 0; i < fields.size(); ++i) keys.push_back(PrepareKey(fields[i], values[i]));

  TRowSwitch rowSwitch(FActiveRow, FActiveKey);
  const int count = VisibleCount();
  for (int position = 0; position < count; ++position) {
    const uint32_t row = RowAt(position);
    rowSwitch.To(FStore->Row(row), row);
    bool all = true;
    for (const TMatchKey& key : keys)
      if (!KeyMatches(key, options)) {
        all = false;
        break;
      }
    if (all) return position;
  }
  return -1;
}

bool TDataSet::Locate(const String& keyFields, const Variant& keyValues, TLocateOptions options) {
  CheckBrowseMode();
  DoEvent(BeforeScroll);
  const int position = FindRow(keyFields, keyValues, options);
  if (position < 0) return false;
  SetCursor(position);
  FBof = FEof = false;
  DataEvent(deDataSetChange);
  DoEvent(AfterScroll);
  return true;
}

Variant TDataSet::Lookup(const String& keyFields, const Variant& keyValues,
                         const String& resultFields) {
  const int position = FindRow(keyFields, keyValues, 0);
  if (position < 0) return Null();
  const std::vector<TField*> results = FieldList(resultFields);
  TRowSwitch rowSwitch(FActiveRow, FActiveKey);
  const uint32_t row = RowAt(position);
  rowSwitch.To(FStore->Row(row), row);
  if (results.size() == 1) return results[0]->Value();
  Variant values = VarArrayCreate(0, static_cast<int>(results.size()) - 1, varVariant);
  for (size_t i = 0; i < results.size(); ++i)
    values.SetElement(static_cast<int>(i), results[i]->Value());
  return values;
}

// --- local filter and range --------------------------------------------------------------------

std::unique_ptr<TFilterExpr> TDataSet::CompileFilter(const String& text) const {
  if (Trim(text).empty()) return nullptr;
  std::unique_ptr<TFilterExpr> expr = TFilterExpr::Parse(text);
  expr->Bind([this](const String& name) {
    const TField* field = FindField(name);
    if (!field || field->FFieldKind != fkData || field->FColumn < 0)
      Error("Field '" + name + "' not found");
    return TFilterExpr::TColumnInfo{field->FColumn, field->FStorage,
                                    field->Family() == TField::TFamily::Date};
  });
  return expr;
}

void TDataSet::SetFilter(const String& text) {
  if (text == FFilterText) return;
  if (!Active() || !FFiltered) {
    FFilterText = text;
    return;
  }
  std::unique_ptr<TFilterExpr> expr = CompileFilter(text);
  CheckBrowseMode();
  FFilterText = text;
  FFilterExpr = std::move(expr);
  ApplyFilterChange();
}

void TDataSet::SetFiltered(bool value) {
  if (value == FFiltered) return;
  if (!Active()) {
    FFiltered = value;
    return;
  }
  std::unique_ptr<TFilterExpr> expr = value ? CompileFilter(FFilterText) : nullptr;
  CheckBrowseMode();
  FFiltered = value;
  FFilterExpr = std::move(expr);
  ApplyFilterChange();
}

void TDataSet::SetFilterOptions(TFilterOptions options) {
  if (options == FFilterOptions) return;
  FFilterOptions = options;
  if (!Active() || !FFiltered) return;
  CheckBrowseMode();
  ApplyFilterChange();
}

void TDataSet::ApplyFilterChange() {
  RebuildVisibleRows();
  First();
}

void TDataSet::SetLocalRange(const std::vector<TMasterValue>& values) { FRange = values; }

void TDataSet::CompileRange() {
  std::vector<TMatchKey> keys;
  for (const TMasterValue& value : FRange)
    keys.push_back(
        PrepareKey(FieldByName(value.DetailField.empty() ? value.MasterField : value.DetailField),
                   value.Value));
  FRangeKeys = std::move(keys);
}

bool TDataSet::RowPasses(uint32_t row) {
  TRowSwitch rowSwitch(FActiveRow, FActiveKey);
  const uint64_t* image = FStore->Row(row);
  rowSwitch.To(image, row);
  for (const TMatchKey& key : FRangeKeys)
    if (key.Null || !KeyMatches(key, 0)) return false;
  if (!FFiltered) return true;
  if (FFilterExpr &&
      !FFilterExpr->Matches(*FStore, image, (FFilterOptions & foCaseInsensitive) != 0,
                            (FFilterOptions & foNoPartialCompare) == 0))
    return false;
  if (!OnFilterRecord) return true;
  const TDataSetState saved = FState;
  FState = dsFilter;
  bool accept = true;
  try {
    OnFilterRecord(this, accept);
  } catch (...) {
    FState = saved;
    throw;
  }
  FState = saved;
  return accept;
}

void TDataSet::RebuildVisibleRows() {
  InvalidatePositions();
  CompileRange();
  const bool filtering = FFiltered && (FFilterExpr || OnFilterRecord);
  if ((!filtering && FRangeKeys.empty()) || !FStore) {
    FVisible.clear();
    FVisibleIsOrder = true;
    return;
  }
  std::vector<uint32_t> visible;
  const uint32_t count =
      FOrderIsIdentity ? FStore->RowCount() : static_cast<uint32_t>(FOrder.size());
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t row = FOrderIsIdentity ? i : FOrder[i];
    if (RowPasses(row)) visible.push_back(row);
  }
  FVisible = std::move(visible);
  FVisibleIsOrder = false;
}
