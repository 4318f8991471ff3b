#include <gtest/gtest.h>

#include <random>

#include "DataSetTestSupport.h"
#include "platform/db/FilterExpr.h"

namespace {

using Ids = std::vector<int>;

// Emitents 1, 2 (AMOUNT and ACT_DATE NULL), 3, 10 ("ivanova"), 11.
TEST(LocalFilter, ExpressionsSelectTheRowsTheyDescribe) {
  struct TCase {
    const char* Filter;
    Ids Expected;
    TFilterOptions Options = 0;
  };
  const TCase cases[] = {
      {"ID = 1", {1}},
      {"  id=1  ", {1}},
      {"[Id] <> 2", {1, 3, 10, 11}},
      {"ID > 2 AND ID <= 10", {3, 10}},
      {"(ID = 1) or (ID = 11)", {1, 11}},
      {"((ID = 1) OR (id=11)) and not (NAME = 'Иванов')", {11}},
      {"NOT ID = 1", {2, 3, 10, 11}},
      {"ID = 1.0", {1}},
      {"ID = '3'", {3}},
      {"ID >= -1e1", {1, 2, 3, 10, 11}},
      {"AMOUNT > 0", {1, 3, 10}},
      {"AMOUNT <> 5", {1, 3, 10, 11}},
      {"NOT (AMOUNT > 0)", {11}},
      {"AMOUNT = NULL", {}},
      {"AMOUNT IS NULL", {2}},
      {"amount is not null and amount < 10", {3, 11}},
      {"NAME = 'Иванов'", {1}},
      {"NAME = 'иванов'", {}},
      {"NAME = 'иванов'", {1}, foCaseInsensitive},
      {"NAME = 'Ива*'", {1, 11}},
      {"NAME <> 'Ива*'", {2, 3, 10}},
      {"NAME = 'ИВА*'", {1, 11}, foCaseInsensitive},
      {"NAME = 'Ива*'", {}, foNoPartialCompare},
      {"NAME > 'П'", {2, 3}},
      {"RCHECK = '+'", {3, 11}},
      {"ACT_DATE >= '01.02.2024'", {3, 11}},
      {"ACT_DATE < 45300", {10}},
      {"ID = AMOUNT", {}},
      {"ID < AMOUNT", {1, 3, 10}},
      {"", {1, 2, 3, 10, 11}},
  };
  auto data = MakeEmitents();
  for (const TCase& c : cases) {
    data->SetFiltered(false);
    data->SetFilterOptions(c.Options);
    data->SetFilter(c.Filter);
    data->SetFiltered(true);
    EXPECT_EQ(IdsOf(data.get()), c.Expected) << c.Filter;
    EXPECT_EQ(data->RecordCount(), static_cast<int>(c.Expected.size())) << c.Filter;
  }
}

TEST(LocalFilter, ABadExpressionIsRefusedAndTheOldFilterStays) {
  const std::pair<const char*, const char*> cases[] = {
      {"ID =", "operand expected"},
      {"ID = 1 AND", "operand expected"},
      {"(ID = 1", "')' expected"},
      {"ID 1", "comparison operator expected"},
      {"ID == 1", "operand expected"},
      {"NAME = 'open", "unterminated quoted text"},
      {"ID = 1 )", "unexpected text"},
      {"NOPE = 1", "Field 'NOPE' not found"},
      {"ID = 'abc'", "'abc' is not a valid number for field 'ID'"},
      {"ACT_DATE = 'soon'", "'soon' is not a valid date for field 'ACT_DATE'"},
  };
  auto data = MakeEmitents();
  data->SetFilter("ID = 1");
  data->SetFiltered(true);
  for (const auto& [text, reason] : cases) {
    const String message = DatabaseErrorOf([&] { data->SetFilter(text); });
    EXPECT_NE(message.find(reason), String::npos) << text << ": " << message;
    EXPECT_EQ(data->Filter(), "ID = 1");
    EXPECT_EQ(IdsOf(data.get()), Ids{1});
  }
  // Switching a bad text on is refused the same way; the dataset stays unfiltered.
  data->SetFiltered(false);
  data->SetFilter("ID <");
  EXPECT_THROW(data->SetFiltered(true), EDatabaseError);
  EXPECT_FALSE(data->Filtered());
  EXPECT_EQ(data->RecordCount(), 5);
}

TEST(LocalFilter, OnFilterRecordJoinsTheExpressionWithTheDatasetInFilterState) {
  auto data = MakeEmitents();
  TDataSetState seen = dsInactive;
  data->OnFilterRecord = [&](TDataSet* d, bool& accept) {
    seen = d->State();
    accept = d->FieldByName("ID")->AsInteger() % 2 == 1;
  };
  data->SetFilter("ID > 1");
  data->SetFiltered(true);
  EXPECT_EQ(IdsOf(data.get()), (Ids{3, 11}));
  EXPECT_EQ(seen, dsFilter);
  EXPECT_EQ(data->State(), dsBrowse);
  data->SetFilter("");
  EXPECT_EQ(IdsOf(data.get()), (Ids{1, 3, 11}));
}

TEST(LocalFilter, EditedAndNewRowsAreJudgedWhenPosted) {
  auto data = MakeEmitents();
  data->SetFilter("RCHECK = '-'");
  data->SetFiltered(true);
  ASSERT_EQ(IdsOf(data.get()), (Ids{1, 2, 10}));
  data->First();
  data->Edit();
  data->FieldByName("RCHECK")->SetAsString("+");
  data->Post();
  EXPECT_EQ(data->FieldByName("ID")->AsInteger(), 2);  // the row that followed
  EXPECT_EQ(data->RecordCount(), 2);
  data->AppendRecord({20, "Новый", "-"});
  data->AppendRecord({21, "Скрытый", "+"});
  EXPECT_EQ(IdsOf(data.get()), (Ids{2, 10, 20}));
  data->SetFiltered(false);
  EXPECT_EQ(IdsOf(data.get()), (Ids{1, 2, 3, 10, 11, 20, 21}));
}

TEST(FilterExpression, AnyInputParsesOrFailsCleanly) {
  // Deep nesting is refused, long flat chains are fine.
  String deep(250, '(');
  deep += "ID = 1" + String(250, ')');
  EXPECT_THROW(TFilterExpr::Parse(deep), EDatabaseError);
  String nested(150, '(');
  nested += "ID = 1" + String(150, ')');
  EXPECT_NO_THROW(TFilterExpr::Parse(nested));
  String chain = "ID = 0";
  for (int i = 1; i < 20000; ++i) chain += " OR ID = " + std::to_string(i);
  auto data = MakeEmitents();
  data->SetFilter(chain);
  data->SetFiltered(true);
  EXPECT_EQ(data->RecordCount(), 5);

  // Random token soup: every text either parses or raises EDatabaseError.
  const char* pieces[] = {"ID",  "NAME", "(", ")",    "=",    "<>", "<", ">=",    "AND", "or",
                          "NOT", "'x'",  "'", "\"",   "[",    "]",  "1", "-",     ".",   "e",
                          "IS",  "NULL", " ", "\xD0", "\x01", "*",  "!", "1e999", "''"};
  std::mt19937 random(12345);
  for (int i = 0; i < 3000; ++i) {
    String text;
    const int length = static_cast<int>(random() % 12);
    for (int j = 0; j < length; ++j) text += pieces[random() % std::size(pieces)];
    try {
      TFilterExpr::Parse(text);
    } catch (const EDatabaseError&) {
    }
  }
}

}  // namespace
