#include "src/ComUnits/uDBGridInt.h"

#include "platform/rtl/MessageSink.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ws/Input.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/ComUnits/uComFunctions.h"
#include "src/ResourcePack/Ucomcolors.h"

namespace {

// The field every check-all tool marks, whatever check field the window uses.
const char* const SelectFieldName = "RCHECK";
constexpr int ModeCheckAll = 0;
constexpr int ModeUncheckAll = 1;
constexpr int ModeInvert = 3;
// Room a fitted column needs at least, whatever the caller asks.
constexpr int MinFitWidth = 20;

[[noreturn]] void InvalidCast() { throw EInvalidCast("Invalid class typecast"); }

bool IsScrollMessage(const TMessage& message) {
  return message.Msg == WM_HSCROLL || message.Msg == WM_VSCROLL;
}

template <class T>
T* WatchedAs(const std::unique_ptr<TComponentWatch>& watch) {
  return watch ? static_cast<T*>(watch->Target()) : nullptr;
}

std::unique_ptr<TComponentWatch> WatchOf(TComponent* component) {
  return component ? std::make_unique<TComponentWatch>(component) : nullptr;
}

}  // namespace

TGridInterfaced* CreateGridInterfaced(TGridInterfacedClass cls, TWinControl* grid) {
  if (!cls || !cls->NewInstance || !ClassInheritsFrom(cls, TGridInterfaced::ClassInfo()))
    InvalidCast();
  auto* object = static_cast<TGridInterfaced*>(cls->NewInstance());
  try {
    object->Construct(grid);
  } catch (...) {
    object->DestroyFailedConstruction();
    throw;
  }
  object->AfterConstruction();
  return object;
}

RTL_CLASS_IMPL_CREATABLE(TGridInterfaced, TObject)

// ---------------------------------------------------------------------------------------------
// TDBGridIntObj

RTL_CLASS_IMPL_CREATABLE(TDBGridIntObj, TGridInterfaced)

// What the grid's window procedure calls. A procedure put in front of the grid after this object
// keeps calling it even when the object has gone; then it only passes messages on to the saved
// procedure.
struct TDBGridIntObj::TWndHook {
  TDBGridIntObj* Owner = nullptr;
  TWndMethod OldWndMethod;

  void CallOld(TMessage& message) const {
    Assert(OldWndMethod.Assigned(), "DBGridIntObj.NewWindowProc: FOldWndMethod = nil!!!");
    OldWndMethod(message);
  }
};

TDBGridIntObj::TDBGridIntObj() = default;
TDBGridIntObj::~TDBGridIntObj() = default;

void TDBGridIntObj::Construct(TWinControl* grid) {
  if (!grid || !grid->Is<TCustomDBGrid>()) InvalidCast();
  auto* dbGrid = static_cast<TCustomDBGrid*>(grid);
  FGrid = WatchOf(dbGrid);
  FDataSource = WatchOf(dbGrid->DataSource());
  FDataSet = WatchOf(dbGrid->DataSet());
  FOnBeforeScroll = TNotifyEvent(this, &TDBGridIntObj::HideControls);
  FOnAfterScroll = TNotifyEvent(this, &TDBGridIntObj::ShowControls);
  HookWindowProc(dbGrid);
}

void TDBGridIntObj::Destroy() {
  UnhookWindowProc();
  ForgetGridHandlers();
  FHiddenControls.clear();
  inherited::Destroy();
}

TCustomDBGrid* TDBGridIntObj::LiveGrid() const { return WatchedAs<TCustomDBGrid>(FGrid); }

TCustomDBGrid* TDBGridIntObj::Grid() const {
  TCustomDBGrid* grid = LiveGrid();
  Assert(grid != nullptr, "TDBGridIntObj.Grid: FGrid = nil");
  return grid;
}

TColumn* TDBGridIntObj::Column(int index) const { return Grid()->Columns()->Items(index); }

TDataSet* TDBGridIntObj::StoredDataSet() const { return WatchedAs<TDataSet>(FDataSet); }

TDataSource* TDBGridIntObj::StoredDataSource() const { return WatchedAs<TDataSource>(FDataSource); }

// --- reference counting ----------------------------------------------------------------------

int TDBGridIntObj::_AddRef() { return ++FRefCount; }

int TDBGridIntObj::_Release() {
  if (--FRefCount > 0) return FRefCount;
  const TCustomDBGrid* grid = LiveGrid();
  ShowMessage((grid ? grid->Name() : String()) + "_Release: RefCount=" + IntToStr(FRefCount));
  if (FOwnerList)
    FOwnerList->Remove(this);
  else
    Free();
  return 0;
}

