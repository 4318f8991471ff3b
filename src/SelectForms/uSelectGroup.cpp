#include "src/SelectForms/uSelectGroup.h"

#include "platform/rtl/SysUtils.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"
#include "src/SelectForms/uEmitentFields.h"

RTL_CLASS_IMPL_CREATABLE(TSelectGroup, TSelectBaseFrm)

namespace {

// The settings of the kind chosen last; the next dialog's creation reads them.
String KindCaption;
String KindGroupView;
String KindIDMacro;
String KindExtIDMacro;

}  // namespace

bool TSelectGroup::SetGroupKind(int kind) {
  const bool emitentGroups = kind == 1;
  KindCaption = TranslateAplText(emitentGroups ? rstrSelectGroupEmitent : rstrSelectGroupClient);
  KindGroupView = emitentGroups ? "V_EMITENTGROUP" : "v_group";
  KindIDMacro = "ID";
  KindExtIDMacro = "0";
  return !emitentGroups;
}

void TSelectGroup::ReadResource() {
  inherited::ReadResource();
  SetName("SelectGroup");
  OraQuery1->SQL()->SetText(
      "SELECT &ID AS ID, NAME, DESCRIPTION, RCHECK, &EXT_ID as EXT_ID, &addition_fields as "
      "add_field\r\n"
      "FROM &shema.&WHOSI_GROUP\r\n"
      "where ((nvl(:p, 0) = 0) or \r\n"
      "       ((:p = 1) and  (&EXT_ID is not null))) and \r\n"
      "       ((nvl(:p1, 0) = 0 or ((:p1 = 1) and  (&addition_fields=1))))\r\n"
      "&ORDER &FIELD");
  OraQuery1->MacroByName("ORDER")->SetValue("ORDER BY");
  OraQuery1->MacroByName("FIELD")->SetValue("ID");
  OraQuery1->MacroByName("addition_fields")->SetValue("'1'");
  OraQuery1->OnCalcFields = TDataSetNotifyEvent(this, &TSelectGroup::OraQuery1CalcFields);
  DeclareFields(this, OraQuery1,
                {{"RCHECK", TFieldClass::Text, 1, "Выбор"},
                 {"Caption", TFieldClass::Calculated, 200, "[№ Группы] Название группы", 30},
                 {"DESCRIPTION", TFieldClass::Text, 100, "Описание", 50},
                 {"ID", TFieldClass::Number},
                 {"NAME", TFieldClass::Text, 40},
                 {"EXT_ID", TFieldClass::Number},
                 {"ADD_FIELD", TFieldClass::Text, 1}});
  OraQuery1->FieldByName("EXT_ID")->SetDisplayLabel("Внешний ID");
  OraQuery1->FieldByName("NAME")->OnGetText =
      TFieldGetTextEvent(this, &TSelectGroup::OraQuery1NAMEGetText);

  DBGrid1 = TDBGrid::Create(this);
  DBGrid1->SetName("DBGrid1");
  DBGrid1->SetParent(this);
  DBGrid1->SetAlign(alClient);
  DBGrid1->SetDataSource(DataSource1);
  DBGrid1->SetHint(KindCaption);
}

void TSelectGroup::FormCreate(TObject* sender) {
  SetCaption(KindCaption);
  inherited::FormCreate(sender);
  OraQuery1->MacroByName("WHOSI_GROUP")->SetValue(KindGroupView);
  OraQuery1->MacroByName("ID")->SetValue(KindIDMacro);
  OraQuery1->MacroByName("EXT_ID")->SetValue(KindExtIDMacro);
  OraQuery1->ParamByName("p1")->SetAsInteger(0);
}

void TSelectGroup::OraQuery1CalcFields(TDataSet* dataSet) {
  dataSet->FieldByName("Caption")->SetAsString(dataSet->FieldByName("NAME")->DisplayText());
}

void TSelectGroup::OraQuery1NAMEGetText(TField* sender, String& text, bool displayText) {
  if (OraQuery1->IsEmpty()) {
    text.clear();
    return;
  }
  text = Format("[%.1d]  %s", {OraQuery1->FieldByName("ID")->AsInteger(), sender->AsString()});
}

TDBItem* TSelectGroup::GetDBItem() {
  return TDBItem::Create(VarArrayOf({Variant(OraQuery1->FieldByName("ID")->AsInteger()),
                                     Variant(OraQuery1->FieldByName("NAME")->AsString()),
                                     Variant(OraQuery1->FieldByName("EXT_ID")->AsInteger())}));
}
