#include "src/FormReposit/uSelectBaseFrm.h"

#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Dialogs.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"

RTL_CLASS_IMPL_CREATABLE(TSelectBaseFrm, TDlgBaseForm)

namespace {

const char* const SelectActionsCategory = "selectBaseForm";

// From this many items on, pre-selection indexes the rows once.
constexpr int KeyIndexThreshold = 32;

bool EndsTheRunQuietly(const Exception& error) {
  return AnsiSameText(error.Message(), UserBreakText) || String(error.ClassName()) == "ETerminated";
}

}  // namespace

void TSelectBaseFrm::Construct(TComponent* owner, TOraSession* session, const String& schema,
                               bool multiSelect) {
  inherited::Construct(owner, session, schema, false, 0);
  SetMultiSelect(multiSelect);
}

void TSelectBaseFrm::ReadResource() {
  inherited::ReadResource();
  SetName("SelectBaseFrm");
  SetCaption("SelectBaseFrm");
  SetClientWidth(592);
  SetClientHeight(360);
  Panel1->SetBounds(0, 320, 592, 40);
  OkBtn->SetLeft(400);
  OkBtn->SetHint("Применить");
  OkBtn->SetShowHint(true);
  CancelBtn->SetLeft(504);
  CancelBtn->SetHint("Отменить");
  CancelBtn->SetShowHint(true);

  DataSource1 = TDataSource::Create(this);
  DataSource1->SetName("DataSource1");
  DataSource1->SetDataSet(OraQuery1);

  actSelectAll = ReadSelectAction("actSelectAll", "Выбрать все записи", "Выбрать все записи", 9,
                                  &TSelectBaseFrm::actSelectAllExecute);
  actInvertSelection = ReadSelectAction("actInvertSelection", "Обратить", "Обратить выделение", 11,
                                        &TSelectBaseFrm::actInvertSelectionExecute);
  actRemSelection = ReadSelectAction("actRemSelection", "Снять выделение", "Снять выделение", 10,
                                     &TSelectBaseFrm::actRemSelectionExecute);

  ToolBar3 = TToolBar::Create(this);
  ToolBar3->SetName("ToolBar3");
  ToolBar3->SetParent(this);
  ToolBar3->SetAlign(alBottom);
  ToolBar3->SetAutoSize(true);
  ToolBar3->SetButtonHeight(21);
  ToolBar3->SetButtonWidth(98);
  ToolBar3->SetEdgeBorders(ebLeft);
  ToolBar3->SetFlat(true);
  ToolBar3->SetShowCaptions(true);
  ToolBar3->SetShowHint(true);
  ToolBar3->SetImages(ImageList1);

  DBNavigator3 = TDBNavigator::Create(this);
  DBNavigator3->SetName("DBNavigator3");
  DBNavigator3->SetParent(ToolBar3);
  DBNavigator3->SetWidth(120);
  DBNavigator3->SetDataSource(DataSource1);
  DBNavigator3->SetVisibleButtons(NavButton(nbFirst) | NavButton(nbPrior) | NavButton(nbNext) |
                                  NavButton(nbLast) | NavButton(nbRefresh));
  DBNavigator3->SetFlat(true);

  ToolButton1 = TToolButton::Create(this);
  ToolButton1->SetName("ToolButton1");
  ToolButton1->SetParent(ToolBar3);
  ToolButton1->SetStyle(tbsSeparator);
  ToolButton1->SetWidth(7);

  btnCheckAll = ReadToolButton("btnCheckAll", actSelectAll);
  btnCheckAll->SetCaption("Выделить всё");
  btnCheckAll->SetHint("Выделить все");
  btnUnCheckAll = ReadToolButton("btnUnCheckAll", actRemSelection);
  btnInvCheck = ReadToolButton("btnInvCheck", actInvertSelection);
}

