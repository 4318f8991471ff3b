// The group list over a chosen group view: emitent groups or client groups.
#pragma once

#include "platform/ui/DBGrids.h"
#include "src/FormReposit/uSelectBaseFrm.h"

class TSelectGroup : public TSelectBaseFrm {
  RTL_CLASS(TSelectGroup, TSelectBaseFrm)
 public:
  TDBGrid* DBGrid1 = nullptr;

  // The kind the next dialog is made for: 1 emitent groups, 2 client groups. Answers whether the
  // kind chooses several groups.
  static bool SetGroupKind(int kind);

  TDBItem* GetDBItem() override;

  void FormCreate(TObject* sender) override;
  void OraQuery1CalcFields(TDataSet* dataSet);
  void OraQuery1NAMEGetText(TField* sender, String& text, bool displayText);

 protected:
  TSelectGroup() = default;
  void ReadResource() override;
};
