#include "platform/db/DataSet.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "platform/db/DataSource.h"
#include "platform/db/FilterExpr.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"

RTL_CLASS_IMPL(TDataSet, TComponent)

std::vector<String> SplitFieldNames(const String& names) {
  std::vector<String> result;
  size_t start = 0;
  while (start <= names.size()) {
    size_t end = names.find(';', start);
    if (end == String::npos) end = names.size();
    String name = Trim(names.substr(start, end - start));
    if (!name.empty()) result.push_back(std::move(name));
    start = end + 1;
  }
  return result;
}

// The link of a detail dataset to its master's data source: the detail follows every change of
// the master's current row and of the master's key fields.
class TMasterDataLink : public TDataLink {
 public:
  explicit TMasterDataLink(TDataSet* detail) : FDetail(detail) {}

 protected:
  void ActiveChanged() override { FDetail->MasterChanged(); }
  void RecordChanged(TField* field) override {
    if (field && !IsMasterField(field)) return;
    FDetail->MasterChanged();
  }
  void CheckBrowseMode() override {
    if (FDetail->Active()) FDetail->CheckBrowseMode();
  }

 private:
  bool IsMasterField(const TField* field) const {
    for (const String& name : SplitFieldNames(FDetail->MasterFields()))
      if (AnsiSameText(name, field->FieldName())) return true;
    return false;
  }

  TDataSet* FDetail;
};

// --- TDataLoad ---------------------------------------------------------------------------------

int TDataLoad::AddColumn(const String& name, TFieldType type, int size, int precision, int scale,
                         bool required) {
  if (FStore) throw EDatabaseError("Columns must be described before the first row");
  TFieldDef def;
  def.Name = name;
  def.DataType = type;
  def.Size = size;
  def.Precision = precision;
  def.Scale = scale;
  def.Required = required;
  return FDefs.Add(def);
}

TRowStore& TDataLoad::Store() {
  if (!FStore) {
    std::vector<TStorageKind> kinds;
    for (int i = 0; i < FDefs.Count(); ++i) kinds.push_back(StorageKindOf(FDefs[i].DataType));
    FStore = std::make_unique<TRowStore>(std::move(kinds));
  }
  return *FStore;
}

void TDataLoad::AppendRow() {
  TRowStore& store = Store();
  FRow = store.Row(store.AddRow());
}

void TDataLoad::CheckCell(int column) const {
  if (!FRow) throw EDatabaseError("No row to set a value in");
  if (column < 0 || column >= FDefs.Count()) throw EDatabaseError("Field index out of range");
}

void TDataLoad::ConversionError(int column, std::string_view text) const {
  const TFieldDef& def = FDefs[column];
  throw EDatabaseError("'" + String(text) + "' is not a valid " + FieldTypeName(def.DataType) +
                       " value for field '" + def.Name + "'");
}

void TDataLoad::SetNull(int column) {
  CheckCell(column);
  FStore->SetNull(FRow, column);
}

void TDataLoad::SetInteger(int column, int64_t value) {
  CheckCell(column);
  switch (FStore->Kind(column)) {
    case TStorageKind::Integer:
      FStore->SetInteger(FRow, column,
                         FDefs[column].DataType == ftBoolean ? (value != 0 ? 1 : 0) : value);
      break;
    case TStorageKind::Float:
      FStore->SetFloat(FRow, column, static_cast<double>(value));
      break;
    case TStorageKind::Text:
      FStore->SetText(FRow, column, IntToStr(value));
      break;
    case TStorageKind::Variant:
      FStore->SetVariant(FRow, column, Variant(static_cast<long long>(value)));
      break;
  }
}

void TDataLoad::SetFloat(int column, double value) {
  CheckCell(column);
  switch (FStore->Kind(column)) {
    case TStorageKind::Integer:
      if (!std::isfinite(value) || std::fabs(value) > 9.2e18)
        ConversionError(column, FloatToStr(value));
      SetInteger(column, FDefs[column].DataType == ftBoolean ? (value != 0) : Round(value));
      break;
    case TStorageKind::Float:
      FStore->SetFloat(FRow, column, value);
      break;
    case TStorageKind::Text:
      FStore->SetText(FRow, column, FloatToStr(value));
      break;
    case TStorageKind::Variant:
      FStore->SetVariant(FRow, column, Variant(value));
      break;
  }
}

