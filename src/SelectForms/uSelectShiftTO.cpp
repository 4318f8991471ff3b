#include "src/SelectForms/uSelectShiftTO.h"

#include "platform/rtl/SysUtils.h"

RTL_CLASS_IMPL_CREATABLE(TSelectShiftTO, TSelectBaseFrm)

namespace {

const char* const ShiftKeyFields = "SHIFT_ID;TERMINAL_NUMBER;POS_NUMBER;SHIFT_GUID";

}  // namespace

void TSelectShiftTO::ReadResource() {
  inherited::ReadResource();
  SetName("SelectShiftTO");
  SetCaption("Выбор смен на ТО");
  SetBorderIcons(0);
  OraQuery1->SQL()->SetText(
      "SELECT shft.*      \r\n"
      "FROM   &shema.V_OC_SHIFT_TRANSACTION shft \r\n"
      "&ORDER &FIELD");
  OraQuery1->MacroByName("ORDER")->SetValue("ORDER BY");
  OraQuery1->MacroByName("FIELD")->SetValue("pos_number,terminal_number,shift_id,datetime_open");
  OraQuery1->OnCalcFields = TDataSetNotifyEvent(this, &TSelectShiftTO::OraQuery1CalcFields);
  TField* check = DeclareTextField(OraQuery1, "RCHECK", 1, "Выбор");
  TField* state = DeclareTextField(OraQuery1, "SHIFT_DESC", 15, "Состояние", 15);
  DeclareField<TIntegerField>(OraQuery1, "SHIFT_ID");
  DeclareField<TIntegerField>(OraQuery1, "TERMINAL_NUMBER");
  DeclareField<TIntegerField>(OraQuery1, "POS_NUMBER");
  DeclareField<TFloatField>(OraQuery1, "CARD_OPERATOR_NUMBER");
  TField* opened =
      DeclareField<TDateTimeField>(OraQuery1, "DATETIME_OPEN", "Дата/время открытия смены", 10);
  TField* closed =
      DeclareField<TDateTimeField>(OraQuery1, "DATETIME_CLOSE", "Дата/время закрытия смены", 10);
  DeclareTextField(OraQuery1, "SHIFT_GUID", 32);
  DeclareField<TFloatField>(OraQuery1, "MMNT_OPEN");
  DeclareField<TFloatField>(OraQuery1, "MMNT_CLOSE");
  TField* caption = DeclareCalcField(OraQuery1, "Caption", 60, "[№ ТО, № терминала, № смены]");
  DBGrid1 = ReadListGrid(this, this, "DBGrid1", DataSource1, "Смены");
  ShowGridFields(DBGrid1, {check, caption, state, opened, closed});
}

// The key must be known before the base creation settles on "ID".
void TSelectShiftTO::FormCreate(TObject* sender) {
  SetKeyField(ShiftKeyFields);
  inherited::FormCreate(sender);
}

TDBItem* TSelectShiftTO::GetDBItem() {
  TDataSet* dataSet = MainDataSet();
  return TDBItem::Create(VarArrayOf({dataSet->FieldByName("SHIFT_ID")->AsInteger(),
                                     dataSet->FieldByName("TERMINAL_NUMBER")->AsInteger(),
                                     dataSet->FieldByName("POS_NUMBER")->AsInteger(),
                                     dataSet->FieldByName("SHIFT_GUID")->AsString()}),
                         String());
}

void TSelectShiftTO::CheckItem(TDBItem* item) { ToggleByValues(this, item, ShiftKeyFields, 4); }

void TSelectShiftTO::OraQuery1CalcFields(TDataSet* dataSet) {
  dataSet->FieldByName("Caption")->SetAsString(
      Format("[%d, %d, %d]", {dataSet->FieldByName("POS_NUMBER")->AsInteger(),
                              dataSet->FieldByName("TERMINAL_NUMBER")->AsInteger(),
                              dataSet->FieldByName("SHIFT_ID")->AsInteger()}));
}
