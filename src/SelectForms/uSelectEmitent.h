// Emitent selection: the emitents of V_EMITENT (or of V_DEMITENT), optionally without the
// operating centre's own, with marking by emitent group.
#pragma once

#include "platform/ui/DBGrids.h"
#include "src/FormReposit/uSelectBaseFrm.h"

class TSelectEmitent : public TSelectBaseFrm {
  RTL_CLASS(TSelectEmitent, TSelectBaseFrm)
 public:
  TDBGrid* DBGrid1 = nullptr;
  TToolButton* ToolButton3 = nullptr;
  TOraQuery* V_DEMITENT = nullptr;

  // The second emitent list becomes the main dataset and the grid shows it.
  void UseDEmitents();
  // 0 lists every emitent, 1 leaves the centre's own out; the host's value is passed unchanged.
  void SetExcludeOurEmit(int value);

  void FormCreate(TObject* sender) override;
  void OraQuery1CalcFields(TDataSet* dataSet);
  void ToolButton3Click(TObject* sender);

 protected:
  TSelectEmitent() = default;
  void ReadResource() override;

 private:
  void ReadEmitentQuery(TOraQuery* query, const char* view);
};
