#include <gtest/gtest.h>

#include "EmitentFixture.h"
#include "src/SelectForms/uSelectEmByGroup.h"
#include "src/SelectForms/uSelectEmitent.h"
#include "src/SelectForms/uSelectEmitentFilial.h"
#include "src/SelectForms/uSelectGroup.h"
#include "src/SelectForms/uSelectGrpEmt.h"

namespace {

using Texts = std::vector<String>;

bool Shows(const TDialogRun& run, const String& text) {
  return run.Record.find(text) != String::npos;
}

class EmitentDialogsTest : public ::testing::Test {
 protected:
  TSelectEmitent* Emitents(bool multiSelect) {
    return TSelectEmitent::Create(nullptr, Db.Session, "EMT", multiSelect);
  }
  TEmitentDatabase Db;
};

struct TExcludeCase {
  bool SecondList;
  int Flag;
  bool Result;
  Texts IDs;
};

TEST_F(EmitentDialogsTest, ExcludeFlagLeavesOwnEmitentsOutOfEitherList) {
  const TExcludeCase cases[] = {{false, 0, true, {"1", "2", "3", "4", "5"}},
                                {false, 1, true, {"3", "4", "5"}},
                                {false, 2, false, {}},
                                {true, 0, true, {"10", "11"}},
                                {true, 1, true, {"11"}}};
  for (const TExcludeCase& test : cases) {
    TSelectEmitent* dialog = Emitents(true);
    if (test.SecondList) dialog->UseDEmitents();
    dialog->SetExcludeOurEmit(test.Flag);
    const TDialogRun run = RunGetList(dialog, "action actSelectAll; ok");
    EXPECT_EQ(run.Result, test.Result) << test.Flag << run.Record;
    EXPECT_EQ(IDsOf(run), test.IDs) << test.Flag;
    if (!test.Result) {
      EXPECT_EQ(run.Boxes, Texts{"Нет записей"});
    }
  }
}

TEST_F(EmitentDialogsTest, EmitentItemsCarryTheIDAndTheNameAndTheGridShowsTheCaption) {
  const TDialogRun run = RunGetList(Emitents(true), "dump; ok", {{4}});
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.Values, std::vector<Texts>{{"4"}});
  EXPECT_EQ(run.Names, Texts{"Emitent 4"});
  EXPECT_TRUE(Shows(run, "| + | [4] Emitent 4 | Firm 4 |")) << run.Record;
}

TEST_F(EmitentDialogsTest, SingleEmitentIsChosenByDoubleClick) {
  TSelectEmitent* dialog = Emitents(false);
  dialog->ToolButton3->SetVisible(false);
  const TDialogRun run = RunGetList(dialog, "goto ID=3; dblclick DBGrid1");
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(IDsOf(run), Texts{"3"});
}

struct TGroupMarking {
  String Script;  // steps in the group dialog
  Texts IDs;
  std::vector<Texts> NotFound;
};

TEST_F(EmitentDialogsTest, MarkingByGroupAddsOrReplacesAndListsMembersNotFound) {
  const TGroupMarking cases[] = {
      {"tick ID=1; ok", {"1", "2", "3", "5"}, {}},
      {"tick ID=1; click btnReplace", {"1", "2", "3"}, {}},
      {"tick ID=1; tick ID=2; click btnReplace", {"1", "2", "3", "4"}, {}},
      // Nothing is left marked, so the emitent dialog refuses OK and the list stays.
      {"tick ID=3; click btnReplace", {"5"}, {{"Не найдены эмитенты", "[9] Emitent 9"}}},
      {"tick ID=3; ok", {"5"}, {{"Не найдены эмитенты", "[9] Emitent 9"}}},
      {"tick ID=2; cancel", {"5"}, {}},
      // Replace refused with no group marked, then Add: the caller's mark stays.
      {"click btnReplace; tick ID=2; ok", {"3", "4", "5"}, {}}};
  for (const TGroupMarking& test : cases) {
    const TDialogRun run =
        RunGetList(Emitents(true), "click ToolButton3; " + test.Script + "; ok", {{5}});
    EXPECT_EQ(IDsOf(run), test.IDs) << test.Script << run.Record;
    EXPECT_EQ(run.ListWindows, test.NotFound) << test.Script;
  }
}

TEST_F(EmitentDialogsTest, GroupDialogReturnsEveryMemberOnceWithItsCaption) {
  TSelectEmByGrp* dialog = TSelectEmByGrp::Create(nullptr, Db.Session, "EMT", true);
  const TDialogRun run = RunGetList(dialog, "tick ID=1; tick ID=2; ok");
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(IDsOf(run), (Texts{"1", "2", "3", "4"}));
  EXPECT_EQ(run.Names, (Texts{"[1] Emitent 1", "[2] Emitent 2", "[3] Emitent 3", "[4] Emitent 4"}));
}

TEST_F(EmitentDialogsTest, GroupButtonsStayWhereDesigned) {
  THeadlessScope operatorScope("cancel");
  TSelectEmByGrp* dialog = TSelectEmByGrp::Create(nullptr, Db.Session, "EMT", true);
  FreeOnExit freeDialog(dialog);
  const int okLeft = dialog->OkBtn->Left();
  dialog->SetButtonsSpace(300);
  dialog->ShowModalDirect();
  EXPECT_EQ(dialog->OkBtn->Left(), okLeft);
}

