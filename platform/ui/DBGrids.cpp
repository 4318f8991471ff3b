#include "platform/ui/DBGrids.h"

#include <algorithm>
#include <optional>

#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"

RTL_CLASS_IMPL(TCustomGrid, TCustomControl)
RTL_CLASS_IMPL(TColumn, TPersistent)
RTL_CLASS_IMPL(TCustomDBGrid, TCustomGrid)
RTL_CLASS_IMPL_CREATABLE(TDBGrid, TCustomDBGrid)

// What the grid hears of its data source: whatever changed, the picture is out of date, and a
// new set of fields gives new default columns.
class TGridDataLink : public TDataLink {
 public:
  explicit TGridDataLink(TCustomDBGrid* grid) : FGrid(grid) {}

 protected:
  void ActiveChanged() override { FGrid->LinkChanged(); }
  void LayoutChanged() override { FGrid->LinkChanged(); }
  void DataSetChanged() override { FGrid->Invalidate(); }
  void DataSetScrolled(int) override { FGrid->Invalidate(); }
  void RecordChanged(TField*) override { FGrid->Invalidate(); }

 private:
  TCustomDBGrid* FGrid;
};

void TCustomGrid::Construct(TComponent* owner) {
  inherited::Construct(owner);
  SetTabStop(true);
  SetColor(clWindow);
}

// --- TColumn ---------------------------------------------------------------------------------

void TColumn::Construct(TCustomDBGrid* grid) { FGrid = grid; }

TField* TColumn::Field() const {
  TDataSet* dataSet = FGrid ? FGrid->DataSet() : nullptr;
  return dataSet && !FFieldName.empty() ? dataSet->FindField(FFieldName) : nullptr;
}

String TColumn::TitleCaption() const {
  if (FTitleSet) return FTitleCaption;
  const TField* field = Field();
  return field ? field->DisplayLabel() : FFieldName;
}

void TColumn::SetTitleCaption(const String& value) {
  FTitleCaption = value;
  FTitleSet = true;
}

int TColumn::Width() const {
  if (FWidth >= 0) return FWidth;
  const TField* field = Field();
  if (!field || !FGrid) return FGrid ? FGrid->DefaultColWidth() : 64;
  TCanvas* canvas = FGrid->Canvas();
  canvas->Font()->Assign(FGrid->Font());
  const int dataWidth = canvas->TextWidth("0") * field->DisplayWidth() + 4;
  canvas->Font()->Assign(FGrid->TitleFont());
  return std::max(dataWidth, canvas->TextWidth(TitleCaption()) + 4);
}

bool TColumn::Showing() const {
  if (!FVisible) return false;
  const TField* field = Field();
  return !field || field->Visible();
}

int TColumn::Index() const { return FGrid ? FGrid->Columns()->IndexOf(this) : -1; }

// --- TDBGridColumns --------------------------------------------------------------------------

TColumn* TDBGridColumns::Items(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return FItems[static_cast<size_t>(index)];
}

TColumn* TDBGridColumns::Add() {
  if (FState == csDefault) {
    Clear();
    FState = csCustomized;
  }
  FItems.push_back(TColumn::Create(FGrid));
  return FItems.back();
}

void TDBGridColumns::Clear() {
  for (TColumn* column : FItems) column->Free();
  FItems.clear();
}

void TDBGridColumns::RestoreDefaults() {
  FState = csDefault;
  RebuildDefaults(FGrid->DataSet());
}

int TDBGridColumns::IndexOf(const TColumn* column) const {
  const auto it = std::find(FItems.begin(), FItems.end(), column);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TDBGridColumns::RebuildDefaults(TDataSet* dataSet) {
  if (FState != csDefault) return;
  Clear();
  if (!dataSet) return;
  for (TField* field : *dataSet->Fields()) {
    FItems.push_back(TColumn::Create(FGrid));
    FItems.back()->SetFieldName(field->FieldName());
  }
}

// --- TCustomDBGrid: set-up -------------------------------------------------------------------

TCustomDBGrid::TCustomDBGrid() = default;
TCustomDBGrid::~TCustomDBGrid() = default;

void TCustomDBGrid::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FTitleFont = TFont::Create();
  FColumns = std::make_unique<TDBGridColumns>(this);
  FDataLink = std::make_unique<TGridDataLink>(this);
  SetBounds(0, 0, 320, 120);
}