namespace {

// "YYYY-MM-DD", optionally followed by " " or "T" and "HH:MM[:SS[.fff]]".
bool ParseIsoDateTime(std::string_view text, double& value) {
  auto number = [&](size_t pos, size_t digits, int& out) {
    if (pos + digits > text.size()) return false;
    out = 0;
    for (size_t i = pos; i < pos + digits; ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      out = out * 10 + (text[i] - '0');
    }
    return true;
  };
  int year, month, day, hour = 0, minute = 0, second = 0, millisecond = 0;
  if (!number(0, 4, year) || text.size() < 10 || text[4] != '-' || !number(5, 2, month) ||
      text[7] != '-' || !number(8, 2, day))
    return false;
  if (text.size() > 10) {
    if ((text[10] != ' ' && text[10] != 'T') || !number(11, 2, hour) || text.size() < 16 ||
        text[13] != ':' || !number(14, 2, minute))
      return false;
    size_t pos = 16;
    if (pos < text.size()) {
      if (text[pos] != ':' || !number(pos + 1, 2, second)) return false;
      pos += 3;
      if (pos < text.size()) {
        if (text[pos] != '.') return false;
        const size_t digits = std::min<size_t>(3, text.size() - pos - 1);
        if (digits == 0 || !number(pos + 1, digits, millisecond)) return false;
        for (size_t i = digits; i < 3; ++i) millisecond *= 10;
        for (size_t i = pos + 1 + digits; i < text.size(); ++i)
          if (text[i] < '0' || text[i] > '9') return false;
      }
    }
  }
  TDateTime date, time;
  if (!TryEncodeDate(year, month, day, date) ||
      !TryEncodeTime(hour, minute, second, millisecond, time))
    return false;
  value = date + (date >= 0 ? time : -time);
  return true;
}

}  // namespace

void TDataLoad::SetText(int column, std::string_view text) {
  CheckCell(column);
  const TFieldType type = FDefs[column].DataType;
  switch (FStore->Kind(column)) {
    case TStorageKind::Text:
      FStore->SetText(FRow, column, text);
      return;
    case TStorageKind::Variant:
      FStore->SetVariant(FRow, column, VarAsString8(String(text)));
      return;
    case TStorageKind::Integer: {
      int64_t number;
      double real;
      if (TryStrToInt64(String(text), number)) return SetInteger(column, number);
      if (TryStrToFloat(String(text), real, '.')) return SetFloat(column, real);
      if (type == ftBoolean && !text.empty()) {
        if (String("TtYy").find(text[0]) != String::npos) return SetInteger(column, 1);
        if (String("FfNn").find(text[0]) != String::npos) return SetInteger(column, 0);
      }
      break;
    }
    case TStorageKind::Float: {
      double real;
      const bool isDate =
          type == ftDate || type == ftTime || type == ftDateTime || type == ftTimeStamp;
      if (isDate && ParseIsoDateTime(text, real)) return SetFloat(column, real);
      if (TryStrToFloat(String(text), real, '.')) return SetFloat(column, real);
      break;
    }
  }
  ConversionError(column, text);
}

void TDataLoad::SetValue(int column, const Variant& value) {
  CheckCell(column);
  if (VarIsNull(value) || VarIsEmpty(value)) return SetNull(column);
  if (FStore->Kind(column) == TStorageKind::Variant) return FStore->SetVariant(FRow, column, value);
  if (VarIsOrdinal(value)) return SetInteger(column, value.AsInt64());
  if (VarIsFloat(value) || VarType(value) == varDate) return SetFloat(column, value.AsDouble());
  if (VarIsStr(value)) return SetText(column, value.AsString());
  ConversionError(column, VarTypeAsText(VarType(value)));
}

// --- construction ------------------------------------------------------------------------------

TDataSet::TDataSet() = default;
TDataSet::~TDataSet() = default;

void TDataSet::Destroy() {
  Close();
  while (!FDataSources.empty()) FDataSources.back()->SetDataSet(nullptr);
  FMasterLink.reset();
  while (!FFields.FList.empty()) {
    TField* field = FFields.FList.back();
    FFields.FList.pop_back();
    field->FDataSet = nullptr;
    field->Free();
  }
  inherited::Destroy();
}

void TDataSet::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && FMasterLink && component == FMasterLink->DataSource())
    FMasterLink->SetDataSource(nullptr);
}

