#include "platform/db/VirtualTable.h"
#include "tests/ComFormLibs/ToolsFixture.h"

namespace {

using SortTool = ToolsTest;
using FilterTool = ToolsTest;
using FindTool = ToolsTest;

TEST_F(SortTool, StepOrActionChoiceGoesIntoTheFieldMacroAndTheQueryOpensSorted) {
  struct Case {
    const char* Script;
    const char* Field;
    bool Active;
    std::vector<int> Ids;
  } cases[] = {
      {"sort KIND DESC,NAME", "KIND DESC,NAME", true, {5, 1, 3, 4, 2}},
      {"key Grid Ctrl+S; sort name desc", "NAME DESC", true, {2, 5, 3, 4, 1}},
      {"key Grid Ctrl+S; dump", "ID", true, {1, 2, 3, 4, 5}},
  };
  for (const Case& c : cases) {
    Query->Close();
    Query->MacroByName("FIELD")->SetValue("ID");
    Query->Open();
    Run(c.Script);
    EXPECT_EQ(Query->MacroByName("FIELD")->Value(), c.Field) << c.Script;
    EXPECT_EQ(Query->MacroByName("ORDER")->Active(), c.Active) << c.Script;
    EXPECT_TRUE(Query->Active());
    EXPECT_EQ(Ids(Query), c.Ids) << c.Script;
  }
}

TEST_F(SortTool, ChoiceNamingAColumnTheListDoesNotOfferFailsTheStep) {
  Query->FieldByName("KIND")->SetTag(0xFC);  // shown, but not a column to order by
  for (const char* column : {"KIND", "NOPE", "ID,ID"}) {
    const String error = ErrorOf([&] { Run(String("sort ") + column); });
    EXPECT_NE(error.find("offers no column"), String::npos) << error;
  }
  EXPECT_EQ(Query->MacroByName("FIELD")->Value(), "ID");
}

TEST_F(SortTool, ListThatIsNoOrderedQueryIsNotSorted) {
  TVirtualTable* table = TVirtualTable::Create(Window.Get());
  table->AddField("ID", ftInteger);
  table->Open();
  Source->SetDataSet(table);
  const TOperatorRecord& record = Run("sort ID");
  EXPECT_EQ(Boxes(record), std::vector<String>{"The rows of \"Items\" cannot be sorted"});
}

TEST_F(FilterTool, ConditionFiltersOnTheServerAndTheStateTellsTheMainQueryIsFiltered) {
  struct Case {
    const char* Script;
    int StateIn;
    const char* FilterSQL;
    int StateOut;
    std::vector<int> Ids;
  } cases[] = {
      {"key Grid Ctrl+A; filter KIND = 2", 0, "KIND = 2", 1, {1, 3}},
      {"key Grid Ctrl+A; filter UPPER(NAME) LIKE 'AL%'", 2, "UPPER(NAME) LIKE 'AL%'", 1, {1, 5}},
      {"key Grid Ctrl+A; filter ((1=1)aNd(1=1))", 1, "", 0, {1, 2, 3, 4, 5}},
      {"key Grid Ctrl+A; filter", 1, "", 0, {1, 2, 3, 4, 5}},
      {"filter NAME <> 'beta' AND KIND IN (1, 3)",
       0,
       "NAME <> 'beta' AND KIND IN (1, 3)",
       0,
       {4, 5}},
  };
  for (const Case& c : cases) {
    Query->SetFilterSQL("KIND = 1");
    FilterState = c.StateIn;
    Run(c.Script);
    EXPECT_EQ(Query->FilterSQL(), c.FilterSQL) << c.Script;
    EXPECT_EQ(FilterState, c.StateOut) << c.Script << " (a step leaves the window's state)";
    EXPECT_EQ(Ids(Query), c.Ids) << c.Script;
  }
}

TEST_F(FilterTool, DialogWithoutChoiceIsCancelledAndTheStateFollowsTheQuery) {
  Query->SetFilterSQL("KIND = 1");
  FilterState = 2;
  Run("key Grid Ctrl+A; dump");
  EXPECT_EQ(Query->FilterSQL(), "KIND = 1");
  EXPECT_EQ(FilterState, 1);
}

TEST_F(FilterTool, ConditionTheQueryCannotRunBringsTheOldOneBack) {
  Query->SetFilterSQL("KIND = 1");
  const String error = ErrorOf([&] { Run("filter NVL(ID) = 1"); });
  EXPECT_NE(error, "no error");
  EXPECT_EQ(Query->FilterSQL(), "KIND = 1");
  ASSERT_TRUE(Query->Active());
  EXPECT_EQ(Ids(Query), (std::vector<int>{2, 4}));
}

// The conditions go to the dialog as replies queued for it: a script cannot carry a bare ";" or
// an unclosed quote in a step.
TEST_F(FilterTool, ConditionThatCouldCarryMoreThanAConditionIsRefused) {
  struct Case {
    const char* Condition;
    const char* Reason;
  } cases[] = {
      {"ID = 1; DELETE FROM T_ITEM", "\";\" is not allowed in a condition"},
      {"ID = 1 -- the rest", "comments are not allowed"},
      {"ID = 1 /* x */", "comments are not allowed"},
      {"NAME = 'Alpha", "a quoted text is not closed"},
      {"NAME = 'it''s", "a quoted text is not closed"},
      {"(ID = 1", "a \"(\" is not closed"},
      {"ID = 1) OR (1 = 1", "a \")\" has no \"(\""},
      {"ID IN (SELECT ID FROM T_ITEM)", "\"SELECT\" is not a column of the list"},
      {"T_ITEM.ID = 1", "\"T_ITEM\" is not a column of the list"},
      {"ID = :ID", "\":ID\" is not allowed in a condition"},
      {"ID = &shema", "\"&shema\" is not allowed in a condition"},
      {"\"ID\" = 1", "\"\"ID\"\" is not allowed in a condition"},
      {"ID := 1", "\":=\" is not allowed in a condition"},
  };
  for (const Case& c : cases) {
    TOperatorStep reply;
    reply.Verb = "filter";
    reply.Argument = c.Condition;
    Operator.reset();
    THeadlessScope operatorScope("key Grid Ctrl+A");
    operatorScope.WidgetSet().QueueReply(reply);
    Window->ShowModal();
    EXPECT_EQ(Boxes(operatorScope.Record()),
              std::vector<String>{String("The condition cannot be used: ") + c.Reason})
        << c.Condition;
    EXPECT_EQ(Query->FilterSQL(), "") << c.Condition;
    EXPECT_EQ(Ids(Query).size(), 5u) << c.Condition;
  }
}

TEST_F(FindTool, MovesToTheFirstRowWhoseColumnShowsTheTextAndSelectsTheColumn) {
  struct Case {
    const char* Script;
    int RecNo;
  } cases[] = {
      {"find NAME BET", 2}, {"find name alpha", 1},       {"key Grid Ctrl+F; find KIND 3", 5},
      {"find NAME zzz", 3}, {"key Grid Ctrl+F; dump", 3},
  };
  for (const Case& c : cases) {
    Query->SetRecNo(3);
    Grid->SetSelectedIndex(0);
    Run(c.Script);
    EXPECT_EQ(Query->RecNo(), c.RecNo) << c.Script;
  }
  EXPECT_EQ(Boxes(Run("find NAME zzz")),
            std::vector<String>{"\"zzz\" is not found in the column \"NAME\""});
  EXPECT_EQ(Grid->SelectedField()->FieldName(), "NAME");
  Run("key Grid Ctrl+F; find KIND 1");
  EXPECT_EQ(FindIndex, Query->FieldByName("KIND")->Index());
}

TEST_F(FindTool, OnlyFieldsTaggedForShowingAreSearched) {
  for (TField* field : *Query->Fields()) field->SetTag(0xFF);
  Query->FieldByName("NAME")->SetTag(0);
  const String error = ErrorOf([&] { Run("find NAME Alpha"); });
  EXPECT_NE(error.find("the list offers no column NAME to search"), String::npos) << error;
  EXPECT_NE(ErrorOf([&] { Run("find NAME"); }).find("takes a field name and the text to find"),
            String::npos);
}

}  // namespace
