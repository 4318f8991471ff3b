// Acquirers: the filials of the emitents, all of them or only those of the centre's own (or of
// the other) emitents.
#pragma once

#include "platform/ui/DBGrids.h"
#include "src/FormReposit/uSelectBaseFrm.h"

class TSelectEmitentFrm : public TSelectBaseFrm {
  RTL_CLASS(TSelectEmitentFrm, TSelectBaseFrm)
 public:
  TDBGrid* DBGrid2 = nullptr;
  TToolButton* ToolButton2 = nullptr;
  TToolButton* ToolButton3 = nullptr;

  // The filter mode the next dialog starts with: 0 all filials, 1 those of own emitents, 2 those
  // of other emitents.
  static void SetFilterMode(int mode);

  void SetMultiSelect(bool value) override;
  TDBItem* GetDBItem() override;
  void CheckItem(TDBItem* item) override;

  void FormCreate(TObject* sender) override;
  void ToolButton3Click(TObject* sender);

 protected:
  TSelectEmitentFrm() = default;
  void ReadResource() override;

 private:
  void ReadGrid();
};