void TDataSet::CheckActive() const {
  if (!Active()) Error("Cannot perform this operation on a closed dataset");
}

void TDataSet::CheckInactive() const {
  if (Active()) Error("Cannot perform this operation on an open dataset");
}

// --- opening and closing -----------------------------------------------------------------------

void TDataSet::SetActive(bool value) {
  if (value == Active()) return;
  if (value) {
    DoEvent(BeforeOpen);
    OpenCursor();
    SetState(dsBrowse);
    DoEvent(AfterOpen);
    if (!IsEmpty()) DoEvent(AfterScroll);
    return;
  }
  // A dataset that is being destroyed closes without its events: their handlers may belong to
  // a window that is going too.
  const bool events = !HasState(csDestroying);
  if (events) DoEvent(BeforeClose);
  SetState(dsInactive);
  CloseCursor();
  if (events) DoEvent(AfterClose);
}

std::unique_ptr<TRowStore> TDataSet::Fetch(TFieldDefs& defs) {
  TDataLoad load;
  LoadData(load);
  load.Store();  // a result without rows still has its columns
  defs = std::move(load.FDefs);
  return std::move(load.FStore);
}

void TDataSet::OpenCursor() {
  if (FMasterLink && FMasterLink->Active() && !FMasterFields.empty())
    ApplyMasterValues(MasterValues());
  TFieldDefs defs;
  std::unique_ptr<TRowStore> store = Fetch(defs);
  const bool create = FFields.Count() == 0;
  if (!create) CheckBindable(defs);
  FFieldDefs = std::move(defs);
  FStore = std::move(store);
  try {
    BindFields(FFieldDefs, create);
    SetupCalcStore();
    FEditRow.assign(FStore->Stride(), 0);
    FFilterExpr = FFiltered ? CompileFilter(FFilterText) : nullptr;
    RebuildVisibleRows();
  } catch (...) {
    CloseCursor();
    throw;
  }
  const int count = VisibleCount();
  SetCursor(count > 0 ? 0 : -1);
  FBof = true;
  FEof = count == 0;
}

void TDataSet::CloseCursor() {
  FFilterExpr.reset();
  if (FDefaultFields) DestroyDynamicFields();
  for (TField* field : FFields) field->FColumn = -1;
  FDefaultFields = false;
  FCalcStore.reset();
  FCalcValid = false;
  FStore.reset();
  FEditRow.clear();
  FOrder.clear();
  FOrderIsIdentity = true;
  FVisible.clear();
  FVisibleIsOrder = true;
  FPositions.clear();
  FPositionsValid = false;
  FCursor = -1;
  FActiveRow = nullptr;
  FActiveKey = kNoRow;
  FBof = FEof = true;
}

namespace {

bool IsTextKind(TStorageKind kind) { return kind == TStorageKind::Text; }

// Whether a field of the type can read and write a column held as `kind`.
bool Bindable(TFieldType fieldType, TStorageKind kind) {
  const TStorageKind wanted = StorageKindOf(fieldType);
  if (wanted == TStorageKind::Variant || kind == TStorageKind::Variant) return true;
  return IsTextKind(wanted) == IsTextKind(kind);
}

}  // namespace

void TDataSet::CheckBindable(const TFieldDefs& defs) const {
  for (const TField* field : FFields) {
    if (field->FFieldKind != fkData) continue;
    const int index = defs.IndexOf(field->FFieldName);
    if (index < 0) Error("Field '" + field->FFieldName + "' not found");
    const TFieldDef& def = defs[index];
    if (!Bindable(field->FDataType, StorageKindOf(def.DataType)))
      Error("Type mismatch for field '" + field->DisplayName() + "', expecting: " +
            FieldTypeName(field->FDataType) + " actual: " + FieldTypeName(def.DataType));
  }
}

