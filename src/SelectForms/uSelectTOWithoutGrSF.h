// The service points outside every group used for the export of invoices (listed only when at
// least one such group exists); also shown as a warning window that just lists them.
#pragma once

#include "src/SelectForms/uSelectTO.h"

class TSelectTOWithoutGrSF : public TSelectBaseFrm {
  RTL_CLASS(TSelectTOWithoutGrSF, TSelectBaseFrm)
 public:
  TDBGrid* DBGrid1 = nullptr;
  TPanel* Panel3 = nullptr;
  TRadioGroup* rgFilter = nullptr;
  TStringField* OraQuery1RCHECK = nullptr;
  TStringField* OraQuery1Caption = nullptr;

  // The list as information only: no marks, a close button. Shown only when there is a point
  // to warn about; answers whether it was shown.
  bool ShowAsWarning();

  void TranslateCaptions() override;
  TDBItem* GetDBItem() override;
  void CheckItem(TDBItem* item) override;

  void OraQuery1CalcFields(TDataSet* dataSet);
  void rgFilterClick(TObject* sender);

 protected:
  TSelectTOWithoutGrSF() = default;
  void ReadResource() override;
};
