#include <algorithm>

#include "platform/db/VirtualTable.h"
#include "tests/ComFormLibs/ToolsFixture.h"

namespace {

class MarkOperations : public ToolsTest {
 protected:
  // The same five marks (-, +, -, -, +) in a check field of each type a mark can live in.
  TDataSet* MarkedList(const String& kind) {
    if (kind != "Boolean") {
      TOraQuery* query =
          NewQuery(kind == "string" ? "SELECT ID, RCHECK FROM &shema.T_ITEM ORDER BY ID"
                                    : "SELECT ID, MARK AS RCHECK FROM &shema.T_ITEM ORDER BY ID");
      query->Open();
      return query;
    }
    TVirtualTable* table = TVirtualTable::Create(Window.Get());
    table->AddField("ID", ftInteger);
    table->AddField("RCHECK", ftBoolean);
    table->Open();
    for (int id = 1; id <= 5; ++id) table->AppendRecord({id, id == 2 || id == 5});
    return table;
  }

  // The check field's values in row order, joined by ",".
  static String Values(TDataSet* dataSet) {
    String values;
    for (int recNo = 1; recNo <= dataSet->RecordCount(); ++recNo) {
      const TDataSet::TActiveRecordScope row(dataSet, recNo);
      values += (recNo > 1 ? "," : "") + dataSet->FieldByName("RCHECK")->AsString();
    }
    return values;
  }
  static String Marks(TDataSet* dataSet) {
    String marks = Values(dataSet);
    marks.erase(std::remove(marks.begin(), marks.end(), ','), marks.end());
    return marks;
  }
};

TEST_F(MarkOperations, EachModeOverEachTypeOfCheckField) {
  struct Case {
    const char* Kind;
    int Mode;
    const char* Expected;
  } cases[] = {
      {"string", 0, "+,+,+,+,+"},
      {"string", 1, "-,-,-,-,-"},
      {"string", 3, "+,-,+,+,-"},
      {"integer", 0, "1,1,1,1,1"},
      {"integer", 1, "0,0,0,0,0"},
      {"integer", 3, "1,0,1,1,0"},
      {"Boolean", 0, "True,True,True,True,True"},
      {"Boolean", 1, "False,False,False,False,False"},
      {"Boolean", 3, "True,False,True,True,False"},
  };
  for (const Case& c : cases) {
    TDataSet* list = MarkedList(c.Kind);
    RunSelectDS(list, c.Mode, "RCHECK", true);
    EXPECT_EQ(Values(list), c.Expected) << c.Kind << " field, mode " << c.Mode;
  }
}

TEST_F(MarkOperations, CursorComesBackOrStartsOverAndFollowersHearOnce) {
  Query->SetRecNo(4);
  int changes = 0;
  Source->OnDataChange = [&](TObject*, TField*) { ++changes; };
  RunSelectDS(Query, 0, "RCHECK", true);
  EXPECT_EQ(Query->RecNo(), 4);
  EXPECT_EQ(changes, 1) << "one change for the whole run, none per row";
  RSelect(Query, 1, "RCHECK");
  EXPECT_EQ(Query->RecNo(), 4);
  RunSelectDS(Query, 3, "RCHECK", false);
  EXPECT_EQ(Query->RecNo(), 1);
  EXPECT_EQ(Marks(Query), "+++++");
}

TEST_F(MarkOperations, HandlerChoosesTheRowsAndHearsEveryChange) {
  std::vector<std::pair<int, bool>> heard;
  const TMySelectFilterEvent oddRows = [](TDataSet* dataSet) {
    return dataSet->FieldByName("ID")->AsInteger() % 2 == 1;
  };
  const TMySelectNotifyEvent changed = [&](TDataSet* dataSet, bool marked) {
    heard.emplace_back(dataSet->FieldByName("ID")->AsInteger(), marked);
  };
  RunMySelect(Query, 0, changed, oddRows, "RCHECK", true);
  EXPECT_EQ(Marks(Query), "+++-+");
  EXPECT_EQ(heard, (std::vector<std::pair<int, bool>>{{1, true}, {3, true}}))
      << "row 5 was marked already";
  RunMySelect(Query, 3, nullptr, nullptr, "RCHECK", true);
  EXPECT_EQ(Marks(Query), "---+-");
}

TEST_F(MarkOperations, GridRunsOnItsDataSet) {
  RunSelectGrid(GridInt, 3, "RCHECK", true);
  EXPECT_EQ(Marks(Query), "+-++-");
}

TEST_F(MarkOperations, RefusesWhatCannotHoldMarksBeforeTouchingARow) {
  TVirtualTable* dates = TVirtualTable::Create(Window.Get());
  dates->AddField("RCHECK", ftDate);
  dates->Open();
  dates->AppendRecord({Variant()});
  EXPECT_EQ(ErrorOf([&] { RunSelectDS(dates, 0, "RCHECK", true); }),
            "uSelectTools.RunSelect: the field \"RCHECK\" of type Date cannot hold check marks");
  EXPECT_TRUE(dates->FieldByName("RCHECK")->IsNull());
  EXPECT_EQ(ErrorOf([&] { RunSelectDS(Query, 2, "RCHECK", true); }),
            "uSelectTools.RunSelect: Incorrect mode: 2");
  EXPECT_EQ(ErrorOf([&] { RSelect(Query, 0, "NO_SUCH"); }), "Field 'NO_SUCH' not found");
  EXPECT_EQ(Marks(Query), "-+--+");
}

}  // namespace
