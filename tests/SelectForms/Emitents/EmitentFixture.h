// Schema EMT with the emitent views as tables, and CHECK_MYEMITENT answering 1 for the
// centre's own emitents 1, 2 and 10.
//
// Emitents 1..5 ("Emitent <id>", firm "Firm <id>"); the second list 10, 11.
// Groups: 1 "Group A" = 1, 2 (not in work), 3; 2 "Group B" = 3, 4; 3 "Group C" = 9 (no emitent).
// Filials: (1,1) (1,2) (3,1) (4,1). Client groups: 1 "Clients A", 2 "Clients B".
#pragma once

#include <sqlite3.h>

#include <vector>

#include "platform/ora/OraSession.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ws/headless/HeadlessWidgetSet.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/ComUnits/uDBItems.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "support/TempFolder.h"

inline const char* const EmitentSchemaSql = R"(
CREATE TABLE V_EMITENT(ID NUMBER, NAME VARCHAR2(40), IN_WORK INTEGER, RCHECK VARCHAR2(1),
  INN VARCHAR2(30), ID_FIRM NUMBER, FIRM_NAME VARCHAR2(120), ADRESS VARCHAR2(100),
  DOGOVOR VARCHAR2(40), OKPO VARCHAR2(10));
CREATE TABLE V_DEMITENT(ID NUMBER, NAME VARCHAR2(40), RCHECK VARCHAR2(1), INN VARCHAR2(30),
  ID_FIRM NUMBER, FIRM_NAME VARCHAR2(40), ADRESS VARCHAR2(100), DOGOVOR VARCHAR2(40),
  OKPO VARCHAR2(10));
CREATE TABLE V_EMITENTGROUP(ID NUMBER, NAME VARCHAR2(40), DESCRIPTION VARCHAR2(100),
  ID_FIRM NUMBER, FIRM_NAME VARCHAR2(40), ADRESS VARCHAR2(100), DOGOVOR VARCHAR2(40),
  OKPO VARCHAR2(10), INN VARCHAR2(30), RCHECK VARCHAR2(1), ROWID_QUERY VARCHAR2(18),
  NAME_FOR_REPORT VARCHAR2(100), E_MAIL VARCHAR2(100));
CREATE TABLE V_EMITENTGROUPITEM(ID_GROUP NUMBER, ID NUMBER, NAME VARCHAR2(40), ID_FIRM NUMBER,
  FIRM_NAME VARCHAR2(40), ADRESS VARCHAR2(100), DOGOVOR VARCHAR2(40), OKPO VARCHAR2(10),
  INN VARCHAR2(30), IN_WORK INTEGER, NAME_FOR_REPORT VARCHAR2(100), ROWID_QUERY VARCHAR2(18));
CREATE TABLE V_OC_EMITENT_FILIAL(ID_EMITENT NUMBER, ID_FILIALA NUMBER,
  OPISANIE_EMITENTA VARCHAR2(40));
CREATE TABLE V_GROUP(ID NUMBER, NAME VARCHAR2(40), DESCRIPTION VARCHAR2(100), RCHECK VARCHAR2(1));
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5)
INSERT INTO V_EMITENT SELECT i, 'Emitent ' || i, 1, '-', '', i, 'Firm ' || i, '', '', '' FROM n;
INSERT INTO V_DEMITENT VALUES(10, 'Emitent 10', '-', '', 10, 'Firm 10', '', '', ''),
  (11, 'Emitent 11', '-', '', 11, 'Firm 11', '', '', '');
INSERT INTO V_EMITENTGROUP(ID, NAME, FIRM_NAME, RCHECK) VALUES(1, 'Group A', 'Firm A', '-'),
  (2, 'Group B', 'Firm B', '-'), (3, 'Group C', 'Firm C', '-');
INSERT INTO V_EMITENTGROUPITEM(ID_GROUP, ID, NAME, IN_WORK) VALUES(1, 1, 'Emitent 1', 1),
  (1, 2, 'Emitent 2', 0), (1, 3, 'Emitent 3', 1), (2, 3, 'Emitent 3', 1),
  (2, 4, 'Emitent 4', 1), (3, 9, 'Emitent 9', 1);
