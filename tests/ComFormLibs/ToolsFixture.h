// A window with a grid over a small list of items in an SQLite-backed schema, with the actions
// that open the grid tools the way a data window does (Ctrl+S, Ctrl+A, Ctrl+F).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/db/DataSource.h"
#include "platform/ora/OraDataSet.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/Forms.h"
#include "platform/ws/headless/HeadlessWidgetSet.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/ComUnits/uDBGridInt.h"
#include "support/TempFolder.h"
#include "tests/platform/ora/OraTestSchema.h"

inline const char* ItemsScript() {
  return R"(
CREATE TABLE T_ITEM (ID NUMBER(10) PRIMARY KEY, NAME VARCHAR2(20), KIND NUMBER(3), RCHECK CHAR(1),
  MARK NUMBER(1));
INSERT INTO T_ITEM VALUES (1, 'Alpha', 2, '-', 0), (2, 'beta', 1, '+', 1), (3, 'Gamma', 2, '-', 0),
  (4, 'Delta', 1, '-', 0), (5, 'alphabet', 3, '+', 1);
)";
}

inline String ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message();
  }
  return "no error";
}

class ToolsTest : public ::testing::Test {
 protected:
  ToolsTest() {
    RunSqlScript(Folder / "OC_TOOLS.db", ItemsScript());
    // Loaded now, so that its operator steps exist before the first script runs.
    GetComFormLibProc("RSelect");
    Session = TOraSession::Create(Window.Get());
    Session->SetServer(Folder.Path());
    Session->SetUsername("oc_tools");
    Window->SetName("ItemsWindow");
    Window->SetCaption("Items");
    Window->SetClientWidth(400);
    Window->SetClientHeight(300);
    Query = NewQuery("SELECT ID, NAME, KIND, RCHECK FROM &shema.T_ITEM\n&ORDER &FIELD");
    Query->MacroByName("ORDER")->SetValue("ORDER BY");
    Query->MacroByName("FIELD")->SetValue("ID");
    Source = TDataSource::Create(Window.Get());
    Source->SetDataSet(Query);
    Grid = TDBGrid::Create(Window.Get());
    Grid->SetName("Grid");
    Grid->SetParent(Window.Get());
    Grid->SetAlign(alClient);
    Grid->SetHint("Items");
    Grid->SetDataSource(Source);
    Interfaces = TDBIntList::Create();
    GridInt = Interfaces->GetItem(
        Interfaces->Add(CreateGridInterfaced(TDBGridIntObj::ClassInfo(), Grid)));
    AddToolActions();
    Query->Open();
  }
  ~ToolsTest() override { Interfaces->Free(); }

  TOraQuery* NewQuery(const String& sql) {
    TOraQuery* query = TOraQuery::Create(Window.Get());
    query->SetSession(Session);
    query->SQL()->SetText(sql);
    query->MacroByName("shema")->SetValue("OC_TOOLS");
    return query;
  }

  // Runs the window under the operator's script; the record of what it saw.
  TOperatorRecord& Run(const String& script) {
    Operator.reset();
    Operator = std::make_unique<THeadlessScope>(script);
    Window->ShowModal();
    return Operator->Record();
  }

  static std::vector<int> Ids(TDataSet* dataSet) {
    std::vector<int> ids;
    for (int recNo = 1; recNo <= dataSet->RecordCount(); ++recNo) {
      const TDataSet::TActiveRecordScope row(dataSet, recNo);
      ids.push_back(dataSet->FieldByName("ID")->AsInteger());
    }
    return ids;
  }

  static std::vector<String> Boxes(const TOperatorRecord& record) {
    std::vector<String> texts;
    for (const TRecordEntry& entry : record.OfKind(TRecordKind::MessageBox))
      texts.push_back(entry.Text);
    return texts;
  }

  TTempFolder Folder;
  FreeOnExit<TForm> Window{TForm::Create(nullptr)};
  TOraSession* Session = nullptr;
  TOraQuery* Query = nullptr;
  TDataSource* Source = nullptr;
  TDBGrid* Grid = nullptr;
  TDBIntList* Interfaces = nullptr;
  IDBGrid* GridInt = nullptr;
  int FilterState = 0;
  int FindIndex = -1;
  std::unique_ptr<THeadlessScope> Operator;

 private:
  void AddAction(TActionList* actions, const char* name, const char* shortCut,
                 const std::function<void()>& run) {
    TAction* action = TAction::Create(Window.Get());
    action->SetName(name);
    action->SetActionList(actions);
    action->SetShortCut(TextToShortCut(shortCut));
    action->OnExecute = [run](TObject*) { run(); };
  }
  void AddToolActions() {
    TActionList* actions = TActionList::Create(Window.Get());
    AddAction(actions, "pSort", "Ctrl+S", [this] { _SortDBGridB(Query, Grid->Hint()); });
    AddAction(actions, "pFilter", "Ctrl+A",
              [this] { _FilterByDBGridD(FilterState, GridInt, Grid->Hint()); });
    AddAction(actions, "pFind", "Ctrl+F", [this] {
      FindIndex = Grid->SelectedField() ? Grid->SelectedField()->Index() : 0;
      _FindByDBGridExB(Query, Grid->Hint(), FindIndex);
    });
  }
};
