// A schema of service points, their groups, terminals and shifts, and runs of the point dialogs
// under the headless operator.
#pragma once

#include <sqlite3.h>

#include <vector>

#include "platform/ora/OraSession.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ws/headless/HeadlessWidgetSet.h"
#include "src/FormReposit/uSelectBaseFrm.h"
#include "support/TempFolder.h"

// Schema PTS. Points (emitent, filial, point): Alpha (1,1,10) own, Beta (1,2,11) own emitent
// but other filial, Gamma (2,1,20) and Delta (2,1,10) others'. Group 1 "North" (firm 5, used for
// invoices) holds Alpha and Gamma; group 2 "South" (no firm, not used) holds Beta.
// Terminals 100 (Alpha, in work), 101 (Beta, not in work), 102 (Alpha, in work). Shifts 7 on
// terminal 100 and 7 on terminal 101, shift 8 on terminal 100.
class TPointsDatabase {
 public:
  TPointsDatabase();
  ~TPointsDatabase();
  TPointsDatabase(const TPointsDatabase&) = delete;
  TPointsDatabase& operator=(const TPointsDatabase&) = delete;

  void Exec(const String& sql);

  TTempFolder Folder;
  TOraSession* Session = nullptr;
};

// What a run gave back.
struct TPointsRun {
  bool Result = false;
  std::vector<String> Items;  // each item's values joined by ",", then "|" and its name
  String Record;              // the operator's record as text
  std::vector<String> Boxes;  // message box texts
  std::vector<std::vector<String>> Lists;  // list window lines
};

String ItemText(const TDBItem* item);
void FillRun(TPointsRun& run, const TDBItemList* list, const TOperatorRecord& record);

// Runs GetList on a fresh dialog of the class over the schema under the script.
template <class TDialog, class Setup>
TPointsRun RunPointsDialog(TPointsDatabase& db, bool multiSelect, const String& script,
                           TDBItemList* list, Setup setup) {
  THeadlessScope operatorScope(script);
  TDialog* dialog = TDialog::Create(nullptr, db.Session, "PTS", multiSelect);
  FreeOnExit freeDialog(dialog);
  setup(dialog);
  TPointsRun run;
  run.Result = dialog->GetList(list);
  FillRun(run, list, operatorScope.Record());
  return run;
}

template <class TDialog>
TPointsRun RunPointsDialog(TPointsDatabase& db, bool multiSelect, const String& script,
                           TDBItemList* list) {
  return RunPointsDialog<TDialog>(db, multiSelect, script, list, [](TDialog*) {});
}
