#include <gtest/gtest.h>

#include "TestWindows.h"
#include "platform/rtl/MessageSink.h"

namespace {

std::vector<TRecordKind> KindsOf(const TOperatorRecord& record) {
  std::vector<TRecordKind> kinds;
  for (const TRecordEntry& entry : record.Entries()) kinds.push_back(entry.Kind);
  return kinds;
}

}  // namespace

TEST(ModalWindows, EachWayOfClosingGivesItsModalResult) {
  const struct {
    const char* Script;
    TModalResult Result;
  } cases[] = {
      {"ok", mrOk},
      {"cancel", mrCancel},
      {"click OkBtn", mrOk},
      {"close", mrCancel},
      {"key Grid Enter", mrOk},
      {"key Grid Escape", mrCancel},
      {"key Memo Escape; key Grid Escape", mrCancel},
  };
  for (const auto& c : cases) {
    THeadlessScope operatorScope(c.Script);
    TPickDialogScope dialog;
    EXPECT_EQ(dialog->ShowModal(), c.Result) << c.Script;
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(dialog->Modal());
    EXPECT_EQ(operatorScope.WidgetSet().PendingSteps(), 0) << c.Script;
    EXPECT_TRUE(operatorScope.Record().OfKind(TRecordKind::ScriptEnded).empty()) << c.Script;
  }
}

TEST(ModalWindows, RefusedCloseKeepsTheWindowOpenForTheNextSteps) {
  THeadlessScope operatorScope("ok; dump; cancel");
  TPickDialogScope dialog;
  int queries = 0;
  dialog->OnCloseQuery = [&](TObject*, bool& canClose) {
    ++queries;
    canClose = dialog->ModalResult() != mrOk;
    if (!canClose) ShowMessage("Nothing is ticked");
  };
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(KindsOf(operatorScope.Record()),
            (std::vector<TRecordKind>{TRecordKind::MessageBox, TRecordKind::Dump}));
  EXPECT_EQ(operatorScope.Record()[0].Text, "Nothing is ticked");
  EXPECT_EQ(operatorScope.Record()[1].Dump->Caption, "Pick");
}

TEST(ModalWindows, ScriptThatRunsOutClosesTheWindowWithCancelAndSaysSo) {
  THeadlessScope operatorScope("tickrow 1");
  TPickDialogScope dialog;
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(dialog->Ticked(), std::vector<int>{2});
  const std::vector<TRecordEntry> ended = operatorScope.Record().OfKind(TRecordKind::ScriptEnded);
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_EQ(ended[0].Text, "the window \"Pick\" was still open: closed with Cancel");
}

TEST(ModalWindows, WindowThatRefusesToCloseAtTheScriptsEndFailsInsteadOfWaiting) {
  THeadlessScope operatorScope("");
  TPickDialogScope dialog;
  dialog->AllowClose = false;
  try {
    dialog->ShowModal();
    FAIL() << "the run did not fail";
  } catch (const EOperatorError& error) {
    EXPECT_NE(error.Message().find("refused to close"), String::npos);
  }
  EXPECT_FALSE(dialog->Visible());
  EXPECT_FALSE(dialog->Modal());
  EXPECT_EQ(Screen->ActiveForm(), nullptr);
}

TEST(ModalWindows, NestedWindowTakesTheStepsUntilItCloses) {
  THeadlessScope operatorScope("key Grid Ctrl+F; tickrow 1; dump; ok; tickrow 2; ok");
  TPickDialogScope outer;
  TModalResult innerResult = mrNone;
  std::vector<int> innerTicks;
  outer->FindRan = [&](TPickDialog*) {
    TPickDialogScope inner(2);
    inner->SetCaption("Inner");
    EXPECT_EQ(operatorScope.WidgetSet().TopWindow(), outer.Dialog);
    innerResult = inner->ShowModal();
    innerTicks = inner->Ticked();
    EXPECT_EQ(Screen->ActiveForm(), outer.Dialog);
  };
  EXPECT_EQ(outer->ShowModal(), mrOk);
  EXPECT_EQ(innerResult, mrOk);
  EXPECT_EQ(innerTicks, std::vector<int>{2});
  EXPECT_EQ(outer->Ticked(), std::vector<int>{3});
  EXPECT_EQ(operatorScope.Record().OfKind(TRecordKind::Dump).at(0).Dump->Caption, "Inner");
}

