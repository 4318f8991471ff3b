// One terminal of the centre's own service points, narrowed by whether it is in work.
#pragma once

#include "src/SelectForms/uSelectTO.h"

class TSelectSingleTerminal : public TSelectBaseFrm {
  RTL_CLASS(TSelectSingleTerminal, TSelectBaseFrm)
 public:
  TDBGrid* DBGrid1 = nullptr;
  TRadioGroup* rgInWork = nullptr;

  // [ID_EMITENT, ID_FILIAL, ID_POS, NUM_TERMINAL], named "[emitent, point, terminal]  name".
  TDBItem* GetDBItem() override;

  void rgInWorkClick(TObject* sender);

 protected:
  TSelectSingleTerminal() = default;
  void ReadResource() override;
};
