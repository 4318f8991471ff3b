// Terminal shifts at the service points. A shift number repeats across terminals, so a shift
// is known by its number, terminal, point and GUID together.
#pragma once

#include "src/SelectForms/uSelectTO.h"

class TSelectShiftTO : public TSelectBaseFrm {
  RTL_CLASS(TSelectShiftTO, TSelectBaseFrm)
 public:
  TDBGrid* DBGrid1 = nullptr;

  // [SHIFT_ID, TERMINAL_NUMBER, POS_NUMBER, SHIFT_GUID], without a name.
  TDBItem* GetDBItem() override;
  void CheckItem(TDBItem* item) override;

  void OraQuery1CalcFields(TDataSet* dataSet);

 protected:
  TSelectShiftTO() = default;
  void ReadResource() override;
  void FormCreate(TObject* sender) override;
};