TAction* TSelectBaseFrm::ReadSelectAction(const char* name, const String& caption,
                                          const String& hint, int imageIndex,
                                          void (TSelectBaseFrm::*handler)(TObject*)) {
  TAction* action = TAction::Create(this);
  action->SetName(name);
  action->SetActionList(ActionList1);
  action->SetCategory(SelectActionsCategory);
  action->SetCaption(caption);
  action->SetHint(hint);
  action->SetImageIndex(imageIndex);
  action->OnExecute = TNotifyEvent(this, handler);
  return action;
}

TToolButton* TSelectBaseFrm::ReadToolButton(const char* name, TAction* action) {
  TToolButton* button = TToolButton::Create(this);
  button->SetName(name);
  button->SetParent(ToolBar3);
  button->SetAction(action);
  button->SetAutoSize(true);
  return button;
}

void TSelectBaseFrm::FormCreate(TObject* sender) {
  inherited::FormCreate(sender);
  FSkipIfEmpty = true;
  if (FKeyField.empty()) FKeyField = "ID";
}

void TSelectBaseFrm::SetMultiSelect(bool value) {
  FMultiSelect = value;
  for (TToolButton* button : {btnCheckAll, btnUnCheckAll, btnInvCheck}) button->SetVisible(value);
}

void TSelectBaseFrm::FillFieldNames(TStrings* names) {
  names->Clear();
  names->Add(FKeyField);
  names->Add("NAME");
}

TDBItem* TSelectBaseFrm::GetDBItem() {
  TDataSet* dataSet = MainDataSet();
  return TDBItem::Create(static_cast<double>(dataSet->FieldByName(FKeyField)->AsInteger()),
                         dataSet->FieldByName("NAME")->AsString());
}

void TSelectBaseFrm::AppendList(TDBItemList* list) {
  TDBItem* item = GetDBItem();
  if (!item) throw Exception("TSelectBaseFrm.AppendList: GetDBItem returned nil");
  list->AddOrFree(item);
}

bool TSelectBaseFrm::HasRecords() { return MainDataSet() && !MainDataSet()->IsEmpty(); }

void TSelectBaseFrm::ShowNoRecordsMsg() { ShowErrorMessage(TranslateAplText(rstrNoRecords)); }

void TSelectBaseFrm::ShowNotSelectedMsg() {
  ShowErrorMessage(TranslateAplText(rstr_msg_NotSelectedRecords));
}

void TSelectBaseFrm::ShowEmptyNotice() { ShowKindMessage(TranslateAplText(rstrNoRecords), 2); }

// --- showing and pre-selection ---------------------------------------------------------------

void TSelectBaseFrm::FormShow(TObject* sender) {
  inherited::FormShow(sender);
  if (FList && FList->Count() > 0) PreselectItems(FList);
  if (!FMultiSelect) SetupSingleSelectGrids();
}

void TSelectBaseFrm::PreselectItems(TDBItemList* list) {
  TDataSet* dataSet = MainDataSet();
  TField* checkField = dataSet ? dataSet->FindField(CheckFieldName()) : nullptr;
  if (!checkField || checkField->FieldKind() != fkData) return;
  if (list->AllSelected) {
    RunSelectDataSet(dataSet, 0, false);
    return;
  }
  if (FMultiSelect) RunSelectDataSet(dataSet, 1, false);
  if (list->Count() >= KeyIndexThreshold) BuildKeyIndex();
  Finally dropIndex([this] { FKeyIndex.reset(); });
  for (int i = list->Count() - 1; i >= 0; --i) CheckItem(list->Items(i));
}

