// Emitents by group: the operator marks emitent groups; the choice is every member of them.
// GetSelEmByGroup marks those emitents in a dataset the caller shows.
#pragma once

#include "platform/ui/DBGrids.h"
#include "src/FormReposit/uSelectBaseFrm.h"

class TSelectEmByGrp : public TSelectBaseFrm {
  RTL_CLASS(TSelectEmByGrp, TSelectBaseFrm)
 public:
  TDBGrid* DBGrid1 = nullptr;
  TDBGrid* DBGrid2 = nullptr;
  TOraQuery* V_GROUPITEM = nullptr;
  TDataSource* DataSource2 = nullptr;
  TBitBtn* btnReplace = nullptr;

  // The buttons keep their designed places.
  void Construct(TComponent* owner, TOraSession* session, const String& schema, bool multiSelect);

  // Runs the dialog and marks, in DataSet's RCHECK, the rows whose ID is an emitent of the chosen
  // groups ("Заменить" clears the other marks first); members that are not rows are listed.
  static bool GetSelEmByGroup(TOraSession* session, const String& schema, TDataSet* dataSet);

  bool Replace() const { return FReplace; }

  TDBItem* GetDBItem() override;
  void AppendList(TDBItemList* list) override;
  void ExecReport() override;

  void FormCreate(TObject* sender) override;
  void OraQuery1CalcFields(TDataSet* dataSet);
  void OraQuery1AfterOpen(TDataSet* dataSet);
  void btnReplaceClick(TObject* sender);
  void OkBtnClick(TObject* sender);
  void DBGrid2DrawColumnCell(TObject* sender, const TRect& rect, int dataCol, TColumn* column,
                             TGridDrawState state);

 protected:
  TSelectEmByGrp() = default;
  void ReadResource() override;

 private:
  void ReadGroupQueries();
  void ReadGrids();
  TDBGrid* ReadGrid(const char* name, TDataSource* source, const String& hint, TAlign align);

  bool FReplace = false;
};
