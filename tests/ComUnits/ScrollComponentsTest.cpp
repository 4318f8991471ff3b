#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/rtl/ScopeGuard.h"
#include "src/ComUnits/uScrollComponents.h"

namespace {

class TGridBase : public TComponent {
  RTL_CLASS(TGridBase, TComponent)
};
RTL_CLASS_IMPL_CREATABLE(TGridBase, TComponent)

class TFancyGrid : public TGridBase {
  RTL_CLASS(TFancyGrid, TGridBase)
};
RTL_CLASS_IMPL_CREATABLE(TFancyGrid, TGridBase)

class TQuery : public TComponent {
  RTL_CLASS(TQuery, TComponent)
};
RTL_CLASS_IMPL_CREATABLE(TQuery, TComponent)

// A window-like owner whose handlers record what they were called with.
class TRecorder : public TObject {
 public:
  std::vector<String> Calls;
  void Grid(TComponent* c) { Calls.push_back("grid " + c->Name()); }
  void Query(TComponent* c) { Calls.push_back("query " + c->Name()); }
};

TComponent* Make(TClass cls, TComponent* owner, const char* name) {
  TComponent* component = TComponent::CreateComponent(cls, owner);
  component->SetName(name);
  return component;
}

String ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EAssertionFailed& error) {
    return error.Message();
  }
  return "no assertion";
}

class ScrollComponentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window = TComponent::Create(nullptr);
    Make(TGridBase::ClassInfo(), Window, "Grid1");
    Make(TQuery::ClassInfo(), Window, "Query1");
    Make(TFancyGrid::ClassInfo(), Window, "Grid2");
  }
  void TearDown() override { Window->Free(); }
  TComponent* Window = nullptr;
  TRecorder Recorder;
};

TEST_F(ScrollComponentsTest, RunsHandlersByEntryComponentAndRegistrationOrder) {
  FreeOnExit<TScrollComponentList> list(TScrollComponentList::Create(Window));
  list->AddHandler(TQuery::ClassInfo(), {&Recorder, &TRecorder::Query});
  list->AddHandler(TGridBase::ClassInfo(), {&Recorder, &TRecorder::Grid});  // covers descendants
  int before = 0, after = 0;
  list->OnBeforeRun = [&](TScrollComponentList*) { ++before; };
  list->OnAfterRun = [&](TScrollComponentList*) { after += before; };
  list->Run();
  // Entries in creation order; within the grid entry the classes come in index order.
  ASSERT_EQ(Recorder.Calls.size(), 3u);
  EXPECT_EQ(Recorder.Calls[0], "query Query1");
  std::sort(Recorder.Calls.begin() + 1, Recorder.Calls.end());
  EXPECT_EQ(Recorder.Calls, (std::vector<String>{"query Query1", "grid Grid1", "grid Grid2"}));
  EXPECT_EQ(after, 1);
  EXPECT_EQ(list->EntryCount(), 2);
}

TEST_F(ScrollComponentsTest, LaterComponentsAreHandledOnlyAfterRefresh) {
  FreeOnExit<TScrollComponentList> list(TScrollComponentList::Create(Window));
  list->AddHandler(TGridBase::ClassInfo(), {&Recorder, &TRecorder::Grid});
  Make(TGridBase::ClassInfo(), Window, "Grid3");
  list->Run();
  EXPECT_EQ(Recorder.Calls.size(), 2u);
  list->Refresh();
  Recorder.Calls.clear();
  list->Run();
  // Refilled from the class index: classes in index order, each class's components in the
  // order they were met.
  std::sort(Recorder.Calls.begin(), Recorder.Calls.end());
  EXPECT_EQ(Recorder.Calls, (std::vector<String>{"grid Grid1", "grid Grid2", "grid Grid3"}));
}

TEST_F(ScrollComponentsTest, FreedComponentsLeaveEveryListByThemselves) {
  FreeOnExit<TScrollComponentList> list(TScrollComponentList::Create(Window));
  list->AddHandler(TQuery::ClassInfo(), {&Recorder, &TRecorder::Query});
  ASSERT_EQ(list->FindEntry(TQuery::ClassInfo())->Count(), 1);
  Window->FindComponent("Query1")->Free();
  EXPECT_EQ(list->FindEntry(TQuery::ClassInfo())->Count(), 0);
  list->Refresh();  // the index let go of it as well: nothing freed comes back
  list->Run();
  EXPECT_TRUE(Recorder.Calls.empty());
}

