// Emitent group selection: the marked groups are returned; each group's emitents in work are
// shown beside it for information.
#pragma once

#include "platform/ui/DBGrids.h"
#include "src/FormReposit/uSelectBaseFrm.h"

class TSelectGrpEmt : public TSelectBaseFrm {
  RTL_CLASS(TSelectGrpEmt, TSelectBaseFrm)
 public:
  TDBGrid* DBGrid1 = nullptr;
  TDBGrid* DBGrid2 = nullptr;
  TOraQuery* QEmit_By_Group = nullptr;
  TDataSource* DataSource2 = nullptr;

  TDBItem* GetDBItem() override;

  void FormCreate(TObject* sender) override;
  void OraQuery1CalcFields(TDataSet* dataSet);
  void QEmit_By_GroupCalcFields(TDataSet* dataSet);

 protected:
  TSelectGrpEmt() = default;
  void ReadResource() override;

 private:
  void ReadMemberQuery();
};
