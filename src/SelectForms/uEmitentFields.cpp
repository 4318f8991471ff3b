#include "src/SelectForms/uEmitentFields.h"

#include "platform/rtl/SysUtils.h"

namespace {

TField* NewField(TComponent* owner, TFieldClass fieldClass) {
  switch (fieldClass) {
    case TFieldClass::Number:
      return TFloatField::Create(owner);
    case TFieldClass::Integer:
      return TIntegerField::Create(owner);
    case TFieldClass::Text:
    case TFieldClass::Calculated:
      break;
  }
  return TStringField::Create(owner);
}

void DeclareField(TComponent* owner, TDataSet* dataSet, const TFieldDecl& decl) {
  TField* field = NewField(owner, decl.Class);
  field->SetName(dataSet->Name() + decl.Name);
  field->SetFieldName(decl.Name);
  if (decl.Size > 0) field->SetSize(decl.Size);
  if (decl.Class == TFieldClass::Calculated) field->SetFieldKind(fkCalculated);
  if (decl.Title) {
    field->SetDisplayLabel(decl.Title);
  } else {
    field->SetVisible(false);
  }
  if (decl.Width > 0) field->SetDisplayWidth(decl.Width);
  field->SetDataSet(dataSet);
}

}  // namespace

void DeclareFields(TComponent* owner, TDataSet* dataSet, std::initializer_list<TFieldDecl> fields) {
  for (const TFieldDecl& decl : fields) DeclareField(owner, dataSet, decl);
}

void DeclareFirmFields(TComponent* owner, TDataSet* dataSet) {
  for (const TFieldDecl& decl : EmitentFirmFields) DeclareField(owner, dataSet, decl);
}

void CalcCaptionIDText(TDataSet* dataSet) {
  dataSet->FieldByName("Caption")->SetAsString(
      Format("[%s] %s",
             {dataSet->FieldByName("ID")->AsString(), dataSet->FieldByName("NAME")->AsString()}));
}

void CalcCaptionIDNumber(TDataSet* dataSet) {
  dataSet->FieldByName("Caption")->SetAsString(
      Format("[%d] %s",
             {dataSet->FieldByName("ID")->AsInteger(), dataSet->FieldByName("NAME")->AsString()}));
}
