#include "src/SelectForms/uSelectSinglePOS.h"

RTL_CLASS_IMPL_CREATABLE(TFormSelectSinglePOS, TSelectBaseFrm)

void TFormSelectSinglePOS::ReadResource() {
  inherited::ReadResource();
  SetName("FormSelectSinglePOS");
  SetCaption("Точки обслуживания (ТО)");
  OraQuery1->SQL()->SetText("SELECT * FROM &shema.V_POS\r\n&ORDER &FIELD");
  OraQuery1->MacroByName("ORDER")->SetValue("ORDER BY");
  OraQuery1->MacroByName("FIELD")->SetValue("ID_EMITENT, ID_FILIALA, ID_POS ");
  OraQuery1->OnCalcFields = TDataSetNotifyEvent(this, &TFormSelectSinglePOS::OraQuery1CalcFields);
  TField* check = DeclareTextField(OraQuery1, "RCHECK", 1, "Выбор");
  DeclarePointFields(OraQuery1, false);
  TField* address = OraQuery1->FieldByName("ADRES");
  address->SetDisplayLabel("Адрес");
  address->SetDisplayWidth(90);
  TField* caption =
      DeclareCalcField(OraQuery1, "Caption", 200, "[Эмитент, Филиал, № ТО] Название", 80);
  rgFilter = ReadOwnershipGroup(this, this, Panel3);
  rgFilter->OnClick = TNotifyEvent(this, &TFormSelectSinglePOS::rgFilterClick);
  DBGrid1 = ReadListGrid(this, this, "DBGrid1", DataSource1, "ТО");
  ShowGridFields(DBGrid1, {check, caption, address});
}

TDBItem* TFormSelectSinglePOS::GetDBItem() { return POSItem(MainDataSet()); }

void TFormSelectSinglePOS::OraQuery1CalcFields(TDataSet* dataSet) {
  CalcPointCaption(dataSet, "ID_FILIALA");
}

void TFormSelectSinglePOS::rgFilterClick(TObject* sender) {
  ApplyOwnershipFilter(MainDataSet(), rgFilter->ItemIndex());
}
