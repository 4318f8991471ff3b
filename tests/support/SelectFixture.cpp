#include "support/SelectFixture.h"

#include "src/ComUnits/uComFunctions.h"

RTL_CLASS_IMPL_CREATABLE(TItemsDialog, TSelectBaseFrm)

TItemsDialog* TItemsDialog::Open(TOraSession* session, bool multiSelect, const String& schema) {
  return TItemsDialog::Create(nullptr, session, schema, multiSelect);
}

void TItemsDialog::ReadResource() {
  inherited::ReadResource();
  SetName("ItemsDialog");
  SetCaption("Items");
  OraQuery1->SQL()->SetText("SELECT RCHECK, ID, NAME FROM &shema.ITEMS\r\n&ORDER &FIELD");
  // Declared fields, as a designed window has them: the grid set-up sees the check column
  // before the query is opened.
  TStringField* check = TStringField::Create(this);
  check->SetName("OraQuery1RCHECK");
  check->SetFieldName("RCHECK");
  check->SetSize(1);
  check->SetDataSet(OraQuery1);
  TIntegerField* id = TIntegerField::Create(this);
  id->SetName("OraQuery1ID");
  id->SetFieldName("ID");
  id->SetDataSet(OraQuery1);
  TStringField* name = TStringField::Create(this);
  name->SetName("OraQuery1NAME");
  name->SetFieldName("NAME");
  name->SetSize(40);
  name->SetDataSet(OraQuery1);
  Grid = TDBGrid::Create(this);
  Grid->SetName("Grid");
  Grid->SetParent(this);
  Grid->SetAlign(alClient);
  Grid->SetHint("Items");
  Grid->SetDataSource(DataSource1);
  Edit1 = TEdit::Create(this);
  Edit1->SetName("Edit1");
  Edit1->SetParent(this);
  Edit1->SetAlign(alTop);
}

void TItemsDialog::BeforeAppendRecord() {
  if (++FCollected == BreakAtRecord) RaiseUserBreak();
}

std::vector<int> ItemIDs(const TDBItemList* list) {
  std::vector<int> ids;
  for (int i = 0; i < list->Count(); ++i) ids.push_back(static_cast<int>(list->Items(i)->GetID()));
  return ids;
}

TDBItemList* IDList(const std::vector<int>& ids) {
  TDBItemList* list = TDBItemList::Create();
  for (int id : ids) list->AddOrFree(TDBItem::Create(static_cast<double>(id), String()));
  return list;
}

std::vector<String> BoxTexts(const TOperatorRecord& record) {
  std::vector<String> texts;
  for (const TRecordEntry& entry : record.OfKind(TRecordKind::MessageBox))
    texts.push_back(entry.Text);
  return texts;
}