// --- window procedure ------------------------------------------------------------------------

void TDBGridIntObj::HookWindowProc(TCustomDBGrid* grid) {
  FWndHook = std::make_shared<TWndHook>();
  FWndHook->Owner = this;
  FWndHook->OldWndMethod = grid->WindowProc;
  FNewWndMethod = TWndMethod([hook = FWndHook](TMessage& message) {
    if (hook->Owner)
      hook->Owner->NewWindowProc(message);
    else
      hook->CallOld(message);
  });
  grid->WindowProc = FNewWndMethod;
}

void TDBGridIntObj::UnhookWindowProc() {
  if (!FWndHook) return;
  TCustomDBGrid* grid = LiveGrid();
  // Only our own procedure is taken out: one put in front of it later still calls it, and it
  // passes everything on from now on.
  if (grid && grid->WindowProc == FNewWndMethod) grid->WindowProc = FWndHook->OldWndMethod;
  FWndHook->Owner = nullptr;
}

void TDBGridIntObj::NewWindowProc(TMessage& message) {
  if (!IsScrollMessage(message) || message.WParam == SB_ENDSCROLL)
    return FWndHook->CallOld(message);
  FOnBeforeScroll(this);
  Finally showAgain([this] { FOnAfterScroll(this); });
  FWndHook->CallOld(message);
}

// Editors and buttons placed on the grid would smear while it scrolls.
void TDBGridIntObj::HideControls(TObject*) {
  TCustomDBGrid* grid = LiveGrid();
  if (!grid) return;
  for (int i = 0; i < grid->ControlCount(); ++i) {
    TControl* control = grid->Controls(i);
    if (!control->Visible()) continue;
    FHiddenControls.push_back(std::make_unique<TComponentWatch>(control));
    control->Hide();
  }
}

void TDBGridIntObj::ShowControls(TObject*) {
  for (const std::unique_ptr<TComponentWatch>& watch : FHiddenControls)
    if (auto* control = static_cast<TControl*>(watch->Target())) control->Show();
  FHiddenControls.clear();
}

void TDBGridIntObj::GetWindowProc(TWndMethod& method) { method = Grid()->WindowProc; }

void TDBGridIntObj::SetWindowProc(const TWndMethod& method) { Grid()->WindowProc = method; }

// --- columns ---------------------------------------------------------------------------------

int TDBGridIntObj::ColumnCount() { return Grid()->Columns()->Count(); }

void TDBGridIntObj::GetColumnTitle(int index, String& caption) {
  caption = Column(index)->TitleCaption();
}

int TDBGridIntObj::GetColumnWidth(int index) { return Column(index)->Width(); }

TField* TDBGridIntObj::GetColumnField(int index) {
  TColumn* column = Column(index);
  TDataSet* dataSet = GetDataSet();
  if (!dataSet) return nullptr;
  return dataSet->Active() ? column->Field() : dataSet->FindField(column->FieldName());
}

bool TDBGridIntObj::IsColumnVisible(int index) { return Column(index)->Visible(); }

void TDBGridIntObj::FitLastColumn(int minWidth) { FitColumn(ColumnCount() - 1, minWidth); }

void TDBGridIntObj::FitColumn(int index, int minWidth) {
  TCustomDBGrid* grid = Grid();
  TDBGridColumns* columns = grid->Columns();
  if (index < 0 || index >= columns->Count()) return;
  int others = 0;
  for (int i = 0; i < columns->Count(); ++i)
    if (i != index) others += columns->Items(i)->Width();
  others += grid->IndicatorWidth();
  const int available = grid->ClientWidth() - (others + columns->Count() + 1);
  if (available >= minWidth && available >= MinFitWidth) columns->Items(index)->SetWidth(available);
}

// --- grid properties -------------------------------------------------------------------------

TDBGridOptions TDBGridIntObj::GetOptions() { return Grid()->Options(); }

void TDBGridIntObj::SetOptions(TDBGridOptions options) { Grid()->SetOptions(options); }

TFont* TDBGridIntObj::GetFont() { return Grid()->Font(); }

TWinControl* TDBGridIntObj::GetGrid() { return LiveGrid(); }

void TDBGridIntObj::GetOnKeyDown(TKeyEvent& handler) { handler = Grid()->OnKeyDown; }

void TDBGridIntObj::SetOnKeyDown(const TKeyEvent& handler) { Grid()->OnKeyDown = handler; }

void TDBGridIntObj::GetOnResize(TNotifyEvent& handler) { handler = Grid()->OnResize; }

void TDBGridIntObj::SetOnResize(const TNotifyEvent& handler) { Grid()->OnResize = handler; }

// --- drawing and clicks ----------------------------------------------------------------------

