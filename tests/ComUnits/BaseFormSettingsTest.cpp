#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "db/demo/DemoDatabase.h"
#include "platform/db/VirtualTable.h"
#include "platform/ora/OraDataSet.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "src/ComUnits/uBaseFormSettings.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

namespace {

// A window with a 300 x 100 grid over an Oracle query of the demo database, the grid's
// interface object, and the filter action with its picture.
class GridOfQueryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Database = std::make_unique<TTempFolder>();
    CreateDemoDatabase(Database->Path(), MinDemoRows);
  }
  static void TearDownTestSuite() { Database.reset(); }

  void SetUp() override {
    Session = TOraSession::Create(nullptr);
    Session->SetServer(Database->Path());
    Session->SetUsername(DemoSchemaName);
    Window = TForm::Create(nullptr);
    Query = NewQuery("OraQuery1");
    Source = TDataSource::Create(Window);
    Source->SetDataSet(Query);
    Grid = TDBGrid::Create(Window);
    Grid->SetName("DBGrid1");
    Grid->SetParent(Window);
    Grid->SetBounds(0, 0, 300, 100);
    Grid->SetHint("Группы");
    Grid->SetDataSource(Source);
    Interfaces = TDBIntList::Create();
    GridInt = Interfaces->GetItem(
        Interfaces->Add(CreateGridInterfaced(TDBGridIntObj::ClassInfo(), Grid)));
  }
  void TearDown() override {
    if (Follower) Follower->Free();
    Interfaces->Free();
    Window->Free();
    Session->Free();
  }

  TOraQuery* NewQuery(const char* name) {
    TOraQuery* query = TOraQuery::Create(Window);
    query->SetName(name);
    query->SetSession(Session);
    query->SQL()->SetText("SELECT * FROM OC_DEMO.V_GROUP");
    return query;
  }
  TAction* AddFilterAction(bool withPicture) {
    TActionList* actions = TActionList::Create(Window);
    TAction* action = TAction::Create(Window);
    action->SetName("pFilter");
    action->SetHint("Фильтр…");
    action->SetActionList(actions);
    action->OnExecute = [this](TObject*) { ++FilterRuns; };
    if (withPicture) {
      TImageList* images = TImageList::Create(Window);
      AddPicture(images, "other.bmp");
      AddPicture(images, "filter.bmp");
      actions->SetImages(images);
      action->SetImageIndex(1);
    }
    return action;
  }
  static void AddPicture(TImageList* images, const char* source) {
    TBitmap* picture = TBitmap::Create();
    picture->SetWidth(16);
    picture->SetHeight(16);
    picture->SetSource(source);
    images->Add(picture);
    picture->Free();
  }
  void Follow() { Follower = TDBGridOfQuery::Create(Window, GridInt); }
  // The button while it sits on the grid; nullptr while it is hidden.
  TSpeedButton* Button() const {
    for (int i = 0; i < Grid->ControlCount(); ++i)
      if (Grid->Controls(i)->Name() == "DBGrid1_SQLFilterButton")
        return dynamic_cast<TSpeedButton*>(Grid->Controls(i));
    return nullptr;
  }
  void OpenWithFilter(TOraQuery* query, const String& condition) {
    query->Close();
    query->SetFilterSQL(condition);
    query->Open();
  }

  static std::unique_ptr<TTempFolder> Database;
  TOraSession* Session = nullptr;
  TForm* Window = nullptr;
  TOraQuery* Query = nullptr;
  TDataSource* Source = nullptr;
  TDBGrid* Grid = nullptr;
  TDBIntList* Interfaces = nullptr;
  IDBGrid* GridInt = nullptr;
  TDBGridOfQuery* Follower = nullptr;
  int FilterRuns = 0;
};
std::unique_ptr<TTempFolder> GridOfQueryTest::Database;

TEST_F(GridOfQueryTest, WindowAndGridMustBeGiven) {
  EXPECT_EQ(ErrorOf([&] { TDBGridOfQuery::Create(nullptr, GridInt); }),
            "constructor TDBGridOfQuery.Create: AOwner = nil");
  EXPECT_EQ(ErrorOf([&] { TDBGridOfQuery::Create(Window, nullptr); }),
            "constructor TDBGridOfQuery.Create: Grig = nil");
}

TEST_F(GridOfQueryTest, ButtonShowsWhileAnSQLFilterOtherThanTheNeutralOneIsInForce) {
  struct TCase {
    String Condition;
    bool Shown;
  };
  const TCase cases[] = {{"", false}, {"((1=1)aNd(1=1))", false}, {"ID > 3", true}};
  AddFilterAction(true);
  Follow();
  for (const TCase& c : cases) {
    OpenWithFilter(Query, c.Condition);
    EXPECT_EQ(Button() != nullptr, c.Shown) << c.Condition;
  }
  TSpeedButton* button = Button();
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Hint(), " \"Группы\" Фильтр…");
  EXPECT_TRUE(button->ShowHint());
  EXPECT_EQ(button->Glyph()->Source(), "filter.bmp");
  EXPECT_EQ(button->Caption(), "");
  EXPECT_EQ(button->BoundsRect(), Rect(276, 76, 300, 100));
  EXPECT_EQ(button->Anchors(), akRight | akBottom);
  EXPECT_TRUE(button->OnClick);

  Query->Close();
  EXPECT_EQ(Button(), nullptr);
  EXPECT_EQ(button->Parent(), nullptr);
  EXPECT_TRUE(button->Glyph()->Empty());
  EXPECT_FALSE(button->OnClick);
}