void TSelectBaseFrm::BuildKeyIndex() {
  TDataSet* dataSet = MainDataSet();
  TField* key = dataSet->FindField(FKeyField);
  // Numbers match by value whatever their text; other key kinds keep Locate's matching.
  if (!key || !key->Is<TNumericField>()) return;
  auto index = std::make_unique<std::unordered_map<double, TBookmark>>();
  index->reserve(static_cast<size_t>(dataSet->RecordCount()));
  dataSet->DisableControls();
  Finally enable([dataSet] { dataSet->EnableControls(); });
  const TBookmark current = dataSet->GetBookmark();
  for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) {
    if (!key->IsNull()) index->try_emplace(key->AsFloat(), dataSet->GetBookmark());
  }
  if (dataSet->BookmarkValid(current)) dataSet->GotoBookmark(current);
  FKeyIndex = std::move(index);
}

bool TSelectBaseFrm::LocateKey(double id) {
  TDataSet* dataSet = MainDataSet();
  if (!FKeyIndex) return dataSet->Locate(FKeyField, Variant(id), loPartialKey);
  const auto found = FKeyIndex->find(id);
  if (found == FKeyIndex->end()) return false;
  dataSet->GotoBookmark(found->second);
  return true;
}

void TSelectBaseFrm::CheckItem(TDBItem* item) {
  if (item->Excluded) return;
  if (!LocateKey(item->GetID())) return;
  if (FMultiSelect) SetRCheck(MainDataSet());
}

void TSelectBaseFrm::SetupSingleSelectGrids() {
  for (int i = 0; i < ComponentCount(); ++i) {
    if (auto* dataSet = dynamic_cast<TDataSet*>(Components(i))) {
      if (TField* field = dataSet->FindField(CheckFieldName())) field->SetVisible(false);
    }
  }
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* grid = dynamic_cast<TDBGrid*>(Components(i));
    if (!grid || grid->DataSet() != MainDataSet()) continue;
    if (!grid->OnDblClick)
      grid->OnDblClick = TNotifyEvent(this, &TSelectBaseFrm::GridDblClickAccept);
    grid->SetOptions(grid->Options() | dgAlwaysShowSelection);
  }
}

void TSelectBaseFrm::GridDblClickAccept(TObject* sender) {
  if (HasRecords() && !FMultiSelect) SetModalResult(mrOk);
}

// --- closing --------------------------------------------------------------------------------

bool TSelectBaseFrm::CheckSelection() {
  if (!HasRecords()) {
    ShowNoRecordsMsg();
    return false;
  }
  if (!FMultiSelect) return true;
  if (HasCheckedRecords()) return true;
  ShowNotSelectedMsg();
  return false;
}

void TSelectBaseFrm::FormCloseQuery(TObject* sender, bool& canClose) {
  inherited::FormCloseQuery(sender, canClose);
  if (canClose && ModalResult() == mrOk) canClose = CheckSelection();
}

bool TSelectBaseFrm::HasCheckedRecords() {
  if (!FMultiSelect) {
    ShowErrorMessage(TranslateAplText(rstr_msg_NotInMultiSelectMode) + "!!");
    return false;
  }
  TDataSet* dataSet = MainDataSet();
  TField* checkField = dataSet ? dataSet->FindField(CheckFieldName()) : nullptr;
  if (!checkField) return false;
  dataSet->DisableControls();
  Finally enable([dataSet] { dataSet->EnableControls(); });
  for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) {
    if (GetCheckFldValue(checkField)) return true;
  }
  dataSet->First();
  return false;
}

bool TSelectBaseFrm::IsAllSelected(TDBItemList* list) {
  TDataSet* dataSet = MainDataSet();
  auto* oraDataSet = dynamic_cast<TOraDataSet*>(dataSet);
  if (oraDataSet && !oraDataSet->FilterSQL().empty()) return false;
  return dataSet->RecordCount() == list->Count() &&
         (!dataSet->Filtered() || dataSet->Filter().empty());
}

// --- modal runs ------------------------------------------------------------------------------

TModalResult TSelectBaseFrm::ShowModal() {
  ShowMessageBox("Не вызызвайте эту функцию вручную!!\rВызывается в GetList",
                 "TSelectBaseFrm.ShowModal", 0);
  return mrCancel;
}

