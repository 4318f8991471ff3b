#include <dlfcn.h>
#include <gtest/gtest.h>

#include "EmitentFixture.h"
#include "platform/rtl/Files.h"

namespace {

using TListExport = bool (*)(TOraSession*, const String&, TDBItemList*);
using TFlagListExport = bool (*)(TOraSession*, const String&, TDBItemList*, uint8_t);

// An exported function as a host finds it: by name in the loaded library.
template <class F>
F Export(const char* name) {
  static void* library =
      dlopen((ExtractFilePath(ExecutableFileName()) + "libRodODOriv.so").c_str(), RTLD_NOW);
  return reinterpret_cast<F>(library ? dlsym(library, name) : nullptr);
}

std::vector<int> IDsAfter(const std::function<bool(TDBItemList*)>& call, const String& script,
                          bool& result) {
  THeadlessScope operatorScope(script);
  TDBItemList* list = TDBItemList::Create();
  FreeOnExit freeList(list);
  result = call(list);
  std::vector<int> ids;
  for (int i = 0; i < list->Count(); ++i) ids.push_back(static_cast<int>(list->Items(i)->GetID()));
  return ids;
}

class EmitentExportsTest : public ::testing::Test {
 protected:
  TEmitentDatabase Db;
};

TEST_F(EmitentExportsTest, EmitentListsHonourTheExcludeFlagOnTheirOwnView) {
  struct Case {
    const char* Name;
    uint8_t Flag;
    std::vector<int> IDs;
  };
  const Case cases[] = {{"GetEmitList", 0, {1, 2, 3, 4, 5}},
                        {"GetEmitList", 1, {3, 4, 5}},
                        {"GetDEmitList", 1, {11}}};
  for (const Case& c : cases) {
    const auto function = Export<TFlagListExport>(c.Name);
    ASSERT_NE(function, nullptr) << c.Name;
    bool result = false;
    const std::vector<int> ids =
        IDsAfter([&](TDBItemList* list) { return function(Db.Session, "", list, c.Flag); },
                 "action actSelectAll; ok", result);
    EXPECT_TRUE(result) << c.Name;
    EXPECT_EQ(ids, c.IDs) << c.Name << " " << int(c.Flag);
  }
}

TEST_F(EmitentExportsTest, SingleEmitentAndGroupExportsReturnOneChoice) {
  for (const char* name : {"GetEmitent", "GetSingleGroupEmit"}) {
    const auto function = Export<TListExport>(name);
    ASSERT_NE(function, nullptr) << name;
    bool result = false;
    const std::vector<int> ids =
        IDsAfter([&](TDBItemList* list) { return function(Db.Session, "EMT", list); },
                 "gotorow 1; ok", result);
    EXPECT_TRUE(result) << name;
    EXPECT_EQ(ids, std::vector<int>{2}) << name;
  }
}

TEST_F(EmitentExportsTest, GroupListsAreMultiSelect) {
  for (const char* name : {"GetGrpEmt", "GetGroupsClients"}) {
    const auto function = Export<TListExport>(name);
    ASSERT_NE(function, nullptr) << name;
    bool result = false;
    const std::vector<int> ids =
        IDsAfter([&](TDBItemList* list) { return function(Db.Session, "EMT", list); },
                 "action actSelectAll; ok", result);
    EXPECT_TRUE(result) << name;
    EXPECT_GE(ids.size(), 2u) << name;
  }
}

}  // namespace
