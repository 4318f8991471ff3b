#include <gtest/gtest.h>

#include "PointsFixture.h"
#include "platform/rtl/ScopeGuard.h"
#include "src/ComUnits/uComFormGFG.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"
#include "src/SelectForms/uSelectGrpTO.h"
#include "src/SelectForms/uSelectShiftTO.h"
#include "src/SelectForms/uSelectSinglePOS.h"
#include "src/SelectForms/uSelectSingleTerminal.h"
#include "src/SelectForms/uSelectTO.h"
#include "src/SelectForms/uSelectTOWithoutGrSF.h"
#include "src/SelectForms/ufrmSelectTOGrExpSF.h"

namespace {

using Strings = std::vector<String>;

bool Contains(const String& text, const String& part) { return text.find(part) != String::npos; }

TDBItemList* ListOf(std::initializer_list<Variant> values) {
  TDBItemList* list = TDBItemList::Create();
  list->AddOrFree(TDBItem::Create(VarArrayOf(values), String()));
  return list;
}

class PointsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetComLanguage("ru");
    // The library's start binds the grid tools; their operator steps come with them.
    GetComFormLibProc("_SortDBGridB");
  }
  void TearDown() override { CloseComFormGFG(); }

  template <class TDialog>
  TPointsRun Run(bool multiSelect, const String& script, TDBItemList* list = nullptr) {
    FreeOnExit<TDBItemList> owned(list ? list : TDBItemList::Create());
    return RunPointsDialog<TDialog>(Db, multiSelect, script, owned.Get());
  }

  TPointsDatabase Db;
};

// --- service points -----------------------------------------------------------------------

TEST_F(PointsTest, PointsAreMatchedByAllThreeNumbersAndReturnedWithThem) {
  // Alpha and Delta share point number 10; only the emitent tells them apart.
  const TPointsRun run = Run<TSelectTO>(true, "dump; tick NAME=Beta; ok", ListOf({2, 1, 10}));
  ASSERT_TRUE(run.Result) << run.Record;
  // In the query's order: by point number.
  EXPECT_EQ(run.Items, (Strings{"2,1,10|Delta", "1,2,11|Beta"}));
  EXPECT_TRUE(Contains(run.Record, "| - | [0001, 1, 10] Alpha |")) << run.Record;
  EXPECT_TRUE(Contains(run.Record, "| + | [0002, 1, 10] Delta |")) << run.Record;
  EXPECT_TRUE(Contains(run.Record, "Точка обслуживания")) << run.Record;
}

TEST_F(PointsTest, OwnershipChoiceFiltersTheLoadedRowsLocally) {
  struct TCase {
    int Choice;
    Strings Names;
  };
  const TCase cases[] = {
      {0, {"Alpha", "Beta"}}, {1, {"Delta", "Gamma"}}, {2, {"Alpha", "Delta", "Beta", "Gamma"}}};
  for (const TCase& test : cases) {
    const String choice = std::to_string(test.Choice);
    // The choice starts at "Все"; choosing it again changes nothing.
    const TPointsRun run =
        Run<TSelectTO>(true, "radio rgFilter " + choice + "; action actSelectAll; ok");
    ASSERT_TRUE(run.Result) << run.Record;
    Strings names;
    for (const String& item : run.Items) names.push_back(item.substr(item.find('|') + 1));
    EXPECT_EQ(names, test.Names) << "choice " << choice;
  }
}

TEST_F(PointsTest, OwnPointsPresetNarrowsToOwnFilialsWithoutTheOwnershipPanel) {
  FreeOnExit<TDBItemList> list(TDBItemList::Create());
  const TPointsRun run = RunPointsDialog<TSelectTO>(
      Db, true, "dump; action actSelectAll; ok", list.Get(), [](TSelectTO* dialog) {
        dialog->Panel3->SetVisible(false);
        dialog->rgFilter->SetItemIndex(0);
        dialog->OraQuery1->SetFilter("((MYEMITENT = 1) AND (MYFILIAL = 1))");
        dialog->OraQuery1->SetFiltered(true);
      });
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.Items, (Strings{"1,1,10|Alpha"}));
  EXPECT_FALSE(Contains(run.Record, "rgFilter")) << run.Record;
}

