#include "src/SelectForms/uSelectSingleTerminal.h"

#include "platform/rtl/SysUtils.h"

RTL_CLASS_IMPL_CREATABLE(TSelectSingleTerminal, TSelectBaseFrm)

void TSelectSingleTerminal::ReadResource() {
  inherited::ReadResource();
  SetName("SelectSingleTerminal");
  SetCaption("Терминалы");
  OraQuery1->SQL()->SetText(
      "SELECT '-' AS RCHECK,\r\n"
      "       TRM.*\r\n"
      "FROM   &SHEMA.V_MYTERMINAL TRM\r\n"
      "&ORDER &FIELD");
  OraQuery1->MacroByName("ORDER")->SetValue("ORDER BY");
  OraQuery1->MacroByName("FIELD")->SetValue("NUM_TERMINAL");
  TField* check = DeclareTextField(OraQuery1, "RCHECK", 1, "В отчет");
  DeclareField<TIntegerField>(OraQuery1, "IN_WORK");
  TField* emitent = DeclareField<TIntegerField>(OraQuery1, "ID_EMITENT", "№ эмитента");
  TField* filial = DeclareField<TIntegerField>(OraQuery1, "ID_FILIAL", "№ филиала");
  TField* pos = DeclareField<TIntegerField>(OraQuery1, "ID_POS", "№ ТО");
  DeclareField<TIntegerField>(OraQuery1, "NUM_TERMINAL");
  DeclareTextField(OraQuery1, "NAME", 40);
  TField* fullName = DeclareTextField(OraQuery1, "FULLNAME", 51, "[№ Терминала] Название");
  rgInWork =
      ReadChoiceGroup(this, this, "rgInWork", " Состояние", {"В работе", "Не в работе", "Все"});
  rgInWork->OnClick = TNotifyEvent(this, &TSelectSingleTerminal::rgInWorkClick);
  DBGrid1 = ReadListGrid(this, this, "DBGrid1", DataSource1, "ТО");
  ShowGridFields(DBGrid1, {check, emitent, filial, pos, fullName});
}

TDBItem* TSelectSingleTerminal::GetDBItem() {
  TDataSet* dataSet = MainDataSet();
  const int emitent = dataSet->FieldByName("ID_EMITENT")->AsInteger();
  const int pos = dataSet->FieldByName("ID_POS")->AsInteger();
  const int terminal = dataSet->FieldByName("NUM_TERMINAL")->AsInteger();
  return TDBItem::Create(
      VarArrayOf({emitent, dataSet->FieldByName("ID_FILIAL")->AsInteger(), pos, terminal}),
      Format("[%.4d, %d, %d]  %s",
             {emitent, pos, terminal, dataSet->FieldByName("NAME")->AsString()}));
}

void TSelectSingleTerminal::rgInWorkClick(TObject* sender) {
  ApplyChoiceFilter(MainDataSet(), rgInWork->ItemIndex(), "IN_WORK = 1", "IN_WORK = 2");
}
