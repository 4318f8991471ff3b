#include <gtest/gtest.h>

#include "platform/rtl/ScopeGuard.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"
#include "support/SelectFixture.h"

namespace {

struct TRun {
  bool Result = false;
  std::vector<int> IDs;
  bool AllSelected = false;
  String Record;
  std::vector<String> Boxes;
};

// Runs GetList on a fresh dialog under the script; the list comes in with the given items.
template <class Setup>
TRun RunDialog(TSelectDatabase& db, bool multiSelect, const String& script,
               const std::vector<int>& preset, Setup setup) {
  THeadlessScope operatorScope(script);
  TDBItemList* list = IDList(preset);
  FreeOnExit freeList(list);
  TItemsDialog* dialog = TItemsDialog::Open(db.Session, multiSelect);
  FreeOnExit freeDialog(dialog);
  setup(dialog, list);
  TRun run;
  run.Result = dialog->GetList(list);
  run.IDs = ItemIDs(list);
  run.AllSelected = list->AllSelected;
  run.Record = operatorScope.Record().Text();
  run.Boxes = BoxTexts(operatorScope.Record());
  return run;
}

TRun RunDialog(TSelectDatabase& db, bool multiSelect, const String& script,
               const std::vector<int>& preset = {}) {
  return RunDialog(db, multiSelect, script, preset, [](TItemsDialog*, TDBItemList*) {});
}

class SelectBaseFrmTest : public ::testing::Test {
 protected:
  void SetUp() override { SetComLanguage("ru"); }
  TSelectDatabase Db;
};

TEST_F(SelectBaseFrmTest, MultiSelectPreselectsTheListAndReturnsTheTickedRowsInDatasetOrder) {
  const TRun run = RunDialog(Db, true, "dump; tick ID=1; ok", {5, 3});
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.IDs, (std::vector<int>{1, 3, 5}));
  EXPECT_FALSE(run.AllSelected);
  EXPECT_NE(run.Record.find("| + | 3 | Item 3 |"), String::npos) << run.Record;
  EXPECT_NE(run.Record.find("| - | 4 | Item 4 |"), String::npos) << run.Record;
}

TEST_F(SelectBaseFrmTest, LongPreselectionTicksExactlyTheRowsThatExist) {
  TSelectDatabase db(60);
  std::vector<int> preset;
  for (int id = 100; id > 0; id -= 3) preset.push_back(id);  // 34 items, 20 of them rows
  std::vector<int> expected;
  for (int id = 1; id <= 60; ++id)
    if ((100 - id) % 3 == 0) expected.push_back(id);
  const TRun run = RunDialog(db, true, "ok", preset);
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.IDs, expected);
}

TEST_F(SelectBaseFrmTest, SpaceAndCellClickToggleTheCurrentRow) {
  const TRun run =
      RunDialog(Db, true, "gotorow 1; key Grid Space; tick ID=4; tick ID=1; tick ID=1; ok");
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.IDs, (std::vector<int>{2, 4}));
}

TEST_F(SelectBaseFrmTest, SingleSelectRestsOnTheFirstPresetItemAndDoubleClickAccepts) {
  const TRun preset = RunDialog(Db, false, "ok", {3, 5});
  ASSERT_TRUE(preset.Result) << preset.Record;
  EXPECT_EQ(preset.IDs, (std::vector<int>{3}));

  const TRun clicked = RunDialog(Db, false, "gotorow 1; dblclick Grid");
  ASSERT_TRUE(clicked.Result) << clicked.Record;
  EXPECT_EQ(clicked.IDs, (std::vector<int>{2}));
}

TEST_F(SelectBaseFrmTest, EmptyDatasetShowsTheNoticeWithoutTheDialog) {
  TSelectDatabase empty(0);
  const TRun run = RunDialog(empty, true, "ok", {7});
  EXPECT_FALSE(run.Result);
  EXPECT_EQ(run.Boxes, (std::vector<String>{"Нет записей"}));
  EXPECT_EQ(run.IDs, (std::vector<int>{7}));
}