TEST_F(PointsTest, ABareIdItemMarksNoPoint) {
  // The text form of the point list carries single numbers only.
  const TPointsRun run = Run<TSelectTO>(true, "dump; cancel", TDBItemList::CreateFromText("1"));
  EXPECT_FALSE(run.Result);
  EXPECT_FALSE(Contains(run.Record, "| + |")) << run.Record;
}

TEST_F(PointsTest, PointsOutsideInvoiceGroupsAreListedOnlyWhileSuchAGroupExists) {
  const TPointsRun run = Run<TSelectTOWithoutGrSF>(true, "action actSelectAll; ok");
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.Items, (Strings{"2,1,10|Delta", "1,2,11|Beta"}));

  Db.Exec("UPDATE V_POSGROUP SET USE_IN_EXP_INVOICE = 0");
  const TPointsRun none = Run<TSelectTOWithoutGrSF>(true, "ok");
  EXPECT_FALSE(none.Result);
  EXPECT_EQ(none.Boxes, (Strings{"Нет записей"}));
}

TEST_F(PointsTest, WarningWindowListsPointsWithoutMarksAndOnlyWhenThereAreSome) {
  struct TCase {
    const char* Change;
    bool Shown;
  };
  const TCase cases[] = {{"", true},
                         {"INSERT INTO V_POSGROUPITEM VALUES(1, 11, 1), (1, 10, 2)", false},
                         {"UPDATE V_POSGROUP SET USE_IN_EXP_INVOICE = 0", false}};
  for (const TCase& test : cases) {
    TPointsDatabase db;
    if (*test.Change) db.Exec(test.Change);
    THeadlessScope operatorScope("dump; close");
    TSelectTOWithoutGrSF* form = TSelectTOWithoutGrSF::Create(nullptr, db.Session, "PTS", true);
    FreeOnExit freeForm(form);
    EXPECT_EQ(form->ShowAsWarning(), test.Shown) << test.Change;
    const String record = operatorScope.Record().Text();
    EXPECT_EQ(Contains(record, "ТО, не входящие ни в одну группу"), test.Shown) << record;
    if (!test.Shown) continue;
    EXPECT_TRUE(Contains(record, "Закрыть")) << record;
    EXPECT_FALSE(Contains(record, "Выбор")) << record;
    EXPECT_FALSE(form->OkBtn->Visible());
  }
}

TEST_F(PointsTest, SinglePointReturnsTheDoubleClickedRowWithItsAddressShown) {
  const TPointsRun run =
      Run<TFormSelectSinglePOS>(false, "dump; goto NAME=Gamma; dblclick DBGrid1");
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.Items, (Strings{"2,1,20|Gamma"}));
  EXPECT_TRUE(Contains(run.Record, "Адрес")) << run.Record;
  EXPECT_TRUE(Contains(run.Record, "[0001, 2, 11] Beta")) << run.Record;
}

// --- point groups ---------------------------------------------------------------------------

TEST_F(PointsTest, GroupListShowsFirmsAndTheCurrentGroupsPointsAndReturnsGroupIds) {
  THeadlessScope operatorScope("goto ID=1; dump; goto ID=2; dump; tick ID=2; ok");
  FreeOnExit<TDBItemList> list(TDBItemList::Create());
  FreeOnExit<TSelectGrpTO> dialog(TSelectGrpTO::Create(nullptr, Db.Session, "PTS", true));
  ASSERT_TRUE(dialog->GetList(list.Get())) << operatorScope.Record().Text();
  ASSERT_EQ(list->Count(), 1);
  EXPECT_EQ(ItemText(list->Items(0)), "2|South");
  EXPECT_TRUE(list->Items(0)->IsIDItem);

  const std::vector<TRecordEntry> dumps = operatorScope.Record().OfKind(TRecordKind::Dump);
  ASSERT_EQ(dumps.size(), 2u);
  const String north = TOperatorRecord::EntryText(dumps[0]);
  const String south = TOperatorRecord::EntryText(dumps[1]);
  // The group with number 0 is not a group to choose.
  EXPECT_FALSE(Contains(north, "Hidden")) << north;
  EXPECT_TRUE(Contains(north, "[1] North | [5] Firm Five | 7700")) << north;
  EXPECT_TRUE(Contains(north, "[2] South | Без фирмы")) << north;
  EXPECT_TRUE(Contains(north, "[0002, 1, 20] Gamma")) << north;
  EXPECT_FALSE(Contains(north, "[0001, 2, 11] Beta")) << north;
  EXPECT_TRUE(Contains(south, "[0001, 2, 11] Beta")) << south;
  EXPECT_FALSE(Contains(south, "[0002, 1, 20] Gamma")) << south;
}