TModalResult TSelectBaseFrm::ShowModalDirect() { return TCustomForm::ShowModal(); }

bool TSelectBaseFrm::ExecuteModal() { return ShowModalDirect() == mrOk; }

void TSelectBaseFrm::actSelectAllExecute(TObject* sender) { RunSelectGridOf(MainGrid(), 0, true); }

void TSelectBaseFrm::actRemSelectionExecute(TObject* sender) {
  RunSelectGridOf(MainGrid(), 1, true);
}

void TSelectBaseFrm::actInvertSelectionExecute(TObject* sender) {
  RunSelectGridOf(MainGrid(), 3, true);
}

// --- the selection run -----------------------------------------------------------------------

void TSelectBaseFrm::CollectSingle(TDBItemList* list) { AppendList(list); }

void TSelectBaseFrm::CollectMulti(TDBItemList* list) {
  TDataSet* dataSet = MainDataSet();
  TField* checkField = dataSet->FieldByName(CheckFieldName());
  dataSet->DisableControls();
  Finally done([this, dataSet] {
    AfterAppend();
    dataSet->EnableControls();
  });
  dataSet->First();
  const int count = dataSet->RecordCount();
  BeforeAppend(count);
  for (int i = 0; i < count; ++i) {
    BeforeAppendRecord();
    if (GetCheckFldValue(checkField)) AppendList(list);
    if (i != count - 1) dataSet->Next();
  }
}

namespace {

// Keeps what a host's list held while the run refills it: unless the run commits, the list gets
// exactly its old items, flag and field names back, and the items the run added are freed.
class TListBackup {
 public:
  explicit TListBackup(TDBItemList* list)
      : FList(list), FAllSelected(list->AllSelected), FFieldNames(list->FieldNames->Text()) {
    FItems.reserve(static_cast<size_t>(list->Count()));
    for (int i = 0; i < list->Count(); ++i) FItems.push_back(list->Items(i));
    list->ItemList()->SetOwnsObjects(false);
    list->Clear();
    list->ItemList()->SetOwnsObjects(true);
  }
  ~TListBackup() {
    if (FCommitted) {
      for (TDBItem* item : FItems) item->Free();
      return;
    }
    FList->Clear();
    for (TDBItem* item : FItems) FList->ItemList()->Add(item);
    FList->AllSelected = FAllSelected;
    FList->FieldNames->SetText(FFieldNames);
  }
  TListBackup(const TListBackup&) = delete;
  TListBackup& operator=(const TListBackup&) = delete;

  void Commit() { FCommitted = true; }

 private:
  TDBItemList* FList;
  std::vector<TDBItem*> FItems;
  bool FAllSelected;
  String FFieldNames;
  bool FCommitted = false;
};

}  // namespace

// The host's list is refilled in place, but its old content is kept aside until the whole run
// succeeded: a break or an error leaves the list as it was, never half-filled.
bool TSelectBaseFrm::RunSelection(TDBItemList* list) {
  if (!list) throw Exception("TSelectBaseFrm.GetList: pList=nil");
  FList = list;
  Finally forget([this] { FList = nullptr; });
  MainDataSet()->Open();
  if (FSkipIfEmpty && !HasRecords()) {
    ShowEmptyNotice();
    return false;
  }
  if (ShowModalDirect() != mrOk) return false;
  TListBackup backup(list);
  if (FMultiSelect) {
    CollectMulti(list);
    list->AllSelected = IsAllSelected(list);
    FillFieldNames(list->FieldNames);
  } else {
    CollectSingle(list);
  }
  backup.Commit();
  return true;
}

bool TSelectBaseFrm::GetList(TDBItemList* list) {
  try {
    return RunSelection(list);
  } catch (const Exception& error) {
    if (!EndsTheRunQuietly(error)) throw;
    ShowMessageBox(TranslateAplText(rstr_msg_AbortByUser), TranslateAplText(rstr_act_DataLoading),
                   0);
    return false;
  }
}
