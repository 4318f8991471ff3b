// The data grid: the rows of a dataset (through a data source) in columns bound to its fields.
//
// Columns: without columns of its own the grid shows one column per field of the dataset (the
// default columns, rebuilt whenever the fields change); a window may define its columns
// instead, each naming its field. A column shows while it is visible and its field, when it has
// one, is visible too.
//
// The current row is the dataset's current record; the grid shows the rows around it. Each
// cell is drawn by DefaultDrawColumnCell (when DefaultDrawing is on) and then handed to
// OnDrawColumnCell. Clicking a cell makes its row current and its column selected, then runs
// OnCellClick. Keys: OnKeyDown first; then arrows and pages move, Ctrl+Home and Ctrl+End go to
// the ends, Ctrl+Del deletes the current record (after "Delete record?" unless the option is
// off). Vertical scroll messages move the current row; the mouse wheel does too unless
// OnMouseWheel handled it.
#pragma once

#include <memory>
#include <vector>

#include "platform/db/DataSource.h"
#include "platform/ui/Grids.h"

class TCustomDBGrid;
class TGridDataLink;

using TDBGridOptions = uint32_t;
constexpr TDBGridOptions dgEditing = 0x0001;
constexpr TDBGridOptions dgAlwaysShowEditor = 0x0002;
constexpr TDBGridOptions dgTitles = 0x0004;
constexpr TDBGridOptions dgIndicator = 0x0008;
constexpr TDBGridOptions dgColumnResize = 0x0010;
constexpr TDBGridOptions dgColLines = 0x0020;
constexpr TDBGridOptions dgRowLines = 0x0040;
constexpr TDBGridOptions dgTabs = 0x0080;
constexpr TDBGridOptions dgRowSelect = 0x0100;
constexpr TDBGridOptions dgAlwaysShowSelection = 0x0200;
constexpr TDBGridOptions dgConfirmDelete = 0x0400;
constexpr TDBGridOptions dgCancelOnExit = 0x0800;
constexpr TDBGridOptions dgMultiSelect = 0x1000;
constexpr TDBGridOptions DefaultDBGridOptions = dgEditing | dgTitles | dgIndicator |
                                                dgColumnResize | dgColLines | dgRowLines | dgTabs |
                                                dgConfirmDelete | dgCancelOnExit;

class TColumn : public TPersistent {
  RTL_CLASS(TColumn, TPersistent)
 public:
  void Construct(TCustomDBGrid* grid);

  TCustomDBGrid* Grid() const { return FGrid; }
  const String& FieldName() const { return FFieldName; }
  void SetFieldName(const String& value) { FFieldName = value; }
  // The field of that name in the grid's dataset; nullptr when there is none.
  TField* Field() const;
  // The title's caption: set, or the field's display label.
  String TitleCaption() const;
  void SetTitleCaption(const String& value);
  // Pixels: set, or enough for the field's display width.
  int Width() const;
  void SetWidth(int value) { FWidth = value; }
  // The column's own setting; Showing tells whether the grid shows it.
  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { FVisible = value; }
  bool Showing() const;
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor value) { FColor = value; }
  // Position among the grid's columns.
  int Index() const;

 protected:
  TColumn() = default;

 private:
  TCustomDBGrid* FGrid = nullptr;
  String FFieldName;
  String FTitleCaption;
  bool FTitleSet = false;
  int FWidth = -1;
  bool FVisible = true;
  bool FReadOnly = false;
  TColor FColor = clWindow;
};

enum TDBGridColumnsState { csDefault, csCustomized };

