// One service point, chosen with its address in view.
#pragma once

#include "src/SelectForms/uSelectTO.h"

class TFormSelectSinglePOS : public TSelectBaseFrm {
  RTL_CLASS(TFormSelectSinglePOS, TSelectBaseFrm)
 public:
  TDBGrid* DBGrid1 = nullptr;
  TPanel* Panel3 = nullptr;
  TRadioGroup* rgFilter = nullptr;

  TDBItem* GetDBItem() override;

  void OraQuery1CalcFields(TDataSet* dataSet);
  void rgFilterClick(TObject* sender);

 protected:
  TFormSelectSinglePOS() = default;
  void ReadResource() override;
};
