// The data window: created on the host's session and schema, it re-points every data component
// to them, prepares its queries (schema macro, saved ordering), equips every grid with the grid
// interface and the check-mark column, offers the data actions (find, sort, report, filter,
// navigation, refresh) on whichever grid has the focus, and refuses to close while it is still
// being built.
#pragma once

#include "platform/ora/OraDataSet.h"
#include "platform/ora/OraPackage.h"
#include "platform/ora/OraSession.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/ComUnits/uComFunctions.h"
#include "src/ComUnits/uDBGridInt.h"
#include "src/FormReposit/uComBaseForm.h"

class TChkStateList;
class TScrollComponentList;

class TBaseForm : public TComBaseForm {
  RTL_CLASS(TBaseForm, TComBaseForm)
 public:
  TOraSession* MainSession = nullptr;
  TOraQuery* OraQuery1 = nullptr;
  TImageList* ImageList1 = nullptr;
  TFrmQSearch* FrmQSearch1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TAction* EmptyAction = nullptr;
  TAction* EmptyAction1 = nullptr;
  TAction* pFind = nullptr;
  TAction* pSort = nullptr;
  TAction* pReport = nullptr;
  TAction* pFilter = nullptr;
  TAction* pFirst = nullptr;
  TAction* pPrev = nullptr;
  TAction* pNext = nullptr;
  TAction* pLast = nullptr;
  TAction* pRefresh = nullptr;
  TMenuItem* pFind1 = nullptr;
  TMenuItem* pSort1 = nullptr;
  TMenuItem* pReport1 = nullptr;
  TMenuItem* pFilter1 = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* pFirst1 = nullptr;
  TMenuItem* pPrev1 = nullptr;
  TMenuItem* pNext1 = nullptr;
  TMenuItem* pLast1 = nullptr;
  TMenuItem* N3 = nullptr;
  TMenuItem* pRefresh1 = nullptr;

  void Construct(TComponent* owner) override;
  void Construct(TComponent* owner, TOraSession* session, const String& schema);
  // Mode is the access-mode text (function access of the window).
  void Construct(TComponent* owner, const String& mode, TOraSession* session, const String& schema);

  TOraSession* GetSession() const;
  String GetShema() const;
  virtual void SetShema(const String& value);
  virtual void SetSession(TOraSession* value);
  TDataSet* MainDataSet() const { return FMainDataSet; }
  void SetMainDataSet(TDataSet* dataSet);
  TOraQuery* MainQuery() const { return FMainQuery; }
  void SetReportDetailQuery(TOraDataSet* query);
  const String& CheckFieldName() const { return FCheckFieldName; }
  bool Constructed() const { return FConstructed; }
  bool CanClose() const { return FCanClose; }
  bool Busy() const { return FBusy; }
  bool MainQueryFiltered() const { return FMainQueryFiltered; }
  void SetForceFilterMode(bool value) { FForceFilterMode = value; }
  TAccessList* AccessList() const { return FAccessList; }
  TChkStateList* CheckCounter() const { return FCheckCounter; }

  // Message boxes with an OK button, owned by this window while it is visible.
  void ShowMessageBox(const String& text, const String& caption, int kind);
  void ShowKindMessage(const String& text, int kind);
  void ShowErrorMessage(const String& text);
  void SetBusy(bool busy);

  // Progress through the grid tools' progress window.
  void StartProgress(const String& caption, const String& text, int maximum);
  // False once the operator cancelled; the caller then raises the user break.
  bool StepProgress(const String& text);
  bool HasProgress() const { return FProgress != nullptr; }
  void StopProgress();

  // Grids.
  IDBGrid* GetGridInterface(TControl* control) const;
  TDataSet* GetGridDataSet(TControl* grid);
  TWinControl* FindGridOfDataSet(TDataSet* dataSet) const;
  TWinControl* MainGrid() const { return FindGridOfDataSet(FMainDataSet); }

  // Check marks.
  void SetRCheck(TDataSet* dataSet);
  bool DoCheckIfNeed(TField* field);
  bool FillAccess(String& errorText);
  // Check all (mode 0), uncheck all (1), invert (3).
  void RunSelectDataSet(TDataSet* dataSet, int mode, bool value);
  void RunSelectGridOf(TWinControl* grid, int mode, bool value);

  // Orderings kept in the orderings file.
  String GetQueryOrderKey(TOraDataSet* query);
  void RestoreQueryOrder(TComponent* query);
  void SaveQueryOrders();
  void NotFindFieldForOrder(const String& name);

