// The service point list: points of every emitent, narrowed by ownership, marked one by one or
// by service point group. Also the pieces the family's other windows share: declared fields,
// the grid columns over them, the point caption and the ownership-style radio filters.
#pragma once

#include "platform/db/Fields.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/ExtCtrls.h"
#include "src/FormReposit/uSelectBaseFrm.h"

// A field declared on the dataset before it opens, as a designed window has it: the grid
// set-up needs to see the check column before the query runs. Named after the dataset and the
// column ("OraQuery1NAME").
template <class TFieldClass>
TFieldClass* DeclareField(TDataSet* dataSet, const String& fieldName, const String& label = {},
                          int displayWidth = 0) {
  TFieldClass* field = TFieldClass::Create(dataSet->Owner());
  field->SetName(dataSet->Name() + fieldName);
  field->SetFieldName(fieldName);
  if (!label.empty()) field->SetDisplayLabel(label);
  if (displayWidth > 0) field->SetDisplayWidth(displayWidth);
  field->SetDataSet(dataSet);
  return field;
}
TStringField* DeclareTextField(TDataSet* dataSet, const String& fieldName, int size,
                               const String& label = {}, int displayWidth = 0);
// A calculated text column (filled by the dataset's OnCalcFields).
TStringField* DeclareCalcField(TDataSet* dataSet, const String& fieldName, int size,
                               const String& label, int displayWidth = 0);
// The grid shows exactly these fields, in this order, titled by their labels.
void ShowGridFields(TDBGrid* grid, std::initializer_list<TField*> fields);
TDBGrid* ReadListGrid(TComponent* owner, TWinControl* parent, const char* name, TDataSource* source,
                      const String& hint);

// "[emitent, filial, point] name", the emitent zero-filled to four digits.
String POSCaption(int emitent, int filial, int pos, const String& name);

// The radio filters of the family work on the dataset's local filter, never on the query:
// item 0 and 1 filter by their texts, any other item shows every row.
void ApplyChoiceFilter(TDataSet* dataSet, int itemIndex, const String& firstFilter,
                       const String& secondFilter);
// Starts on its last item, the one that shows every row.
TRadioGroup* ReadChoiceGroup(TComponent* owner, TWinControl* parent, const char* name,
                             const String& caption, std::initializer_list<const char*> items);

// Point items carry the whole identity: [ID_EMITENT, ID_FILIALA, ID_POS], named by NAME.
TDBItem* POSItem(TDataSet* dataSet);
// Toggles the mark of the row whose key fields equal the item's values. An item carrying fewer
// values than the key names no record of this list (a bare ID, say) and marks nothing.
void ToggleByValues(TSelectBaseFrm* form, TDBItem* item, const String& keyFields, int keyCount);

class TSelectTO : public TSelectBaseFrm {
  RTL_CLASS(TSelectTO, TSelectBaseFrm)
 public:
  TDBGrid* DBGrid1 = nullptr;
  TPanel* Panel3 = nullptr;
  TRadioGroup* rgFilter = nullptr;
  TToolButton* ToolButtonSell = nullptr;
  TAction* SellPosFromGroup = nullptr;
  TStringField* OraQuery1RCHECK = nullptr;
  TStringField* OraQuery1Caption = nullptr;

  void TranslateCaptions() override;
  TDBItem* GetDBItem() override;
  void CheckItem(TDBItem* item) override;

  void OraQuery1CalcFields(TDataSet* dataSet);
  void SellPosFromGroupExecute(TObject* sender);
  void rgFilterClick(TObject* sender);

 protected:
  TSelectTO() = default;
  void ReadResource() override;
};

// The ownership column set of V_POS shared with the look-alikes: RCHECK, ID_POS, NAME, ADRES,
// DATEOF, ID_EMITENT, ID_FILIALA, MYEMITENT and, when asked, MYFILIAL.
void DeclarePointFields(TDataSet* dataSet, bool withMyFilial);
// The ownership radio group "Принадлежность ТО" in its right-aligned panel.
TRadioGroup* ReadOwnershipGroup(TComponent* owner, TWinControl* form, TPanel*& panel);
void ApplyOwnershipFilter(TDataSet* dataSet, int itemIndex);
// The point lists' grid: check column and caption over everything else hidden.
TDBGrid* ReadPointsGrid(TSelectBaseFrm* form, TField* checkField, TField* captionField);
// The caption column takes the translated word for a point and keeps it.
void TranslatePointCaption(TComBaseForm* form, TField* captionField);
void CalcPointCaption(TDataSet* dataSet, const char* filialField);
