#include <gtest/gtest.h>

#include "TestWindows.h"

TEST(Keyboard, ActionShortcutComesBeforeTheControlsKeyHandler) {
  THeadlessScope operatorScope("key Grid Ctrl+Del; key Grid Ctrl+F; cancel");
  TPickDialogScope dialog;
  dialog->pFind->SetVisible(false);
  dialog->ShowModal();
  EXPECT_EQ(dialog->Table->RecordCount(), 3);
  EXPECT_EQ(dialog->FindRuns, 1);
  EXPECT_EQ(dialog->GridKeys, 0);
}

TEST(Keyboard, WithoutAnActionTheGridDeletesAfterConfirmation) {
  THeadlessScope operatorScope(
      "key Grid Ctrl+Del; answer cancel; gotorow 1; key Grid Ctrl+Del; cancel");
  TPickDialogScope dialog;
  dialog->EmptyAction->SetShortCut(0);
  dialog->ShowModal();
  EXPECT_EQ(dialog->GridKeys, 2);
  EXPECT_EQ(dialog->Table->RecordCount(), 2);
  EXPECT_FALSE(dialog->Table->Locate("ID", 2));
  const std::vector<TRecordEntry> boxes = operatorScope.Record().OfKind(TRecordKind::MessageBox);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Text, "Delete record?");
  EXPECT_EQ(boxes[0].Reply, "cancel");
  EXPECT_EQ(boxes[1].Reply, "ok");
}

TEST(Keyboard, DisabledActionLetsTheKeyThrough) {
  THeadlessScope operatorScope("key Grid Ctrl+F; cancel");
  TPickDialogScope dialog;
  dialog->pFind->SetEnabled(false);
  dialog->ShowModal();
  EXPECT_EQ(dialog->FindRuns, 0);
  EXPECT_EQ(dialog->GridKeys, 1);
}

TEST(Keyboard, EnterBelongsToAMemoThatWantsReturns) {
  THeadlessScope operatorScope("key Memo A; key Memo Enter; key Memo B; dump; key Grid Enter");
  TPickDialogScope dialog;
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(dialog->Memo->Lines()->Count(), 2);
  EXPECT_EQ(dialog->Memo->Text(), "a\r\nb");
  const TWindowDump dump = *operatorScope.Record().OfKind(TRecordKind::Dump).at(0).Dump;
  const auto memo = std::find_if(dump.Controls.begin(), dump.Controls.end(),
                                 [](const TControlDump& c) { return c.Name == "Memo"; });
  ASSERT_NE(memo, dump.Controls.end());
  EXPECT_EQ(memo->State, "focused");
}

TEST(Keyboard, SpaceInTheGridTogglesTheCurrentRowsMark) {
  THeadlessScope operatorScope(
      "gotorow 2; key Grid Space; key Grid Up; key Grid Space; "
      "key Grid Space; key Grid Down; key Grid Space; ok");
  TPickDialogScope dialog;
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(dialog->Ticked(), std::vector<int>{});
  EXPECT_EQ(dialog->GridKeys, 6);
}

TEST(Keyboard, TabMovesTheFocusInTabOrder) {
  THeadlessScope operatorScope("focus OkBtn; key OkBtn Tab; key CancelBtn Enter");
  TPickDialogScope dialog;
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}