void TDataSet::BindFields(const TFieldDefs& defs, bool create) {
  FDefaultFields = create;
  if (!create) {
    for (TField* field : FFields) {
      if (field->FFieldKind != fkData) continue;
      field->FColumn = defs.IndexOf(field->FFieldName);
      field->FStorage = StorageKindOf(defs[field->FColumn].DataType);
      if (field->FSize == 0) field->FSize = defs[field->FColumn].Size;
    }
    return;
  }
  for (int i = 0; i < defs.Count(); ++i) {
    const TFieldDef& def = defs[i];
    const TClass cls = DefaultFieldClass(def.DataType);
    if (!cls)
      Error("Field '" + def.Name + "' is of an unsupported type " + FieldTypeName(def.DataType));
    auto* field = static_cast<TField*>(TComponent::CreateComponent(cls, this));
    field->FFieldName = def.Name;
    field->FDataType = def.DataType;
    field->FSize = StorageKindOf(def.DataType) == TStorageKind::Text ? def.Size : 0;
    field->FRequired = def.Required;
    field->FColumn = i;
    field->FStorage = StorageKindOf(def.DataType);
    AttachField(field);
  }
}

void TDataSet::DestroyDynamicFields() {
  std::vector<TField*> fields;
  fields.swap(FFields.FList);
  for (TField* field : fields) {
    field->FDataSet = nullptr;
    field->Free();
  }
}

void TDataSet::SetupCalcStore() {
  std::vector<TStorageKind> kinds;
  for (TField* field : FFields) {
    if (field->FFieldKind == fkData) continue;
    field->FColumn = static_cast<int>(kinds.size());
    field->FStorage = StorageKindOf(field->FDataType);
    kinds.push_back(field->FStorage);
  }
  FCalcStore.reset();
  FCalcValid = false;
  if (kinds.empty()) return;
  FCalcStore = std::make_unique<TRowStore>(std::move(kinds), 0);
  FCalcStore->AddRow();
}

void TDataSet::AttachField(TField* field) {
  field->FDataSet = this;
  FFields.FList.push_back(field);
}

void TDataSet::DetachField(TField* field) {
  auto& list = FFields.FList;
  list.erase(std::remove(list.begin(), list.end(), field), list.end());
  field->FDataSet = nullptr;
}

TField* TDataSet::FieldByName(const String& name) const {
  TField* field = FindField(name);
  if (!field) Error("Field '" + name + "' not found");
  return field;
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  DoEvent(BeforeRefresh);
  const int recNo = RecNo();
  InternalRefresh();
  FCalcValid = false;
  const int count = VisibleCount();
  SetCursor(count == 0 ? -1 : std::clamp(recNo, 1, count) - 1);
  FBof = FEof = count == 0;
  DataEvent(deDataSetChange);
  DoEvent(AfterRefresh);
}

namespace {

bool SameColumns(const TFieldDefs& a, const TFieldDefs& b) {
  if (a.Count() != b.Count()) return false;
  for (int i = 0; i < a.Count(); ++i)
    if (a[i].DataType != b[i].DataType || !AnsiSameText(a[i].Name, b[i].Name)) return false;
  return true;
}

}  // namespace

void TDataSet::InternalRefresh() {
  TFieldDefs defs;
  std::unique_ptr<TRowStore> store = Fetch(defs);
  const bool sameColumns = SameColumns(defs, FFieldDefs);
  if (!sameColumns && !FDefaultFields) CheckBindable(defs);
  std::unique_ptr<TFilterExpr> filter;
  FStore = std::move(store);
  FFieldDefs = std::move(defs);
  FEditRow.assign(FStore->Stride(), 0);
  FOrder.clear();
  FOrderIsIdentity = true;
  FActiveRow = nullptr;
  FActiveKey = kNoRow;
  FCalcValid = false;
  if (!sameColumns) {
    if (FDefaultFields) DestroyDynamicFields();
    BindFields(FFieldDefs, FDefaultFields);
    SetupCalcStore();
    FFilterExpr = FFiltered ? CompileFilter(FFilterText) : nullptr;
    DataEvent(deLayoutChange);
  }
  RebuildVisibleRows();
}

// --- rows and cursor ---------------------------------------------------------------------------

int TDataSet::VisibleCount() const {
  if (!FStore) return 0;
  if (!FVisibleIsOrder) return static_cast<int>(FVisible.size());
  return FOrderIsIdentity ? static_cast<int>(FStore->RowCount()) : static_cast<int>(FOrder.size());
}

uint32_t TDataSet::RowAt(int position) const {
  const auto index = static_cast<size_t>(position);
  if (!FVisibleIsOrder) return FVisible[index];
  return FOrderIsIdentity ? static_cast<uint32_t>(position) : FOrder[index];
}

