#include <gtest/gtest.h>

#include "DataSetTestSupport.h"

namespace {

using Names = std::vector<String>;

// Writes down what a control would hear.
class TRecordingLink : public TDataLink {
 public:
  Names Take() {
    Names events;
    events.swap(FEvents);
    return events;
  }

 protected:
  void ActiveChanged() override { FEvents.push_back(Active() ? "active" : "inactive"); }
  void EditingChanged() override { FEvents.push_back(Editing() ? "editing" : "browsing"); }
  void DataSetChanged() override { FEvents.push_back("changed"); }
  void DataSetScrolled(int distance) override {
    FEvents.push_back("scrolled " + std::to_string(distance));
  }
  void LayoutChanged() override { FEvents.push_back("layout"); }
  void RecordChanged(TField* field) override {
    FEvents.push_back(field ? "field " + field->FieldName() : "record");
  }

 private:
  Names FEvents;
};

using TSourceHolder = std::unique_ptr<TDataSource, void (*)(TDataSource*)>;
TSourceHolder MakeSource(TDataSet* dataSet) {
  TSourceHolder source(TDataSource::Create(nullptr), [](TDataSource* s) { s->Free(); });
  source->SetDataSet(dataSet);
  return source;
}

TEST(DataLink, HearsStateScrollingAndChangesThroughItsSource) {
  auto data = MakeEmitents(false);
  auto source = MakeSource(data.get());
  int stateChanges = 0, dataChanges = 0;
  source->OnStateChange = [&](TObject*) { ++stateChanges; };
  source->OnDataChange = [&](TObject*, TField*) { ++dataChanges; };
  TRecordingLink link;
  link.SetDataSource(source.get());
  EXPECT_EQ(link.Take(), Names{});
  data->Open();
  EXPECT_EQ(link.Take(), Names{"active"});
  data->Next();
  EXPECT_EQ(link.Take(), Names{"scrolled 1"});
  data->Last();
  EXPECT_EQ(link.Take(), Names{"changed"});
  data->Edit();
  data->FieldByName("NAME")->SetAsString("Кузнецов");
  data->Post();
  EXPECT_EQ(link.Take(), (Names{"editing", "record", "field NAME", "browsing", "changed"}));
  EXPECT_EQ(stateChanges, 3);
  EXPECT_EQ(dataChanges, 5);
  source->SetEnabled(false);
  EXPECT_EQ(link.Take(), Names{"inactive"});
  source->SetEnabled(true);
  data->Close();
  EXPECT_EQ(link.Take(), (Names{"active", "inactive"}));
  EXPECT_EQ(source->State(), dsInactive);
}

TEST(DataLink, DisabledControlsHearOneChangeAfterTheLastEnable) {
  auto data = MakeEmitents();
  auto source = MakeSource(data.get());
  TRecordingLink link;
  link.SetDataSource(source.get());
  link.Take();
  int scrolled = 0;
  data->AfterScroll = [&](TDataSet*) { ++scrolled; };
  data->DisableControls();
  data->DisableControls();
  data->Next();
  data->Edit();
  data->FieldByName("RCHECK")->SetAsString("+");
  data->Post();
  data->Last();
  EXPECT_EQ(scrolled, 2);  // the dataset's own events still fire
  data->EnableControls();
  EXPECT_TRUE(data->ControlsDisabled());
  EXPECT_EQ(link.Take(), Names{});
  data->EnableControls();
  EXPECT_FALSE(data->ControlsDisabled());
  EXPECT_EQ(link.Take(), Names{"changed"});
  // Reopened meanwhile: the fields are new, so the controls hear of a new layout.
  data->DisableControls();
  data->Close();
  data->Open();
  data->EnableControls();
  EXPECT_EQ(link.Take(), Names{"layout"});
  data->DisableControls();
  data->Close();
  data->EnableControls();
  EXPECT_EQ(link.Take(), Names{"inactive"});
}

TEST(DataLink, SourcesAndLinksForgetWhatGoesFirst) {
  auto data = MakeEmitents();
  auto source = MakeSource(data.get());
  {
    TRecordingLink link;
    link.SetDataSource(source.get());
    auto detail = MakeEmitents();
    detail->SetMasterSource(source.get());
    detail->SetMasterFields("ID");
    source.reset();
    EXPECT_EQ(link.DataSource(), nullptr);
    EXPECT_EQ(detail->MasterSource(), nullptr);
  }
  TDataSource* orphan = TDataSource::Create(nullptr);
  orphan->SetDataSet(data.get());
  data.reset();
  EXPECT_EQ(orphan->DataSet(), nullptr);
  EXPECT_EQ(orphan->State(), dsInactive);
  orphan->Free();
}

// Emitents as the master; their filials in an in-memory table as the detail.
class MasterDetailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FFilials = TVirtualTable::Create(nullptr);
    FFilials->AddField("ID_EMITENT", ftInteger);
    FFilials->AddField("ID_FILIALA", ftInteger);
    FFilials->Open();
    for (auto [emitent, filial] : {std::pair{1, 1}, {1, 2}, {3, 1}, {11, 5}})
      FFilials->AppendRecord({emitent, filial});
    FFilials->SetMasterSource(FSource.get());
    FFilials->SetDetailFields("ID_EMITENT");
    FFilials->SetMasterFields("ID");
  }
  void TearDown() override { FFilials->Free(); }
  std::vector<int> Filials() { return IdsOf(FFilials, "ID_FILIALA"); }

  TDataSetHolder FMaster = MakeEmitents();
  TSourceHolder FSource = MakeSource(FMaster.get());
  TVirtualTable* FFilials = nullptr;
};