TEST_F(ScrollComponentsTest, ARoutineIsHeldOnceWhateverItsObject) {
  TRecorder other;
  FreeOnExit<TScrollComponentList> list(TScrollComponentList::Create(Window));
  list->AddHandler(TQuery::ClassInfo(), {&Recorder, &TRecorder::Query});
  list->AddHandler(TQuery::ClassInfo(), {&Recorder, &TRecorder::Query});
  list->AddHandler(TQuery::ClassInfo(), {&other, &TRecorder::Query});
  list->Run();
  EXPECT_EQ(Recorder.Calls.size(), 1u);
  EXPECT_TRUE(other.Calls.empty());
  list->RemoveHandler(TQuery::ClassInfo(), {&other, &TRecorder::Query});  // the routine decides
  list->Run();
  EXPECT_EQ(Recorder.Calls.size(), 1u);
}

TEST_F(ScrollComponentsTest, AnEntryMadeLaterCollectsWhatIsIndexed) {
  FreeOnExit<TScrollComponentList> list(TScrollComponentList::Create(Window));
  TScrollComponent* grids = TScrollComponent::Create(list.Get(), TGridBase::ClassInfo());
  EXPECT_EQ(grids->Count(), 2);
  std::vector<String> seen;
  grids->ForEach([&](TComponent* c) { seen.push_back(c->Name()); });
  EXPECT_EQ(seen, (std::vector<String>{grids->Items(0)->Name(), grids->Items(1)->Name()}));
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<String>{"Grid1", "Grid2"}));
  // The tracker rides on the grid and goes when the entry lets go of it.
  TComponent* grid = Window->FindComponent("Grid1");
  EXPECT_EQ(grid->ComponentCount(), 1);
  grids->DelComponent(grid);
  EXPECT_EQ(grid->ComponentCount(), 0);
  EXPECT_EQ(grids->Count(), 1);
}

TEST_F(ScrollComponentsTest, AssertionsNameTheProgrammingErrors) {
  FreeOnExit<TScrollComponentList> list(TScrollComponentList::Create(Window));
  TScrollComponent* grids = TScrollComponent::Create(list.Get(), TGridBase::ClassInfo());
  EXPECT_EQ(ErrorOf([&] { TScrollComponent::Create(list.Get(), TGridBase::ClassInfo()); }),
            "TScrollComponent.Create: components of Class \"TGridBase\" Is already added");
  EXPECT_EQ(ErrorOf([&] { TScrollComponent::Create(nullptr, TGridBase::ClassInfo()); }),
            "TScrollComponent.Create: AScrollList = nil");
  TComponent* query = Window->FindComponent("Query1");
  EXPECT_EQ(ErrorOf([&] { grids->AddComponent(query); }),
            "TScrollComponent.AddComponent: \"TQuery\" class is not inherited \"TGridBase\" class");
  EXPECT_EQ(ErrorOf([&] { grids->DelComponent(query); }),
            "TScrollComponent.DelComponent: \"TQuery\" class is not inherited \"TGridBase\" class");
  EXPECT_EQ(ErrorOf([&] { TChildComponent::Create(nullptr); }),
            "_TChildComponent.Create: AOwner = nil");
  EXPECT_EQ(grids->Count(), 2);  // the failed calls changed nothing
}

TEST_F(ScrollComponentsTest, FreeingTheListReleasesTheTrackers) {
  TScrollComponentList* list = TScrollComponentList::Create(Window);
  list->AddHandler(TGridBase::ClassInfo(), {&Recorder, &TRecorder::Grid});
  TComponent* grid = Window->FindComponent("Grid2");
  EXPECT_EQ(grid->ComponentCount(), 1);
  list->Free();
  EXPECT_EQ(grid->ComponentCount(), 0);
}

}  // namespace
