#include "src/SelectForms/ufrmSelectTOGrExpSF.h"

RTL_CLASS_IMPL_CREATABLE(TfrmSelectTOGrExpSF, TSelectBaseFrm)

void TfrmSelectTOGrExpSF::ReadResource() {
  inherited::ReadResource();
  SetName("frmSelectTOGrExpSF");
  SetCaption("Выбор групп ТО");
  OraQuery1->SQL()->SetText(
      "SELECT '-' AS RCHECK,\r\n"
      "       pg.id,\r\n"
      "       pg.name\r\n"
      "FROM   &shema.v_posgroup pg\r\n"
      "WHERE  pg.use_in_exp_invoice = 1\r\n"
      "&ORDER &FIELD");
  OraQuery1->MacroByName("ORDER")->SetValue("ORDER BY");
  OraQuery1->MacroByName("FIELD")->SetValue("ID");
  OraQuery1->OnCalcFields = TDataSetNotifyEvent(this, &TfrmSelectTOGrExpSF::OraQuery1CalcFields);
  TField* check = DeclareTextField(OraQuery1, "RCHECK", 1, "Выбор");
  DeclareField<TIntegerField>(OraQuery1, "ID");
  DeclareTextField(OraQuery1, "NAME", 120);
  TField* caption = DeclareCalcField(OraQuery1, "Caption", 200, "[№ группы ТО] Название", 40);
  dbgTOGrList = ReadListGrid(this, this, "dbgTOGrList", DataSource1, "Группы ТО");
  ShowGridFields(dbgTOGrList, {check, caption});
}

void TfrmSelectTOGrExpSF::OraQuery1CalcFields(TDataSet* dataSet) {
  dataSet->FieldByName("Caption")->SetAsString("[" + dataSet->FieldByName("ID")->AsString() + "]" +
                                               " " + dataSet->FieldByName("NAME")->AsString());
}