TEST_F(PointsTest, GroupReportTakesTheGroupsWithThePointsWhenTheGroupGridHasTheFocus) {
  THeadlessScope operatorScope("key DBGrid2 Ctrl+R; cancel");
  FreeOnExit<TDBItemList> list(TDBItemList::Create());
  FreeOnExit<TSelectGrpTO> dialog(TSelectGrpTO::Create(nullptr, Db.Session, "PTS", true));
  dialog->GetList(list.Get());
  const std::vector<TRecordEntry> documents = operatorScope.Record().OfKind(TRecordKind::Document);
  ASSERT_EQ(documents.size(), 1u) << operatorScope.Record().Text();
  const String report = ReadWholeFile(documents[0].Text);
  for (const char* text :
       {"<caption>Группы ТО", "[1] North", "[2] South", "<caption>ТО", "[0002, 1, 20] Gamma"})
    EXPECT_TRUE(Contains(report, text)) << text << "\n" << report;
}

TEST_F(PointsTest, InvoiceExportGroupsAreTheOnlyOnesListed) {
  const TPointsRun run = Run<TfrmSelectTOGrExpSF>(true, "dump; action actSelectAll; ok");
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.Items, (Strings{"1|North"}));
  EXPECT_TRUE(Contains(run.Record, "[1] North")) << run.Record;
}

// --- marking by group -----------------------------------------------------------------------

// The caller's list: the points of emitent 1 only (Gamma of group 1 is missing), the filial
// under the column name the caller uses.
class MarkByGroupTest : public PointsTest {
 protected:
  TOraQuery* CallerPoints(const String& filialColumn) {
    TOraQuery* query = TOraQuery::Create(nullptr);
    query->SetSession(Db.Session);
    query->SQL()->SetText("SELECT RCHECK, ID_EMITENT, ID_FILIALA AS " + filialColumn +
                          ", ID_POS, NAME FROM PTS.V_POS WHERE ID_EMITENT = 1 ORDER BY ID_POS");
    query->SetLocalUpdate(true);
    query->Open();
    return query;
  }
  static void Mark(TDataSet* dataSet, const String& name) {
    ASSERT_TRUE(dataSet->Locate("NAME", Variant(name)));
    dataSet->Edit();
    dataSet->FieldByName("RCHECK")->SetAsString("+");
    dataSet->Post();
  }
  static Strings Marked(TDataSet* dataSet) {
    Strings names;
    for (dataSet->First(); !dataSet->Eof(); dataSet->Next())
      if (dataSet->FieldByName("RCHECK")->AsString() == "+")
        names.push_back(dataSet->FieldByName("NAME")->AsString());
    return names;
  }
};

