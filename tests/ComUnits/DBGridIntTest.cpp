#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/db/VirtualTable.h"
#include "platform/rtl/MessageSink.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "src/ComUnits/uDBGridInt.h"
#include "src/ResourcePack/Ucomcolors.h"
#include "support/ErrorOf.h"

namespace {

// A window with a grid over three rows (RCHECK, ID, NAME: persistent fields, so that they stay
// while the table is closed) and the window's list of grid interface objects.
class DBGridInt : public ::testing::Test {
 protected:
  DBGridInt() {
    form = TForm::Create(nullptr);
    table = TVirtualTable::Create(form);
    AddField(TStringField::Create(form), "RCHECK", 1);
    AddField(TIntegerField::Create(form), "ID", 0);
    AddField(TStringField::Create(form), "NAME", 20);
    source = TDataSource::Create(form);
    source->SetDataSet(table);
    grid = NewGrid("DBGrid1");
    grid->SetDataSource(source);
    table->Open();
    for (int id = 1; id <= 3; ++id) table->AppendRecord({"-", id, "Row " + std::to_string(id)});
    table->First();
    list = TDBIntList::Create();
  }
  ~DBGridInt() override {
    list->Free();
    form->Free();
  }

  void AddField(TField* field, const String& name, int size) {
    field->SetFieldName(name);
    if (size > 0) field->SetSize(size);
    field->SetDataSet(table);
  }
  TDBGrid* NewGrid(const String& name) {
    TDBGrid* result = TDBGrid::Create(form);
    result->SetName(name);
    result->SetParent(form);
    result->SetBounds(0, 0, 300, 100);
    return result;
  }
  // Custom columns of the given widths over RCHECK, ID and NAME.
  void SetColumns(std::initializer_list<int> widths) {
    const char* names[] = {"RCHECK", "ID", "NAME"};
    int i = 0;
    for (int width : widths) {
      TColumn* column = grid->Columns()->Add();
      column->SetFieldName(names[i++]);
      column->SetWidth(width);
    }
  }
  IDBGrid* Attach(TWinControl* control, TClass cls = TDBGridIntObj::ClassInfo()) {
    return list->GetItem(list->Add(CreateGridInterfaced(cls, control)));
  }
  String Marks() {
    String marks;
    for (table->First(); !table->Eof(); table->Next())
      marks += table->FieldByName("RCHECK")->AsString();
    return marks;
  }

  TForm* form;
  TVirtualTable* table;
  TDataSource* source;
  TDBGrid* grid;
  TDBIntList* list;
};

// Records the plain messages shown while it lives.
class MessageRecorder {
 public:
  MessageRecorder()
      : FPrevious(SetMessageSink([this](const TMessageRequest& request) {
          Texts.push_back(request.Text);
          return 1;
        })) {}
  ~MessageRecorder() { SetMessageSink(FPrevious); }
  std::vector<String> Texts;

 private:
  TMessageSink FPrevious;
};

}  // namespace

TEST_F(DBGridInt, ReadsTheGridsColumnsAndTheirFields) {
  SetColumns({20, 40, 100});
  table->FieldByName("NAME")->SetDisplayLabel("Name");
  grid->Columns()->Items(1)->SetVisible(false);
  IDBGrid* intf = Attach(grid);
  EXPECT_EQ(intf->GetGrid(), grid);
  EXPECT_EQ(intf->ColumnCount(), 3);
  String title;
  intf->GetColumnTitle(2, title);
  EXPECT_EQ(title, "Name");
  EXPECT_EQ(intf->GetColumnWidth(1), 40);
  EXPECT_FALSE(intf->IsColumnVisible(1));
  EXPECT_TRUE(intf->IsColumnVisible(2));
  EXPECT_EQ(intf->GetColumnField(2), table->FieldByName("NAME"));

  // A closed dataset still names the column's field; without a dataset there is none.
  table->Close();
  EXPECT_EQ(intf->GetColumnField(1), table->FieldByName("ID"));
  intf->SetDataSource(nullptr);
  EXPECT_EQ(intf->GetColumnField(1), nullptr);
}

