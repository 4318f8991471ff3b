#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/MessageSink.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"
#include "src/ComUnits/uDBItems.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"
#include "support/ErrorOf.h"

namespace {

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

TDBItem* ValuesItem(std::initializer_list<Variant> values, const String& name = String()) {
  return TDBItem::Create(VarArrayOf(values), name);
}

TEST(DBItemTest, RendersByConstructor) {
  FreeOnExit<TDBItem> byId(TDBItem::Create(5.0, "Five"));
  EXPECT_EQ(byId->GetText(), "[5] Five");
  byId->Text = "X";
  EXPECT_EQ(byId->GetText(), "X");

  FreeOnExit<TDBItem> noName(TDBItem::Create(12.0, ""));
  EXPECT_EQ(noName->GetText(), "[12] ");

  FreeOnExit<TDBItem> byValues(ValuesItem({5}, "Five"));
  EXPECT_EQ(byValues->GetText(), "Five");
  EXPECT_FALSE(byValues->IsIDItem);

  FreeOnExit<TDBItem> debug(ValuesItem({5, "x"}, "N"));
  EXPECT_EQ(debug->GetDebugText(), "[5 x ] N");
}

TEST(DBItemTest, NonArrayValuesAreReportedAndKept) {
  MessageRecorder messages;
  FreeOnExit<TDBItem> item(TDBItem::Create(Variant(7)));
  EXPECT_EQ(messages.Texts,
            std::vector<String>{"TDBItem.Create(const mas: Variant): \r mas is not an array"});
  EXPECT_EQ(VarType(item->Values), varInteger);
  EXPECT_EQ(item->GetDebugText(), "[7] ");
  EXPECT_EQ(ClassAndErrorOf([&] { item->GetID(); }), "Exception: TDBItem.GetID: Param is not array");
}

TEST(DBItemTest, GetIDReadsElementZeroOrSaysWhy) {
  FreeOnExit<TDBItem> item(ValuesItem({Variant(3.5), "x"}));
  EXPECT_EQ(item->GetID(), 3.5);
  item->Values = Variant();
  EXPECT_EQ(ClassAndErrorOf([&] { item->GetID(); }), "Exception: TDBItem.GetID: \rVarIsEmpty");
  item->Values = VarArrayCreate(0, -1, varVariant);
  EXPECT_EQ(ClassAndErrorOf([&] { item->GetID(); }), "Exception: TDBItem.GetID: no elements in array");
  item->Values = VarArrayCreate(1, 2, varVariant);  // element 0 is read whatever the low bound
  EXPECT_NE(ClassAndErrorOf([&] { item->GetID(); }).find("EVariantBadIndexError"), String::npos);
}

TEST(DBItemTest, CopyAndAssignTakeWhatTheyShould) {
  FreeOnExit<TDBItem> source(TDBItem::Create(9.0, "Nine"));
  source->Excluded = true;
  FreeOnExit<TDBItem> copy(TDBItem::Create(source.Get()));
  EXPECT_EQ(copy->Name, "Nine");
  EXPECT_FALSE(copy->IsIDItem);
  EXPECT_FALSE(copy->Excluded);
  EXPECT_TRUE(copy->Text.empty());

  FreeOnExit<TDBItem> target(ValuesItem({1}, "One"));
  target->Assign(source.Get());
  EXPECT_EQ(target->GetID(), 9);
  EXPECT_TRUE(target->Excluded);
  EXPECT_EQ(target->Text, "[9] Nine");
  EXPECT_FALSE(target->IsIDItem);
  source->Values.SetElement(0, 10);  // a deep copy: the source's later changes stay there
  EXPECT_EQ(target->GetID(), 9);
}

TEST(DBItemListTest, StartsAsTheHostExpects) {
  FreeOnExit<TDBItemList> list(TDBItemList::Create());
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->FieldNames->Count(), 0);
  EXPECT_EQ(list->SingleItem, nullptr);
  EXPECT_FALSE(list->AllSelected);
  EXPECT_EQ(list->KeyField, "ID");
  EXPECT_EQ(list->Tag, 0);
  EXPECT_EQ(list->ItemIndex, -1);
  EXPECT_EQ(ClassAndErrorOf([&] { list->Items(0); }), "EListError: List index out of bounds (0)");
}

TEST(DBItemListTest, CreateFromText) {
  struct Case {
    String text;
    int count;
    bool all;
    String ids;
  } cases[] = {
      {"1,2,2", 2, false, "1,2"},
      {"9,-3,9,7,-3", 3, false, "9,-3,7"},  // each ID once, where it first stands
      {"2000000000,-2000000000,5,2000000000", 3, false, "2000000000,-2000000000,5"},
      {" 3, 12 7", 3, false, "3,12,7"},
      {"\"4\",5", 2, false, "4,5"},
      {"", 0, false, ""},
      {TranslateAplText(rstrAll), 0, true, ""},
      {AnsiUpperCase(TranslateAplText(rstrAll)), 0, true, ""},
      {AnsiLowerCase(TranslateAplText(rstrAll)), 0, true, ""},
  };
  for (const Case& c : cases) {
    FreeOnExit<TDBItemList> list(TDBItemList::CreateFromText(c.text));
    EXPECT_EQ(list->Count(), c.count) << c.text;
    EXPECT_EQ(list->AllSelected, c.all) << c.text;
    EXPECT_EQ(list->GetIDsText(), c.ids) << c.text;
    for (int i = 0; i < list->Count(); ++i) {
      EXPECT_TRUE(list->Items(i)->IsIDItem);
      EXPECT_EQ(list->Items(i)->Owner, list.Get());
    }
  }
}