class TDBGridColumns {
 public:
  explicit TDBGridColumns(TCustomDBGrid* grid) : FGrid(grid) {}
  ~TDBGridColumns() { Clear(); }
  TDBGridColumns(const TDBGridColumns&) = delete;
  TDBGridColumns& operator=(const TDBGridColumns&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  TColumn* Items(int index) const;
  TColumn* operator[](int index) const { return Items(index); }
  // A column of the grid's own: the columns are customized from now on.
  TColumn* Add();
  void Clear();
  TDBGridColumnsState State() const { return FState; }
  // Back to the default columns (one per field).
  void RestoreDefaults();
  int IndexOf(const TColumn* column) const;

 private:
  friend class TCustomDBGrid;
  void RebuildDefaults(TDataSet* dataSet);

  TCustomDBGrid* FGrid;
  std::vector<TColumn*> FItems;
  TDBGridColumnsState FState = csDefault;
};

using TDrawColumnCellEvent = Event<void(TObject* sender, const TRect& rect, int dataCol,
                                        TColumn* column, TGridDrawState state)>;
using TDBGridClickEvent = Event<void(TColumn* column)>;

class TCustomDBGrid : public TCustomGrid {
  RTL_CLASS(TCustomDBGrid, TCustomGrid)
 public:
  void Construct(TComponent* owner) override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* source);
  // The data source's dataset; nullptr without one.
  TDataSet* DataSet() const;
  TDBGridColumns* Columns() const { return FColumns.get(); }
  TDBGridOptions Options() const { return FOptions; }
  void SetOptions(TDBGridOptions value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  TFont* TitleFont() const { return FTitleFont; }
  int IndicatorWidth() const { return (FOptions & dgIndicator) ? 11 : 0; }

  // The selected column's index in Columns (-1 when no column shows) and its field.
  int SelectedIndex() const;
  void SetSelectedIndex(int value);
  TField* SelectedField() const;
  void SetSelectedField(TField* field);
  // The columns that show, in order; dataCol numbers them.
  std::vector<TColumn*> VisibleColumns() const;

  // Rows that fit under the titles.
  int VisibleRowCount() const;
  // Record number of the first row shown (1 when there is none), the current row kept in view.
  int TopRecNo() const;
  // The cell of a shown column (dataCol) and shown row (0 = the first row under the titles).
  TRect CellRect(int dataCol, int row) const;
  // The cell under a point: false outside the data cells.
  bool MouseToCell(TPoint point, int& dataCol, int& row) const;
  // The text a column shows for the record fields read now.
  String CellText(const TColumn* column) const;

  void DefaultDrawColumnCell(const TRect& rect, int dataCol, TColumn* column, TGridDrawState state);

  TDrawColumnCellEvent OnDrawColumnCell;
  TDBGridClickEvent OnCellClick;
  TDBGridClickEvent OnTitleClick;
  TNotifyEvent OnColEnter;

 protected:
  TCustomDBGrid();
  ~TCustomDBGrid() override;
  void Destroy() override;
  void WndProc(TMessage& message) override;
  void Paint() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  virtual void DrawColumnCell(const TRect& rect, int dataCol, TColumn* column,
                              TGridDrawState state);
  virtual void CellClick(TColumn* column);
  virtual void TitleClick(TColumn* column);

 private:
  friend class TGridDataLink;
  friend class TColumn;
  void LinkChanged();
  void MoveRows(int distance);
  void DeleteCurrent();
  // By position among the columns that show (brought inside them), and by a step from the
  // selected one.
  void SelectShownColumn(int position);
  void SelectNeighbourColumn(int step);
  void Scroll(int request);
  int TitleHeight() const;
  int RowPitch() const;
  TColumn* VisibleColumn(int dataCol) const;

  std::unique_ptr<TGridDataLink> FDataLink;
  std::unique_ptr<TDBGridColumns> FColumns;
  TFont* FTitleFont = nullptr;
  TDBGridOptions FOptions = DefaultDBGridOptions;
  bool FReadOnly = false;
  int FSelectedIndex = 0;
  mutable int FTopRecNo = 1;
  // The cell the mouse went down on, for the click when it comes up there.
  int FDownCol = -1;
  int FDownRow = -1;
};

class TDBGrid : public TCustomDBGrid {
  RTL_CLASS(TDBGrid, TCustomDBGrid)
 protected:
  TDBGrid() = default;
};