int TDataSet::PositionOf(uint32_t row) const {
  if (!FStore || row >= FStore->RowCount()) return -1;
  if (FVisibleIsOrder && FOrderIsIdentity) return static_cast<int>(row);
  if (!FPositionsValid) {
    FPositions.assign(FStore->RowCount(), -1);
    const int count = VisibleCount();
    for (int position = 0; position < count; ++position) FPositions[RowAt(position)] = position;
    FPositionsValid = true;
  }
  return FPositions[row];
}

void TDataSet::MaterializeOrder() {
  if (!FOrderIsIdentity) return;
  FOrder.resize(FStore->RowCount());
  std::iota(FOrder.begin(), FOrder.end(), 0u);
  FOrderIsIdentity = false;
}

void TDataSet::SetCursor(int position) {
  FCursor = position;
  SyncActiveRow();
}

void TDataSet::SyncActiveRow() {
  if (FCursor < 0 || !FStore) {
    FActiveRow = nullptr;
    FActiveKey = kNoRow;
    return;
  }
  const uint32_t row = RowAt(FCursor);
  FActiveRow = FStore->Row(row);
  FActiveKey = row;
}

int TDataSet::RecNo() const {
  if (FState == dsInsert) return FInsertPosition + 1;
  return FCursor + 1;
}

void TDataSet::SetRecNo(int value) {
  CheckBrowseMode();
  if (value < 1 || value > VisibleCount() || value == RecNo()) return;
  DoEvent(BeforeScroll);
  SetCursor(value - 1);
  FBof = FEof = false;
  DataEvent(deDataSetChange);
  DoEvent(AfterScroll);
}

int TDataSet::RecordCount() const { return Active() ? VisibleCount() : 0; }

bool TDataSet::IsEmpty() const { return FState != dsInsert && VisibleCount() == 0; }

void TDataSet::First() {
  CheckBrowseMode();
  DoEvent(BeforeScroll);
  const int count = VisibleCount();
  SetCursor(count > 0 ? 0 : -1);
  FBof = true;
  FEof = count == 0;
  DataEvent(deDataSetChange);
  DoEvent(AfterScroll);
}

void TDataSet::Last() {
  CheckBrowseMode();
  DoEvent(BeforeScroll);
  const int count = VisibleCount();
  SetCursor(count - 1);
  FEof = true;
  FBof = count == 0;
  DataEvent(deDataSetChange);
  DoEvent(AfterScroll);
}

int TDataSet::MoveBy(int distance) {
  CheckBrowseMode();
  DoEvent(BeforeScroll);
  if (distance == 0 || (distance > 0 && FEof) || (distance < 0 && FBof)) return 0;
  const int count = VisibleCount();
  FBof = FEof = false;
  int target = FCursor + distance;
  if (target >= count) {
    target = count - 1;
    FEof = true;
  }
  if (target < 0) {
    target = count > 0 ? 0 : -1;
    FBof = true;
  }
  const int moved = target - FCursor;
  SetCursor(target);
  if (FBof || FEof)
    DataEvent(deDataSetChange);
  else
    DataEvent(deDataSetScroll, moved);
  DoEvent(AfterScroll);
  return moved;
}

// --- states and editing ------------------------------------------------------------------------

void TDataSet::SetState(TDataSetState state) {
  if (state == FState) return;
  FState = state;
  FModified = false;
  DataEvent(deUpdateState);
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode);
  if (FState != dsEdit && FState != dsInsert) return;
  DataEvent(deUpdateRecord);
  if (FModified)
    Post();
  else
    Cancel();
}

void TDataSet::Edit() {
  if (FState == dsEdit || FState == dsInsert) return;
  CheckActive();
  if (VisibleCount() == 0) return Insert();
  if (!CanModify()) Error("Cannot modify a read-only dataset");
  DoEvent(BeforeEdit);
  std::copy(FActiveRow, FActiveRow + FStore->Stride(), FEditRow.begin());
  FActiveRow = FEditRow.data();
  FActiveKey = kEditRow;
  FCalcValid = false;
  SetState(dsEdit);
  DataEvent(deRecordChange);
  DoEvent(AfterEdit);
}