TEST_F(SelectBaseFrmTest, OkWithNothingTickedKeepsTheDialogOpen) {
  const TRun run = RunDialog(Db, true, "ok; dump");
  EXPECT_FALSE(run.Result);
  EXPECT_EQ(run.Boxes, (std::vector<String>{"Не выбрано ни одной записи"}));
  EXPECT_NE(run.Record.find("dump"), String::npos) << run.Record;
}

TEST_F(SelectBaseFrmTest, AllSelectedOnlyWithoutServerFilter) {
  const TRun all = RunDialog(Db, true, "action actSelectAll; ok");
  ASSERT_TRUE(all.Result) << all.Record;
  EXPECT_EQ(all.IDs.size(), 5u);
  EXPECT_TRUE(all.AllSelected);

  const TRun filtered = RunDialog(
      Db, true, "action actSelectAll; ok", {},
      [](TItemsDialog* dialog, TDBItemList*) { dialog->OraQuery1->SetFilterSQL("ID > 2"); });
  ASSERT_TRUE(filtered.Result) << filtered.Record;
  EXPECT_EQ(filtered.IDs, (std::vector<int>{3, 4, 5}));
  EXPECT_FALSE(filtered.AllSelected);
}

TEST_F(SelectBaseFrmTest, ListArrivingAllSelectedTicksEveryRow) {
  const TRun run = RunDialog(Db, true, "ok", {2},
                             [](TItemsDialog*, TDBItemList* list) { list->AllSelected = true; });
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.IDs, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(SelectBaseFrmTest, UserBreakDuringCollectionLeavesTheHostListAsItWas) {
  const TRun run = RunDialog(Db, true, "action actSelectAll; ok", {9, 8},
                             [](TItemsDialog* dialog, TDBItemList*) { dialog->BreakAtRecord = 3; });
  EXPECT_FALSE(run.Result);
  EXPECT_EQ(run.IDs, (std::vector<int>{9, 8}));
  EXPECT_EQ(run.Boxes, (std::vector<String>{"Операция прервана пользователем"}));
}

TEST_F(SelectBaseFrmTest, CancelLeavesTheHostListAsItWas) {
  const TRun run = RunDialog(Db, true, "tick ID=1; cancel", {4});
  EXPECT_FALSE(run.Result);
  EXPECT_EQ(run.IDs, (std::vector<int>{4}));
}

TEST_F(SelectBaseFrmTest, OrdinaryShowModalIsRefused) {
  THeadlessScope operatorScope;
  TItemsDialog* dialog = TItemsDialog::Open(Db.Session, true);
  FreeOnExit freeDialog(dialog);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(BoxTexts(operatorScope.Record()),
            (std::vector<String>{"Не вызызвайте эту функцию вручную!!\rВызывается в GetList"}));
}

TEST_F(SelectBaseFrmTest, MissingListIsRefused) {
  THeadlessScope operatorScope;
  TItemsDialog* dialog = TItemsDialog::Open(Db.Session, true);
  FreeOnExit freeDialog(dialog);
  try {
    dialog->GetList(nullptr);
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "TSelectBaseFrm.GetList: pList=nil");
  }
}

TEST_F(SelectBaseFrmTest, ButtonsAreCentredWithTheirGapAtShow) {
  THeadlessScope operatorScope("cancel");
  TItemsDialog* dialog = TItemsDialog::Open(Db.Session, true);
  FreeOnExit freeDialog(dialog);
  dialog->SetButtonsSpace(300);
  dialog->ShowModalDirect();
  // Client width 592: a = 296 - 150 = 146, b = 296 + 150 = 446.
  EXPECT_EQ(dialog->OkBtn->Left(), 146 - 97);
  EXPECT_EQ(dialog->CancelBtn->Left(), 446);
}

TEST_F(SelectBaseFrmTest, ToolButtonsShowOnlyInMultiSelectMode) {
  THeadlessScope operatorScope;
  for (bool multiSelect : {true, false}) {
    TItemsDialog* dialog = TItemsDialog::Open(Db.Session, multiSelect);
    FreeOnExit freeDialog(dialog);
    EXPECT_EQ(dialog->btnCheckAll->Visible(), multiSelect);
    EXPECT_EQ(dialog->btnInvCheck->Visible(), multiSelect);
  }
}

}  // namespace