TEST(DBItemListTest, CreateFromTextRejectsWhatIsNotA32BitInteger) {
  for (const char* text : {"1,,2", "1,x", "1.5", "2147483648", "9999999999999"})
    EXPECT_NE(ClassAndErrorOf([&] { TDBItemList::CreateFromText(text)->Free(); }).find("EConvertError"),
              String::npos)
        << text;
}

TEST(DBItemListTest, IDsTextUsesAPointWhateverTheLocale) {
  FormatSettingsGuard guard;
  FormatSettings.DecimalSeparator = ',';
  FreeOnExit<TDBItemList> list(TDBItemList::Create());
  for (double id : {3.0, 12.0, 7.5}) list->Add(TDBItem::Create(id, ""));
  EXPECT_EQ(list->GetIDsText(), "3,12,7.5");
  EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
}

TEST(DBItemListTest, ClearKeepsFieldNamesAndTheSingleItem) {
  FreeOnExit<TDBItemList> list(TDBItemList::CreateFromText("1,2"));
  list->AllSelected = true;
  list->FieldNames->Add("ID");
  list->SingleItem = TDBItem::Create(1.0, "");
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_FALSE(list->AllSelected);
  EXPECT_EQ(list->FieldNames->Count(), 1);
  EXPECT_NE(list->SingleItem, nullptr);
  EXPECT_TRUE(list->Add(TDBItem::Create(1.0, "")));  // the old items are gone from the lookup too
}

// The duplicate test of the plain list: variant equality over the stored item's index range.
TEST(DBItemListTest, ExistsComparesByValueOverTheStoredRange) {
  FreeOnExit<TDBItemList> list(TDBItemList::Create());
  ASSERT_TRUE(list->Add(ValuesItem({1, "a"})));
  ASSERT_TRUE(list->Add(ValuesItem({2, "b"})));
  struct Case {
    Variant values;
    bool exists;
  } cases[] = {
      {VarArrayOf({1, "a"}), true},
      {VarArrayOf({Variant(1.0), "a"}), true},   // numbers by value across types
      {VarArrayOf({"2", "b"}), true},            // a text against a number as a number
      {VarArrayOf({2, "b", 99}), true},          // a longer candidate matches on the stored range
      {VarArrayOf({1, "b"}), false},
      {VarArrayOf({3, "a"}), false},
  };
  for (const Case& c : cases) {
    FreeOnExit<TDBItem> candidate(TDBItem::Create(c.values));
    EXPECT_EQ(list->Exists(candidate.Get()), c.exists) << VarToStr(c.values[0]);
  }
}

TEST(DBItemListTest, ExistsKeepsTheWalksLoudFailures) {
  // A shorter candidate meets a longer stored item before any match: the index error, even
  // where the elements it has are equal.
  FreeOnExit<TDBItemList> list(TDBItemList::Create());
  ASSERT_TRUE(list->Add(ValuesItem({1, "a"})));
  FreeOnExit<TDBItem> shorter(ValuesItem({1}));
  EXPECT_NE(ClassAndErrorOf([&] { list->Exists(shorter.Get()); }).find("EVariantBadIndexError"),
            String::npos);
  MessageRecorder quiet;  // a non-array item is announced when made
  FreeOnExit<TDBItem> scalar(TDBItem::Create(Variant(1), "scalar"));
  EXPECT_NE(ClassAndErrorOf([&] { list->Exists(scalar.Get()); }), "no error");

  // A match before the longer item ends the walk first.
  FreeOnExit<TDBItemList> matchFirst(TDBItemList::Create());
  ASSERT_TRUE(matchFirst->Add(ValuesItem({2})));
  ASSERT_TRUE(matchFirst->Add(ValuesItem({1, "a"})));
  FreeOnExit<TDBItem> same(ValuesItem({2}));
  EXPECT_TRUE(matchFirst->Exists(same.Get()));
  FreeOnExit<TDBItem> other(ValuesItem({3}));
  EXPECT_NE(ClassAndErrorOf([&] { matchFirst->Exists(other.Get()); }).find("EVariantBadIndexError"),
            String::npos);
}