void TDataSet::BeginInsert(bool append) {
  CheckBrowseMode();
  if (!CanModify()) Error("Cannot modify a read-only dataset");
  DoEvent(BeforeInsert);
  DoEvent(BeforeScroll);
  FCursorBeforeInsert = FCursor;
  FInsertPosition = append ? VisibleCount() : std::max(FCursor, 0);
  FStore->ClearRow(FEditRow.data());
  FActiveRow = FEditRow.data();
  FActiveKey = kEditRow;
  FCalcValid = false;
  SetState(dsInsert);
  try {
    DoEvent(OnNewRecord);
  } catch (...) {
    SetCursor(FCursorBeforeInsert);
    SetState(dsBrowse);
    throw;
  }
  FModified = false;
  DataEvent(deDataSetChange);
  DoEvent(AfterInsert);
  DoEvent(AfterScroll);
}

void TDataSet::Insert() { BeginInsert(false); }
void TDataSet::Append() { BeginInsert(true); }

void TDataSet::Post() {
  CheckActive();
  if (FState != dsEdit && FState != dsInsert) Error("Dataset not in edit or insert mode");
  DataEvent(deUpdateRecord);
  DataEvent(deCheckBrowseMode);
  DoEvent(BeforePost);
  for (const TField* field : FFields)
    if (field->FRequired && !field->FReadOnly && field->FFieldKind == fkData && field->IsNull())
      DatabaseError("Field '" + field->DisplayName() + "' must have a value");
  uint32_t row;
  int position;
  if (FState == dsEdit) {
    position = FCursor;
    row = RowAt(position);
  } else {
    position = FInsertPosition;
    // The new row goes into the order before the row now at its place (or at the end).
    MaterializeOrder();
    row = FStore->AddRow();
    const int count = VisibleCount();
    size_t orderIndex = FOrder.size();
    if (position < count) {
      const uint32_t before = RowAt(position);
      orderIndex =
          static_cast<size_t>(std::find(FOrder.begin(), FOrder.end(), before) - FOrder.begin());
    }
    FOrder.insert(FOrder.begin() + static_cast<std::ptrdiff_t>(orderIndex), row);
    if (!FVisibleIsOrder) FVisible.insert(FVisible.begin() + position, row);
    InvalidatePositions();
  }
  std::copy(FEditRow.begin(), FEditRow.end(), FStore->Row(row));
  AfterPostRow(row, position);
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  DoEvent(AfterPost);
}

void TDataSet::AfterPostRow(uint32_t row, int position) {
  // A posted row that no longer passes the filter leaves the visible rows; the cursor stays at
  // its place, on the row that follows.
  if (!FVisibleIsOrder && !RowPasses(row)) RemoveVisibleAt(position);
  const int count = VisibleCount();
  SetCursor(count == 0 ? -1 : std::min(position, count - 1));
  FBof = FEof = count == 0;
  FCalcValid = false;
}

void TDataSet::RemoveVisibleAt(int position) {
  FVisible.erase(FVisible.begin() + position);
  InvalidatePositions();
}

void TDataSet::Cancel() {
  if (FState != dsEdit && FState != dsInsert) return;
  DataEvent(deCheckBrowseMode);
  DoEvent(BeforeCancel);
  if (FState == dsInsert) FCursor = FCursorBeforeInsert;
  const int count = VisibleCount();
  SetCursor(count == 0 ? -1 : std::clamp(FCursor, 0, count - 1));
  FCalcValid = false;
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  DoEvent(AfterCancel);
}

void TDataSet::Delete() {
  CheckActive();
  if (FState == dsInsert) return Cancel();
  if (VisibleCount() == 0) Error("Cannot perform this operation on an empty dataset");
  if (!CanModify()) Error("Cannot modify a read-only dataset");
  DataEvent(deCheckBrowseMode);
  DoEvent(BeforeDelete);
  DoEvent(BeforeScroll);
  const int position = FCursor;
  const uint32_t row = RowAt(position);
  MaterializeOrder();
  FOrder.erase(std::find(FOrder.begin(), FOrder.end(), row));
  if (!FVisibleIsOrder) FVisible.erase(FVisible.begin() + position);
  InvalidatePositions();
  const int count = VisibleCount();
  SetCursor(count == 0 ? -1 : std::min(position, count - 1));
  FBof = FEof = count == 0;
  FCalcValid = false;
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  DoEvent(AfterDelete);
  DoEvent(AfterScroll);
}

void TDataSet::InsertOrAppendRecord(std::initializer_list<Variant> values, bool append) {
  BeginInsert(append);
  try {
    int index = 0;
    for (const Variant& value : values) {
      if (index >= FFields.Count()) break;
      FFields[index++]->SetValue(value);
    }
    Post();
  } catch (...) {
    Cancel();
    throw;
  }
}

