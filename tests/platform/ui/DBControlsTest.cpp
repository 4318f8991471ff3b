#include <gtest/gtest.h>

#include "FakeWidgetSet.h"
#include "platform/db/VirtualTable.h"
#include "platform/ui/DBCtrls.h"
#include "platform/ui/DBGrids.h"

namespace {

// A window with a grid over three rows (RCHECK, ID, NAME).
class DBControls : public ::testing::Test {
 protected:
  DBControls() {
    form = TForm::Create(nullptr);
    table = TVirtualTable::Create(form);
    table->AddField("RCHECK", ftString, 1);
    table->AddField("ID", ftInteger);
    table->AddField("NAME", ftString, 20);
    source = TDataSource::Create(form);
    source->SetDataSet(table);
    grid = TDBGrid::Create(form);
    grid->SetName("DBGrid1");
    grid->SetParent(form);
    grid->SetBounds(0, 0, 300, 100);
    grid->SetDataSource(source);
    table->Open();
    for (int id = 1; id <= 3; ++id) table->AppendRecord({"-", id, "Row " + std::to_string(id)});
    table->First();
  }
  ~DBControls() override { form->Free(); }

  TPoint MiddleOf(const TRect& rect) const {
    return {rect.Left + rect.Width() / 2, rect.Top + rect.Height() / 2};
  }
  void ClickAt(TControl* control, TPoint at) {
    control->Perform(WM_LBUTTONDOWN, 0, PointToLParam(at));
    control->Perform(WM_LBUTTONUP, 0, PointToLParam(at));
  }
  std::vector<String> ShownFields() const {
    std::vector<String> names;
    for (TColumn* column : grid->VisibleColumns()) names.push_back(column->TitleCaption());
    return names;
  }

  TForm* form;
  TVirtualTable* table;
  TDataSource* source;
  TDBGrid* grid;
};

}  // namespace

TEST_F(DBControls, DefaultColumnsFollowTheFieldsAndCustomOnesReplaceThem) {
  EXPECT_EQ(grid->Columns()->State(), csDefault);
  EXPECT_EQ(ShownFields(), (std::vector<String>{"RCHECK", "ID", "NAME"}));
  table->FieldByName("NAME")->SetDisplayLabel("Name");
  table->FieldByName("RCHECK")->SetVisible(false);
  EXPECT_EQ(ShownFields(), (std::vector<String>{"ID", "Name"}));

  TColumn* column = grid->Columns()->Add();
  column->SetFieldName("NAME");
  column->SetTitleCaption("[No.] Name");
  column->SetWidth(80);
  EXPECT_EQ(grid->Columns()->State(), csCustomized);
  EXPECT_EQ(ShownFields(), std::vector<String>{"[No.] Name"});
  EXPECT_EQ(column->Field(), table->FieldByName("NAME"));
  EXPECT_EQ(grid->SelectedField(), column->Field());
  table->Close();
  EXPECT_EQ(column->Field(), nullptr);
  EXPECT_EQ(grid->Columns()->Count(), 1);
}

TEST_F(DBControls, PaintDrawsEveryShownCellAndThenHandsItToTheHandler) {
  std::vector<String> cells;
  grid->SetOptions(grid->Options() | dgAlwaysShowSelection);
  grid->OnDrawColumnCell = [&](TObject*, const TRect&, int dataCol, TColumn* column,
                               TGridDrawState state) {
    cells.push_back(IntToStr(dataCol) + " " + column->Field()->DisplayText() +
                    ((state & gdSelected) ? " selected" : ""));
  };
  grid->PaintControl();
  EXPECT_EQ(cells, (std::vector<String>{"0 - selected", "1 1", "2 Row 1", "0 -", "1 2", "2 Row 2",
                                        "0 -", "1 3", "2 Row 3"}));
  const std::vector<TCanvasOp>& ops = grid->Canvas()->Operations();
  const auto drew = [&](const String& text) {
    return std::any_of(ops.begin(), ops.end(),
                       [&](const TCanvasOp& op) { return op.Text == text; });
  };
  EXPECT_TRUE(drew("NAME"));
  EXPECT_TRUE(drew("Row 3"));

  // An empty dataset still gets one row of cells, so that its look can be drawn.
  table->Clear();
  cells.clear();
  grid->PaintControl();
  EXPECT_EQ(cells, (std::vector<String>{"0 ", "1 ", "2 "}));
}

