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
  for (int i = list->Count() - 1; i >= 0; --i) CheckItem(list->Items(i));
}

void TSelectBaseFrm::CheckItem(TDBItem* item) {
  if (item->Excluded) return;
  TDataSet* dataSet = MainDataSet();
  if (!dataSet->Locate(FKeyField, Variant(item->GetID()), loPartialKey)) return;
  if (FMultiSelect) SetRCheck(dataSet);
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
    if (!grid->OnDblClick) grid->OnDblClick = TNotifyEvent(this, &TSelectBaseFrm::GridDblClickAccept);
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

void TSelectBaseFrm::actRemSelectionExecute(TObject* sender) { RunSelectGridOf(MainGrid(), 1, true); }

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

// Hands every item of From over to To (To's own rules decide on duplicates). An item To refuses
// or cannot take is freed; none is left owned twice or by nobody.
void MoveItems(TDBItemList* from, TDBItemList* to) {
  std::vector<TDBItem*> items;
  items.reserve(static_cast<size_t>(from->Count()));
  for (int i = 0; i < from->Count(); ++i) items.push_back(from->Items(i));
  from->ItemList()->SetOwnsObjects(false);
  from->Clear();
  to->Clear();
  size_t next = 0;
  try {
    for (; next < items.size(); ++next) to->AddOrFree(items[next]);
  } catch (...) {
    for (size_t i = next + 1; i < items.size(); ++i) items[i]->Free();
    throw;
  }
}

}  // namespace

// The chosen records go into a list of the dialog's own first: the host's list changes only
// when the whole run succeeded, so a break or an error leaves it as it was.
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
  TDBItemList* chosen = TDBItemList::Create();
  FreeOnExit freeChosen(chosen);
  if (FMultiSelect) {
    CollectMulti(chosen);
  } else {
    CollectSingle(chosen);
  }
  MoveItems(chosen, list);
  if (FMultiSelect) {
    list->AllSelected = IsAllSelected(list);
    FillFieldNames(list->FieldNames);
  }
  return true;
}

bool TSelectBaseFrm::GetList(TDBItemList* list) {
  try {
    return RunSelection(list);
  } catch (const Exception& error) {
    if (!EndsTheRunQuietly(error)) throw;
    ShowMessageBox(TranslateAplText(rstr_msg_AbortByUser), TranslateAplText(rstr_act_DataLoading), 0);
    return false;
  }
}
