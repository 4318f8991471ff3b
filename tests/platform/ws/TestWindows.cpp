#include "TestWindows.h"

RTL_CLASS_IMPL_CREATABLE(TPickDialog, TForm)

void TPickDialog::ReadResource() {
  inherited::ReadResource();
  SetName("PickDialog");
  SetCaption("Pick");
  SetClientWidth(400);
  SetClientHeight(300);
  OnCloseQuery = TCloseQueryEvent(this, &TPickDialog::CloseQuery);

  Table = TVirtualTable::Create(this);
  Table->SetName("Table");
  Table->AddField("RCHECK", ftString, 1);
  Table->AddField("ID", ftInteger);
  Table->AddField("NAME", ftString, 20);
  Source = TDataSource::Create(this);
  Source->SetName("Source");
  Source->SetDataSet(Table);

  ActionList1 = TActionList::Create(this);
  ActionList1->SetName("ActionList1");
  EmptyAction = TAction::Create(this);
  EmptyAction->SetName("EmptyAction");
  EmptyAction->SetActionList(ActionList1);
  EmptyAction->SetShortCut(TextToShortCut("Ctrl+Del"));
  EmptyAction->OnExecute = TNotifyEvent(this, &TPickDialog::Nothing);
  pFind = TAction::Create(this);
  pFind->SetName("pFind");
  pFind->SetActionList(ActionList1);
  pFind->SetCaption("Find...");
  pFind->SetShortCut(TextToShortCut("Ctrl+F"));
  pFind->OnExecute = TNotifyEvent(this, &TPickDialog::FindExecute);

  PopupMenu1 = TPopupMenu::Create(this);
  PopupMenu1->SetName("PopupMenu1");
  pFind1 = TMenuItem::Create(this);
  pFind1->SetName("pFind1");
  pFind1->SetAction(pFind);
  PopupMenu1->Items()->Add(pFind1);

  Panel1 = TPanel::Create(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetAlign(alBottom);
  Panel1->SetHeight(39);
  OkBtn = TBitBtn::Create(this);
  OkBtn->SetName("OkBtn");
  OkBtn->SetParent(Panel1);
  OkBtn->SetCaption("Apply");
  OkBtn->SetDefault(true);
  OkBtn->SetModalResult(mrOk);
  OkBtn->OnClick = TNotifyEvent(this, &TPickDialog::OkClick);
  CancelBtn = TBitBtn::Create(this);
  CancelBtn->SetName("CancelBtn");
  CancelBtn->SetParent(Panel1);
  CancelBtn->SetCaption("Cancel");
  CancelBtn->SetCancel(true);
  CancelBtn->SetModalResult(mrCancel);

  Grid = TDBGrid::Create(this);
  Grid->SetName("Grid");
  Grid->SetParent(this);
  Grid->SetAlign(alClient);
  Grid->SetDataSource(Source);
  Grid->SetPopupMenu(PopupMenu1);
  Grid->OnCellClick = TDBGridClickEvent(this, &TPickDialog::GridCellClick);
  Grid->OnKeyDown = TKeyEvent(this, &TPickDialog::GridKeyDown);

  Memo = TMemo::Create(this);
  Memo->SetName("Memo");
  Memo->SetParent(this);
  Memo->SetAlign(alTop);
  Memo->SetHeight(40);
  SetActiveControl(Grid);
}

void TPickDialog::ToggleMark() {
  if (Table->IsEmpty()) return;
  Table->Edit();
  TField* mark = Table->FieldByName("RCHECK");
  mark->SetAsString(mark->AsString() == "+" ? "-" : "+");
  Table->Post();
}

void TPickDialog::GridCellClick(TColumn* column) {
  if (column->FieldName() == "RCHECK") ToggleMark();
}

void TPickDialog::GridKeyDown(TObject*, uint16_t& key, TShiftState) {
  ++GridKeys;
  if (key == VK_SPACE) ToggleMark();
}

void TPickDialog::FindExecute(TObject*) {
  ++FindRuns;
  if (FindRan) FindRan(this);
}

void TPickDialog::OkClick(TObject*) {
  if (OkClicked) OkClicked(this);
}

std::vector<int> TPickDialog::Ticked() {
  std::vector<int> ids;
  for (int recNo = 1; recNo <= Table->RecordCount(); ++recNo) {
    const TDataSet::TActiveRecordScope record(Table, recNo);
    if (Table->FieldByName("RCHECK")->AsString() == "+")
      ids.push_back(Table->FieldByName("ID")->AsInteger());
  }
  return ids;
}

TPickDialogScope::TPickDialogScope(int count) : Dialog(TPickDialog::Create(nullptr)) {
  Dialog->Table->Open();
  for (int id = 1; id <= count; ++id)
    Dialog->Table->AppendRecord({"-", id, "Row " + std::to_string(id)});
  Dialog->Table->First();
}

TPickDialogScope::~TPickDialogScope() {
  if (Dialog) Dialog->Free();
}
