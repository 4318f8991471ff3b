#include "src/SelectForms/uSelectEmitent.h"

#include "src/SelectForms/uEmitentFields.h"
#include "src/SelectForms/uSelectEmByGroup.h"

RTL_CLASS_IMPL_CREATABLE(TSelectEmitent, TSelectBaseFrm)

namespace {

const char* const ExcludeOurEmitParam = "P_EXLUDE_OUR_EMIT";

}  // namespace

void TSelectEmitent::ReadResource() {
  inherited::ReadResource();
  SetName("SelectEmitent");
  SetCaption("Выбор эмитентов");

  ReadEmitentQuery(OraQuery1, "V_EMITENT");
  DeclareFields(this, OraQuery1,
                {{"RCHECK", TFieldClass::Text, 1, "Выбор", 6},
                 {"Caption", TFieldClass::Calculated, 200, "[Эмитент] Название", 50},
                 {"FIRM_NAME", TFieldClass::Text, 120, "Фирма", 27},
                 {"ID", TFieldClass::Number},
                 {"NAME", TFieldClass::Text, 40},
                 {"IN_WORK", TFieldClass::Integer}});
  DeclareFirmFields(this, OraQuery1);

  V_DEMITENT = TOraQuery::Create(this);
  V_DEMITENT->SetName("V_DEMITENT");
  V_DEMITENT->SetSession(MainSession);
  ReadEmitentQuery(V_DEMITENT, "V_DEMITENT");
  DeclareFields(this, V_DEMITENT,
                {{"RCHECK", TFieldClass::Text, 1, "Выбрать", 6},
                 {"Caption", TFieldClass::Calculated, 200, "[№ Эмитента] Название", 50},
                 {"FIRM_NAME", TFieldClass::Text, 40, "Фирма", 27},
                 {"ID", TFieldClass::Number},
                 {"NAME", TFieldClass::Text, 40}});
  DeclareFirmFields(this, V_DEMITENT);

  DBGrid1 = TDBGrid::Create(this);
  DBGrid1->SetName("DBGrid1");
  DBGrid1->SetParent(this);
  DBGrid1->SetAlign(alClient);
  DBGrid1->SetDataSource(DataSource1);
  DBGrid1->SetReadOnly(true);
  DBGrid1->SetHint("Эмитенты");

  ToolButton3 = TToolButton::Create(this);
  ToolButton3->SetName("ToolButton3");
  ToolButton3->SetParent(ToolBar3);
  ToolButton3->SetCaption("По группе…");
  ToolButton3->SetHint("Выбрать по группе");
  ToolButton3->SetAutoSize(true);
  ToolButton3->OnClick = TNotifyEvent(this, &TSelectEmitent::ToolButton3Click);
}

void TSelectEmitent::ReadEmitentQuery(TOraQuery* query, const char* view) {
  query->SQL()->SetText(String("SELECT * FROM &shema.") + view +
                        "\r\nWHERE (:P_EXLUDE_OUR_EMIT = 0) OR ((:P_EXLUDE_OUR_EMIT = 1) AND "
                        "(&shema.CHECK_MYEMITENT(ID) = 0))\r\n&ORDER &FIELD");
  query->MacroByName("ORDER")->SetValue("ORDER BY");
  query->MacroByName("FIELD")->SetValue("ID");
  query->ParamByName(ExcludeOurEmitParam)->SetDataType(ftInteger);
  query->ParamByName(ExcludeOurEmitParam)->SetAsInteger(0);
  query->OnCalcFields = TDataSetNotifyEvent(this, &TSelectEmitent::OraQuery1CalcFields);
}

void TSelectEmitent::FormCreate(TObject* sender) {
  inherited::FormCreate(sender);
  OraQuery1->ParamByName(ExcludeOurEmitParam)->SetAsInteger(0);
}

void TSelectEmitent::UseDEmitents() {
  SetMainDataSet(V_DEMITENT);
  DataSource1->SetDataSet(V_DEMITENT);
}

void TSelectEmitent::SetExcludeOurEmit(int value) {
  auto* query = dynamic_cast<TOraDataSet*>(MainDataSet());
  query->ParamByName(ExcludeOurEmitParam)->SetAsInteger(value);
}

void TSelectEmitent::OraQuery1CalcFields(TDataSet* dataSet) { CalcCaptionIDText(dataSet); }

void TSelectEmitent::ToolButton3Click(TObject* sender) {
  TSelectEmByGrp::GetSelEmByGroup(GetSession(), GetShema(), MainDataSet());
}
