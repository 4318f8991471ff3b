#include <gtest/gtest.h>

#include "platform/ws/headless/OperatorScript.h"

TEST(OperatorScript, SplitsStepsAtLineBreaksAndSemicolonsOutsideQuotes) {
  const std::vector<TOperatorStep> steps = ParseOperatorScript(
      "click OkBtn; KEY Grid Ctrl+Del\n# a comment; not a step\n  answer yes ;; "
      "filter NAME = 'a;b'");
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[0].Verb, "click");
  EXPECT_EQ(steps[1].Verb, "key");
  EXPECT_EQ(steps[1].Argument, "Grid Ctrl+Del");
  EXPECT_EQ(steps[2].Source, "answer yes");
  EXPECT_EQ(steps[3].Argument, "NAME = 'a;b'");
  EXPECT_EQ(steps[3].Line, 3);
  EXPECT_EQ(steps[3].Number, 4);
  EXPECT_EQ(steps[3].Describe(), "step 4 (line 3) \"filter NAME = 'a;b'\"");
}

TEST(OperatorScript, RefusesUnknownStepsAndArgumentsTheStepCannotTake) {
  const struct {
    const char* Script;
    const char* Reason;
  } cases[] = {
      {"frobnicate Grid", "unknown step"},
      {"tickrow first", "takes a row number"},
      {"radio rgFilter", "takes a component name and an item number"},
      {"key Grid Ctrl+Blah", "takes a control name and a key"},
      {"answer maybe", "takes ok, cancel, yes, no"},
      {"cancel-progress 0", "takes a step number (from 1)"},
      {"ok now", "takes no argument"},
      {"tick ID", "is not FIELD=VALUE"},
      {"sort", "needs an argument"},
  };
  for (const auto& c : cases) {
    try {
      ParseOperatorScript(String("dump\n") + c.Script);
      ADD_FAILURE() << c.Script << " was accepted";
    } catch (const EOperatorError& error) {
      EXPECT_NE(error.Message().find("step 2 (line 2)"), String::npos) << error.Message();
      EXPECT_NE(error.Message().find(c.Reason), String::npos) << error.Message();
    }
  }
}

TEST(OperatorScript, LocateKeysPairFieldsWithValuesAsLocateTakesThem) {
  const TLocateKeys one = ParseLocateKeys("ID=3");
  EXPECT_EQ(one.Fields, "ID");
  EXPECT_EQ(one.Values.AsString(), "3");

  const TLocateKeys two = ParseLocateKeys(" ID = 3 , NAME='Smith, John' ,Q='it''s'");
  EXPECT_EQ(two.Fields, "ID;NAME;Q");
  ASSERT_TRUE(VarIsArray(two.Values));
  EXPECT_EQ(two.Values.GetElement(0).AsString(), "3");
  EXPECT_EQ(two.Values.GetElement(1).AsString(), "Smith, John");
  EXPECT_EQ(two.Values.GetElement(2).AsString(), "it's");
}

TEST(OperatorScript, RegisteredVerbsAreKnownAndBuiltInOnesCannotBeTaken) {
  EXPECT_THROW(ParseOperatorScript("highlight Grid"), EOperatorError);
  RegisterOperatorStep("highlight", [](TStepContext&) {});
  EXPECT_EQ(ParseOperatorScript("highlight Grid").size(), 1u);
  UnregisterOperatorStep("highlight");
  EXPECT_THROW(ParseOperatorScript("highlight Grid"), EOperatorError);
  EXPECT_THROW(RegisterOperatorStep("Click", [](TStepContext&) {}), EOperatorError);
}
