// The filter indicator of a query-backed grid: while the grid's Oracle query runs with an SQL
// filter of the filter tool, a small button in the grid's bottom right corner says so and opens
// the filter tool again when clicked.
#pragma once

#include "platform/db/DataSet.h"
#include "src/ComUnits/uDBGridInt.h"

class TCustomAction;
class TCustomForm;
class TSpeedButton;
class TDBGridOfQueryWatcher;

// The filter condition the filter tools set for "no filter".
inline constexpr const char* NeutralSQLFilter = "((1=1)aNd(1=1))";

// Follows the grid's dataset: it takes over the dataset's AfterOpen and AfterClose (calling the
// handlers it found) and the grid interface's dataset-change handler (calling the one it found),
// and gives them all back when it is freed; a change of the grid's dataset moves it to the new
// dataset. A dataset freed before it is simply forgotten.
//
// The grid interface must outlive the object: a window frees its grid settings before its grid
// interfaces.
class TDBGridOfQuery : public TObject {
  RTL_CLASS(TDBGridOfQuery, TObject)
 public:
  // Window and grid must be given (assertions). The window's action "pFilter", when it has one,
  // gives the button its hint, its picture and its click.
  void Construct(TCustomForm* window, IDBGrid* grid);

 protected:
  TDBGridOfQuery() = default;
  void Destroy() override;

 private:
  friend class TDBGridOfQueryWatcher;

  void Attach(TDataSet* dataSet);
  void Detach();
  void ForgetDataSet();
  void DataSetFreed();
  void ButtonFreed() { FButton = nullptr; }

  void DataSetAfterOpen(TDataSet* dataSet);
  void DataSetAfterClose(TDataSet* dataSet);
  void GridDataSetChange(IDBGrid* grid, TDataSet* dataSet);
  void ButtonClick(TObject* sender);

  // Shown while the dataset is an Oracle query with a filter condition other than the neutral
  // one; hidden otherwise.
  void UpdateButton();
  void ShowButton();
  void HideButton();
  void ShowPicture(TCustomAction* filterAction);
  TCustomAction* FilterAction() const;

  TCustomForm* FWindow = nullptr;
  IDBGrid* FGrid = nullptr;
  TDBGridOfQueryWatcher* FWatcher = nullptr;  // owns the button; hears of the dataset's end
  TSpeedButton* FButton = nullptr;
  TDataSet* FDataSet = nullptr;
  TDataSetNotifyEvent FOldAfterOpen;
  TDataSetNotifyEvent FOldAfterClose;
  TDBGridDataSetChangeEvent FOldDataSetChange;
};
