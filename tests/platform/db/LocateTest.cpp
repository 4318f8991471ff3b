#include <gtest/gtest.h>

#include "DataSetTestSupport.h"

namespace {

// Emitents 1 "Иванов", 2 "Петров" (AMOUNT NULL), 3 "Сидоров", 10 "ivanova", 11 "Ивашов".
TEST(Locate, FindsTheFirstRowWhoseKeysMatch) {
  struct TCase {
    const char* Fields;
    Variant Values;
    TLocateOptions Options;
    int Expected;  // 0: not found
  };
  const TCase cases[] = {
      {"ID", 10, 0, 10},
      {"id", 10.0, 0, 10},
      {"ID", "10", 0, 10},
      {"ID", VarFromCurrencyScaled(110000), 0, 11},
      {"ID", VarArrayOf({3}), 0, 3},
      {"AMOUNT", 10, loPartialKey, 0},  // partial keys leave numbers whole
      {"AMOUNT", 100, loPartialKey, 10},
      {"NAME", "Ива", loPartialKey, 1},
      {"NAME", "Ивашов", loPartialKey, 11},
      {"NAME", "ива", loPartialKey, 0},
      {"NAME", "ива", loPartialKey | loCaseInsensitive, 1},
      {"NAME", "ИВАНОВ", loCaseInsensitive, 1},
      {"NAME", "IVANOVA", loCaseInsensitive, 10},
      {"NAME", "Иван", 0, 0},
      {"NAME;RCHECK", VarArrayOf({"Ивашов", "+"}), 0, 11},
      {"name; rcheck", VarArrayOf({"Ивашов", "-"}), 0, 0},
      {"ID;NAME", VarArrayOf({"3", "Сид"}), loPartialKey, 3},
      {"AMOUNT", Null(), 0, 2},
      {"ACT_DATE", VarFromDateTime(EncodeDate(2024, 3, 1)), 0, 3},
      {"ACT_DATE", "29.02.2024", 0, 11},
  };
  auto data = MakeEmitents();
  for (const TCase& c : cases) {
    data->First();
    const bool found = data->Locate(c.Fields, c.Values, c.Options);
    const int id = found ? data->FieldByName("ID")->AsInteger() : 0;
    EXPECT_EQ(id, c.Expected) << c.Fields << " " << VarToStr(c.Values);
  }
}

TEST(Locate, MovesOnlyWhenFoundSeesOnlyFilteredRowsAndRefusesBadKeys) {
  auto data = MakeEmitents();
  data->SetRecNo(2);
  int scrolled = 0;
  data->AfterScroll = [&](TDataSet*) { ++scrolled; };
  EXPECT_FALSE(data->Locate("ID", 99));
  EXPECT_EQ(data->RecNo(), 2);
  EXPECT_EQ(scrolled, 0);
  EXPECT_TRUE(data->Locate("ID", 11));
  EXPECT_EQ(scrolled, 1);
  data->SetFilter("ID < 10");
  data->SetFiltered(true);
  EXPECT_FALSE(data->Locate("ID", 11));
  EXPECT_EQ(DatabaseErrorOf([&] { data->Locate("ID", "abc"); }),
            "Query1: 'abc' is not a valid value for field 'ID'");
  EXPECT_EQ(DatabaseErrorOf([&] { data->Locate("NOPE", 1); }), "Query1: Field 'NOPE' not found");
  EXPECT_THROW(data->Locate("ID;NAME", 1), EDatabaseError);
}

TEST(Locate, PostsAPendingEditFirst) {
  auto data = MakeEmitents();
  data->Edit();
  data->FieldByName("NAME")->SetAsString("Кузнецов");
  EXPECT_TRUE(data->Locate("NAME", "Кузнецов"));
  EXPECT_EQ(data->State(), dsBrowse);
  EXPECT_EQ(data->FieldByName("ID")->AsInteger(), 1);
}

TEST(Lookup, ReadsTheMatchingRowWithoutMovingTheCursor) {
  auto data = MakeEmitents();
  int scrolled = 0;
  data->AfterScroll = [&](TDataSet*) { ++scrolled; };
  EXPECT_EQ(data->Lookup("ID", 3, "NAME").AsString(), "Сидоров");
  const Variant pair = data->Lookup("ID", 11, "NAME;RCHECK");
  EXPECT_EQ(pair[0].AsString(), "Ивашов");
  EXPECT_EQ(pair[1].AsString(), "+");
  EXPECT_TRUE(VarIsNull(data->Lookup("ID", 99, "NAME")));
  EXPECT_EQ(data->RecNo(), 1);
  EXPECT_EQ(data->FieldByName("NAME")->AsString(), "Иванов");
  EXPECT_EQ(scrolled, 0);
}

TEST(Bookmarks, StayValidWhileTheirRowExistsAndPassesTheFilter) {
  auto data = MakeEmitents();
  data->SetRecNo(3);
  const TBookmark third = data->GetBookmark();
  data->First();
  const TBookmark first = data->GetBookmark();
  EXPECT_LT(data->CompareBookmarks(first, third), 0);
  EXPECT_EQ(data->CompareBookmarks(third, third), 0);
  EXPECT_LT(data->CompareBookmarks(TBookmark{}, first), 0);
  data->Insert();  // a row before the bookmarked ones does not disturb them
  data->FieldByName("ID")->SetAsInteger(0);
  data->Post();
  data->GotoBookmark(third);
  EXPECT_EQ(data->FieldByName("ID")->AsInteger(), 3);
  EXPECT_EQ(data->RecNo(), 4);

  data->SetFilter("ID <> 3");
  data->SetFiltered(true);
  EXPECT_FALSE(data->BookmarkValid(third));
  EXPECT_EQ(DatabaseErrorOf([&] { data->GotoBookmark(third); }), "Query1: Record not found");
  data->SetFiltered(false);
  EXPECT_TRUE(data->BookmarkValid(third));
  data->GotoBookmark(third);
  data->Delete();
  EXPECT_FALSE(data->BookmarkValid(third));
  EXPECT_TRUE(data->BookmarkValid(first));
  EXPECT_FALSE(data->BookmarkValid(TBookmark{}));

  auto other = MakeEmitents();
  EXPECT_FALSE(other->BookmarkValid(first));
  data->Close();
  EXPECT_FALSE(data->BookmarkValid(first));
}

}  // namespace