TEST_F(EmitentDialogsTest, MembersNotInWorkAreDrawnGreyUnlessSelected) {
  THeadlessScope operatorScope;
  TSelectEmByGrp* dialog = TSelectEmByGrp::Create(nullptr, Db.Session, "EMT", true);
  FreeOnExit freeDialog(dialog);
  dialog->OraQuery1->Open();
  struct {
    int Member;
    TGridDrawState State;
    TColor Color;
  } const cases[] = {
      {2, 0, 8421504}, {1, 0, clBlack}, {2, gdSelected, clRed}, {2, gdFocused, clRed}};
  TColumn* caption = dialog->DBGrid2->VisibleColumns().at(0);
  for (const auto& test : cases) {
    ASSERT_TRUE(dialog->V_GROUPITEM->Locate("ID", Variant(test.Member)));
    TFont* font = dialog->DBGrid2->Canvas()->Font();
    font->SetColor(clRed);
    dialog->DBGrid2DrawColumnCell(dialog->DBGrid2, TRect{0, 0, 50, 16}, 0, caption, test.State);
    EXPECT_EQ(font->Color(), test.Color) << test.Member << " " << int(test.State);
  }
}

TEST_F(EmitentDialogsTest, EmitentGroupsAreReturnedWithMembersInWorkShown) {
  TSelectGrpEmt* dialog = TSelectGrpEmt::Create(nullptr, Db.Session, "EMT", true);
  const TDialogRun run = RunGetList(dialog, "dump; tick ID=2; ok");
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.Values, (std::vector<Texts>{{"2", "Group B"}}));
  EXPECT_EQ(run.Names, Texts{""});
  EXPECT_TRUE(Shows(run, "[1] Emitent 1")) << run.Record;
  EXPECT_TRUE(Shows(run, "[3] Emitent 3")) << run.Record;
  EXPECT_FALSE(Shows(run, "[2] Emitent 2")) << run.Record;
}

struct TFilialCase {
  int Mode;
  std::vector<Texts> Values;
};

TEST_F(EmitentDialogsTest, FilialModeSplitsByTheEmitentsOwnership) {
  const TFilialCase cases[] = {{0,
                                {{"1", "1", "[0001,1]"},
                                 {"1", "2", "[0001,2]"},
                                 {"3", "1", "[0003,1]"},
                                 {"4", "1", "[0004,1]"}}},
                               {1, {{"1", "1", "[0001,1]"}, {"1", "2", "[0001,2]"}}},
                               {2, {{"3", "1", "[0003,1]"}, {"4", "1", "[0004,1]"}}}};
  for (const TFilialCase& test : cases) {
    TSelectEmitentFrm::SetFilterMode(test.Mode);
    TSelectEmitentFrm* dialog = TSelectEmitentFrm::Create(nullptr, Db.Session, "EMT", true);
    const TDialogRun run = RunGetList(dialog, "action actSelectAll; ok");
    EXPECT_EQ(run.Values, test.Values) << test.Mode << run.Record;
  }
  TSelectEmitentFrm::SetFilterMode(0);
}

TEST_F(EmitentDialogsTest, PreselectedEmitentTogglesOnlyItsFirstFilial) {
  TSelectEmitentFrm::SetFilterMode(0);
  const TDialogRun once =
      RunGetList(TSelectEmitentFrm::Create(nullptr, Db.Session, "EMT", true), "ok", {{3}, {1}});
  EXPECT_EQ(once.Values, (std::vector<Texts>{{"1", "1", "[0001,1]"}, {"3", "1", "[0003,1]"}}));
  EXPECT_EQ(once.Names, (Texts{"Acquirer 1/1", "Acquirer 3/1"}));

  const TDialogRun twice = RunGetList(TSelectEmitentFrm::Create(nullptr, Db.Session, "EMT", true),
                                      "tick ID_EMITENT=4; ok", {{1, 2}, {1, 1}});
  EXPECT_EQ(twice.Values, (std::vector<Texts>{{"4", "1", "[0004,1]"}}));
}

TEST_F(EmitentDialogsTest, FilialCheckColumnShowsOnlyInMultiSelect) {
  THeadlessScope operatorScope;
  for (bool multiSelect : {true, false}) {
    TSelectEmitentFrm* dialog = TSelectEmitentFrm::Create(nullptr, Db.Session, "EMT", multiSelect);
    FreeOnExit freeDialog(dialog);
    EXPECT_EQ(dialog->DBGrid2->Columns()->Items(0)->Visible(), multiSelect);
  }
}

TEST_F(EmitentDialogsTest, SingleEmitentGroupShowsTheIDInBracketsAndReturnsOneGroup) {
  const bool multiSelect = TSelectGroup::SetGroupKind(1);
  EXPECT_FALSE(multiSelect);
  TSelectGroup* dialog = TSelectGroup::Create(nullptr, Db.Session, "EMT", multiSelect);
  EXPECT_EQ(dialog->Caption(), "Выбор группы эмитентов");
  const TDialogRun run = RunGetList(dialog, "dump; goto ID=2; ok");
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.Values, (std::vector<Texts>{{"2", "Group B", "0"}}));
  EXPECT_TRUE(Shows(run, "[1]  Group A")) << run.Record;
}

TEST_F(EmitentDialogsTest, ClientGroupsAreChosenFromTheirOwnView) {
  const bool multiSelect = TSelectGroup::SetGroupKind(2);
  EXPECT_TRUE(multiSelect);
  TSelectGroup* dialog = TSelectGroup::Create(nullptr, Db.Session, "EMT", multiSelect);
  EXPECT_EQ(dialog->Caption(), "Выбор групп клиентов");
  const TDialogRun run = RunGetList(dialog, "action actSelectAll; ok");
  ASSERT_TRUE(run.Result) << run.Record;
  EXPECT_EQ(run.Values, (std::vector<Texts>{{"1", "Clients A", "0"}, {"2", "Clients B", "0"}}));
}

}  // namespace