void TDBGridIntObj::GetOnDrawCell(TDBGridDrawCellEvent& handler) { handler = FOnDrawCell; }

void TDBGridIntObj::SetOnDrawCell(const TDBGridDrawCellEvent& handler) {
  TCustomDBGrid* grid = Grid();
  FOnDrawCell = handler;
  if (!grid->OnDrawColumnCell)
    grid->OnDrawColumnCell = TDrawColumnCellEvent(this, &TDBGridIntObj::DrawColumnCell);
}

void TDBGridIntObj::DrawColumnCell(TObject*, const TRect& rect, int dataCol, TColumn* column,
                                   TGridDrawState state) {
  TCustomDBGrid* grid = Grid();
  const bool drawn = FOnDrawCell && FOnDrawCell(grid, grid->Canvas(), state, rect, column->Field());
  // A grid that draws its cells by default has done so before asking the handler.
  if (!drawn && !grid->DefaultDrawing()) grid->DefaultDrawColumnCell(rect, dataCol, column, state);
}

void TDBGridIntObj::GetOnCellClick(TDBGridCellClickEvent& handler) { handler = FOnCellClick; }

void TDBGridIntObj::SetOnCellClick(const TDBGridCellClickEvent& handler) {
  TCustomDBGrid* grid = Grid();
  FOnCellClick = handler;
  if (!grid->OnCellClick) grid->OnCellClick = TDBGridClickEvent(this, &TDBGridIntObj::CellClick);
}

void TDBGridIntObj::CellClick(TColumn* column) {
  if (FOnCellClick) FOnCellClick(Grid(), column ? column->Field() : nullptr);
}

// The grid may outlive the object: it must not call a handler of a freed object.
void TDBGridIntObj::ForgetGridHandlers() {
  TCustomDBGrid* grid = LiveGrid();
  if (!grid) return;
  if (grid->OnDrawColumnCell == TDrawColumnCellEvent(this, &TDBGridIntObj::DrawColumnCell))
    grid->OnDrawColumnCell = nullptr;
  if (grid->OnCellClick == TDBGridClickEvent(this, &TDBGridIntObj::CellClick))
    grid->OnCellClick = nullptr;
}

// --- data source and dataset -----------------------------------------------------------------

TDataSet* TDBGridIntObj::GetDataSet() {
  TCustomDBGrid* grid = LiveGrid();
  TDataSource* source = grid ? grid->DataSource() : nullptr;
  return source ? source->DataSet() : StoredDataSet();
}

TDataSource* TDBGridIntObj::GetDataSource() {
  TCustomDBGrid* grid = LiveGrid();
  TDataSource* source = grid ? grid->DataSource() : nullptr;
  return source ? source : StoredDataSource();
}

void TDBGridIntObj::SetDataSource(TDataSource* source) {
  TCustomDBGrid* grid = Grid();
  if (FOnDataSourceChange && source != grid->DataSource()) FOnDataSourceChange(this, source);
  grid->SetDataSource(source);
  SetDataSet(source ? source->DataSet() : nullptr);
}

void TDBGridIntObj::SetDataSet(TDataSet* dataSet) {
  TCustomDBGrid* grid = Grid();
  if (FOnDataSetChange && dataSet != StoredDataSet()) FOnDataSetChange(this, dataSet);
  FDataSet = WatchOf(dataSet);
  if (TDataSource* source = grid->DataSource()) source->SetDataSet(dataSet);
}

void TDBGridIntObj::GetOnDataSetChange(TDBGridDataSetChangeEvent& handler) {
  handler = FOnDataSetChange;
}

void TDBGridIntObj::SetOnDataSetChange(const TDBGridDataSetChangeEvent& handler) {
  FOnDataSetChange = handler;
}

void TDBGridIntObj::GetOnDataSourceChange(TDBGridDataSourceChangeEvent& handler) {
  handler = FOnDataSourceChange;
}

void TDBGridIntObj::SetOnDataSourceChange(const TDBGridDataSourceChangeEvent& handler) {
  FOnDataSourceChange = handler;
}

// --- check marks -----------------------------------------------------------------------------

void TDBGridIntObj::GetCheckFieldName(String& name) { name = FCheckFieldName; }

void TDBGridIntObj::SetCheckFieldName(const String& name) { FCheckFieldName = name; }

bool TDBGridIntObj::IsCheckFieldVisible() {
  const TDataSet* dataSet = GetDataSet();
  const TField* field = dataSet ? dataSet->FindField(FCheckFieldName) : nullptr;
  return field && field->Visible();
}

bool TDBGridIntObj::GetCheckValue() {
  const TDataSet* dataSet = GetDataSet();
  return dataSet && GetCheckFldValue(dataSet->FieldByName(FCheckFieldName));
}

