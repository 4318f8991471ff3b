#include <gtest/gtest.h>

#include "PointsFixture.h"
#include "platform/rtl/ScopeGuard.h"
#include "src/ComUnits/uComFormGFG.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/SelectForms/uSelectGrpTO.h"
#include "src/SelectForms/uSelectShiftTO.h"
#include "src/SelectForms/uSelectSinglePOS.h"
#include "src/SelectForms/uSelectSingleTerminal.h"
#include "src/SelectForms/uSelectTO.h"
#include "src/SelectForms/uSelectTOWithoutGrSF.h"
#include "src/SelectForms/ufrmSelectTOGrExpSF.h"

namespace {

using Strings = std::vector<String>;

bool Contains(const String& text, const String& part) { return text.find(part) != String::npos; }

TDBItemList* ListOf(std::initializer_list<Variant> values) {
  TDBItemList* list = TDBItemList::Create();
  list->AddOrFree(TDBItem::Create(VarArrayOf(values), String()));
  return list;
}

class PointsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetComLanguage("ru");
    // The library's start binds the grid tools; their operator steps come with them.
    GetComFormLibProc("_SortDBGridB");
  }
  void TearDown() override { CloseComFormGFG(); }

  template <class TDialog>
  TPointsRun Run(bool multiSelect, const String& script, TDBItemList* list = nullptr) {
    FreeOnExit<TDBItemList> owned(list ? list : TDBItemList::Create());
    return RunPointsDialog<TDialog>(Db, multiSelect, script, owned.Get());
  }

  TPointsDatabase Db;
};

// --- service points -----------------------------------------------------------------------

TEST_F(PointsTest, PointsAreMatchedByAllThreeNumbersAndReturnedWithThem) {
  // Alpha and Delta share point number 10; only the emitent tells them apart.
  const TPointsRun run =
      Run<TSelectTO>(true, "dump; tick NAME=Beta; ok", ListOf({2, 1, 10}));
  ASSERT_TRUE(run.Result) << run.Record;
  // In the query's order: by point number.
  EXPECT_EQ(run.Items, (Strings{"2,1,10|Delta", "1,2,11|Beta"}));
  EXPECT_TRUE(Contains(run.Record, "| - | [0001, 1, 10] Alpha |")) << run.Record;
  EXPECT_TRUE(Contains(run.Record, "| + | [0002, 1, 10] Delta |")) << run.Record;
  EXPECT_TRUE(Contains(run.Record, "Точка обслуживания")) << run.Record;
}

}  // namespace