TEST_F(MasterDetailTest, TheDetailShowsTheRowsOfTheMastersCurrentRow) {
  EXPECT_EQ(Filials(), (std::vector<int>{1, 2}));
  int scrolled = 0;
  FFilials->AfterScroll = [&](TDataSet*) { ++scrolled; };
  FMaster->Next();  // emitent 2 has none
  EXPECT_TRUE(FFilials->IsEmpty());
  FMaster->Next();
  EXPECT_EQ(Filials(), std::vector<int>{1});
  EXPECT_GE(scrolled, 2);
  FMaster->Locate("ID", 11);
  EXPECT_EQ(Filials(), std::vector<int>{5});
  // The master's controls disabled: the detail catches up only when they are enabled.
  FMaster->DisableControls();
  FMaster->First();
  EXPECT_EQ(Filials(), std::vector<int>{5});
  FMaster->EnableControls();
  EXPECT_EQ(Filials(), (std::vector<int>{1, 2}));
  // No master row: no detail rows; a closed master leaves the detail as it was.
  FMaster->SetFilter("ID = 99");
  FMaster->SetFiltered(true);
  EXPECT_TRUE(FFilials->IsEmpty());
  FMaster->SetFiltered(false);
  FMaster->Close();
  EXPECT_EQ(Filials(), (std::vector<int>{1, 2}));
}

TEST(MasterDetail, AQueryDetailGetsTheMasterValuesNamedAfterTheMasterFields) {
  auto master = MakeEmitents();
  auto source = MakeSource(master.get());
  auto members = MakeEmitents(false);
  members->Columns = {{"ID_GROUP", ftInteger}, {"ID", ftInteger}};
  members->RowsFor = [](const std::vector<TMasterValue>& values) {
    const int group =
        values.empty() || VarIsNull(values[0].Value) ? -1 : values[0].Value.AsInteger();
    return TTestRows{{group, group * 100}, {group, group * 100 + 1}};
  };
  members->SetMasterSource(source.get());
  members->SetMasterFields("ID");
  members->SetDetailFields("ID_GROUP");
  members->Open();
  ASSERT_EQ(members->LastMasterValues.size(), 1u);
  EXPECT_EQ(members->LastMasterValues[0].MasterField, "ID");
  EXPECT_EQ(members->LastMasterValues[0].DetailField, "ID_GROUP");
  EXPECT_EQ(IdsOf(members.get()), (std::vector<int>{100, 101}));
  master->Next();
  EXPECT_EQ(IdsOf(members.get()), (std::vector<int>{200, 201}));
  // Editing the master: the detail follows a change of the key, not of other fields.
  master->Edit();
  const int fetches = members->Fetches;
  master->FieldByName("NAME")->SetAsString("Кузнецов");
  EXPECT_EQ(members->Fetches, fetches);
  master->FieldByName("ID")->SetAsInteger(7);
  EXPECT_EQ(IdsOf(members.get()), (std::vector<int>{700, 701}));
  master->Cancel();
  EXPECT_EQ(IdsOf(members.get()), (std::vector<int>{200, 201}));
}

TEST(MasterDetail, CircularLinksAreRefused) {
  auto a = MakeEmitents(), b = MakeEmitents();
  auto sourceA = MakeSource(a.get()), sourceB = MakeSource(b.get());
  b->SetMasterSource(sourceA.get());
  b->SetMasterFields("ID");
  EXPECT_EQ(DatabaseErrorOf([&] { a->SetMasterSource(sourceB.get()); }),
            "Query1: Circular datalinks are not allowed");
  EXPECT_THROW(a->SetMasterSource(sourceA.get()), EDatabaseError);
  EXPECT_THROW(sourceA->SetDataSet(b.get()), EDatabaseError);
  EXPECT_EQ(sourceA->DataSet(), a.get());
}

TEST(VirtualTable, HoldsItsRowsInMemoryUntilClosed) {
  TVirtualTable* table = TVirtualTable::Create(nullptr);
  Finally freeTable([&] { table->Free(); });
  table->SetName("DsGetTrnSchemes");
  table->AddField("RCHECK", ftString, 1);
  table->AddField("ID", ftFloat);
  table->AddField("NAME", ftString, 32);
  table->Open();
  EXPECT_TRUE(table->IsEmpty());
  table->AppendRecord({"-", 5, "Схема 5"});
  table->AppendRecord({"-", 7, "Схема 7"});
  table->Refresh();
  EXPECT_EQ(table->RecordCount(), 2);
  EXPECT_TRUE(table->Locate("ID", 7));
  EXPECT_EQ(table->FieldByName("NAME")->AsString(), "Схема 7");
  EXPECT_EQ(DatabaseErrorOf([&] { table->AddField("X", ftInteger); }),
            "DsGetTrnSchemes: Cannot perform this operation on an open dataset");
  table->Clear();
  EXPECT_TRUE(table->IsEmpty());
  table->AppendRecord({"+", 1, "Схема 1"});
  table->Close();
  table->Open();
  EXPECT_TRUE(table->IsEmpty());
}

TEST(VirtualTable, TakesItsColumnsFromPersistentFieldsWhenNoneAreDeclared) {
  TComponent* form = TComponent::Create(nullptr);
  Finally freeForm([&] { form->Free(); });
  TVirtualTable* table = TVirtualTable::Create(form);
  TStringField* check = TStringField::Create(form);
  check->SetFieldName("RCHECK");
  check->SetSize(1);
  check->SetDataSet(table);
  TIntegerField* id = TIntegerField::Create(form);
  id->SetFieldName("ID");
  id->SetDataSet(table);
  table->Open();
  table->AppendRecord({"+", 3});
  EXPECT_EQ(table->FieldDefs()->Count(), 2);
  EXPECT_EQ(id->AsInteger(), 3);
  EXPECT_EQ(check->AsString(), "+");
}

}  // namespace