TEST_F(MarkByGroupTest, ReplaceAndAddMarkTheGroupsPointsTheCallerHas) {
  struct TCase {
    const char* Button;
    const char* FilialColumn;
    Strings Marked;
    const char* Current;
  };
  const TCase cases[] = {{"BitBtnOkChange", "ID_FILIALA", {"Alpha"}, "Alpha"},
                         {"BitBtnOkAdd", "ID_FILIALA", {"Alpha", "Beta"}, "Beta"},
                         {"BitBtnOkChange", "ID_FILIAL", {"Alpha"}, "Alpha"}};
  for (const TCase& test : cases) {
    FreeOnExit<TOraQuery> caller(CallerPoints(test.FilialColumn));
    Mark(caller.Get(), "Beta");
    THeadlessScope operatorScope(String("dump; tick ID=1; click ") + test.Button);
    ASSERT_TRUE(TSelectGrpTO::MarkPointsByGroup(Db.Session, "PTS", caller.Get()));
    const TOperatorRecord& record = operatorScope.Record();
    EXPECT_EQ(caller->FieldByName("NAME")->AsString(), test.Current) << test.Button;
    EXPECT_EQ(Marked(caller.Get()), test.Marked) << test.Button << " " << test.FilialColumn;
    EXPECT_TRUE(Contains(record.Text(), "Выделение ТО по группам")) << record.Text();
    const std::vector<TRecordEntry> lists = record.OfKind(TRecordKind::ListWindow);
    ASSERT_EQ(lists.size(), 1u) << record.Text();
    EXPECT_EQ(lists[0].Lines, (Strings{"[0002, 1, 20] Gamma"}));
    EXPECT_TRUE(Contains(record.Text(), "Не найдены выбранные записи")) << record.Text();
  }
}

TEST_F(MarkByGroupTest, NothingIsMarkedWithoutAChosenGroupOrOnCancel) {
  FreeOnExit<TOraQuery> caller(CallerPoints("ID_FILIALA"));
  THeadlessScope operatorScope("click BitBtnOkAdd; tick ID=2; click BitBtnCancel");
  EXPECT_FALSE(TSelectGrpTO::MarkPointsByGroup(Db.Session, "PTS", caller.Get()));
  EXPECT_EQ(Marked(caller.Get()), Strings{});
  const std::vector<TRecordEntry> boxes = operatorScope.Record().OfKind(TRecordKind::MessageBox);
  ASSERT_EQ(boxes.size(), 1u) << operatorScope.Record().Text();
  EXPECT_EQ(boxes[0].Text, TranslateAplText(rstr_msg_NotSelectedRecords));
}

TEST_F(MarkByGroupTest, AMissingDatasetIsRefused) {
  try {
    TSelectGrpTO::MarkPointsByGroup(Db.Session, "PTS", nullptr);
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "TSelectGrpTO.MarkPointsByGroup: DataSet=nil");
  }
}

TEST_F(PointsTest, PointListMarksByGroupThroughItsAction) {
  const TPointsRun run =
      Run<TSelectTO>(true, "action SellPosFromGroup; tick ID=1; click BitBtnOkChange; ok");
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.Items, (Strings{"1,1,10|Alpha", "2,1,20|Gamma"}));
  EXPECT_TRUE(run.Lists.empty()) << run.Record;
}

// --- terminals and shifts -------------------------------------------------------------------

TEST_F(PointsTest, TerminalStateChoiceAndTheTerminalItem) {
  const TPointsRun run = Run<TSelectSingleTerminal>(false, "radio rgInWork 1; dump; ok");
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.Items, (Strings{"1,2,11,101|[0001, 11, 101]  T101"}));
  EXPECT_FALSE(Contains(run.Record, "[100] T100")) << run.Record;
  EXPECT_FALSE(Contains(run.Record, "В отчет")) << run.Record;
}

TEST_F(PointsTest, ShiftsAreToldApartByAllFourKeysAndReturnedWithThem) {
  TDBItemList* list = ListOf({7, 101, 11, "G2"});
  FreeOnExit freeList(list);
  const TPointsRun run = RunPointsDialog<TSelectShiftTO>(Db, true, "dump; ok", list);
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.Items, (Strings{"7,101,11,G2|"}));
  EXPECT_TRUE(Contains(run.Record, "| + | [11, 101, 7] |")) << run.Record;
  EXPECT_TRUE(Contains(run.Record, "| - | [10, 100, 7] |")) << run.Record;
  EXPECT_EQ(list->FieldNames->Text(), "SHIFT_ID;TERMINAL_NUMBER;POS_NUMBER;SHIFT_GUID\r\nNAME\r\n");
}

}  // namespace
