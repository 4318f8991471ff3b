#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "platform/db/DataSource.h"
#include "platform/db/VirtualTable.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "src/ComUnits/uChkCount.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "support/ErrorOf.h"

namespace {

// A window with three cards, two clients and the lines of the current card (a detail of the
// cards), a grid per dataset, a status label, and the hook's calls in a log.
class ChkCountTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetComLanguage("ru");
    Window = TComponent::Create(nullptr);
    Cards = Table("Cards", {{1}, {2}, {3}});
    Clients = Table("Clients", {{10}, {20}});
    Lines = Table("Lines", {});
    Lines->AddField("CARD_ID", ftInteger);
    TDataSource* cardsSource = TDataSource::Create(Window);
    cardsSource->SetDataSet(Cards);
    Lines->SetMasterSource(cardsSource);
    Lines->SetMasterFields("ID");
    Lines->SetDetailFields("CARD_ID");
    Lines->Open();
    for (int id : {100, 101, 200}) Lines->AppendRecord({id, id / 100});
    Cards->First();
    for (TDataSet* dataSet : {static_cast<TDataSet*>(Cards), static_cast<TDataSet*>(Clients),
                              static_cast<TDataSet*>(Lines)})
      Grids[dataSet] = Grid(dataSet->Name() + " grid");
    Status = TLabel::Create(Window);
    List = TChkStateList::Create(TChkGridLookup([this](TDataSet* dataSet) -> TControl* {
                                   const auto found = Grids.find(dataSet);
                                   return found == Grids.end() ? nullptr : found->second;
                                 }),
                                 Window);
    List->SetChangeHook(
        [this](TDataSet* dataSet, int counter) {
          Log.push_back(dataSet->Name() + " " + std::to_string(counter));
        },
        Window);
  }
  void TearDown() override {
    FreeAndNil(List);
    FreeAndNil(Window);
    SetComLanguage(FSavedLanguage);
  }

  TVirtualTable* Table(const char* name, std::vector<std::vector<Variant>> rows) {
    TVirtualTable* table = TVirtualTable::Create(Window);
    table->SetName(name);
    table->AddField("ID", ftInteger);
    if (rows.empty()) return table;
    table->Open();
    for (const auto& row : rows) table->AppendRecord({row[0]});
    table->First();
    return table;
  }
  TControl* Grid(const String& hint) {
    TPanel* grid = TPanel::Create(Window);
    grid->SetHint(hint);
    return grid;
  }
  std::vector<String> TakeLog() { return std::exchange(Log, {}); }

  TComponent* Window = nullptr;
  TVirtualTable* Cards = nullptr;
  TVirtualTable* Clients = nullptr;
  TVirtualTable* Lines = nullptr;
  std::map<TDataSet*, TControl*> Grids;
  TLabel* Status = nullptr;
  TChkStateList* List = nullptr;
  std::vector<String> Log;

 private:
  String FSavedLanguage = GetComLanguage();
};

TEST_F(ChkCountTest, TheHookHearsTheActiveDatasetAndItsDetailOnly) {
  Cards->AfterScroll = [this](TDataSet*) { Log.push_back("previous"); };
  List->Add(Cards);
  List->Add(Clients);
  List->Add(Lines);
  EXPECT_EQ(List->ActiveItem(), List->Find(Cards));  // the first one added

  Cards->Next();  // the lines follow their card and scroll too
  EXPECT_EQ(TakeLog(), (std::vector<String>{"previous", "Cards 0"}));
  Clients->Next();
  Lines->Next();
  Clients->Refresh();
  EXPECT_EQ(TakeLog(), std::vector<String>{});

  List->SetDetailDataSet(Cards, Lines);
  Lines->Refresh();
  EXPECT_EQ(TakeLog(), std::vector<String>{"Cards 0"});

  List->Activate(Clients);
  List->Activate(Table("Other", {{1}}));  // not followed: Clients stays active
  Clients->Close();
  Clients->Open();
  Cards->Prior();
  EXPECT_EQ(TakeLog(), (std::vector<String>{"Clients 0", "previous"}));
}