void TCustomDBGrid::Destroy() {
  FDataLink.reset();
  FColumns.reset();
  FreeAndNil(FTitleFont);
  inherited::Destroy();
}

TDataSource* TCustomDBGrid::DataSource() const {
  return FDataLink ? FDataLink->DataSource() : nullptr;
}

void TCustomDBGrid::SetDataSource(TDataSource* source) {
  FDataLink->SetDataSource(source);
  LinkChanged();
}

TDataSet* TCustomDBGrid::DataSet() const { return FDataLink ? FDataLink->DataSet() : nullptr; }

void TCustomDBGrid::LinkChanged() {
  if (FColumns) FColumns->RebuildDefaults(DataSet());
  FTopRecNo = 1;
  Invalidate();
}

void TCustomDBGrid::SetOptions(TDBGridOptions value) {
  FOptions = value;
  Invalidate();
}

// --- TCustomDBGrid: columns and rows ---------------------------------------------------------

std::vector<TColumn*> TCustomDBGrid::VisibleColumns() const {
  std::vector<TColumn*> result;
  for (int i = 0; i < FColumns->Count(); ++i)
    if (FColumns->Items(i)->Showing()) result.push_back(FColumns->Items(i));
  return result;
}

TColumn* TCustomDBGrid::VisibleColumn(int dataCol) const {
  const std::vector<TColumn*> columns = VisibleColumns();
  return dataCol >= 0 && dataCol < static_cast<int>(columns.size())
             ? columns[static_cast<size_t>(dataCol)]
             : nullptr;
}

int TCustomDBGrid::SelectedIndex() const {
  if (FSelectedIndex >= 0 && FSelectedIndex < FColumns->Count() &&
      FColumns->Items(FSelectedIndex)->Showing())
    return FSelectedIndex;
  const std::vector<TColumn*> columns = VisibleColumns();
  return columns.empty() ? -1 : columns.front()->Index();
}

void TCustomDBGrid::SetSelectedIndex(int value) {
  if (value < 0 || value >= FColumns->Count() || value == FSelectedIndex) return;
  FSelectedIndex = value;
  Invalidate();
  if (OnColEnter) OnColEnter(this);
}

TField* TCustomDBGrid::SelectedField() const {
  const int index = SelectedIndex();
  return index < 0 ? nullptr : FColumns->Items(index)->Field();
}

void TCustomDBGrid::SetSelectedField(TField* field) {
  for (int i = 0; i < FColumns->Count(); ++i)
    if (field && FColumns->Items(i)->Field() == field) return SetSelectedIndex(i);
}

int TCustomDBGrid::RowPitch() const {
  return DefaultRowHeight() + ((FOptions & dgRowLines) ? 1 : 0);
}

int TCustomDBGrid::TitleHeight() const { return (FOptions & dgTitles) ? RowPitch() : 0; }

int TCustomDBGrid::VisibleRowCount() const {
  return std::max(1, (ClientHeight() - TitleHeight()) / RowPitch());
}

int TCustomDBGrid::TopRecNo() const {
  const TDataSet* dataSet = DataSet();
  const int current = dataSet && dataSet->Active() ? dataSet->RecNo() : 0;
  if (current < 1) return FTopRecNo = 1;
  const int rows = VisibleRowCount();
  if (current < FTopRecNo) FTopRecNo = current;
  if (current >= FTopRecNo + rows) FTopRecNo = current - rows + 1;
  return FTopRecNo;
}

TRect TCustomDBGrid::CellRect(int dataCol, int row) const {
  const int line = (FOptions & dgColLines) ? 1 : 0;
  int x = IndicatorWidth() > 0 ? IndicatorWidth() + line : 0;
  const std::vector<TColumn*> columns = VisibleColumns();
  for (int i = 0; i < dataCol && i < static_cast<int>(columns.size()); ++i)
    x += columns[static_cast<size_t>(i)]->Width() + line;
  const int width = dataCol >= 0 && dataCol < static_cast<int>(columns.size())
                        ? columns[static_cast<size_t>(dataCol)]->Width()
                        : 0;
  return Bounds(x, TitleHeight() + row * RowPitch(), width, DefaultRowHeight());
}

bool TCustomDBGrid::MouseToCell(TPoint point, int& dataCol, int& row) const {
  row = point.Y < TitleHeight() ? -1 : (point.Y - TitleHeight()) / RowPitch();
  const int count = static_cast<int>(VisibleColumns().size());
  for (dataCol = 0; dataCol < count; ++dataCol) {
    const TRect cell = CellRect(dataCol, 0);
    if (point.X >= cell.Left && point.X < cell.Right) return true;
  }
  return false;
}