TEST(ModalWindows, ShowingAShownWindowModallyIsRefused) {
  THeadlessScope operatorScope("cancel");
  TPickDialogScope dialog;
  dialog->Show();
  EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
  dialog->Hide();
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST(ModalWindows, WindowFreedByItsOwnHandlerEndsTheRunWithCancel) {
  THeadlessScope operatorScope("ok; cancel");
  TPickDialog* dialog = TPickDialog::Create(nullptr);
  dialog->OkClicked = [](TPickDialog* self) { self->Free(); };
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(operatorScope.WidgetSet().PendingSteps(), 1);
  EXPECT_EQ(Screen->ActiveForm(), nullptr);
}

TEST(ModalWindows, ReleasedWindowGoesOnceTheRunIsOver) {
  THeadlessScope operatorScope("ok");
  TPickDialog* dialog = TPickDialog::Create(nullptr);
  const int formsBefore = Screen->FormCount();
  dialog->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(Screen->FormCount(), formsBefore);
  Application->ProcessMessages();
  EXPECT_EQ(Screen->FormCount(), formsBefore - 1);
}

TEST(ModalWindows, HandlerErrorReachesTheCallerWithTheWindowClosed) {
  THeadlessScope operatorScope("ok; cancel");
  TPickDialogScope dialog;
  dialog->OkClicked = [](TPickDialog*) { throw EConvertError("'x' is not a valid integer value"); };
  EXPECT_THROW(dialog->ShowModal(), EConvertError);
  EXPECT_FALSE(dialog->Visible());
  EXPECT_FALSE(dialog->Modal());
  const std::vector<TRecordEntry> errors = operatorScope.Record().OfKind(TRecordKind::HandlerError);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].Caption, "EConvertError");
}

TEST(ModalWindows, ReportedHandlerErrorIsShownAndTheScriptGoesOn) {
  THeadlessScope operatorScope("ok; cancel");
  operatorScope.WidgetSet().SetHandlerErrors(THandlerErrors::Report);
  TPickDialogScope dialog;
  dialog->OkClicked = [](TPickDialog* self) {
    self->SetModalResult(mrNone);
    throw EConvertError("Bad value");
  };
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  const std::vector<TRecordEntry> boxes = operatorScope.Record().OfKind(TRecordKind::MessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "Bad value.");
  EXPECT_EQ(boxes[0].Flags & MB_ICONMASK, MB_ICONERROR);
}

TEST(ModalWindows, SilentAbortInAHandlerLeavesTheWindowRunning) {
  THeadlessScope operatorScope("ok; cancel");
  TPickDialogScope dialog;
  dialog->OkClicked = [](TPickDialog* self) {
    self->SetModalResult(mrNone);
    Abort();
  };
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(operatorScope.Record().Count(), 0);
}

TEST(ModalWindows, StepThatCannotApplyNamesItselfAndTheReason) {
  const struct {
    const char* Script;
    const char* Reason;
  } cases[] = {
      {"click Nowhere", "has no component Nowhere"},
      {"click Grid", "is not a button"},
      {"click pFind1", "is a menu item"},
      {"radio Grid 0", "is not a radio group"},
      {"tick ID=9", "no row of the grid Grid has ID=9"},
      {"tickrow 5", "has 3 rows"},
      {"filter NAME = 'x'", "nothing is registered to run \"filter\""},
  };
  for (const auto& c : cases) {
    THeadlessScope operatorScope(String("dump; ") + c.Script);
    TPickDialogScope dialog;
    try {
      dialog->ShowModal();
      ADD_FAILURE() << c.Script << " applied";
    } catch (const EOperatorError& error) {
      EXPECT_NE(error.Message().find("step 2 (line 1)"), String::npos) << error.Message();
      EXPECT_NE(error.Message().find(c.Reason), String::npos) << error.Message();
    }
    EXPECT_FALSE(dialog->Visible());
  }
}

TEST(ModalWindows, DisabledOrHiddenControlsCannotBeUsed) {
  const struct {
    const char* Script;
    const char* Reason;
  } cases[] = {
      {"click OkBtn", "OkBtn is disabled"},
      {"key Grid Space", "Grid is not shown"},
      {"tickrow 0", "the window \"Pick\" has no grid"},
  };
  for (const auto& c : cases) {
    THeadlessScope operatorScope(c.Script);
    TPickDialogScope dialog;
    dialog->Panel1->SetEnabled(false);
    dialog->Grid->Hide();
    try {
      dialog->ShowModal();
      ADD_FAILURE() << c.Script << " applied";
    } catch (const EOperatorError& error) {
      EXPECT_NE(error.Message().find(c.Reason), String::npos) << error.Message();
    }
  }
}