void TDataSet::AppendRecord(std::initializer_list<Variant> values) {
  InsertOrAppendRecord(values, true);
}

void TDataSet::InsertRecord(std::initializer_list<Variant> values) {
  InsertOrAppendRecord(values, false);
}

void TDataSet::FieldChanged(TField* field) {
  if (field->FFieldKind == fkData) {
    FModified = true;
    FCalcValid = false;
  }
  if (FState != dsCalcFields) DataEvent(deFieldChange, reinterpret_cast<intptr_t>(field));
}

// --- calculated fields -------------------------------------------------------------------------

void TDataSet::EnsureCalculated() const {
  if (FCalculating || !FCalcStore) return;
  if (FCalcValid && FCalcKey == FActiveKey) return;
  const_cast<TDataSet*>(this)->Calculate();
}

void TDataSet::Calculate() {
  FCalcStore->ResetValues();
  FCalcStore->ClearRow(FCalcStore->Row(0));
  FCalcKey = FActiveKey;
  FCalcValid = true;
  if (!FActiveRow) return;
  const TDataSetState saved = FState;
  FState = dsCalcFields;
  FCalculating = true;
  try {
    for (TField* field : FFields) {
      if (field->FFieldKind != fkLookup || !field->FLookupDataSet ||
          !field->FLookupDataSet->Active())
        continue;
      const std::vector<TField*> keys = FieldList(field->FKeyFields);
      Variant keyValues;
      if (keys.size() == 1) {
        keyValues = keys[0]->Value();
      } else {
        keyValues = VarArrayCreate(0, static_cast<int>(keys.size()) - 1, varVariant);
        for (size_t i = 0; i < keys.size(); ++i)
          keyValues.SetElement(static_cast<int>(i), keys[i]->Value());
      }
      field->SetValue(field->FLookupDataSet->Lookup(field->FLookupKeyFields, keyValues,
                                                    field->FLookupResultField));
    }
    DoEvent(OnCalcFields);
  } catch (...) {
    FState = saved;
    FCalculating = false;
    FCalcValid = false;  // calculate again at the next read
    throw;
  }
  FState = saved;
  FCalculating = false;
}

// --- data sources and controls -----------------------------------------------------------------

void TDataSet::AddDataSource(TDataSource* source) { FDataSources.push_back(source); }

void TDataSet::RemoveDataSource(TDataSource* source) {
  FDataSources.erase(std::remove(FDataSources.begin(), FDataSources.end(), source),
                     FDataSources.end());
}

void TDataSet::DataEvent(TDataEvent event, intptr_t info) {
  if (FDisableCount > 0) {
    if (event == deLayoutChange || (event == deUpdateState && FState == dsInactive))
      FEnableEvent = deLayoutChange;
    return;
  }
  if (FDataSources.empty()) return;
  if (FDataSources.size() == 1) return FDataSources[0]->DataEvent(event, info);
  // A handler may detach sources: tell only those still attached.
  const std::vector<TDataSource*> sources = FDataSources;
  for (TDataSource* source : sources)
    if (std::find(FDataSources.begin(), FDataSources.end(), source) != FDataSources.end())
      source->DataEvent(event, info);
}

void TDataSet::DisableControls() {
  if (FDisableCount == 0) {
    FDisableState = FState;
    FEnableEvent = deDataSetChange;
  }
  ++FDisableCount;
}

void TDataSet::EnableControls() {
  if (FDisableCount == 0) return;
  if (--FDisableCount > 0) return;
  if (FDisableState != FState) DataEvent(deUpdateState);
  if (FDisableState != dsInactive && FState != dsInactive) DataEvent(FEnableEvent);
}

// --- bookmarks ---------------------------------------------------------------------------------

TBookmark TDataSet::GetBookmark() const {
  if (!Active() || FCursor < 0 || FState == dsInsert) return {};
  return {FStore->Id(), RowAt(FCursor)};
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark) const {
  return Active() && !bookmark.Empty() && bookmark.Store == FStore->Id() &&
         PositionOf(bookmark.Row) >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
  CheckBrowseMode();
  if (!BookmarkValid(bookmark)) Error("Record not found");
  DoEvent(BeforeScroll);
  SetCursor(PositionOf(bookmark.Row));
  FBof = FEof = false;
  DataEvent(deDataSetChange);
  DoEvent(AfterScroll);
}

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
  if (a == b) return 0;
  if (a.Empty()) return -1;
  if (b.Empty()) return 1;
  const int pa = BookmarkValid(a) ? PositionOf(a.Row) : -1;
  const int pb = BookmarkValid(b) ? PositionOf(b.Row) : -1;
  if (pa >= 0 && pb >= 0) return pa < pb ? -1 : 1;
  return a.Row < b.Row ? -1 : (a.Row > b.Row ? 1 : 0);
}