String TCustomDBGrid::CellText(const TColumn* column) const {
  const TField* field = column->Field();
  return field ? field->DisplayText() : String();
}

// --- TCustomDBGrid: painting -----------------------------------------------------------------

void TCustomDBGrid::Paint() {
  TCanvas* canvas = Canvas();
  const std::vector<TColumn*> columns = VisibleColumns();
  const int dataCols = static_cast<int>(columns.size());
  if (FOptions & dgTitles) {
    for (int col = 0; col < dataCols; ++col) {
      TRect rect = CellRect(col, 0);
      rect.Top = 0;
      rect.Bottom = DefaultRowHeight();
      canvas->Brush()->SetColor(FixedColor());
      canvas->Font()->Assign(FTitleFont);
      canvas->FillRect(rect);
      canvas->TextRect(rect, rect.Left + 2, rect.Top + 2, columns[size_t(col)]->TitleCaption());
    }
  }
  TDataSet* dataSet = DataSet();
  if (!dataSet || !dataSet->Active()) return;
  const int count = dataSet->RecordCount();
  const int top = TopRecNo();
  const int current = dataSet->RecNo();
  const int selected = SelectedIndex();
  const int rows = std::max(1, std::min(VisibleRowCount(), count - top + 1));
  for (int row = 0; row < rows; ++row) {
    const int recNo = top + row;
    std::optional<TDataSet::TActiveRecordScope> record;
    if (count > 0) record.emplace(dataSet, recNo);
    if (IndicatorWidth() > 0) {
      canvas->Brush()->SetColor(FixedColor());
      const TRect indicator =
          Bounds(0, TitleHeight() + row * RowPitch(), IndicatorWidth(), DefaultRowHeight());
      canvas->FillRect(indicator);
      if (recNo == current) canvas->TextRect(indicator, 1, indicator.Top + 2, ">");
    }
    for (int col = 0; col < dataCols; ++col) {
      TColumn* column = columns[static_cast<size_t>(col)];
      TGridDrawState state = 0;
      const bool currentCell =
          recNo == current && ((FOptions & dgRowSelect) || column->Index() == selected);
      if (currentCell && Focused())
        state = gdSelected | gdFocused;
      else if (currentCell && (FOptions & dgAlwaysShowSelection))
        state = gdSelected;
      canvas->Font()->Assign(Font());
      canvas->Brush()->SetColor(column->Color());
      DrawColumnCell(CellRect(col, row), col, column, state);
    }
  }
}

void TCustomDBGrid::DrawColumnCell(const TRect& rect, int dataCol, TColumn* column,
                                   TGridDrawState state) {
  if (DefaultDrawing()) DefaultDrawColumnCell(rect, dataCol, column, state);
  if (OnDrawColumnCell) OnDrawColumnCell(this, rect, dataCol, column, state);
}

void TCustomDBGrid::DefaultDrawColumnCell(const TRect& rect, int, TColumn* column,
                                          TGridDrawState state) {
  TCanvas* canvas = Canvas();
  if (state & gdSelected) {
    canvas->Brush()->SetColor(clHighlight);
    canvas->Font()->SetColor(clHighlightText);
  }
  canvas->FillRect(rect);
  canvas->TextRect(rect, rect.Left + 2, rect.Top + 2, CellText(column));
}

// --- TCustomDBGrid: input --------------------------------------------------------------------

void TCustomDBGrid::MoveRows(int distance) {
  TDataSet* dataSet = DataSet();
  if (dataSet && dataSet->Active()) dataSet->MoveBy(distance);
}

void TCustomDBGrid::DeleteCurrent() {
  TDataSet* dataSet = DataSet();
  if (FReadOnly || !dataSet || !dataSet->Active() || dataSet->IsEmpty() || !dataSet->CanModify())
    return;
  if ((FOptions & dgConfirmDelete) &&
      Application->MessageBox("Delete record?", "Confirm", MB_OKCANCEL | MB_ICONQUESTION) ==
          IDCANCEL)
    return;
  dataSet->Delete();
}

void TCustomDBGrid::SelectShownColumn(int position) {
  const std::vector<TColumn*> columns = VisibleColumns();
  if (columns.empty()) return;
  position = std::clamp(position, 0, static_cast<int>(columns.size()) - 1);
  SetSelectedIndex(columns[static_cast<size_t>(position)]->Index());
}