void TDBGridIntObj::SetCheckValue(bool value) {
  TDataSet* dataSet = GetDataSet();
  // Editing a dataset without rows would insert one: a mark never makes a record.
  if (!dataSet || dataSet->IsEmpty()) return;
  TField* field = dataSet->FieldByName(FCheckFieldName);
  if (dataSet->State() == dsEdit || dataSet->State() == dsInsert)
    return SetCheckFldValue(field, value);
  dataSet->Edit();
  try {
    SetCheckFldValue(field, value);
  } catch (...) {
    dataSet->Cancel();
    throw;
  }
  dataSet->Post();
}

void TDBGridIntObj::RunSelect(int mode) { RunSelectGrid(this, mode, SelectFieldName, true); }

void TDBGridIntObj::RunSelectBy(int mode, const TMySelectNotifyEvent& handler2,
                                const TMySelectFilterEvent& handler) {
  RunMySelect(StoredDataSet(), mode, handler2, handler, SelectFieldName, true);
}

void TDBGridIntObj::SelectAll() { RunSelect(ModeCheckAll); }

void TDBGridIntObj::UnselectAll() { RunSelect(ModeUncheckAll); }

void TDBGridIntObj::InvertSelection() { RunSelect(ModeInvert); }

void TDBGridIntObj::SelectAllBy(const TMySelectNotifyEvent& handler2,
                                const TMySelectFilterEvent& handler) {
  RunSelectBy(ModeCheckAll, handler2, handler);
}

void TDBGridIntObj::UnselectAllBy(const TMySelectNotifyEvent& handler2,
                                  const TMySelectFilterEvent& handler) {
  RunSelectBy(ModeUncheckAll, handler2, handler);
}

void TDBGridIntObj::InvertSelectionBy(const TMySelectNotifyEvent& handler2,
                                      const TMySelectFilterEvent& handler) {
  RunSelectBy(ModeInvert, handler2, handler);
}

// ---------------------------------------------------------------------------------------------
// TDBIntList

RTL_CLASS_IMPL(TDBIntList, TObjectList)

IDBGrid* TDBIntList::GetItem(int index) const {
  IDBGrid* grid = ItemAs<TGridInterfaced>(index)->GetIDBGrid();
  if (!grid)
    throw Exception("TDBIntList.GetItem(" + IntToStr(index) +
                    "): IDBGrid interface is not obtained");
  return grid;
}

IDBGrid* TDBIntList::FindByControl(TWinControl* control) const {
  if (!control) return nullptr;
  const HWND handle = control->Handle();
  for (TObject* item : *this) {
    IDBGrid* grid = static_cast<TGridInterfaced*>(item)->GetIDBGrid();
    TWinControl* gridControl = grid ? grid->GetGrid() : nullptr;
    if (gridControl && gridControl->Handle() == handle) return grid;
  }
  return nullptr;
}

int TDBIntList::Add(TGridInterfaced* item) { return inherited::Add(item); }

void TDBIntList::Notify(TObject* item, TListNotification action) {
  if (item->Is<TDBGridIntObj>())
    static_cast<TDBGridIntObj*>(item)->FOwnerList =
        action == TListNotification::lnAdded ? this : nullptr;
  inherited::Notify(item, action);
}

// ---------------------------------------------------------------------------------------------
// The check column

namespace {

void DrawCheckBox(TCanvas* canvas, const TRect& rect, uint32_t state) {
  canvas->Brush()->SetColor(clMainBackground);
  canvas->FillRect(rect);
  canvas->Font()->SetColor(clBlack);
  DrawFrameControl(canvas, rect, DFC_BUTTON, DFCS_BUTTONCHECK | state);
}

}  // namespace

bool DrawCheckColumnCell(TCanvas* canvas, TGridDrawState state, const TRect& rect, TField* field,
                         const String& checkFieldName,
                         const std::function<bool(TField*)>& isChecked) {
  const bool noRecords = field && field->DataSet() && field->DataSet()->IsEmpty();
  if (noRecords) canvas->Brush()->SetColor(clNotRecord);
  if (!field || SameText(field->FieldName(), checkFieldName)) {
    if (noRecords)
      DrawCheckBox(canvas, rect, DFCS_INACTIVE);
    else
      DrawCheckBox(canvas, rect, field && isChecked(field) ? DFCS_CHECKED : 0);
    return true;
  }
  if ((state & gdSelected) || !noRecords) return false;
  canvas->FillRect(rect);
  canvas->TextRect(rect, rect.Left + 1, rect.Top + 1, field->DisplayText());
  return true;
}
