// The service point groups with the points of the current group beside them. The same window,
// switched to marking mode, marks the points of the chosen groups in a list the caller shows.
#pragma once

#include "platform/ui/DBCtrls.h"
#include "src/SelectForms/uSelectTO.h"

class TSelectGrpTO : public TSelectBaseFrm {
  RTL_CLASS(TSelectGrpTO, TSelectBaseFrm)
 public:
  TPanel* PanelGroups = nullptr;
  TDBGrid* DBGrid2 = nullptr;
  TDBMemo* DBMemo1 = nullptr;
  TSplitter* Splitter1 = nullptr;
  TDBGrid* DBGrid3 = nullptr;
  TOraStoredProc* SPTOinGr = nullptr;
  TDataSource* DataSource2 = nullptr;
  TPanel* PanelSelPosFromGroup = nullptr;
  TBitBtn* BitBtnOkAdd = nullptr;
  TBitBtn* BitBtnOkChange = nullptr;
  TBitBtn* BitBtnCancel = nullptr;

  // Marks, in the caller's dataset of points, the points of the groups the operator chooses.
  // "Заменить" starts from the marks the database gives, "Добавить" keeps the present ones.
  // False when the operator did not confirm; points missing from the caller's list are listed
  // in the grid tools' list window.
  static bool MarkPointsByGroup(TOraSession* session, const String& schema, TDataSet* dataSet);

  // The add / replace / cancel panel takes the place of OK and Cancel.
  void SetMarkingMode();
  bool ReplaceMarks() const { return FReplace; }

  void ExecReport() override;

  void OraQuery1AfterRefresh(TDataSet* dataSet);
  void OraQuery1CalcFields(TDataSet* dataSet);
  void SPTOinGrCalcFields(TDataSet* dataSet);
  void BitBtnOkAddClick(TObject* sender);
  void BitBtnOkChangeClick(TObject* sender);

 protected:
  TSelectGrpTO() = default;
  void ReadResource() override;
  void FormCreate(TObject* sender) override;

 private:
  void ReadGroupsSide();
  void ReadMembersSide();
  void ReadMarkingPanel();
  TBitBtn* ReadMarkingButton(const char* name, const String& caption, const String& hint,
                             TModalResult result);
  // Walks the marked groups' points into the caller's dataset; names of the points it lacks go
  // to NotFound.
  void MarkChosenPoints(TDataSet* dataSet, const String& keyFields, TStrings* notFound);

  bool FReplace = false;
};