TEST_F(DBControls, ClickingACellMakesItsRowCurrentAndRunsTheCellClick) {
  std::vector<String> clicks;
  grid->OnCellClick = [&](TColumn* column) { clicks.push_back("cell " + column->FieldName()); };
  grid->OnTitleClick = [&](TColumn* column) { clicks.push_back("title " + column->FieldName()); };
  ClickAt(grid, MiddleOf(grid->CellRect(2, 1)));
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_EQ(grid->SelectedField(), table->FieldByName("NAME"));
  ClickAt(grid, {MiddleOf(grid->CellRect(1, 0)).X, 2});
  EXPECT_EQ(clicks, (std::vector<String>{"cell NAME", "title ID"}));
  EXPECT_EQ(table->RecNo(), 2);
}

TEST_F(DBControls, KeysScrollMessagesAndTheWheelMoveTheCurrentRow) {
  int scrolls = 0;
  grid->WindowProc = [&, saved = grid->WindowProc](TMessage& message) {
    if (message.Msg == WM_VSCROLL && message.WParam != SB_ENDSCROLL) ++scrolls;
    saved(message);
  };
  grid->Perform(WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(table->RecNo(), 2);
  grid->Perform(WM_KEYDOWN, VK_END, ssCtrl);
  EXPECT_EQ(table->RecNo(), 3);
  grid->Perform(WM_VSCROLL, SB_LINEUP);
  grid->Perform(WM_VSCROLL, SB_ENDSCROLL);
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_EQ(scrolls, 1);
  grid->Perform(WM_MOUSEWHEEL, -120);
  EXPECT_EQ(table->RecNo(), 3);
  grid->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& handled) { handled = true; };
  grid->Perform(WM_MOUSEWHEEL, 120);
  EXPECT_EQ(table->RecNo(), 3);
}

TEST_F(DBControls, NavigatorButtonsFollowTheDatasetAndAct) {
  TFakeWidgetSet widgetSet;
  TDBNavigator* navigator = TDBNavigator::Create(form);
  navigator->SetParent(form);
  navigator->SetDataSource(source);
  const auto enabled = [&] {
    String states;
    for (int i = 0; i < NavigateButtonCount; ++i)
      states += navigator->Buttons(TNavigateBtn(i))->Enabled() ? '1' : '0';
    return states;
  };
  EXPECT_EQ(enabled(), "0011111001");
  navigator->Buttons(nbLast)->Perform(WM_LBUTTONUP);
  EXPECT_EQ(table->RecNo(), 3);
  table->Edit();
  EXPECT_EQ(enabled(), "1100110111");
  table->Cancel();

  navigator->Hints()->SetCommaText("\"To the first\",,Next");
  EXPECT_EQ(navigator->Buttons(nbFirst)->Hint(), "To the first");
  EXPECT_EQ(navigator->Buttons(nbPrior)->Hint(), "Prior record");
  EXPECT_EQ(navigator->Buttons(nbRefresh)->Hint(), "Refresh data");

  widgetSet.Answer = IDCANCEL;
  navigator->BtnClick(nbDelete);
  EXPECT_EQ(table->RecordCount(), 3);
  widgetSet.Answer = IDOK;
  navigator->BtnClick(nbDelete);
  EXPECT_EQ(table->RecordCount(), 2);
  ASSERT_EQ(widgetSet.Boxes.size(), 2u);
  EXPECT_EQ(widgetSet.Boxes[0].Text, "Delete record?");
}

TEST_F(DBControls, BoundMemoShowsItsFieldAndWritesWhatIsTyped) {
  TFakeWidgetSet widgetSet;
  TDBMemo* memo = TDBMemo::Create(form);
  memo->SetParent(form);
  memo->SetDataSource(source);
  memo->SetDataField("NAME");
  EXPECT_EQ(memo->Text(), "Row 1");
  table->Next();
  EXPECT_EQ(memo->Text(), "Row 2");
  memo->Perform(WM_CHAR, '!');
  EXPECT_EQ(table->State(), dsEdit);
  table->Post();
  EXPECT_EQ(table->FieldByName("NAME")->AsString(), "Row 2!");

  memo->SetReadOnly(true);
  memo->Perform(WM_CHAR, '?');
  EXPECT_EQ(memo->Text(), "Row 2!");
  memo->SetDataField("ID");
  EXPECT_EQ(memo->Text(), "2");
  memo->SetReadOnly(false);
  table->SetReadOnly(true);
  memo->Perform(WM_CHAR, '?');
  EXPECT_EQ(widgetSet.Beeps.size(), 1u);
}
