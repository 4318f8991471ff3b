// The service point groups used for the export of invoices.
#pragma once

#include "src/SelectForms/uSelectTO.h"

class TfrmSelectTOGrExpSF : public TSelectBaseFrm {
  RTL_CLASS(TfrmSelectTOGrExpSF, TSelectBaseFrm)
 public:
  TDBGrid* dbgTOGrList = nullptr;

  void OraQuery1CalcFields(TDataSet* dataSet);

 protected:
  TfrmSelectTOGrExpSF() = default;
  void ReadResource() override;
};
