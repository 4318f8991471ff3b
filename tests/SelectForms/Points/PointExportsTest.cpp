#include <dlfcn.h>
#include <gtest/gtest.h>

#include "PointsFixture.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/ResourcePack/Ucomlanguages.h"

namespace {

// An exported function as a host finds it: by name in the loaded library.
template <class F>
F Export(const char* name) {
  static void* library =
      dlopen((ExtractFilePath(ExecutableFileName()) + "libRodODOriv.so").c_str(), RTLD_NOW);
  return reinterpret_cast<F>(library ? dlsym(library, name) : nullptr);
}

class PointExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetComLanguage("ru");
    GetComFormLibProc("_SortDBGridB");
  }

  TPointsRun Run(const String& script, const std::function<bool(TDBItemList*)>& call) {
    THeadlessScope operatorScope(script);
    TDBItemList* list = TDBItemList::Create();
    FreeOnExit freeList(list);
    TPointsRun run;
    run.Result = call(list);
    FillRun(run, list, operatorScope.Record());
    return run;
  }

  TPointsDatabase Db;
};

TEST_F(PointExportsTest, OwnPointPresetsNarrowTheList) {
  using TIgnoredListExport = bool (*)(TOraSession*, const String&, int32_t, TDBItemList*);
  using TListExport = bool (*)(TOraSession*, const String&, TDBItemList*);
  const auto all = Export<TIgnoredListExport>("GetTOList");
  const auto myPOS = Export<TIgnoredListExport>("GetListMyPOS");
  const auto myTO = Export<TListExport>("GetMyTOList");
  ASSERT_TRUE(all && myPOS && myTO);
  const String script = "action actSelectAll; ok";
  EXPECT_EQ(Run(script, [&](TDBItemList* l) { return all(Db.Session, "PTS", 0, l); }).Items.size(),
            4u);
  EXPECT_EQ(
      Run(script, [&](TDBItemList* l) { return myPOS(Db.Session, "PTS", 0, l); }).Items.size(), 2u);
  EXPECT_EQ(Run(script, [&](TDBItemList* l) { return myTO(Db.Session, "PTS", l); }).Items.size(),
            1u);
}

TEST_F(PointExportsTest, BadKindOpensNoDialog) {
  using TKindListExport = bool (*)(TOraSession*, const String&, uint8_t, TDBItemList*&);
  const auto function = Export<TKindListExport>("GetTOList2");
  ASSERT_NE(function, nullptr);
  const TPointsRun run =
      Run("ok", [&](TDBItemList* list) { return function(Db.Session, "PTS", 3, list); });
  EXPECT_FALSE(run.Result);
  EXPECT_EQ(run.Boxes, std::vector<String>{"Функция вызвана с недопустимым режимом"});
}

TEST_F(PointExportsTest, SinglePointIsCopiedIntoTheHostsItem) {
  using TItemExport = bool (*)(TOraSession*, const String&, TDBItem*&);
  const auto function = Export<TItemExport>("GetSinglePOS");
  ASSERT_NE(function, nullptr);
  TDBItem* item = TDBItem::Create(0.0, "none");
  FreeOnExit freeItem(item);
  THeadlessScope operatorScope("gotorow 0; ok");
  EXPECT_TRUE(function(Db.Session, "PTS", item));
  EXPECT_NE(item->Name, "none");
}

}  // namespace
