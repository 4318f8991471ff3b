#include <gtest/gtest.h>

#include "TestWindows.h"

TEST(GridOperator, TicksRowsByKeysAndByRowNumber) {
  THeadlessScope operatorScope("tick ID=2; tickrow 0; tick ID=3,NAME=Row 3; tick ID=2; ok");
  TPickDialogScope dialog(4);
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(dialog->Ticked(), (std::vector<int>{1, 3}));
}

TEST(GridOperator, GotoMovesWithoutTicking) {
  THeadlessScope operatorScope("goto ID=3; dump; gotorow 0; dump");
  TPickDialogScope dialog;
  dialog->ShowModal();
  const std::vector<TRecordEntry> dumps = operatorScope.Record().OfKind(TRecordKind::Dump);
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(dumps[0].Dump->Grids.at(0).CurrentRow, 2);
  EXPECT_EQ(dumps[1].Dump->Grids.at(0).CurrentRow, 0);
  EXPECT_TRUE(dialog->Ticked().empty());
}

TEST(GridOperator, DumpShowsCaptionControlsAndTheGridsTitlesAndCells) {
  THeadlessScope operatorScope("tickrow 1; dump");
  TPickDialogScope dialog(2);
  dialog->Table->FieldByName("NAME")->SetDisplayLabel("Name");
  dialog->CancelBtn->SetEnabled(false);
  dialog->ShowModal();
  const TWindowDump dump = *operatorScope.Record().OfKind(TRecordKind::Dump).at(0).Dump;
  EXPECT_EQ(dump.Caption, "Pick");
  EXPECT_EQ(dump.ClassName, "TPickDialog");
  std::vector<String> controls;
  for (const TControlDump& control : dump.Controls)
    controls.push_back(String(size_t(control.Depth), '.') + control.Name + " " + control.Text +
                       " [" + control.State + "]");
  EXPECT_EQ(controls, (std::vector<String>{"Panel1  []", ".OkBtn Apply [default]",
                                           ".CancelBtn Cancel [disabled cancel]", "Grid  [focused]",
                                           "Memo  []"}));
  ASSERT_EQ(dump.Grids.size(), 1u);
  EXPECT_EQ(dump.Grids[0].Titles, (std::vector<String>{"RCHECK", "ID", "Name"}));
  EXPECT_EQ(dump.Grids[0].Rows,
            (std::vector<std::vector<String>>{{"-", "1", "Row 1"}, {"+", "2", "Row 2"}}));
  EXPECT_EQ(dump.Grids[0].CurrentRow, 1);
  EXPECT_NE(operatorScope.Record().Text().find("    > | + | 2 | Row 2 |"), String::npos)
      << operatorScope.Record().Text();
}

TEST(GridOperator, HiddenCheckFieldLeavesNothingToTick) {
  THeadlessScope operatorScope("dump; tickrow 0");
  TPickDialogScope dialog;
  dialog->Table->FieldByName("RCHECK")->SetVisible(false);
  try {
    dialog->ShowModal();
    FAIL();
  } catch (const EOperatorError& error) {
    EXPECT_NE(error.Message().find("shows no RCHECK column"), String::npos) << error.Message();
  }
  const TWindowDump& dump = *operatorScope.Record()[0].Dump;
  EXPECT_EQ(dump.Grids.at(0).Titles, (std::vector<String>{"ID", "NAME"}));
}

TEST(GridOperator, ActiveGridIsTheOneFocusedLast) {
  THeadlessScope operatorScope("focus Memo; tickrow 2; ok");
  TPickDialogScope dialog;
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(dialog->Ticked(), std::vector<int>{3});
}

TEST(GridOperator, PopupMenuIsRecordedAndItsItemClicked) {
  THeadlessScope operatorScope("popup Grid; click pFind1; popup Grid; cancel");
  TPickDialogScope dialog;
  dialog->ShowModal();
  EXPECT_EQ(dialog->FindRuns, 1);
  const std::vector<TRecordEntry> menus = operatorScope.Record().OfKind(TRecordKind::PopupMenu);
  ASSERT_EQ(menus.size(), 2u);
  EXPECT_EQ(menus[0].Caption, "PopupMenu1");
  EXPECT_EQ(menus[0].Lines, std::vector<String>{"Find..."});
}

TEST(GridOperator, PopupCancelledByItsHandlerShowsNothing) {
  THeadlessScope operatorScope("focus Memo; popup Grid; click pFind1");
  TPickDialogScope dialog;
  dialog->PopupMenu1->OnPopup = [&](TObject*) {
    if (!dynamic_cast<TDBGrid*>(dialog->ActiveControl())) Abort();
  };
  EXPECT_THROW(dialog->ShowModal(), EOperatorError);
  EXPECT_TRUE(operatorScope.Record().OfKind(TRecordKind::PopupMenu).empty());
  EXPECT_EQ(dialog->FindRuns, 0);
}

TEST(GridOperator, DoubleClickReachesTheGridsHandler) {
  THeadlessScope operatorScope("gotorow 1; dblclick Grid");
  TPickDialogScope dialog;
  dialog->Grid->OnDblClick = [&](TObject*) { dialog->SetModalResult(mrOk); };
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(dialog->Table->FieldByName("ID")->AsInteger(), 2);
}
