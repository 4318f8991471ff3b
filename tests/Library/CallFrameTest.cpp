#include <gtest/gtest.h>

#include "platform/db/VirtualTable.h"
#include "src/ComUnits/uComFunctions.h"
#include "src/Library/uCallFrame.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "support/SelectFixture.h"

namespace {

class CallFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { SetComLanguage("ru"); }
  TSelectDatabase Db;
};

TEST_F(CallFrameTest, IDTextComesBackInTheDialogsRowOrderOnlyWhenConfirmed) {
  struct Case {
    String script, ids, expected;
    bool result;
  };
  const Case cases[] = {
      {"tick ID=1; ok", "5,3", "1,3,5", true},
      {"tick ID=1; cancel", "5,3", "5,3", false},
      // The word for all records pre-selects nothing; ticking every row gives every ID.
      {"dump; action actSelectAll; ok", "Все", "1,2,3,4,5", true},
  };
  for (const Case& c : cases) {
    THeadlessScope operatorScope(c.script);
    String ids = c.ids;
    EXPECT_EQ(RunOnIDText<TItemsDialog>(Db.Session, "SEL", ids), c.result) << c.script;
    EXPECT_EQ(ids, c.expected) << c.script;
  }
}

TEST_F(CallFrameTest, SingleRecordIsCopiedIntoTheHostsItem) {
  TDBItem* item = TDBItem::Create(0.0, "before");
  FreeOnExit freeItem(item);
  {
    THeadlessScope operatorScope("cancel");
    EXPECT_FALSE(RunOnSingleRecord<TItemsDialog>(Db.Session, "SEL", item, [](TItemsDialog*) {}));
    EXPECT_EQ(item->Name, "before");
  }
  THeadlessScope operatorScope("goto ID=4; ok");
  EXPECT_TRUE(RunOnSingleRecord<TItemsDialog>(Db.Session, "SEL", item, [](TItemsDialog*) {}));
  EXPECT_EQ(item->GetID(), 4);
  EXPECT_EQ(item->Name, "Item 4");
}

TEST_F(CallFrameTest, HostRowsAreMarkedByTheirKeysAndMissingItemsNamed) {
  TVirtualTable* host = TVirtualTable::Create(nullptr);
  FreeOnExit freeHost(host);
  host->AddField("RCHECK", ftString, 1);
  host->AddField("ID", ftInteger);
  host->AddField("KIND", ftString, 5);
  host->Open();
  for (int id = 1; id <= 4; ++id) host->AppendRecord({"-", id, id % 2 ? "odd" : "even"});

  TDBItemList* chosen = TDBItemList::Create();
  FreeOnExit freeChosen(chosen);
  chosen->AddOrFree(TDBItem::Create(4.0, "four"));
  chosen->AddOrFree(TDBItem::Create(99.0, "missing"));
  chosen->AddOrFree(TDBItem::Create(VarArrayOf({2, "even"}), "two"));
  chosen->AddOrFree(TDBItem::Create(VarArrayOf({3, "even"}), "three, wrong kind"));

  const auto mark = [](TField* field) { SetCheckFldValue(field, true); };
  EXPECT_EQ(MarkHostRows(host, chosen, "ID", "RCHECK", mark), (std::vector<String>{"missing"}));
  EXPECT_EQ(MarkHostRows(host, chosen, "ID;KIND", "RCHECK", mark),
            (std::vector<String>{"four", "missing", "three, wrong kind"}));
  std::vector<String> marks;
  for (host->First(); !host->Eof(); host->Next())
    marks.push_back(host->FieldByName("RCHECK")->AsString());
  EXPECT_EQ(marks, (std::vector<String>{"-", "+", "+", "+"}));
}

}  // namespace