// --- reading other rows ------------------------------------------------------------------------

TDataSet::TActiveRecordScope::TActiveRecordScope(TDataSet* dataSet, int recNo)
    : FDataSet(dataSet), FSavedRow(dataSet->FActiveRow), FSavedKey(dataSet->FActiveKey) {
  const int position = recNo - 1;
  const bool editing = dataSet->FState == dsEdit || dataSet->FState == dsInsert;
  if (editing && position == dataSet->FCursor) return;
  if (position < 0 || position >= dataSet->VisibleCount()) {
    dataSet->FActiveRow = nullptr;
    dataSet->FActiveKey = kNoRow;
    return;
  }
  const uint32_t row = dataSet->RowAt(position);
  dataSet->FActiveRow = dataSet->FStore->Row(row);
  dataSet->FActiveKey = row;
}

TDataSet::TActiveRecordScope::~TActiveRecordScope() {
  FDataSet->FActiveRow = FSavedRow;
  FDataSet->FActiveKey = FSavedKey;
}

size_t TDataSet::BufferMemoryUsed() const {
  size_t bytes = FStore ? FStore->MemoryUsed() : 0;
  if (FCalcStore) bytes += FCalcStore->MemoryUsed();
  bytes += (FOrder.capacity() + FVisible.capacity()) * sizeof(uint32_t) +
           FPositions.capacity() * sizeof(int32_t) + FEditRow.capacity() * sizeof(uint64_t);
  return bytes;
}

// --- master/detail -----------------------------------------------------------------------------

TDataSource* TDataSet::MasterSource() const {
  return FMasterLink ? FMasterLink->DataSource() : nullptr;
}

void TDataSet::SetMasterSource(TDataSource* source) {
  if (source == MasterSource()) return;
  // The new master must not follow this dataset, directly or through other masters.
  int guard = 0;
  for (const TDataSet* master = source ? source->DataSet() : nullptr; master;
       master = master->MasterSource() ? master->MasterSource()->DataSet() : nullptr)
    if (master == this || ++guard > 1000) Error("Circular datalinks are not allowed");
  if (TDataSource* old = MasterSource()) RemoveFreeNotification(old);
  if (!FMasterLink) FMasterLink = std::make_unique<TMasterDataLink>(this);
  if (source) FreeNotification(source);
  FMasterLink->SetDataSource(source);
}

void TDataSet::SetMasterFields(const String& value) {
  FMasterFields = value;
  MasterChanged();
}

void TDataSet::SetDetailFields(const String& value) {
  FDetailFields = value;
  MasterChanged();
}

std::vector<TMasterValue> TDataSet::MasterValues() const {
  const TDataSet* master = FMasterLink->DataSet();
  const std::vector<String> masterNames = SplitFieldNames(FMasterFields);
  const std::vector<String> detailNames = SplitFieldNames(FDetailFields);
  const bool hasRow = !master->IsEmpty();
  std::vector<TMasterValue> values;
  for (size_t i = 0; i < masterNames.size(); ++i) {
    TMasterValue value;
    value.MasterField = masterNames[i];
    if (i < detailNames.size()) value.DetailField = detailNames[i];
    const TField* field = master->FieldByName(masterNames[i]);
    value.Value = hasRow ? field->Value() : Null();
    values.push_back(std::move(value));
  }
  return values;
}

void TDataSet::MasterChanged() {
  if (!FMasterLink || !FMasterLink->Active() || !Active() || FMasterFields.empty()) return;
  CheckBrowseMode();
  ApplyMasterValues(MasterValues());
  InternalRefresh();
  FCalcValid = false;
  const int count = VisibleCount();
  SetCursor(count > 0 ? 0 : -1);
  FBof = true;
  FEof = count == 0;
  DataEvent(deDataSetChange);
  DoEvent(AfterScroll);
}
