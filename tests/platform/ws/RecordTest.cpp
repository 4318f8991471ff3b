#include <gtest/gtest.h>

#include "TestWindows.h"
#include "platform/rtl/MessageSink.h"
#include "platform/rtl/ScopeGuard.h"

namespace {

// Shows a question and then a plain message when OK is clicked; the question's answer is kept.
struct TQuestionDialog {
  explicit TQuestionDialog(uint32_t flags) {
    dialog->OkClicked = [this, flags](TPickDialog*) {
      answer = Application->MessageBox("Save the marks?", "Question", flags | MB_ICONQUESTION);
      ShowMessage("Done");
    };
  }
  TPickDialogScope dialog;
  int answer = 0;
};

}  // namespace

TEST(OperatorRecord, MessageBoxesTakeTheirRepliesWrittenBeforeOrAfterTheStep) {
  const struct {
    const char* Script;
    uint32_t Flags;
    int Answer;
    const char* Reply;
  } cases[] = {
      {"click OkBtn; answer no", MB_YESNO, IDNO, "no"},
      {"answer no; click OkBtn", MB_YESNO, IDNO, "no"},
      {"click OkBtn", MB_YESNO, IDYES, "yes"},
      {"click OkBtn", MB_YESNO | MB_DEFBUTTON2, IDNO, "no"},
      {"click OkBtn", MB_OKCANCEL | MB_DEFBUTTON2, IDOK, "ok"},
  };
  for (const auto& c : cases) {
    THeadlessScope operatorScope(c.Script);
    TQuestionDialog question(c.Flags);
    question.dialog->ShowModal();
    EXPECT_EQ(question.answer, c.Answer) << c.Script;
    const std::vector<TRecordEntry> boxes = operatorScope.Record().OfKind(TRecordKind::MessageBox);
    ASSERT_EQ(boxes.size(), 2u) << c.Script;
    EXPECT_EQ(boxes[0].Caption, "Question");
    EXPECT_EQ(boxes[0].Owner, "PickDialog");
    EXPECT_EQ(boxes[0].Text, "Save the marks?");
    EXPECT_EQ(boxes[0].Reply, c.Reply) << c.Script;
    EXPECT_EQ(boxes[1].Text, "Done");
    EXPECT_EQ(boxes[1].Caption, Application->Title());
    EXPECT_EQ(boxes[1].Reply, "ok");
  }
}

TEST(OperatorRecord, ReplyTheBoxHasNoButtonForFails) {
  THeadlessScope operatorScope("click OkBtn; answer yes");
  TPickDialogScope dialog;
  dialog->OkClicked = [](TPickDialog*) { ShowMessage("Done"); };
  try {
    dialog->ShowModal();
    FAIL();
  } catch (const EOperatorError& error) {
    EXPECT_NE(error.Message().find("\"answer yes\": the message box \"Done\" has no yes button"),
              String::npos)
        << error.Message();
  }
}

TEST(OperatorRecord, GridToolStepGoesToItsHandlerWithTheActiveGrid) {
  THeadlessScope operatorScope("sort NAME, ID; cancel-progress 3; cancel");
  TPickDialogScope dialog;
  TCustomDBGrid* toolGrid = nullptr;
  String toolColumns;
  std::vector<bool> steps;
  RegisterOperatorStep("sort", [&](TStepContext& context) {
    toolGrid = context.ActiveGrid();
    toolColumns = context.Step().Argument;
    std::unique_ptr<TProgressWindow> progress =
        WidgetSet()->ShowProgressWindow("Sorting", "Rows", 5);
    for (int i = 0; i < 5; ++i) steps.push_back(progress->Step("row"));
  });
  Finally unregister([] { UnregisterOperatorStep("sort"); });
  dialog->ShowModal();
  EXPECT_EQ(toolGrid, dialog->Grid);
  EXPECT_EQ(toolColumns, "NAME, ID");
  EXPECT_EQ(steps, (std::vector<bool>{true, true, false, false, false}));
  const std::vector<TRecordEntry> progress =
      operatorScope.Record().OfKind(TRecordKind::ProgressWindow);
  ASSERT_EQ(progress.size(), 1u);
  EXPECT_EQ(progress[0].Caption, "Sorting");
  EXPECT_EQ(progress[0].Steps, 3);
  EXPECT_EQ(progress[0].CancelledAtStep, 3);
}

TEST(OperatorRecord, ListWaitAndProgressWindowsAreRecordedInOrder) {
  THeadlessScope operatorScope("");
  {
    std::unique_ptr<TWaitWindow> wait = WidgetSet()->ShowWaitWindow("Loading");
    wait->SetText("Still loading");
  }
  WidgetSet()->ShowListWindow("IDs not found", {"7", "9"});
  std::unique_ptr<TProgressWindow> progress = WidgetSet()->ShowProgressWindow("Marking", "", 2);
  EXPECT_TRUE(progress->Step("1"));
  EXPECT_TRUE(progress->Step("2"));
  WidgetSet()->MessageBeep(MB_ICONERROR);
  EXPECT_EQ(operatorScope.Record().Text(),
            "wait window: \"Loading\"\n"
            "    then \"Still loading\"\n"
            "list window \"IDs not found\":\n"
            "    7\n"
            "    9\n"
            "progress window \"Marking\": \"\" (maximum 2, 2 steps)\n"
            "beep 16\n");
}
