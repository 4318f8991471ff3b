#include "src/SelectForms/uSelectTO.h"

#include "platform/rtl/SysUtils.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"
#include "src/SelectForms/uSelectGrpTO.h"

RTL_CLASS_IMPL_CREATABLE(TSelectTO, TSelectBaseFrm)

// --- the family's shared pieces --------------------------------------------------------------

TStringField* DeclareTextField(TDataSet* dataSet, const String& fieldName, int size,
                               const String& label, int displayWidth) {
  TStringField* field = DeclareField<TStringField>(dataSet, fieldName, label, displayWidth);
  field->SetSize(size);
  return field;
}

TStringField* DeclareCalcField(TDataSet* dataSet, const String& fieldName, int size,
                               const String& label, int displayWidth) {
  TStringField* field = TStringField::Create(dataSet->Owner());
  field->SetName(dataSet->Name() + fieldName);
  field->SetFieldName(fieldName);
  field->SetFieldKind(fkCalculated);
  field->SetSize(size);
  field->SetDisplayLabel(label);
  if (displayWidth > 0) field->SetDisplayWidth(displayWidth);
  field->SetDataSet(dataSet);
  return field;
}

void ShowGridFields(TDBGrid* grid, std::initializer_list<TField*> fields) {
  for (TField* field : fields) grid->Columns()->Add()->SetFieldName(field->FieldName());
}

TDBGrid* ReadListGrid(TComponent* owner, TWinControl* parent, const char* name, TDataSource* source,
                      const String& hint) {
  TDBGrid* grid = TDBGrid::Create(owner);
  grid->SetName(name);
  grid->SetParent(parent);
  grid->SetAlign(alClient);
  grid->SetReadOnly(true);
  grid->SetHint(hint);
  grid->SetDataSource(source);
  return grid;
}

String POSCaption(int emitent, int filial, int pos, const String& name) {
  return Format("[%.4d, %d, %d] %s", {emitent, filial, pos, name});
}

void ApplyChoiceFilter(TDataSet* dataSet, int itemIndex, const String& firstFilter,
                       const String& secondFilter) {
  dataSet->SetFiltered(false);
  if (itemIndex != 0 && itemIndex != 1) return;
  dataSet->SetFilter(itemIndex == 0 ? firstFilter : secondFilter);
  dataSet->SetFiltered(true);
}

TRadioGroup* ReadChoiceGroup(TComponent* owner, TWinControl* parent, const char* name,
                             const String& caption, std::initializer_list<const char*> items) {
  TRadioGroup* group = TRadioGroup::Create(owner);
  group->SetName(name);
  group->SetParent(parent);
  group->SetAlign(alTop);
  group->SetCaption(caption);
  for (const char* item : items) group->Items()->Add(item);
  group->SetItemIndex(static_cast<int>(items.size()) - 1);
  return group;
}

TDBItem* POSItem(TDataSet* dataSet) {
  return TDBItem::Create(VarArrayOf({dataSet->FieldByName("ID_EMITENT")->AsInteger(),
                                     dataSet->FieldByName("ID_FILIALA")->AsInteger(),
                                     dataSet->FieldByName("ID_POS")->AsInteger()}),
                         dataSet->FieldByName("NAME")->AsString());
}

void ToggleByValues(TSelectBaseFrm* form, TDBItem* item, const String& keyFields, int keyCount) {
  if (!VarIsArray(item->Values)) return;
  const int low = VarArrayLowBound(item->Values);
  if (VarArrayHighBound(item->Values) - low + 1 < keyCount) return;
  Variant values = VarArrayCreate(0, keyCount - 1, varVariant);
  for (int i = 0; i < keyCount; ++i) values.SetElement(i, item->Values[low + i]);
  TDataSet* dataSet = form->MainDataSet();
  if (dataSet->Locate(keyFields, values, loPartialKey)) form->SetRCheck(dataSet);
}

void DeclarePointFields(TDataSet* dataSet, bool withMyFilial) {
  DeclareField<TIntegerField>(dataSet, "ID_POS");
  DeclareTextField(dataSet, "NAME", 120);
  DeclareTextField(dataSet, "ADRES", 100);
  DeclareField<TDateTimeField>(dataSet, "DATEOF");
  DeclareField<TIntegerField>(dataSet, "ID_EMITENT");
  DeclareField<TIntegerField>(dataSet, "ID_FILIALA");
  DeclareField<TIntegerField>(dataSet, "MYEMITENT");
  if (withMyFilial) DeclareField<TIntegerField>(dataSet, "MYFILIAL");
}