INSERT INTO V_OC_EMITENT_FILIAL VALUES(1, 1, 'Acquirer 1/1'), (1, 2, 'Acquirer 1/2'),
  (3, 1, 'Acquirer 3/1'), (4, 1, 'Acquirer 4/1');
INSERT INTO V_GROUP VALUES(1, 'Clients A', 'First', '-'), (2, 'Clients B', 'Second', '-');
)";

class TEmitentDatabase {
 public:
  TEmitentDatabase() {
    sqlite3* db = nullptr;
    sqlite3_open((Folder.Path() + "EMT.db").c_str(), &db);
    sqlite3_exec(db, EmitentSchemaSql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    Session = TOraSession::Create(nullptr);
    Session->SetServer(Folder.Path());
    Session->SetUsername("EMT");
    Session->RegisterRoutine(".CHECK_MYEMITENT", [](std::vector<Variant>& args) {
      const int id = static_cast<int>(args.at(0).AsDouble());
      return Variant(id == 1 || id == 2 || id == 10 ? 1 : 0);
    });
    SetHostProgramFolder(Folder.Path());
    GetComFormLibProc("_SortDBGridB");
    SetComLanguage("ru");
  }
  ~TEmitentDatabase() {
    Session->Free();
    SetHostProgramFolder(String());
  }
  TEmitentDatabase(const TEmitentDatabase&) = delete;
  TEmitentDatabase& operator=(const TEmitentDatabase&) = delete;

  TTempFolder Folder;
  TOraSession* Session = nullptr;
};

// What a dialog run gave back and what the operator saw.
struct TDialogRun {
  bool Result = false;
  std::vector<std::vector<String>> Values;  // each item's values as texts
  std::vector<String> Names;
  String Record;
  std::vector<String> Boxes;
  std::vector<std::vector<String>> ListWindows;  // caption first, then the lines
};

inline std::vector<String> ValueTexts(const TDBItem* item) {
  std::vector<String> texts;
  if (!VarIsArray(item->Values)) return {item->Values.AsString()};
  for (int i = VarArrayLowBound(item->Values, 1); i <= VarArrayHighBound(item->Values, 1); ++i)
    texts.push_back(item->Values[i].AsString());
  return texts;
}

// An item of the values, as a dialog hands it back.
inline TDBItem* ValuesItem(const std::vector<int>& values) {
  Variant array = VarArrayCreate(0, static_cast<int>(values.size()) - 1, varVariant);
  for (size_t i = 0; i < values.size(); ++i)
    array.SetElement(static_cast<int>(i), Variant(values[i]));
  return TDBItem::Create(array);
}

// Runs GetList on the dialog under the script; the list comes in with an item per Preset entry.
template <class Dialog>
TDialogRun RunGetList(Dialog* dialog, const String& script,
                      const std::vector<std::vector<int>>& preset = {}) {
  FreeOnExit freeDialog(dialog);
  THeadlessScope operatorScope(script);
  TDBItemList* list = TDBItemList::Create();
  FreeOnExit freeList(list);
  for (const std::vector<int>& values : preset) list->AddOrFree(ValuesItem(values));
  TDialogRun run;
  run.Result = dialog->GetList(list);
  for (int i = 0; i < list->Count(); ++i) {
    run.Values.push_back(ValueTexts(list->Items(i)));
    run.Names.push_back(list->Items(i)->Name);
  }
  run.Record = operatorScope.Record().Text();
  for (const TRecordEntry& entry : operatorScope.Record().OfKind(TRecordKind::MessageBox))
    run.Boxes.push_back(entry.Text);
  for (const TRecordEntry& entry : operatorScope.Record().OfKind(TRecordKind::ListWindow)) {
    std::vector<String> window{entry.Caption};
    window.insert(window.end(), entry.Lines.begin(), entry.Lines.end());
    run.ListWindows.push_back(window);
  }
  return run;
}

// The first value of every item.
inline std::vector<String> IDsOf(const TDialogRun& run) {
  std::vector<String> ids;
  for (const auto& values : run.Values) ids.push_back(values.at(0));
  return ids;
}
