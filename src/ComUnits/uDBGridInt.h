// The grid interface: the window never talks to a grid control directly. Each grid gets a
// companion object implementing IDBGrid, through which the window reads columns, finds the
// grid's dataset, installs its handlers, marks rows and runs the check-all tools. Only the
// platform's data grid has an implementation here; a window gives other grid kinds one of
// their own.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/ui/DBGrids.h"

class IDBGrid;
class TCanvas;
class TFont;
class TComponentWatch;
class TDBIntList;

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

 private:
  friend TGridInterfaced* CreateGridInterfaced(TClass cls, TWinControl* grid);
};
using TGridInterfacedClass = TClass;

// Makes a fully built interface object of the class (TGridInterfaced or a descendant) on the
// grid.
TGridInterfaced* CreateGridInterfaced(TGridInterfacedClass cls, TWinControl* grid);

// The platform data grid's implementation. It puts its own window procedure in front of the
// grid's, so that controls placed on the grid are hidden while the grid scrolls, and dispatches
// the grid's cell drawing and cell clicks to the handlers set through the interface.
//
// The reference count starts at 1, the reference of the window's list, which frees the object;
// releasing the last reference is a program error that is shown and then frees the object (and
// takes it out of its list).
//
// The grid, its data source and dataset may be freed before the object (a window frees its
// components, its list of interface objects may go later): the object watches them and forgets
// each one that goes. Operations that need the grid then fail the assertion
// "TDBGridIntObj.Grid: FGrid = nil"; the stored handlers, names and datasets stay readable.
class TDBGridIntObj : public TGridInterfaced, public IDBGrid {
  RTL_CLASS(TDBGridIntObj, TGridInterfaced)
 public:
  // EInvalidCast unless the grid is a platform data grid.
  void Construct(TWinControl* grid) override;
  IDBGrid* GetIDBGrid() override { return this; }

  int _AddRef() override;
  int _Release() override;

  int ColumnCount() override;
  void GetColumnTitle(int index, String& caption) override;
  int GetColumnWidth(int index) override;
  TField* GetColumnField(int index) override;
  TDBGridOptions GetOptions() override;
  void SetOptions(TDBGridOptions options) override;
  void GetOnDrawCell(TDBGridDrawCellEvent& handler) override;
  void SetOnDrawCell(const TDBGridDrawCellEvent& handler) override;
  TFont* GetFont() override;
  void GetOnCellClick(TDBGridCellClickEvent& handler) override;
  void SetOnCellClick(const TDBGridCellClickEvent& handler) override;
  void GetOnKeyDown(TKeyEvent& handler) override;
  void SetOnKeyDown(const TKeyEvent& handler) override;
  TDataSet* GetDataSet() override;
  TWinControl* GetGrid() override;
  void GetCheckFieldName(String& name) override;
  void SetCheckFieldName(const String& name) override;
  bool IsCheckFieldVisible() override;
  bool GetCheckValue() override;
  bool IsColumnVisible(int index) override;
  void SetCheckValue(bool value) override;
  // The check-all tools always work on the "RCHECK" field, whatever the check field name.
  void SelectAll() override;
  void UnselectAll() override;
  void InvertSelection() override;
  void SelectAllBy(const TMySelectNotifyEvent& handler2,
                   const TMySelectFilterEvent& handler) override;
  void UnselectAllBy(const TMySelectNotifyEvent& handler2,
                     const TMySelectFilterEvent& handler) override;
  void InvertSelectionBy(const TMySelectNotifyEvent& handler2,
                         const TMySelectFilterEvent& handler) override;
  TDataSource* GetDataSource() override;
  void SetDataSource(TDataSource* source) override;
  void SetDataSet(TDataSet* dataSet) override;
  void GetWindowProc(TWndMethod& method) override;
  void SetWindowProc(const TWndMethod& method) override;
  void GetOnDataSetChange(TDBGridDataSetChangeEvent& handler) override;
  void SetOnDataSetChange(const TDBGridDataSetChangeEvent& handler) override;
  void GetOnDataSourceChange(TDBGridDataSourceChangeEvent& handler) override;
  void SetOnDataSourceChange(const TDBGridDataSourceChangeEvent& handler) override;
  void FitLastColumn(int minWidth) override;
  // Widens or narrows the column to the room the other columns leave in the grid, when that
  // room is at least minWidth and 20 pixels.
  void FitColumn(int index, int minWidth) override;
  void GetOnResize(TNotifyEvent& handler) override;
  void SetOnResize(const TNotifyEvent& handler) override;