TRadioGroup* ReadOwnershipGroup(TComponent* owner, TWinControl* form, TPanel*& panel) {
  panel = TPanel::Create(owner);
  panel->SetName("Panel3");
  panel->SetParent(form);
  panel->SetAlign(alRight);
  panel->SetWidth(120);
  panel->SetBevelOuter(bvNone);
  return ReadChoiceGroup(owner, panel, "rgFilter", "Принадлежность ТО", {"Свои", "Чужие", "Все"});
}

void ApplyOwnershipFilter(TDataSet* dataSet, int itemIndex) {
  ApplyChoiceFilter(dataSet, itemIndex, "MYEMITENT = 1", "MYEMITENT = 0");
}

TDBGrid* ReadPointsGrid(TSelectBaseFrm* form, TField* checkField, TField* captionField) {
  TDBGrid* grid = ReadListGrid(form, form, "DBGrid1", form->DataSource1, "ТО");
  ShowGridFields(grid, {checkField, captionField});
  return grid;
}

void TranslatePointCaption(TComBaseForm* form, TField* captionField) {
  captionField->SetDisplayLabel(TranslateAplText(rstr_smb_POS));
  form->DontTranslate(captionField);
}

void CalcPointCaption(TDataSet* dataSet, const char* filialField) {
  dataSet->FieldByName("Caption")->SetAsString(POSCaption(
      dataSet->FieldByName("ID_EMITENT")->AsInteger(),
      dataSet->FieldByName(filialField)->AsInteger(), dataSet->FieldByName("ID_POS")->AsInteger(),
      dataSet->FieldByName("NAME")->AsString()));
}

// --- the service point list -----------------------------------------------------------------

void TSelectTO::ReadResource() {
  inherited::ReadResource();
  SetName("SelectTO");
  SetCaption("Выбор ТО");
  OraQuery1->SQL()->SetText("SELECT * FROM &shema.V_POS\r\n&ORDER &FIELD");
  OraQuery1->MacroByName("ORDER")->SetValue("ORDER BY");
  OraQuery1->MacroByName("FIELD")->SetValue("ID_POS");
  OraQuery1->OnCalcFields = TDataSetNotifyEvent(this, &TSelectTO::OraQuery1CalcFields);
  OraQuery1RCHECK = DeclareTextField(OraQuery1, "RCHECK", 1, "Выбор");
  DeclarePointFields(OraQuery1, true);
  OraQuery1Caption =
      DeclareCalcField(OraQuery1, "Caption", 200, "[№ Эмитента, № Филиала, № ТО] Название ТО", 80);

  SellPosFromGroup = TAction::Create(this);
  SellPosFromGroup->SetName("SellPosFromGroup");
  SellPosFromGroup->SetActionList(ActionList1);
  SellPosFromGroup->SetCaption("Выделить по группе ТО");
  SellPosFromGroup->SetHint("Выделить по группе ТО");
  SellPosFromGroup->OnExecute = TNotifyEvent(this, &TSelectTO::SellPosFromGroupExecute);
  ToolButtonSell = TToolButton::Create(this);
  ToolButtonSell->SetName("ToolButtonSell");
  ToolButtonSell->SetParent(ToolBar3);
  ToolButtonSell->SetAction(SellPosFromGroup);
  ToolButtonSell->SetAutoSize(true);

  rgFilter = ReadOwnershipGroup(this, this, Panel3);
  rgFilter->OnClick = TNotifyEvent(this, &TSelectTO::rgFilterClick);
  DBGrid1 = ReadPointsGrid(this, OraQuery1RCHECK, OraQuery1Caption);
}

void TSelectTO::TranslateCaptions() {
  inherited::TranslateCaptions();
  TranslatePointCaption(this, OraQuery1Caption);
}

TDBItem* TSelectTO::GetDBItem() { return POSItem(MainDataSet()); }

void TSelectTO::CheckItem(TDBItem* item) {
  ToggleByValues(this, item, "ID_EMITENT;ID_FILIALA;ID_POS", 3);
}

void TSelectTO::OraQuery1CalcFields(TDataSet* dataSet) { CalcPointCaption(dataSet, "ID_FILIALA"); }

void TSelectTO::SellPosFromGroupExecute(TObject* sender) {
  TSelectGrpTO::MarkPointsByGroup(GetSession(), GetShema(), OraQuery1);
}

void TSelectTO::rgFilterClick(TObject* sender) {
  ApplyOwnershipFilter(MainDataSet(), rgFilter->ItemIndex());
}