TEST_F(ChkCountTest, TheStatusShowsTheCountsAndTheGridsHints) {
  List->Add(Cards);
  List->Add(Clients);
  List->Add(Lines);
  List->SetStatusControl(Status);
  struct Case {
    TDataSet* Active;
    TDataSet* Detail;
    TDataSet* WithoutGrid;
    String Caption, Hint;
  } cases[] = {
      {Cards, nullptr, nullptr, " Записей: 3", "Cards grid"},
      {Cards, Clients, nullptr, " Записей: 3 (2)", "Cards grid (Clients grid)"},
      {Cards, Clients, Clients, " Записей: 3 (2)", "Cards grid ('')"},
      // A detail of a master-detail link is counted after its master.
      {Lines, nullptr, nullptr, " Записей: 3 (2)", "Cards grid (Lines grid)"},
      {Lines, nullptr, Lines, " Записей: 3 (2)", "Cards grid ('')"},
      // No grid shows the first dataset: the status stays as it was.
      {Cards, nullptr, Cards, "kept", "kept"},
  };
  for (const Case& c : cases) {
    const auto grids = Grids;
    if (c.WithoutGrid) Grids.erase(c.WithoutGrid);
    List->SetDetailDataSet(Cards, c.Detail);
    List->Activate(c.Active);
    Status->SetCaption("kept");
    Status->SetHint("kept");
    List->UpdateState();
    EXPECT_EQ(Status->Caption(), c.Caption) << c.Hint;
    EXPECT_EQ(Status->Hint(), c.Hint) << c.Caption;
    Grids = grids;
  }
}

TEST_F(ChkCountTest, FreedEntriesGiveTheHandlersBack) {
  const TDataSetNotifyEvent previous = [this](TDataSet*) { Log.push_back("previous"); };
  Cards->AfterScroll = previous;
  List->Add(Cards);
  List->Add(Clients);
  const TDataSetNotifyEvent later = [](TDataSet*) {};
  Clients->AfterRefresh = later;  // put over the entry's own: it stays
  FreeAndNil(List);

  EXPECT_TRUE(Cards->AfterScroll == previous);
  EXPECT_FALSE(Cards->AfterOpen.Assigned());
  EXPECT_FALSE(Cards->AfterRefresh.Assigned());
  EXPECT_TRUE(Clients->AfterRefresh == later);
  Cards->Next();
  EXPECT_EQ(TakeLog(), std::vector<String>{"previous"});
}

TEST_F(ChkCountTest, ComponentsFreedFirstAreLetGo) {
  List->Add(Cards);
  List->Add(Clients);
  List->Add(Lines);
  List->SetDetailDataSet(Cards, Lines);
  List->SetStatusControl(Status);

  Grids.erase(Lines);
  FreeAndNil(Lines);
  EXPECT_EQ(List->Count(), 2);
  EXPECT_EQ(List->Find(Cards)->DetailDataSet(), nullptr);
  FreeAndNil(Status);
  List->UpdateState();
  EXPECT_EQ(TakeLog(), std::vector<String>{"Cards 0"});

  Grids.erase(Cards);
  FreeAndNil(Cards);  // the active one: another must be activated before the next update
  EXPECT_EQ(List->Count(), 1);
  EXPECT_EQ(ErrorOf([&] { List->UpdateState(); }), "TChkStateList.UpdateState: FActiveItem=nil");

  Grids.clear();
  FreeAndNil(Window);  // takes the last dataset, the grid lookup and the hook with it
  EXPECT_EQ(List->Count(), 0);
  List->UpdateState();
  EXPECT_EQ(TakeLog(), std::vector<String>{});
}

TEST_F(ChkCountTest, TheLookupAndTheEntrysNotificationMustBeGiven) {
  EXPECT_EQ(ErrorOf([&] { TChkStateList::Create(TChkGridLookup(), Window); }), "pEvent=nil");
  EXPECT_EQ(ErrorOf([&] { TChkState::Create(Cards, TChkStateEvent()); }),
            "TChkState.Create: pUpdEv=nil");
  EXPECT_FALSE(Cards->AfterScroll.Assigned());
}

}  // namespace