TEST_F(DBGridInt, CheckFieldIsVisibleOnlyWhenTheDatasetHasItShowing) {
  IDBGrid* intf = Attach(grid);
  intf->SetCheckFieldName("RCHECK");
  EXPECT_TRUE(intf->IsCheckFieldVisible());
  table->FieldByName("RCHECK")->SetVisible(false);
  EXPECT_FALSE(intf->IsCheckFieldVisible());
  intf->SetCheckFieldName("MARK");
  EXPECT_FALSE(intf->IsCheckFieldVisible());
}

TEST_F(DBGridInt, DataSourceAndDataSetChangesAreReportedBeforeTheyHappen) {
  TVirtualTable* other = TVirtualTable::Create(form);
  TDataSource* otherSource = TDataSource::Create(form);
  otherSource->SetDataSet(other);
  IDBGrid* intf = Attach(grid);
  std::vector<String> calls;
  intf->SetOnDataSourceChange([&](IDBGrid* sender, TDataSource* to) {
    EXPECT_EQ(sender, intf);
    calls.push_back("source " + (to ? to->ClassName() : String("nil")) + " from " +
                    (sender->GetDataSource() == source ? "old" : "new"));
  });
  intf->SetOnDataSetChange([&](IDBGrid* sender, TDataSet* to) {
    calls.push_back(String("dataset ") + (to == other ? "other" : to ? "table" : "nil"));
  });

  intf->SetDataSource(otherSource);
  EXPECT_EQ(grid->DataSource(), otherSource);
  EXPECT_EQ(intf->GetDataSet(), other);
  intf->SetDataSource(otherSource);  // the same source and dataset: nothing to report
  intf->SetDataSet(table);
  EXPECT_EQ(otherSource->DataSet(), table);
  intf->SetDataSource(nullptr);
  EXPECT_EQ(calls, (std::vector<String>{"source TDataSource from old", "dataset other",
                                        "dataset table", "source nil from new", "dataset nil"}));
  // Without a source of the grid's own, the ones remembered at creation and set last answer.
  EXPECT_EQ(intf->GetDataSource(), source);
  EXPECT_EQ(intf->GetDataSet(), nullptr);
}

