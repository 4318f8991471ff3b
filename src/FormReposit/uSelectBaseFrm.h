// The selection dialog: shows the records of its main dataset in a grid and lets the operator
// mark one record (single-select) or tick any number of them (multi-select); GetList runs it
// and returns the choice as items of a list.
#pragma once

#include <memory>
#include <unordered_map>

#include "platform/db/DataSource.h"
#include "src/ComUnits/uDBItems.h"
#include "src/FormReposit/uDlgBaseForm.h"

class TSelectBaseFrm : public TDlgBaseForm {
  RTL_CLASS(TSelectBaseFrm, TDlgBaseForm)
 public:
  TToolBar* ToolBar3 = nullptr;
  TDBNavigator* DBNavigator3 = nullptr;
  TToolButton* ToolButton1 = nullptr;
  TToolButton* btnCheckAll = nullptr;
  TToolButton* btnUnCheckAll = nullptr;
  TToolButton* btnInvCheck = nullptr;
  TAction* actSelectAll = nullptr;
  TAction* actInvertSelection = nullptr;
  TAction* actRemSelection = nullptr;
  TDataSource* DataSource1 = nullptr;

  using TDlgBaseForm::Construct;
  void Construct(TComponent* owner, TOraSession* session, const String& schema, bool multiSelect);

  bool MultiSelect() const { return FMultiSelect; }
  const String& KeyField() const { return FKeyField; }
  void SetKeyField(const String& value) { FKeyField = value; }
  bool SkipIfEmpty() const { return FSkipIfEmpty; }
  void SetSkipIfEmpty(bool value) { FSkipIfEmpty = value; }
  TDBItemList* List() const { return FList; }

  virtual void FillFieldNames(TStrings* names);
  virtual void SetMultiSelect(bool value);
  virtual TDBItem* GetDBItem();
  virtual void CheckItem(TDBItem* item);
  virtual bool CheckSelection();
  virtual void AppendList(TDBItemList* list);
  virtual void BeforeAppend(int recordCount) {}
  virtual void BeforeAppendRecord() {}
  virtual void AfterAppend() {}
  virtual bool HasRecords();
  virtual void ShowNoRecordsMsg();
  virtual void ShowNotSelectedMsg();
  virtual void ShowEmptyNotice();
  virtual bool IsAllSelected(TDBItemList* list);
  // The one entry point of a selection run. On OK the list holds the choice; on Cancel, on an
  // empty dataset and on the operator's break it is as it was.
  virtual bool GetList(TDBItemList* list);

  // The ordinary modal show is not for selection dialogs: it says so and answers Cancel.
  TModalResult ShowModal() override;
  bool ExecuteModal();
  TModalResult ShowModalDirect();
  bool HasCheckedRecords();

  void actSelectAllExecute(TObject* sender);
  void actRemSelectionExecute(TObject* sender);
  void actInvertSelectionExecute(TObject* sender);

 protected:
  TSelectBaseFrm() = default;
  void ReadResource() override;
  void FormCreate(TObject* sender) override;
  void FormShow(TObject* sender) override;
  void FormCloseQuery(TObject* sender, bool& canClose) override;

 private:
  void PreselectItems(TDBItemList* list);
  // The rows of MainDataSet by their numeric key, first row of each value: pre-selecting many
  // items in a long list looks each one up here instead of scanning the rows again.
  void BuildKeyIndex();
  // Makes the row whose key field equals ID current, as Locate with a partial key does.
  bool LocateKey(double id);
  void SetupSingleSelectGrids();
  void GridDblClickAccept(TObject* sender);
  TAction* ReadSelectAction(const char* name, const String& caption, const String& hint,
                            int imageIndex, void (TSelectBaseFrm::*handler)(TObject*));
  TToolButton* ReadToolButton(const char* name, TAction* action);
  // Collects the chosen rows into List (steps of the run after OK).
  void CollectSingle(TDBItemList* list);
  void CollectMulti(TDBItemList* list);
  bool RunSelection(TDBItemList* list);

  bool FMultiSelect = false;
  String FKeyField;
  TDBItemList* FList = nullptr;
  bool FSkipIfEmpty = false;
  std::unique_ptr<std::unordered_map<double, TBookmark>> FKeyIndex;
};
