// The grid interface: the window never talks to a grid control directly. Each grid gets a
// companion object implementing IDBGrid, through which the window reads columns, finds the
// grid's dataset, installs its handlers, marks rows and runs the check-all tools. Only the
// platform's data grid has an implementation here; a window gives other grid kinds one of
// their own.
#pragma once

#include "platform/rtl/Classes.h"
#include "platform/ui/DBGrids.h"

class IDBGrid;
class TCanvas;
class TFont;

// The draw handler answers whether it drew the cell; false leaves it to the grid's default
// drawing.
using TDBGridDrawCellEvent = Event<bool(TObject* grid, TCanvas* canvas, TGridDrawState state,
                                        const TRect& rect, TField* field)>;
using TDBGridCellClickEvent = Event<void(TObject* grid, TField* field)>;
using TDBGridDataSetChangeEvent = Event<void(IDBGrid* grid, TDataSet* dataSet)>;
using TDBGridDataSourceChangeEvent = Event<void(IDBGrid* grid, TDataSource* source)>;
// The two handlers of the handler-driven selection (RunMySelect): the filter tells whether the
// current row takes part; the notification runs after a row's mark was changed.
using TMySelectFilterEvent = Event<bool(TDataSet* dataSet)>;
using TMySelectNotifyEvent = Event<void(TDataSet* dataSet, bool marked)>;

// {45E61263-A5C6-461C-B10A-6C1CF8961E1E}
class IDBGrid {
 public:
  virtual int _AddRef() = 0;
  virtual int _Release() = 0;

  virtual int ColumnCount() = 0;
  virtual void GetColumnTitle(int index, String& caption) = 0;
  virtual int GetColumnWidth(int index) = 0;
  virtual TField* GetColumnField(int index) = 0;
  virtual TDBGridOptions GetOptions() = 0;
  virtual void SetOptions(TDBGridOptions options) = 0;
  virtual void GetOnDrawCell(TDBGridDrawCellEvent& handler) = 0;
  virtual void SetOnDrawCell(const TDBGridDrawCellEvent& handler) = 0;
  virtual TFont* GetFont() = 0;
  virtual void GetOnCellClick(TDBGridCellClickEvent& handler) = 0;
  virtual void SetOnCellClick(const TDBGridCellClickEvent& handler) = 0;
  virtual void GetOnKeyDown(TKeyEvent& handler) = 0;
  virtual void SetOnKeyDown(const TKeyEvent& handler) = 0;
  virtual TDataSet* GetDataSet() = 0;
  virtual TWinControl* GetGrid() = 0;
  virtual void GetCheckFieldName(String& name) = 0;
  virtual void SetCheckFieldName(const String& name) = 0;
  virtual bool IsCheckFieldVisible() = 0;
  virtual bool GetCheckValue() = 0;
  virtual bool IsColumnVisible(int index) = 0;
  virtual void SetCheckValue(bool value) = 0;
  virtual void SelectAll() = 0;
  virtual void UnselectAll() = 0;
  virtual void InvertSelection() = 0;
  virtual void SelectAllBy(const TMySelectNotifyEvent& handler2,
                           const TMySelectFilterEvent& handler) = 0;
  virtual void UnselectAllBy(const TMySelectNotifyEvent& handler2,
                             const TMySelectFilterEvent& handler) = 0;
  virtual void InvertSelectionBy(const TMySelectNotifyEvent& handler2,
                                 const TMySelectFilterEvent& handler) = 0;
  virtual TDataSource* GetDataSource() = 0;
  virtual void SetDataSource(TDataSource* source) = 0;
  virtual void SetDataSet(TDataSet* dataSet) = 0;
  virtual void GetWindowProc(TWndMethod& method) = 0;
  virtual void SetWindowProc(const TWndMethod& method) = 0;
  virtual void GetOnDataSetChange(TDBGridDataSetChangeEvent& handler) = 0;
  virtual void SetOnDataSetChange(const TDBGridDataSetChangeEvent& handler) = 0;
  virtual void GetOnDataSourceChange(TDBGridDataSourceChangeEvent& handler) = 0;
  virtual void SetOnDataSourceChange(const TDBGridDataSourceChangeEvent& handler) = 0;
  virtual void FitLastColumn(int minWidth) = 0;
  virtual void FitColumn(int index, int minWidth) = 0;
  virtual void GetOnResize(TNotifyEvent& handler) = 0;
  virtual void SetOnResize(const TNotifyEvent& handler) = 0;

 protected:
  ~IDBGrid() = default;
};

// The common base of grid interface objects. The base ignores the grid.
class TGridInterfaced : public TObject {
  RTL_CLASS(TGridInterfaced, TObject)
 public:
  virtual void Construct(TWinControl* grid) {}
  // The object's IDBGrid; nullptr when its class does not implement it.
  virtual IDBGrid* GetIDBGrid() { return nullptr; }

 protected:
  TGridInterfaced() = default;
};
using TGridInterfacedClass = TClass;

// Makes a fully built interface object of the class (TGridInterfaced or a descendant) on the
// grid.
TGridInterfaced* CreateGridInterfaced(TGridInterfacedClass cls, TWinControl* grid);

// TDBGridIntObj (the platform data grid's implementation), TDBIntList (the window's owning
// list of interface objects) and the check-cell drawing follow below.
