#include "src/SelectForms/uSelectEmitentFilial.h"

#include "platform/rtl/SysUtils.h"
#include "src/SelectForms/uEmitentFields.h"
#include "src/SelectForms/uSelectEmByGroup.h"

RTL_CLASS_IMPL_CREATABLE(TSelectEmitentFrm, TSelectBaseFrm)

namespace {

int FilterMode = 0;

}  // namespace

void TSelectEmitentFrm::SetFilterMode(int mode) { FilterMode = mode; }

void TSelectEmitentFrm::ReadResource() {
  inherited::ReadResource();
  SetName("SelectEmitentFrm");
  SetCaption("Эквайеры");

  OraQuery1->SQL()->SetText(
      "SELECT '-' as RCHECK,\r\n"
      "       V_EMT.* \r\n"
      "FROM &shema.V_OC_EMITENT_FILIAL V_EMT\r\n"
      "where (:p1 = 1 \r\n"
      "       and &shema.CHECK_MYEMITENT(V_EMT.ID_EMITENT) = 1\r\n"
      "      )\r\n"
      "  or  (:p1 = 2 \r\n"
      "       and &shema.CHECK_MYEMITENT(V_EMT.ID_EMITENT) = 0\r\n"
      "      )\r\n"
      "  or  :p1 = 0\r\n"
      "&ORDER &FIELD");
  OraQuery1->MacroByName("ORDER")->SetValue("ORDER BY");
  OraQuery1->MacroByName("FIELD")->SetValue("ID_EMITENT,ID_FILIALA");
  OraQuery1->ParamByName("p1")->SetDataType(ftInteger);
  DeclareFields(this, OraQuery1,
                {{"RCHECK", TFieldClass::Text, 1, "Выбор"},
                 {"ID_EMITENT", TFieldClass::Number, 0, "№ эквайера"},
                 {"ID_FILIALA", TFieldClass::Number, 0, "№ филиала"},
                 {"OPISANIE_EMITENTA", TFieldClass::Text, 40, "Название"}});
  ReadGrid();

  ToolButton2 = TToolButton::Create(this);
  ToolButton2->SetName("ToolButton2");
  ToolButton2->SetParent(ToolBar3);
  ToolButton2->SetStyle(tbsSeparator);
  ToolButton2->SetVisible(false);
  ToolButton3 = TToolButton::Create(this);
  ToolButton3->SetName("ToolButton3");
  ToolButton3->SetParent(ToolBar3);
  ToolButton3->SetCaption("По группе…");
  ToolButton3->SetHint("Выбрать по группе");
  ToolButton3->SetVisible(false);
  ToolButton3->OnClick = TNotifyEvent(this, &TSelectEmitentFrm::ToolButton3Click);
}

void TSelectEmitentFrm::ReadGrid() {
  DBGrid2 = TDBGrid::Create(this);
  DBGrid2->SetName("DBGrid2");
  DBGrid2->SetParent(this);
  DBGrid2->SetAlign(alClient);
  DBGrid2->SetDataSource(DataSource1);
  DBGrid2->SetHint("Эмитенты");
  DBGrid2->SetOptions(DBGrid2->Options() | dgAlwaysShowSelection);
  // Columns of its own, so that the check column can be hidden without touching the field.
  for (const TField* field : *OraQuery1->Fields())
    DBGrid2->Columns()->Add()->SetFieldName(field->FieldName());
  SetActiveControl(DBGrid2);
}

void TSelectEmitentFrm::FormCreate(TObject* sender) {
  inherited::FormCreate(sender);
  OraQuery1->ParamByName("p1")->SetAsInteger(FilterMode);
}

void TSelectEmitentFrm::SetMultiSelect(bool value) {
  inherited::SetMultiSelect(value);
  DBGrid2->Columns()->Items(0)->SetVisible(value);
}

TDBItem* TSelectEmitentFrm::GetDBItem() {
  const int emitent = OraQuery1->FieldByName("ID_EMITENT")->AsInteger();
  const int filial = OraQuery1->FieldByName("ID_FILIALA")->AsInteger();
  return TDBItem::Create(VarArrayOf({Variant(emitent), Variant(filial),
                                     Variant(Format("[%.4d,%d]", {emitent, filial}))}),
                         OraQuery1->FieldByName("OPISANIE_EMITENTA")->AsString());
}

// Only the emitent is compared: an incoming item stands for its emitent's first filial.
void TSelectEmitentFrm::CheckItem(TDBItem* item) {
  if (!MainDataSet()->Locate("ID_EMITENT", Variant(item->GetID()), loPartialKey)) return;
  if (MultiSelect()) SetRCheck(MainDataSet());
}

void TSelectEmitentFrm::ToolButton3Click(TObject* sender) {
  TSelectEmByGrp::GetSelEmByGroup(GetSession(), GetShema(), MainDataSet());
}