 protected:
  TDBGridIntObj();
  ~TDBGridIntObj() override;
  void Destroy() override;

 private:
  friend class TDBIntList;
  struct TWndHook;

  TCustomDBGrid* LiveGrid() const;
  TCustomDBGrid* Grid() const;
  TColumn* Column(int index) const;
  void HookWindowProc(TCustomDBGrid* grid);
  void UnhookWindowProc();
  void NewWindowProc(TMessage& message);
  void HideControls(TObject* sender);
  void ShowControls(TObject* sender);
  void DrawColumnCell(TObject* sender, const TRect& rect, int dataCol, TColumn* column,
                      TGridDrawState state);
  void CellClick(TColumn* column);
  void ForgetGridHandlers();
  void RunSelect(int mode);
  void RunSelectBy(int mode, const TMySelectNotifyEvent& handler2,
                   const TMySelectFilterEvent& handler);
  TDataSet* StoredDataSet() const;
  TDataSource* StoredDataSource() const;

  int FRefCount = 1;
  std::unique_ptr<TComponentWatch> FGrid;
  String FCheckFieldName;
  TDBGridDrawCellEvent FOnDrawCell;
  TDBGridCellClickEvent FOnCellClick;
  // Holds the saved window procedure; shared with the procedure the grid calls.
  std::shared_ptr<TWndHook> FWndHook;
  TWndMethod FNewWndMethod;
  TNotifyEvent FOnBeforeScroll;
  TNotifyEvent FOnAfterScroll;
  TDBGridDataSetChangeEvent FOnDataSetChange;
  TDBGridDataSourceChangeEvent FOnDataSourceChange;
  std::vector<std::unique_ptr<TComponentWatch>> FHiddenControls;
  std::unique_ptr<TComponentWatch> FDataSet;
  std::unique_ptr<TComponentWatch> FDataSource;
  // The list that owns the object, so that a last release can take it out before freeing it.
  TDBIntList* FOwnerList = nullptr;
};

// The window's list of grid interface objects; it owns them.
class TDBIntList : public TObjectList {
  RTL_CLASS(TDBIntList, TObjectList)
 public:
  void Construct() { inherited::Construct(true); }
  // Raises "TDBIntList.GetItem(<index>): IDBGrid interface is not obtained" for an object whose
  // class does not implement the interface.
  IDBGrid* GetItem(int index) const;
  // The interface of the first object whose grid has the control's window handle; nullptr for
  // no control or no match. Objects without the interface or without a grid are passed over.
  IDBGrid* FindByControl(TWinControl* control) const;
  int Add(TGridInterfaced* item);

 protected:
  TDBIntList() = default;
  void Notify(TObject* item, TListNotification action) override;
};

// The check column's look, for the window's draw handler. A cell of the check field (or a cell
// without field) shows a check box on the main background, checked as isChecked tells, and an
// inactive one while the dataset has no records; the other cells of an empty dataset are filled
// with clNotRecord and show their text. Returns whether it drew the cell; false leaves it (a
// selected cell, or any cell of a dataset with records) to the grid's default drawing.
bool DrawCheckColumnCell(TCanvas* canvas, TGridDrawState state, const TRect& rect, TField* field,
                         const String& checkFieldName,
                         const std::function<bool(TField*)>& isChecked);