TEST_F(GridOfQueryTest, WithoutAPictureTheButtonSaysF) {
  struct TCase {
    bool Action;
    String Hint;
  };
  const TCase cases[] = {{false, " \"Группы\""}, {true, " \"Группы\" Фильтр…"}};
  for (const TCase& c : cases) {
    if (c.Action) AddFilterAction(false);
    Follow();
    OpenWithFilter(Query, "ID > 3");
    ASSERT_NE(Button(), nullptr);
    EXPECT_EQ(Button()->Caption(), "F");
    EXPECT_EQ(Button()->Hint(), c.Hint);
    Query->Close();
    FreeAndNil(Follower);
  }
}

TEST_F(GridOfQueryTest, DatasetOtherThanAnOracleQueryNeverShowsTheButton) {
  TVirtualTable* table = TVirtualTable::Create(Window);
  table->AddField("ID", ftInteger);
  Follow();
  GridInt->SetDataSet(table);
  table->Open();
  EXPECT_EQ(Button(), nullptr);
}

TEST_F(GridOfQueryTest, ClickFocusesTheGridAndRunsTheFilterTool) {
  AddFilterAction(true);
  Window->Show();
  Follow();
  OpenWithFilter(Query, "ID > 3");
  Grid->SetEnabled(false);
  Button()->Click();
  EXPECT_EQ(FilterRuns, 0);  // a grid that cannot take the focus is left alone
  Grid->SetEnabled(true);
  Button()->Click();
  EXPECT_EQ(FilterRuns, 1);
  EXPECT_EQ(Window->ActiveControl(), Grid);
}

TEST_F(GridOfQueryTest, HandlersFoundAreCalledAroundItsOwnAndGivenBack) {
  std::vector<String> calls;
  const TDataSetNotifyEvent afterOpen = [&](TDataSet*) {
    calls.push_back(Button() ? "open: shown" : "open: hidden");
  };
  const TDataSetNotifyEvent afterClose = [&](TDataSet*) {
    calls.push_back(Button() ? "close: shown" : "close: hidden");
  };
  const TDBGridDataSetChangeEvent dataSetChange = [&](IDBGrid*, TDataSet* dataSet) {
    calls.push_back("change to " + dataSet->Name());
  };
  Query->AfterOpen = afterOpen;
  Query->AfterClose = afterClose;
  GridInt->SetOnDataSetChange(dataSetChange);
  Follow();
  OpenWithFilter(Query, "ID > 3");
  Query->Close();
  TOraQuery* other = NewQuery("OraQuery2");
  GridInt->SetDataSet(other);
  EXPECT_EQ(calls, (std::vector<String>{"open: hidden", "close: hidden", "change to OraQuery2"}));
  EXPECT_TRUE(Query->AfterOpen == afterOpen);
  EXPECT_TRUE(Query->AfterClose == afterClose);

  FreeAndNil(Follower);
  EXPECT_FALSE(other->AfterOpen);
  EXPECT_FALSE(other->AfterClose);
  TDBGridDataSetChangeEvent current;
  GridInt->GetOnDataSetChange(current);
  EXPECT_TRUE(current == dataSetChange);
}

TEST_F(GridOfQueryTest, FollowsTheGridToItsNewDataset) {
  Follow();
  OpenWithFilter(Query, "ID > 3");
  TOraQuery* other = NewQuery("OraQuery2");
  GridInt->SetDataSet(other);
  EXPECT_EQ(Button(), nullptr);  // the new dataset is closed
  OpenWithFilter(other, "ID > 3");
  EXPECT_NE(Button(), nullptr);
  other->Close();
  OpenWithFilter(Query, "ID > 4");
  EXPECT_EQ(Button(), nullptr);
}

TEST_F(GridOfQueryTest, DatasetFreedFirstIsForgotten) {
  Follow();
  OpenWithFilter(Query, "ID > 3");
  Query->Free();
  EXPECT_EQ(Button(), nullptr);
  FreeAndNil(Follower);  // gives nothing back to the freed dataset
}

TEST_F(GridOfQueryTest, GridFreedWithTheButtonOnItLeavesNothingDangling) {
  Follow();
  OpenWithFilter(Query, "ID > 3");
  ASSERT_NE(Button(), nullptr);
  Grid->Free();
  Query->Close();
  OpenWithFilter(Query, "ID > 3");
  FreeAndNil(Follower);
}

}  // namespace