  // Virtual operations, in the order of the original.
  virtual void DataSetBeforeDelete(TDataSet* sender);
  virtual void MainDataSetChanging(TDataSet* newDataSet) {}
  virtual void RegisterAccessItems() {}
  virtual bool GetCheckFldValue(TField* field);
  virtual void SetCheckFldValue(TField* field, bool value);
  virtual void GridKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  virtual void RefreshDataSet(TDataSet* dataSet);
  virtual void RefreshDataSetLast(TDataSet* dataSet);
  virtual void ExecFilter();
  virtual void ExecFind();
  virtual void ExecSort();
  virtual void ExecReport();
  virtual bool HasMySelectHandler(TDataSet* dataSet, int mode);
  virtual TMySelectNotifyEvent GetMySelectHandler2(TDataSet* dataSet, int mode) { return {}; }
  virtual TMySelectFilterEvent GetMySelectHandler(TDataSet* dataSet, int mode) { return {}; }
  virtual TWinControl* GetActiveGrid();
  virtual void SetNavigatorHints(TDBNavigator* navigator);
  virtual void DynamicAssignGridIntClass(TWinControl* grid, TGridInterfacedClass& cls);
  virtual void CreateComponents() {}
  virtual void CheckCountChanged(TDataSet* dataSet, int counter) {}
  virtual void SetQueryEvents(TComponent* query);
  virtual void UpdateActionsFor(TDataSet* dataSet);
  virtual void RegisterComponentHandlers();
  virtual void UnregisterComponentHandlers();
  virtual void PrepareQueryMacros(TOraDataSet* query, TMacro* macro) {}
  virtual void SetupLabel(TComponent* label) {}
  virtual void SetupEdit(TComponent* edit);
  virtual void SetupToolBar(TComponent* toolBar);
  virtual void SettDBGrid(TComponent* grid);
  virtual void SetupNavigator(TComponent* navigator);
  virtual void AddAllItem(TObject* sender, TStrings* items);
  virtual void DoCloseForm() {}

  void LoadResources() override;
  void TranslateCaptions() override;

 protected:
  TBaseForm() = default;
  void ReadResource() override;
  void DoCreate() override;
  void AfterConstruction() override;
  void FormCreate(TObject* sender) override;
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;
  void WndProc(TMessage& message) override;
  void FormShow(TObject* sender) override;
  void FormClose(TObject* sender, TCloseAction& action) override;
  virtual void FormCloseQuery(TObject* sender, bool& canClose);

 private:
  void InitConnection(const String& mode, TOraSession* session, const String& schema);
  void InitBaseForm();
  void CompleteBaseForm();
  void ApplyConnection();
  void ApplyConnectionTo(TComponent* component);
  void PrepareComponents();
  void PrepareMacrosOf(TComponent* component);
  void CheckGridHints();
  void CloseWork();
  void ReadAction(TAction*& action, const char* name, const String& caption, const char* shortCut,
                  int imageIndex, void (TBaseForm::*handler)(TObject*));
  void ReadMenuItem(TMenuItem*& item, const char* name, TAction* action);
  void TranslateDataActions();

  // Handlers.
  void AnotherBeforeConnect(TObject* sender);
  void ActionList1Update(TBasicAction* action, bool& handled);
  void PopupMenuPopup(TObject* sender);
  void GridMouseWheel(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos,
                      bool& handled);
  bool DrawGridCell(TObject* grid, TCanvas* canvas, TGridDrawState state, const TRect& rect,
                    TField* field);
  void GridCellClick(TObject* grid, TField* field);
  void ExecFindAction(TObject* sender) { ExecFind(); }
  void ExecSortAction(TObject* sender) { ExecSort(); }
  void ExecReportAction(TObject* sender) { ExecReport(); }
  void ExecFilterAction(TObject* sender) { ExecFilter(); }
  void FirstAction(TObject* sender);
  void PrevAction(TObject* sender);
  void NextAction(TObject* sender);
  void LastAction(TObject* sender);
  void RefreshAction(TObject* sender);
  void NothingAction(TObject* sender) {}
  void EditKeyBeep(TObject* sender, uint16_t& key, TShiftState shift);
  TControl* GridOfDataSet(TDataSet* dataSet);

  // Grid set-up.
  IDBGrid* AssignInterfacedClass(TWinControl* grid);
  void SetupGridQuery(TWinControl* grid, IDBGrid* gridInt, TDataSet* dataSet);
  String PrepareErrorText(TOraDataSet* query, const String& error) const;
  void TagFieldsForTools(TDataSet* dataSet);
  // The dataset of the focused grid; nullptr (and nothing shown) when it cannot be found.
  TDataSet* ActiveGridDataSet();
  IDBGrid* ActiveGridInterface(TWinControl*& grid);
  TDataSet* FindReportDetail(TDataSet* master, TWinControl*& detailGrid);

  bool FCloseWorkDone = false;
  TObjectList* FGridSettings = nullptr;
  bool FConstructed = false;
  TScrollComponentList* FHandlers = nullptr;
  IProgress_001* FProgress = nullptr;
  String FMode;
  TOraSession* FSession = nullptr;
  String FSchema;
  bool FNavigateActiveGrid = false;
  TDBIntList* FGridInterfaces = nullptr;
  TDataSet* FMainDataSet = nullptr;
  TOraQuery* FMainQuery = nullptr;
  TOraDataSet* FReportDetailQuery = nullptr;
  TNotifyEvent FSavedOnPopup;
  bool FBusy = false;
  bool FConnectionKnown = false;
  bool FGridSettingsOn = false;
  bool FCanClose = false;
  String FOccupiedMessage;
  bool FMayChangeConnection = false;
  bool FMainQueryFiltered = false;
  TChkStateList* FCheckCounter = nullptr;
  TAccessList* FAccessList = nullptr;
  String FCheckFieldName;
  bool FForceFilterMode = false;
};