TEST(DBItemListTest, ExistsWithNonArrayValuesComparesTheWholeValue) {
  MessageRecorder quiet;
  FreeOnExit<TDBItemList> list(TDBItemList::Create());
  ASSERT_TRUE(list->Add(TDBItem::Create(Variant(5))));
  FreeOnExit<TDBItem> same(TDBItem::Create(Variant(5.0)));
  FreeOnExit<TDBItem> other(TDBItem::Create(Variant("6")));
  EXPECT_TRUE(list->Exists(same.Get()));
  EXPECT_FALSE(list->Exists(other.Get()));
}

TEST(DBItemListTest, LookupFollowsItemsEditedDirectly) {
  FreeOnExit<TDBItemList> list(TDBItemList::CreateFromText("1,2,3"));
  list->ItemList()->Delete(1);
  EXPECT_TRUE(list->Add(TDBItem::Create(2.0, "")));
  list->ItemList()->Insert(0, TDBItem::Create(9.0, ""));
  FreeOnExit<TDBItem> nine(TDBItem::Create(9.0, ""));
  EXPECT_TRUE(list->Exists(nine.Get()));
  EXPECT_EQ(list->GetIDsText(), "9,1,3,2");
}

TEST(DBItemListTest, RefusedItemStaysTheCallers) {
  FreeOnExit<TDBItemList> list(TDBItemList::CreateFromText("4"));
  TDBItem* duplicate = TDBItem::Create(4.0, "again");
  EXPECT_FALSE(list->Add(duplicate));
  EXPECT_EQ(duplicate->Owner, nullptr);
  duplicate->Free();
  EXPECT_FALSE(list->AddOrFree(TDBItem::Create(4.0, "freed")));  // freed inside, no leak
}

TEST(DBItemListExTest, DuplicatesAreEqualBytesNotEqualValues) {
  FreeOnExit<TDBItemListEx> ex(TDBItemListEx::Create());
  FreeOnExit<TDBItemList> plain(TDBItemList::Create());
  for (TDBItemList* list : {static_cast<TDBItemList*>(ex.Get()), plain.Get()}) {
    EXPECT_TRUE(list->Add(ValuesItem({Variant(1)})));
    EXPECT_FALSE(list->AddOrFree(ValuesItem({Variant(1)})));
  }
  EXPECT_TRUE(ex->Add(ValuesItem({Variant(1.0)})));       // other bytes
  EXPECT_FALSE(plain->AddOrFree(ValuesItem({Variant(1.0)})));  // equal value
  EXPECT_EQ(ex->Count(), 2);

  ex->Clear();
  EXPECT_TRUE(ex->Add(ValuesItem({Variant(1)})));  // Clear forgets the registered values
}

TEST(DBItemListExTest, ChecksumCollisionsKeepBothRows) {
  // "plumless" and "buckeroo" share their CRC-32; as 8-bit strings they collide here too.
  ASSERT_EQ(ItemValuesChecksum(VarArrayOf({VarAsString8("plumless")})),
            ItemValuesChecksum(VarArrayOf({VarAsString8("buckeroo")})));
  FreeOnExit<TDBItemListEx> ex(TDBItemListEx::Create());
  EXPECT_TRUE(ex->Add(ValuesItem({VarAsString8("plumless")})));
  EXPECT_TRUE(ex->Add(ValuesItem({VarAsString8("buckeroo")})));
  EXPECT_FALSE(ex->AddOrFree(ValuesItem({VarAsString8("buckeroo")})));
}

TEST(DBItemListExTest, ChecksumIsTheRegisterOverTheRawBytes) {
  EXPECT_EQ(ItemValuesChecksum(VarArrayOf({VarAsString8("abc")})), ~0x352441C2u);
  EXPECT_EQ(ItemValuesChecksum(VarArrayOf({Null()})), 0xFFFFFFFFu);
  EXPECT_EQ(ItemValuesChecksum(VarArrayOf({VarAsString8("ab"), VarAsString8("c")})),
            ItemValuesChecksum(VarArrayOf({VarAsString8("abc")})));
}

TEST(CardinalListTest, KeepsUnsignedOrderAndGrowsAsTheOriginal) {
  FreeOnExit<TCardinalList> set(TCardinalList::Create());
  bool found = false;
  EXPECT_EQ(set->AddSorted(1, found), 0);
  EXPECT_EQ(set->AddSorted(0xFFFFFFFFu, found), 1);
  EXPECT_FALSE(found);
  EXPECT_EQ(set->AddSorted(0, found), 0);
  EXPECT_EQ(set->AddSorted(1, found), 1);
  EXPECT_TRUE(found);
  EXPECT_EQ(set->Count(), 3);
  EXPECT_EQ(set->Items(2), 0xFFFFFFFFu);
  int index = -1;
  EXPECT_FALSE(set->Find(5, index));
  EXPECT_EQ(index, 2);  // the insertion position

  std::vector<int> capacities;
  for (uint32_t v = 10; set->Count() < 120; ++v) {
    const int before = set->Capacity();
    set->AddSorted(v, found);
    if (set->Capacity() != before) capacities.push_back(set->Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{8, 12, 28, 44, 60, 76, 95, 118, 147}));
  set->Clear();
  EXPECT_EQ(set->Capacity(), 0);
}

}  // namespace
