#include "src/SelectForms/uSelectGrpEmt.h"

#include "src/SelectForms/uEmitentFields.h"

RTL_CLASS_IMPL_CREATABLE(TSelectGrpEmt, TSelectBaseFrm)

void TSelectGrpEmt::ReadResource() {
  inherited::ReadResource();
  SetName("SelectGrpEmt");
  SetCaption("Выбор группы эмитентов");

  OraQuery1->SQL()->SetText("SELECT * FROM &shema.V_EMITENTGROUP\r\n&ORDER &FIELD");
  OraQuery1->MacroByName("ORDER")->SetValue("ORDER BY");
  OraQuery1->MacroByName("FIELD")->SetValue("ID");
  OraQuery1->OnCalcFields = TDataSetNotifyEvent(this, &TSelectGrpEmt::OraQuery1CalcFields);
  DeclareFields(this, OraQuery1,
                {{"RCHECK", TFieldClass::Text, 1, "Выбор", 7},
                 {"Caption", TFieldClass::Calculated, 260, "Название", 82},
                 {"FIRM_NAME", TFieldClass::Text, 40, "Фирма"},
                 {"ID", TFieldClass::Number},
                 {"NAME", TFieldClass::Text, 40},
                 {"DESCRIPTION", TFieldClass::Text, 100}});
  ReadMemberQuery();

  DBGrid1 = TDBGrid::Create(this);
  DBGrid1->SetName("DBGrid1");
  DBGrid1->SetParent(this);
  DBGrid1->SetAlign(alLeft);
  DBGrid1->SetWidth(330);
  DBGrid1->SetDataSource(DataSource1);
  DBGrid1->SetHint("Группы эмитентов");

  DBGrid2 = TDBGrid::Create(this);
  DBGrid2->SetName("DBGrid2");
  DBGrid2->SetParent(this);
  DBGrid2->SetAlign(alClient);
  DBGrid2->SetDataSource(DataSource2);
  DBGrid2->SetReadOnly(true);
  DBGrid2->SetHint("Эмитенты");
}

void TSelectGrpEmt::ReadMemberQuery() {
  QEmit_By_Group = TOraQuery::Create(this);
  QEmit_By_Group->SetName("QEmit_By_Group");
  QEmit_By_Group->SetSession(MainSession);
  QEmit_By_Group->SQL()->SetText(
      "SELECT GRIT.ID_GROUP,\r\n"
      "       GRIT.ID,\r\n"
      "       GRIT.NAME,\r\n"
      "       GRIT.ID_FIRM,\r\n"
      "       GRIT.FIRM_NAME,\r\n"
      "       GRIT.ADRESS,\r\n"
      "       GRIT.DOGOVOR,\r\n"
      "       GRIT.OKPO,\r\n"
      "       GRIT.INN,\r\n"
      "       GRIT.IN_WORK,\r\n"
      "       grit.name_for_report,\r\n"
      "       GRIT.ROWID_QUERY,\r\n"
      "       '+' as RCHECK\r\n"
      "FROM &SHEMA.V_EMITENTGROUPITEM GRIT\r\n"
      "&ORDER &FIELD");
  QEmit_By_Group->MacroByName("ORDER")->SetValue("ORDER BY");
  QEmit_By_Group->MacroByName("FIELD")->SetValue("ID");
  QEmit_By_Group->SetMasterSource(DataSource1);
  QEmit_By_Group->SetMasterFields("ID");
  QEmit_By_Group->SetDetailFields("ID_GROUP");
  QEmit_By_Group->SetFilter("in_work=1");
  QEmit_By_Group->SetFiltered(true);
  QEmit_By_Group->OnCalcFields =
      TDataSetNotifyEvent(this, &TSelectGrpEmt::QEmit_By_GroupCalcFields);
  DeclareFields(this, QEmit_By_Group,
                {{"Caption", TFieldClass::Calculated, 200, "[№ Эмитента] Название", 40},
                 {"FIRM_NAME", TFieldClass::Text, 40, "Фирма", 30},
                 {"ID_GROUP", TFieldClass::Number},
                 {"ID", TFieldClass::Number},
                 {"NAME", TFieldClass::Text, 40},
                 {"IN_WORK", TFieldClass::Integer}});
  DeclareFirmFields(this, QEmit_By_Group);

  DataSource2 = TDataSource::Create(this);
  DataSource2->SetName("DataSource2");
  DataSource2->SetDataSet(QEmit_By_Group);
}

void TSelectGrpEmt::FormCreate(TObject* sender) {
  inherited::FormCreate(sender);
  OraQuery1->Open();
  QEmit_By_Group->Open();
}

void TSelectGrpEmt::OraQuery1CalcFields(TDataSet* dataSet) { CalcCaptionIDText(dataSet); }

void TSelectGrpEmt::QEmit_By_GroupCalcFields(TDataSet* dataSet) { CalcCaptionIDNumber(dataSet); }

TDBItem* TSelectGrpEmt::GetDBItem() {
  return TDBItem::Create(VarArrayOf({Variant(OraQuery1->FieldByName("ID")->AsInteger()),
                                     Variant(OraQuery1->FieldByName("NAME")->AsString())}));
}
