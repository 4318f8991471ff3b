#include <gtest/gtest.h>

#include "DataSetTestSupport.h"

namespace {

using Names = std::vector<String>;

TEST(DataSetOpen, DynamicFieldsReadEveryColumnOfTheCurrentRow) {
  auto data = MakeEmitents();
  ASSERT_EQ(data->FieldCount(), 5);
  EXPECT_TRUE(data->DefaultFields());
  EXPECT_EQ(data->RecordCount(), 5);
  TField* name = data->FieldByName("name");
  EXPECT_TRUE(name->Is<TStringField>());
  EXPECT_EQ(name->Size(), 40);
  EXPECT_EQ(name->FieldNo(), 2);
  EXPECT_EQ(name->AsString(), "Иванов");
  EXPECT_EQ(data->FieldByName("ID")->AsInteger(), 1);
  EXPECT_DOUBLE_EQ(data->FieldByName("AMOUNT")->AsFloat(), 10.5);
  EXPECT_EQ(data->FieldByName("ACT_DATE")->AsDateTime(), EncodeDate(2024, 1, 15));
  data->Next();
  EXPECT_TRUE(data->FieldByName("AMOUNT")->IsNull());
  EXPECT_EQ(data->FieldByName("AMOUNT")->AsString(), "");
  EXPECT_EQ(data->FieldByName("AMOUNT")->AsFloat(), 0);
  EXPECT_TRUE(VarIsNull(data->FieldByName("ACT_DATE")->Value()));
  data->Close();
  EXPECT_EQ(data->FieldCount(), 0);
  EXPECT_EQ(data->RecordCount(), 0);
}

TEST(DataSetOpen, DynamicFieldClassFollowsTheColumnType) {
  struct TCase {
    TFieldType Type;
    TClass Class;
  };
  const TCase cases[] = {
      {ftString, TStringField::ClassInfo()},
      {ftFixedChar, TStringField::ClassInfo()},
      {ftWideString, TWideStringField::ClassInfo()},
      {ftSmallint, TSmallintField::ClassInfo()},
      {ftInteger, TIntegerField::ClassInfo()},
      {ftWord, TWordField::ClassInfo()},
      {ftLargeint, TLargeintField::ClassInfo()},
      {ftBoolean, TBooleanField::ClassInfo()},
      {ftFloat, TFloatField::ClassInfo()},
      {ftCurrency, TCurrencyField::ClassInfo()},
      {ftBCD, TBCDField::ClassInfo()},
      {ftFMTBcd, TFMTBCDField::ClassInfo()},
      {ftDate, TDateField::ClassInfo()},
      {ftTime, TTimeField::ClassInfo()},
      {ftDateTime, TDateTimeField::ClassInfo()},
      {ftMemo, TMemoField::ClassInfo()},
      {ftOraClob, TMemoField::ClassInfo()},
      {ftBlob, TBlobField::ClassInfo()},
      {ftUnknown, TVariantField::ClassInfo()},
  };
  auto data = MakeEmitents(false);
  data->Columns.clear();
  data->Rows.clear();
  for (const TCase& c : cases) data->Columns.push_back({"F" + FieldTypeName(c.Type), c.Type, 1});
  data->Open();
  for (size_t i = 0; i < std::size(cases); ++i) {
    TField* field = data->Fields()->Fields(static_cast<int>(i));
    EXPECT_EQ(field->ClassType(), cases[i].Class) << FieldTypeName(cases[i].Type);
    EXPECT_EQ(field->DataType(), cases[i].Type) << FieldTypeName(cases[i].Type);
  }
  data->Close();
  data->Columns = {{"CUR", ftCursor}};
  EXPECT_THROW(data->Open(), EDatabaseError);
  EXPECT_FALSE(data->Active());
}

TEST(DataSetOpen, AFailedFetchLeavesTheDatasetClosedAndARefreshKeepsTheOldRows) {
  auto data = MakeEmitents(false);
  data->FailNextFetch = true;
  EXPECT_THROW(data->Open(), EDatabaseError);
  EXPECT_FALSE(data->Active());
  EXPECT_EQ(data->FieldCount(), 0);
  data->Open();
  data->SetRecNo(3);
  data->FailNextFetch = true;
  EXPECT_THROW(data->Refresh(), EDatabaseError);
  EXPECT_EQ(data->RecordCount(), 5);
  EXPECT_EQ(data->FieldByName("ID")->AsInteger(), 3);
}

TEST(DataSetNavigation, BofAndEofAreSetOnlyByRunningIntoAnEnd) {
  auto data = MakeEmitents();
  TEventLog log(data.get());
  EXPECT_TRUE(data->Bof());
  EXPECT_FALSE(data->Eof());
  data->Prior();  // already at the beginning: nothing moves
  EXPECT_EQ(log.Take(), (Names{"BeforeScroll"}));
  data->Next();
  EXPECT_EQ(log.Take(), (Names{"BeforeScroll", "AfterScroll"}));
  EXPECT_FALSE(data->Bof());
  data->Prior();
  EXPECT_EQ(data->RecNo(), 1);
  EXPECT_FALSE(data->Bof());
  data->Prior();
  EXPECT_TRUE(data->Bof());
  data->Last();
  EXPECT_TRUE(data->Eof());
  EXPECT_EQ(data->FieldByName("ID")->AsInteger(), 11);
  log.Take();
  data->Next();
  EXPECT_EQ(log.Take(), (Names{"BeforeScroll"}));
  EXPECT_EQ(data->MoveBy(-10), -4);
  EXPECT_TRUE(data->Bof());
  data->SetRecNo(4);
  EXPECT_EQ(data->FieldByName("ID")->AsInteger(), 10);
  EXPECT_EQ(IdsOf(data.get()), (std::vector<int>{1, 2, 3, 10, 11}));
  EXPECT_EQ(data->RecNo(), 4);
}

TEST(DataSetNavigation, AnEmptyResultIsBothAtItsBeginningAndItsEnd) {
  auto data = MakeEmitents(false);
  data->Rows.clear();
  TEventLog log(data.get());
  data->Open();
  EXPECT_EQ(log.Take(), (Names{"BeforeOpen", "AfterOpen"}));
  EXPECT_TRUE(data->Bof() && data->Eof() && data->IsEmpty());
  EXPECT_EQ(data->RecNo(), 0);
  EXPECT_TRUE(data->FieldByName("NAME")->IsNull());
  EXPECT_THROW(data->Delete(), EDatabaseError);
  // Editing an empty dataset starts an insert, as the platform does.
  data->Edit();
  EXPECT_EQ(data->State(), dsInsert);
  data->Cancel();
  EXPECT_TRUE(data->IsEmpty());
}

TEST(DataSetEditing, OperationsFireTheirEventsInOrder) {
  auto data = MakeEmitents();
  TEventLog log(data.get());
  struct TStep {
    const char* What;
    std::function<void()> Run;
    Names Events;
  };
  TField* check = data->FieldByName("RCHECK");
  const TStep steps[] = {
      {"edit", [&] { data->Edit(); }, {"BeforeEdit", "AfterEdit"}},
      {"post", [&] { check->SetAsString("+"), data->Post(); }, {"BeforePost", "AfterPost"}},
      {"unchanged edit, then move",
       [&] { data->Edit(), data->Next(); },
       {"BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel", "BeforeScroll", "AfterScroll"}},
      {"changed edit, then move",
       [&] { data->Edit(), check->SetAsString("+"), data->Next(); },
       {"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}},
      {"insert",
       [&] { data->Insert(); },
       {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"}},
      {"cancel", [&] { data->Cancel(); }, {"BeforeCancel", "AfterCancel"}},
      {"delete",
       [&] { data->Delete(); },
       {"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}},
      {"refresh", [&] { data->Refresh(); }, {"BeforeRefresh", "AfterRefresh"}},
      {"close", [&] { data->Close(); }, {"BeforeClose", "AfterClose"}},
      {"open", [&] { data->Open(); }, {"BeforeOpen", "AfterOpen", "AfterScroll"}},
  };
  for (const TStep& step : steps) {
    step.Run();
    EXPECT_EQ(log.Take(), step.Events) << step.What;
  }
}

TEST(DataSetEditing, InsertGoesBeforeTheCurrentRowAppendAfterTheLast) {
  auto data = MakeEmitents();
  data->SetRecNo(2);
  data->Insert();
  EXPECT_EQ(data->RecNo(), 2);
  EXPECT_TRUE(data->FieldByName("ID")->IsNull());
  data->FieldByName("ID")->SetAsInteger(5);
  data->Post();
  EXPECT_EQ(data->RecNo(), 2);
  EXPECT_EQ(data->FieldByName("ID")->AsInteger(), 5);
  data->AppendRecord({99, "Новый", "-"});
  EXPECT_EQ(data->RecNo(), 7);
  EXPECT_EQ(IdsOf(data.get()), (std::vector<int>{1, 5, 2, 3, 10, 11, 99}));
  // A cancelled insert leaves the cursor where it was.
  data->SetRecNo(3);
  data->Insert();
  data->Cancel();
  EXPECT_EQ(data->FieldByName("ID")->AsInteger(), 2);
  EXPECT_EQ(data->RecordCount(), 7);
  // A failing AppendRecord adds nothing.
  EXPECT_THROW(data->AppendRecord({"not a number"}), EDatabaseError);
  EXPECT_EQ(data->State(), dsBrowse);
  EXPECT_EQ(data->RecordCount(), 7);
}

TEST(DataSetEditing, DeleteMovesToTheNextRowOrBackFromTheEnd) {
  auto data = MakeEmitents();
  data->SetRecNo(2);
  data->Delete();
  EXPECT_EQ(data->FieldByName("ID")->AsInteger(), 3);
  data->Last();
  data->Delete();
  EXPECT_EQ(data->FieldByName("ID")->AsInteger(), 10);
  EXPECT_EQ(IdsOf(data.get()), (std::vector<int>{1, 3, 10}));
  // A handler that aborts keeps the row.
  data->BeforeDelete = [](TDataSet*) { Abort(); };
  EXPECT_THROW(data->Delete(), EAbort);
  EXPECT_EQ(data->RecordCount(), 3);
}

TEST(DataSetEditing, WritesNeedEditStateAnOpenDatasetAndAModifiableOne) {
  auto data = MakeEmitents();
  TField* name = data->FieldByName("NAME");
  const auto message = DatabaseErrorOf;
  EXPECT_EQ(message([&] { name->SetAsString("x"); }), "Query1: Dataset not in edit or insert mode");
  EXPECT_EQ(message([&] { data->Post(); }), "Query1: Dataset not in edit or insert mode");
  data->SetReadOnly(true);
  EXPECT_EQ(message([&] { data->Edit(); }), "Query1: Cannot modify a read-only dataset");
  EXPECT_EQ(message([&] { data->Delete(); }), "Query1: Cannot modify a read-only dataset");
  data->SetReadOnly(false);
  name->SetReadOnly(true);
  data->Edit();
  EXPECT_EQ(message([&] { name->SetAsString("x"); }), "Field 'NAME' cannot be modified");
  data->Cancel();
  data->Close();
  EXPECT_EQ(message([&] { data->First(); }),
            "Query1: Cannot perform this operation on a closed dataset");
  EXPECT_EQ(message([&] { data->FieldByName("NOPE"); }), "Query1: Field 'NOPE' not found");
}

TEST(DataSetRefresh, RefetchesDroppingLocalEditsAndKeepsTheRecordNumber) {
  auto data = MakeEmitents();
  data->SetRecNo(4);
  data->Edit();
  data->FieldByName("RCHECK")->SetAsString("+");
  data->Post();
  const TBookmark before = data->GetBookmark();
  data->Refresh();
  EXPECT_EQ(data->RecNo(), 4);
  EXPECT_EQ(data->FieldByName("RCHECK")->AsString(), "-");
  EXPECT_FALSE(data->BookmarkValid(before));
  data->Rows.resize(2);
  data->Refresh();
  EXPECT_EQ(data->RecNo(), 2);
  EXPECT_EQ(data->RecordCount(), 2);
}

// A window's form: declares fields for the query before it opens.
class PersistentFieldsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FForm = TComponent::Create(nullptr);
    FData = MakeEmitents(false);
    FId = Declare<TIntegerField>("ID");
    FName = Declare<TStringField>("NAME");
    FCaption = Declare<TStringField>("Caption");
    FCaption->SetFieldKind(fkCalculated);
  }
  void TearDown() override {
    FData.reset();
    FForm->Free();
  }
  template <class T>
  T* Declare(const String& name) {
    T* field = T::Create(FForm);
    field->SetFieldName(name);
    field->SetDataSet(FData.get());
    return field;
  }

  TComponent* FForm = nullptr;
  TDataSetHolder FData{nullptr, nullptr};
  TField* FId = nullptr;
  TField* FName = nullptr;
  TField* FCaption = nullptr;
};

TEST_F(PersistentFieldsTest, OnlyDeclaredFieldsExistAndKeepTheirIdentity) {
  FData->Open();
  EXPECT_FALSE(FData->DefaultFields());
  EXPECT_EQ(FData->FieldCount(), 3);
  EXPECT_EQ(FData->FindField("RCHECK"), nullptr);
  EXPECT_EQ(FData->FieldByName("name"), FName);
  EXPECT_EQ(FName->Size(), 20);  // as declared, not as the column has it
  EXPECT_EQ(FName->AsString(), "Иванов");
  EXPECT_EQ(FName->FieldNo(), 2);
  FData->Close();
  EXPECT_EQ(FData->FieldCount(), 3);
  FData->Open();
  EXPECT_EQ(FData->FieldByName("ID"), FId);
}

TEST_F(PersistentFieldsTest, ADeclaredFieldMustMatchAColumnOfACompatibleType) {
  Declare<TStringField>("MISSING");
  EXPECT_EQ(DatabaseErrorOf([&] { FData->Open(); }), "Query1: Field 'MISSING' not found");
  EXPECT_FALSE(FData->Active());
  FData->FieldByName("MISSING")->Free();
  Declare<TIntegerField>("RCHECK");
  EXPECT_EQ(DatabaseErrorOf([&] { FData->Open(); }),
            "Query1: Type mismatch for field 'RCHECK', expecting: Integer actual: String");
  FData->FieldByName("RCHECK")->Free();
  // A number field of another kind reads the column by value.
  FData->Columns[0].Type = ftFloat;  // ID as NUMBER, read through the integer field
  FData->Open();
  EXPECT_EQ(FId->AsInteger(), 1);
}

TEST_F(PersistentFieldsTest, FieldsAndDatasetTakeEachOtherDownSafely) {
  EXPECT_THROW(Declare<TStringField>("name"), EDatabaseError);  // duplicate name
  FData->Open();
  EXPECT_THROW(Declare<TStringField>("RCHECK"), EDatabaseError);  // dataset open
  const int before = FForm->ComponentCount();
  FName->Free();
  EXPECT_FALSE(FData->Active());
  EXPECT_EQ(FData->FieldCount(), 2);
  FData.reset();
  EXPECT_EQ(FForm->ComponentCount(), before - 3);
}

TEST(DataSetMemory, ShortTextsAndNumbersNeedNoMemoryBeyondTheRowCells) {
  auto data = MakeEmitents(false);
  data->Columns = {{"ID", ftInteger}, {"RCHECK", ftString, 1}};
  data->Rows.assign(10000, {7, "-"});
  data->Open();
  const size_t perRow = data->BufferMemoryUsed() / 10000;
  EXPECT_LE(perRow, 3 * sizeof(uint64_t) + 8);  // one null word, two cells, block rounding
  for (data->First(); !data->Eof(); data->Next()) {
    data->Edit();
    data->FieldByName("RCHECK")->SetAsString("+");
    data->Post();
  }
  EXPECT_EQ(data->BufferMemoryUsed() / 10000, perRow);
}

}  // namespace