TEST_F(DBGridInt, ScrollingHidesTheControlsOnTheGridUntilTheMessageIsDone) {
  TEdit* editor = TEdit::Create(form);
  editor->SetParent(grid);
  TEdit* hidden = TEdit::Create(form);
  hidden->SetParent(grid);
  hidden->Hide();
  std::vector<String> seen;
  const TWndMethod gridOwn = grid->WindowProc;
  const TWndMethod recorder = [&, gridOwn](TMessage& message) {
    if (message.Msg == WM_VSCROLL || message.Msg == WM_HSCROLL) {
      seen.push_back(editor->Visible() ? "shown" : "hidden");
      if (message.WParam == SB_PAGEDOWN) throw Exception("scroll failed");
    }
    gridOwn(message);
  };
  grid->WindowProc = recorder;
  Attach(grid);

  grid->Perform(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_TRUE(editor->Visible());
  grid->Perform(WM_HSCROLL, SB_LINEDOWN);
  grid->Perform(WM_VSCROLL, SB_ENDSCROLL);
  EXPECT_EQ(ClassAndErrorOf([&] { grid->Perform(WM_VSCROLL, SB_PAGEDOWN); }), "Exception: scroll failed");
  EXPECT_EQ(seen, (std::vector<String>{"hidden", "hidden", "shown", "hidden"}));
  EXPECT_TRUE(editor->Visible());
  EXPECT_FALSE(hidden->Visible());

  list->Clear();
  EXPECT_TRUE(grid->WindowProc == recorder);
}

TEST_F(DBGridInt, AGridWithoutWindowProcedureFailsTheAssertion) {
  const TWndMethod gridOwn = grid->WindowProc;
  grid->WindowProc = nullptr;
  Attach(grid);
  EXPECT_EQ(ClassAndErrorOf([&] { grid->Perform(WM_KEYDOWN, VK_DOWN); }),
            "EAssertionFailed: DBGridIntObj.NewWindowProc: FOldWndMethod = nil!!!");
  list->Clear();
  grid->WindowProc = gridOwn;
}

TEST_F(DBGridInt, AProcedurePutInFrontLaterKeepsWorkingAfterTheObjectIsGone) {
  Attach(grid);
  grid->WindowProc = [saved = grid->WindowProc](TMessage& message) { saved(message); };
  list->Clear();
  grid->Perform(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(table->RecNo(), 2);
}

TEST_F(DBGridInt, FitColumnGivesTheColumnTheRoomTheOthersLeave) {
  struct Case {
    int gridWidth;
    bool indicator;
    int index, minWidth;
    std::vector<int> widths;
  };
  // Columns of 20, 40 and 100 pixels; the indicator is 11 wide; one line per column and one more.
  const Case cases[] = {
      {300, true, 2, 100, {20, 40, 225}}, {300, true, 2, 226, {20, 40, 100}},
      {300, true, 0, 0, {145, 40, 100}},  {300, false, 2, 0, {20, 40, 236}},
      {95, true, 2, 0, {20, 40, 20}},     {94, true, 2, 0, {20, 40, 100}},
      {300, true, 3, 0, {20, 40, 100}},   {300, true, -1, 0, {20, 40, 100}},
  };
  const int initial[] = {20, 40, 100};
  SetColumns({20, 40, 100});
  IDBGrid* intf = Attach(grid);
  for (const Case& c : cases) {
    for (int i = 0; i < 3; ++i) grid->Columns()->Items(i)->SetWidth(initial[i]);
    grid->SetWidth(c.gridWidth);
    grid->SetOptions(c.indicator ? grid->Options() | dgIndicator : grid->Options() & ~dgIndicator);
    intf->FitColumn(c.index, c.minWidth);
    std::vector<int> widths;
    for (int i = 0; i < 3; ++i) widths.push_back(intf->GetColumnWidth(i));
    EXPECT_EQ(widths, c.widths) << c.gridWidth << " " << c.index << " " << c.minWidth;
  }
  intf->FitLastColumn(100);
  EXPECT_EQ(intf->GetColumnWidth(2), 225);
  grid->Columns()->Clear();
  intf->FitLastColumn(0);  // no column to fit
}

TEST_F(DBGridInt, SetCheckValuePostsOnlyWhatItEdited) {
  IDBGrid* intf = Attach(grid);
  intf->SetCheckFieldName("RCHECK");
  intf->SetCheckValue(true);
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_TRUE(intf->GetCheckValue());

  table->Next();
  table->Edit();
  intf->SetCheckValue(true);
  EXPECT_EQ(table->State(), dsEdit);
  EXPECT_TRUE(intf->GetCheckValue());
  table->Cancel();
  EXPECT_EQ(Marks(), "+--");

  // A mark never makes a record of an empty dataset.
  table->Clear();
  intf->SetCheckValue(true);
  EXPECT_EQ(table->RecordCount(), 0);
  EXPECT_EQ(table->State(), dsBrowse);
  intf->SetDataSource(nullptr);
  intf->SetCheckValue(true);
  EXPECT_FALSE(intf->GetCheckValue());
}

TEST_F(DBGridInt, CellDrawingAndClicksGoToTheHandlersAndLeaveWithTheObject) {
  IDBGrid* intf = Attach(grid);
  std::vector<String> drawn, clicked;
  intf->SetOnDrawCell(
      [&](TObject* sender, TCanvas* canvas, TGridDrawState, const TRect&, TField* field) {
        EXPECT_EQ(sender, grid);
        EXPECT_EQ(canvas, grid->Canvas());
        drawn.push_back(field->FieldName());
        return field->FieldName() != "NAME";  // NAME cells are left to the grid
      });
  intf->SetOnCellClick([&](TObject* sender, TField* field) {
    EXPECT_EQ(sender, grid);
    clicked.push_back(field->FieldName());
  });
  TDBGridDrawCellEvent storedDraw;
  intf->GetOnDrawCell(storedDraw);
  EXPECT_TRUE(storedDraw.Assigned());

  grid->SetDefaultDrawing(false);
  grid->PaintControl();
  EXPECT_EQ(drawn.size(), 9u);
  const std::vector<TCanvasOp>& ops = grid->Canvas()->Operations();
  const auto drewText = [&](const String& text) {
    return std::any_of(ops.begin(), ops.end(),
                       [&](const TCanvasOp& op) { return op.Text == text; });
  };
  EXPECT_TRUE(drewText("Row 2"));
  EXPECT_FALSE(drewText("2"));

  const TRect cell = grid->CellRect(1, 0);
  const TPoint middle{cell.Left + 2, cell.Top + 2};
  grid->Perform(WM_LBUTTONDOWN, 0, PointToLParam(middle));
  grid->Perform(WM_LBUTTONUP, 0, PointToLParam(middle));
  EXPECT_EQ(clicked, std::vector<String>{"ID"});

  list->Clear();
  EXPECT_FALSE(grid->OnDrawColumnCell.Assigned());
  EXPECT_FALSE(grid->OnCellClick.Assigned());
}

TEST_F(DBGridInt, GridHandlersOfTheWindowsOwnAreKept) {
  int ownClicks = 0;
  grid->OnCellClick = [&](TColumn*) { ++ownClicks; };
  IDBGrid* intf = Attach(grid);
  intf->SetOnCellClick([](TObject*, TField*) { FAIL() << "the grid's own handler stays"; });
  const TPoint at{grid->CellRect(1, 0).Left + 2, grid->CellRect(1, 0).Top + 2};
  grid->Perform(WM_LBUTTONDOWN, 0, PointToLParam(at));
  grid->Perform(WM_LBUTTONUP, 0, PointToLParam(at));
  EXPECT_EQ(ownClicks, 1);
  list->Clear();
  EXPECT_TRUE(grid->OnCellClick.Assigned());
}

TEST_F(DBGridInt, CheckColumnCellsByFieldRecordsAndSelection) {
  enum TFieldChoice { CheckField, CheckFieldOtherCase, OtherField, NoField };
  struct Case {
    TFieldChoice field;
    bool empty, selected, marked;
    bool drawn;
    std::vector<TCanvasOpKind> kinds;
    uint32_t frameState;
  };
  using K = TCanvasOpKind;
  const Case cases[] = {
      {CheckField, false, false, true, true, {K::FillRect, K::FrameControl}, DFCS_CHECKED},
      {CheckFieldOtherCase, false, true, false, true, {K::FillRect, K::FrameControl}, 0},
      {NoField, false, false, false, true, {K::FillRect, K::FrameControl}, 0},
      {CheckField, true, false, false, true, {K::FillRect, K::FrameControl}, DFCS_INACTIVE},
      {OtherField, false, false, false, false, {}, 0},
      {OtherField, true, false, false, true, {K::FillRect, K::TextOut}, 0},
      {OtherField, true, true, false, false, {}, 0},
  };
  TVirtualTable* empty = TVirtualTable::Create(form);
  empty->AddField("RCHECK", ftString, 1);
  empty->AddField("NAME", ftString, 20);
  empty->Open();
  TCanvas* canvas = grid->Canvas();
  const TRect rect = Bounds(10, 20, 30, 17);
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    TDataSet* dataSet = c.empty ? static_cast<TDataSet*>(empty) : table;
    TField* field = c.field == NoField      ? nullptr
                    : c.field == OtherField ? dataSet->FieldByName("NAME")
                                            : dataSet->FieldByName("RCHECK");
    canvas->ClearOperations();
    canvas->Brush()->SetColor(clWindow);
    canvas->Font()->SetColor(clWindowText);
    const bool drawn =
        DrawCheckColumnCell(canvas, c.selected ? gdSelected : 0, rect, field,
                            c.field == CheckFieldOtherCase ? "rcheck" : "RCHECK", [&](TField* f) {
                              EXPECT_EQ(f, field);
                              return c.marked;
                            });
    EXPECT_EQ(drawn, c.drawn);
    std::vector<TCanvasOpKind> kinds;
    for (const TCanvasOp& op : canvas->Operations()) {
      kinds.push_back(op.Kind);
      EXPECT_EQ(op.Rect, rect);
      if (op.Kind == K::FrameControl) {
        EXPECT_EQ(op.FrameType, DFC_BUTTON);
        EXPECT_EQ(op.FrameState, DFCS_BUTTONCHECK | c.frameState);
        EXPECT_EQ(op.BrushColor, clMainBackground);
        EXPECT_EQ(op.FontColor, clBlack);
      }
      if (op.Kind == K::TextOut) {
        EXPECT_EQ(op.At, (TPoint{11, 21}));
        EXPECT_EQ(op.BrushColor, clNotRecord);
      }
    }
    EXPECT_EQ(kinds, c.kinds);
    // An empty dataset's cell left to the grid is still to be drawn in the empty colour.
    if (c.empty && !c.drawn) {
      EXPECT_EQ(canvas->Brush()->Color(), clNotRecord);
    }
  }
}

TEST_F(DBGridInt, AnEmptyGridShowsDisabledBoxesAndGreyCellsWithTheirText) {
  IDBGrid* intf = Attach(grid);
  intf->SetCheckFieldName("RCHECK");
  intf->SetOnDrawCell(
      [&](TObject*, TCanvas* canvas, TGridDrawState state, const TRect& rect, TField* field) {
        return DrawCheckColumnCell(canvas, state, rect, field, "RCHECK",
                                   [](TField* f) { return f->AsString() == "+"; });
      });
  table->Clear();
  grid->PaintControl();
  std::vector<String> cells;
  for (const TCanvasOp& op : grid->Canvas()->Operations()) {
    if (op.Kind == TCanvasOpKind::FrameControl)
      cells.push_back(op.FrameState == (DFCS_BUTTONCHECK | DFCS_INACTIVE) ? "disabled box" : "box");
    else if (op.Kind == TCanvasOpKind::FillRect && op.BrushColor == clNotRecord)
      cells.push_back("grey cell");
  }
  EXPECT_EQ(cells, (std::vector<String>{"disabled box", "grey cell", "grey cell"}));

  table->AppendRecord({"+", 1, "Row 1"});
  grid->Canvas()->ClearOperations();
  grid->PaintControl();
  std::vector<uint32_t> boxes;
  for (const TCanvasOp& op : grid->Canvas()->Operations())
    if (op.Kind == TCanvasOpKind::FrameControl) boxes.push_back(op.FrameState);
  EXPECT_EQ(boxes, std::vector<uint32_t>{DFCS_BUTTONCHECK | DFCS_CHECKED});
}

TEST_F(DBGridInt, TheListFindsInterfacesByWindowHandleAndRefusesObjectsWithout) {
  TDBGrid* plain = NewGrid("DBGrid2");
  TDBGrid* second = NewGrid("DBGrid3");
  IDBGrid* first = Attach(grid);
  EXPECT_EQ(ClassAndErrorOf([&] { Attach(plain, TGridInterfaced::ClassInfo()); }),
            "Exception: TDBIntList.GetItem(1): IDBGrid interface is not obtained");
  IDBGrid* found = Attach(second);
  EXPECT_EQ(list->Count(), 3);
  EXPECT_EQ(list->FindByControl(second), found);
  EXPECT_EQ(list->FindByControl(grid), first);
  EXPECT_EQ(list->FindByControl(plain), nullptr);
  EXPECT_EQ(list->FindByControl(form), nullptr);
  EXPECT_EQ(list->FindByControl(nullptr), nullptr);
}

TEST_F(DBGridInt, OnlyADataGridGetsTheInterfaceObject) {
  const TWndMethod gridOwn = grid->WindowProc;
  TEdit* edit = TEdit::Create(form);
  EXPECT_EQ(ClassAndErrorOf([&] { CreateGridInterfaced(TDBGridIntObj::ClassInfo(), edit); }),
            "EInvalidCast: Invalid class typecast");
  EXPECT_EQ(ClassAndErrorOf([&] { CreateGridInterfaced(TDBGridIntObj::ClassInfo(), nullptr); }),
            "EInvalidCast: Invalid class typecast");
  EXPECT_EQ(ClassAndErrorOf([&] { CreateGridInterfaced(TEdit::ClassInfo(), grid); }),
            "EInvalidCast: Invalid class typecast");
  EXPECT_TRUE(grid->WindowProc == gridOwn);  // nothing was hooked
}

TEST_F(DBGridInt, TheGridAndItsDatasetMayGoBeforeTheInterfaceObject) {
  IDBGrid* intf = Attach(grid);
  TDBGrid* other = NewGrid("DBGrid2");
  Attach(other);
  grid->Free();
  table->Free();
  source->Free();
  EXPECT_EQ(intf->GetGrid(), nullptr);
  EXPECT_EQ(intf->GetDataSet(), nullptr);
  EXPECT_EQ(intf->GetDataSource(), nullptr);
  EXPECT_EQ(ClassAndErrorOf([&] { intf->ColumnCount(); }),
            "EAssertionFailed: TDBGridIntObj.Grid: FGrid = nil");
  EXPECT_EQ(list->FindByControl(other), list->GetItem(1));
  list->Clear();  // frees the object without touching the freed grid
}

TEST_F(DBGridInt, ReleasingTheLastReferenceIsShownAndTakesTheObjectOutOfItsList) {
  MessageRecorder messages;
  IDBGrid* intf = Attach(grid);
  EXPECT_EQ(intf->_AddRef(), 2);
  EXPECT_EQ(intf->_Release(), 1);
  EXPECT_TRUE(messages.Texts.empty());
  EXPECT_EQ(intf->_Release(), 0);
  EXPECT_EQ(messages.Texts, std::vector<String>{"DBGrid1_Release: RefCount=0"});
  EXPECT_EQ(list->Count(), 0);
}

TEST_F(DBGridInt, CheckAllToolsMarkTheRCheckFieldOfTheGridsRows) {
  IDBGrid* intf = Attach(grid);
  intf->SetCheckFieldName("MARK");  // the tools mark RCHECK whatever the window's check field
  intf->SelectAll();
  EXPECT_EQ(Marks(), "+++");
  intf->UnselectAll();
  EXPECT_EQ(Marks(), "---");
  table->First();
  table->Edit();
  table->FieldByName("RCHECK")->SetAsString("+");
  table->Post();
  intf->InvertSelection();
  EXPECT_EQ(Marks(), "-++");

  std::vector<int> notified;
  const TMySelectNotifyEvent notify = [&](TDataSet* dataSet, bool) {
    notified.push_back(dataSet->FieldByName("ID")->AsInteger());
  };
  const TMySelectFilterEvent notSecond = [](TDataSet* dataSet) {
    return dataSet->FieldByName("ID")->AsInteger() != 2;
  };
  intf->SelectAllBy(notify, notSecond);
  EXPECT_EQ(Marks(), "+++");
  intf->UnselectAllBy(notify, notSecond);
  EXPECT_EQ(Marks(), "-+-");
  intf->InvertSelectionBy(notify, notSecond);
  EXPECT_EQ(Marks(), "+++");
  EXPECT_EQ(notified, (std::vector<int>{1, 1, 3, 1, 3}));
}