void TCustomDBGrid::SelectNeighbourColumn(int step) {
  const std::vector<TColumn*> columns = VisibleColumns();
  const int selected = SelectedIndex();
  const auto it = std::find_if(columns.begin(), columns.end(),
                               [selected](TColumn* column) { return column->Index() == selected; });
  if (it != columns.end()) SelectShownColumn(static_cast<int>(it - columns.begin()) + step);
}

void TCustomDBGrid::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  TDataSet* dataSet = DataSet();
  if (key == 0 || !dataSet || !dataSet->Active()) return;
  const bool ctrl = (shift & ssCtrl) != 0;
  switch (key) {
    case VK_UP:
      MoveRows(-1);
      break;
    case VK_DOWN:
      MoveRows(1);
      break;
    case VK_PRIOR:
      MoveRows(-VisibleRowCount());
      break;
    case VK_NEXT:
      MoveRows(VisibleRowCount());
      break;
    case VK_HOME:
      if (ctrl)
        dataSet->First();
      else
        SelectShownColumn(0);
      break;
    case VK_END:
      if (ctrl)
        dataSet->Last();
      else
        SelectShownColumn(static_cast<int>(VisibleColumns().size()) - 1);
      break;
    case VK_LEFT:
      SelectNeighbourColumn(-1);
      break;
    case VK_RIGHT:
      SelectNeighbourColumn(1);
      break;
    case VK_DELETE:
      if (ctrl) DeleteCurrent();
      break;
    default:
      break;
  }
}

void TCustomDBGrid::Scroll(int request) {
  TDataSet* dataSet = DataSet();
  if (!dataSet || !dataSet->Active()) return;
  switch (request) {
    case SB_LINEUP:
      dataSet->Prior();
      break;
    case SB_LINEDOWN:
      dataSet->Next();
      break;
    case SB_PAGEUP:
      dataSet->MoveBy(-VisibleRowCount());
      break;
    case SB_PAGEDOWN:
      dataSet->MoveBy(VisibleRowCount());
      break;
    case SB_TOP:
      dataSet->First();
      break;
    case SB_BOTTOM:
      dataSet->Last();
      break;
    default:
      break;
  }
}

void TCustomDBGrid::WndProc(TMessage& message) {
  if (message.Msg == WM_VSCROLL) return Scroll(static_cast<int>(message.WParam));
  if (message.Msg == WM_HSCROLL) {
    if (message.WParam == SB_LINEUP || message.WParam == SB_LINEDOWN)
      SelectNeighbourColumn(message.WParam == SB_LINEUP ? -1 : 1);
    return;
  }
  inherited::WndProc(message);
}

void TCustomDBGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  inherited::MouseDown(button, shift, x, y);
  FDownCol = FDownRow = -1;
  if (button != mbLeft) return;
  TCustomForm* form = GetParentForm(this);
  if (form && form->Visible() && CanFocus() && !Focused()) SetFocus();
  int col = 0, row = 0;
  if (!MouseToCell({x, y}, col, row)) return;
  FDownCol = col;
  FDownRow = row;
  TDataSet* dataSet = DataSet();
  if (row < 0 || !dataSet || !dataSet->Active()) return;
  const int target = TopRecNo() + row;
  if (target > dataSet->RecordCount()) return;
  dataSet->MoveBy(target - dataSet->RecNo());
  if (TColumn* column = VisibleColumn(col)) SetSelectedIndex(column->Index());
}

void TCustomDBGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  inherited::MouseUp(button, shift, x, y);
  int col = 0, row = 0;
  const bool sameCell = MouseToCell({x, y}, col, row) && col == FDownCol && row == FDownRow;
  FDownCol = FDownRow = -1;
  if (button != mbLeft || !sameCell) return;
  TColumn* column = VisibleColumn(col);
  if (!column) return;
  if (row < 0)
    TitleClick(column);
  else
    CellClick(column);
}

void TCustomDBGrid::CellClick(TColumn* column) {
  if (OnCellClick) OnCellClick(column);
}

void TCustomDBGrid::TitleClick(TColumn* column) {
  if (OnTitleClick) OnTitleClick(column);
}

bool TCustomDBGrid::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (inherited::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  TDataSet* dataSet = DataSet();
  if (!dataSet || !dataSet->Active()) return false;
  dataSet->MoveBy(wheelDelta > 0 ? -1 : 1);
  return true;
}
