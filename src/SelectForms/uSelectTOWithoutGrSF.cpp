#include "src/SelectForms/uSelectTOWithoutGrSF.h"

#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"

RTL_CLASS_IMPL_CREATABLE(TSelectTOWithoutGrSF, TSelectBaseFrm)

void TSelectTOWithoutGrSF::ReadResource() {
  inherited::ReadResource();
  SetName("SelectTOWithoutGrSF");
  SetCaption("Выбор ТО");
  OraQuery1->SQL()->SetText(
      "SELECT *\r\n"
      "FROM   &shema.v_pos p\r\n"
      "WHERE  NOT EXISTS (SELECT 1\r\n"
      "        FROM   &shema.v_posgroup     pg,\r\n"
      "               &shema.v_posgroupitem pgi\r\n"
      "        WHERE  pg.id = pgi.id_group\r\n"
      "        AND    pg.use_in_exp_invoice = 1\r\n"
      "        AND    pgi.id_pos = p.id_pos\r\n"
      "        AND    pgi.id_emitent = p.id_emitent)\r\n"
      "AND   EXISTS (SELECT 1\r\n"
      "              FROM   &shema.v_posgroup pg\r\n"
      "              WHERE  pg.use_in_exp_invoice = 1)\r\n"
      "&ORDER &FIELD");
  OraQuery1->MacroByName("ORDER")->SetValue("ORDER BY");
  OraQuery1->MacroByName("FIELD")->SetValue("ID_POS");
  OraQuery1->OnCalcFields = TDataSetNotifyEvent(this, &TSelectTOWithoutGrSF::OraQuery1CalcFields);
  OraQuery1RCHECK = DeclareTextField(OraQuery1, "RCHECK", 1, "Выбор");
  DeclarePointFields(OraQuery1, true);
  OraQuery1Caption =
      DeclareCalcField(OraQuery1, "Caption", 200, "[№ Эмитента, № Филиала, № ТО] Название ТО", 80);
  rgFilter = ReadOwnershipGroup(this, this, Panel3);
  rgFilter->OnClick = TNotifyEvent(this, &TSelectTOWithoutGrSF::rgFilterClick);
  DBGrid1 = ReadPointsGrid(this, OraQuery1RCHECK, OraQuery1Caption);
}

void TSelectTOWithoutGrSF::TranslateCaptions() {
  inherited::TranslateCaptions();
  TranslatePointCaption(this, OraQuery1Caption);
}

TDBItem* TSelectTOWithoutGrSF::GetDBItem() { return POSItem(MainDataSet()); }

void TSelectTOWithoutGrSF::CheckItem(TDBItem* item) {
  ToggleByValues(this, item, "ID_EMITENT;ID_FILIALA;ID_POS", 3);
}

void TSelectTOWithoutGrSF::OraQuery1CalcFields(TDataSet* dataSet) {
  CalcPointCaption(dataSet, "ID_FILIALA");
}

void TSelectTOWithoutGrSF::rgFilterClick(TObject* sender) {
  ApplyOwnershipFilter(MainDataSet(), rgFilter->ItemIndex());
}

bool TSelectTOWithoutGrSF::ShowAsWarning() {
  SetCaption(TranslateAplText(rstrFoundPosNotInGroup));
  OraQuery1RCHECK->SetVisible(false);
  for (TAction* action : {actSelectAll, actInvertSelection, actRemSelection})
    action->SetVisible(false);
  CancelBtn->SetCaption(TranslateAplText(rstr_to_Close));
  OkBtn->SetVisible(false);
  MainDataSet()->Open();
  if (!HasRecords()) return false;
  ShowModalDirect();
  return true;
}
