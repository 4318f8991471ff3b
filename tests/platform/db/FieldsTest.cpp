#include <gtest/gtest.h>

#include "DataSetTestSupport.h"

namespace {

// One row with a column of each kind the conversions differ on, and a second row of NULLs.
class FieldsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FTable = TVirtualTable::Create(nullptr);
    FTable->SetName("Table1");
    const std::pair<const char*, TFieldType> columns[] = {
        {"S", ftString},   {"W", ftWideString}, {"I", ftInteger},   {"SI", ftSmallint},
        {"L", ftLargeint}, {"F", ftFloat},      {"C", ftCurrency},  {"N", ftBCD},
        {"B", ftBoolean},  {"D", ftDate},       {"DT", ftDateTime}, {"M", ftMemo},
        {"V", ftVariant}};
    for (const auto& [name, type] : columns)
      FTable->AddField(name, type, type == ftString ? 5 : 10);
    FTable->Open();
    FTable->AppendRecord({"12", "Wide", 42, 7, 5000000000LL, 2.5, 1234.5, 3.25, true,
                          VarFromDateTime(EncodeDate(2024, 1, 15)),
                          VarFromDateTime(EncodeDate(2024, 1, 15) + EncodeTime(10, 30, 0, 0)),
                          "long memo text", 8});
    FTable->Append();
    FTable->Post();
    FTable->First();
  }
  void TearDown() override { FTable->Free(); }
  TField* F(const char* name) { return FTable->FieldByName(name); }

  TVirtualTable* FTable = nullptr;
};

TEST_F(FieldsTest, ValueGivesTheVariantKindOfTheFieldClass) {
  const std::pair<const char*, TVarType> cases[] = {
      {"S", varString},  {"W", varOleStr}, {"I", varInteger}, {"SI", varInteger},
      {"L", varInt64},   {"F", varDouble}, {"C", varDouble},  {"N", varCurrency},
      {"B", varBoolean}, {"D", varDate},   {"M", varString},  {"V", varInteger}};
  for (const auto& [name, type] : cases) EXPECT_EQ(VarType(F(name)->Value()), type) << name;
  FTable->Next();
  for (const auto& [name, type] : cases) EXPECT_TRUE(VarIsNull(F(name)->Value())) << name;
}

TEST_F(FieldsTest, ReadingConvertsAsTheFieldClassAllows) {
  EXPECT_EQ(F("S")->AsInteger(), 12);
  EXPECT_DOUBLE_EQ(F("S")->AsFloat(), 12);
  EXPECT_EQ(F("I")->AsString(), "42");
  EXPECT_DOUBLE_EQ(F("I")->AsFloat(), 42);
  EXPECT_EQ(F("F")->AsInteger(), 2);  // rounds half to even
  EXPECT_EQ(F("F")->AsString(), "2.5");
  EXPECT_EQ(F("B")->AsString(), "True");
  EXPECT_EQ(F("D")->AsString(), "15.01.2024");
  EXPECT_EQ(F("DT")->AsString(), "15.01.2024 10:30:00");
  EXPECT_EQ(F("L")->AsLargeInt(), 5000000000LL);
  EXPECT_EQ(F("M")->AsString(), "long memo text");
  EXPECT_EQ(F("M")->AsStringView(), "long memo text");
  EXPECT_THROW(F("L")->AsInteger(), EDatabaseError);  // beyond 32 bits, never truncated
  EXPECT_EQ(DatabaseErrorOf([&] { F("I")->AsBoolean(); }),
            "Cannot access field 'I' as type Boolean");
  EXPECT_THROW(F("D")->AsInteger(), EDatabaseError);
  EXPECT_THROW(F("W")->AsInteger(), EConvertError);
  FTable->Next();
  EXPECT_EQ(F("I")->AsInteger(), 0);
  EXPECT_EQ(F("S")->AsString(), "");
  EXPECT_FALSE(F("B")->AsBoolean());
}

TEST_F(FieldsTest, WritingChecksTextsRangesAndSizes) {
  FTable->Edit();
  struct TBadWrite {
    const char* Field;
    std::function<void(TField*)> Write;
    const char* Message;
  };
  const TBadWrite bad[] = {
      {"I", [](TField* f) { f->SetAsString("abc"); },
       "'abc' is not a valid integer value for field 'I'"},
      {"F", [](TField* f) { f->SetAsString("1,2,3"); },
       "'1,2,3' is not a valid floating point value for field 'F'"},
      {"B", [](TField* f) { f->SetAsString("yes"); },
       "'yes' is not a valid boolean value for field 'B'"},
      {"SI", [](TField* f) { f->SetAsInteger(40000); },
       "40000 is not a valid value for field 'SI'. The allowed range is -32768 to 32767"},
      {"D", [](TField* f) { f->SetAsBoolean(true); }, "Cannot access field 'D' as type Boolean"},
  };
  for (const TBadWrite& b : bad)
    EXPECT_EQ(DatabaseErrorOf([&] { b.Write(F(b.Field)); }), b.Message);
  F("S")->SetAsString("Привет мир");
  EXPECT_EQ(F("S")->AsString(), "Приве");  // cut to the field's size in characters
  F("I")->SetAsString("");
  EXPECT_TRUE(F("I")->IsNull());
  F("B")->SetAsString("fa");
  EXPECT_FALSE(F("B")->AsBoolean());
  F("F")->SetValue("7.25");
  EXPECT_DOUBLE_EQ(F("F")->AsFloat(), 7.25);
  F("D")->SetAsString("01.02.2024");
  EXPECT_EQ(F("D")->AsDateTime(), EncodeDate(2024, 2, 1));
  F("S")->SetValue(Null());
  EXPECT_TRUE(F("S")->IsNull());
  EXPECT_TRUE(FTable->Modified());
  FTable->Post();
  EXPECT_TRUE(F("I")->IsNull());
  EXPECT_EQ(F("S")->AsString(), "");
}

TEST_F(FieldsTest, DisplayPropertiesAndTexts) {
  EXPECT_EQ(F("S")->DisplayLabel(), "S");
  F("S")->SetDisplayLabel("Название");
  EXPECT_EQ(F("S")->DisplayName(), "Название");
  const std::pair<const char*, int> widths[] = {{"S", 5},  {"I", 11}, {"SI", 6}, {"L", 15},
                                                {"F", 10}, {"B", 5},  {"DT", 18}};
  for (const auto& [name, width] : widths) EXPECT_EQ(F(name)->DisplayWidth(), width) << name;
  F("I")->SetDisplayWidth(3);
  EXPECT_EQ(F("I")->DisplayWidth(), 3);

  EXPECT_EQ(F("M")->DisplayText(), "(MEMO)");
  EXPECT_EQ(F("C")->Text(), "1234.50");
  EXPECT_NE(F("C")->DisplayText().find(FormatSettings.CurrencyString), String::npos);
  std::vector<bool> asked;
  F("I")->OnGetText = [&](TField* field, String& text, bool display) {
    asked.push_back(display);
    text = "#" + field->AsString();
  };
  EXPECT_EQ(F("I")->DisplayText(), "#42");
  EXPECT_EQ(F("I")->Text(), "#42");
  EXPECT_EQ(F("I")->AsString(), "42");
  EXPECT_EQ(asked, (std::vector<bool>{true, false}));
  FTable->Next();
  EXPECT_EQ(F("M")->DisplayText(), "(Memo)");
  EXPECT_EQ(F("F")->DisplayText(), "");
}

// A list with a calculated caption and a lookup of the firm's name, as the dialogs have them.
class CalculatedFieldsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FForm = TComponent::Create(nullptr);
    FFirms = TVirtualTable::Create(FForm);
    FFirms->AddField("ID", ftInteger);
    FFirms->AddField("NAME", ftString, 40);
    FFirms->Open();
    FFirms->AppendRecord({7, "ООО Ромашка"});
    FFirms->AppendRecord({8, "АО Лютик"});

    FList = TVirtualTable::Create(FForm);
    FList->SetName("List");
    FList->AddField("ID", ftInteger);
    FList->AddField("NAME", ftString, 40);
    FList->AddField("ID_FIRM", ftInteger);
    Declare<TIntegerField>("ID");
    Declare<TStringField>("NAME", fkData, 40);
    Declare<TIntegerField>("ID_FIRM");
    FCaption = Declare<TStringField>("Caption", fkCalculated, 60);
    FFirmName = Declare<TStringField>("FIRM_NAME", fkLookup, 40);
    FFirmName->SetKeyFields("ID_FIRM");
    FFirmName->SetLookupDataSet(FFirms);
    FFirmName->SetLookupKeyFields("ID");
    FFirmName->SetLookupResultField("NAME");
    FList->OnCalcFields = [this](TDataSet* d) {
      ++FCalculations;
      FStateSeen = d->State();
      FCaption->SetAsString("[" + d->FieldByName("ID")->AsString() + "] " +
                            d->FieldByName("NAME")->AsString());
    };
    FList->Open();
    FList->AppendRecord({1, "Иванов", 7});
    FList->AppendRecord({2, "Петров", 9});
    FList->First();
  }
  void TearDown() override { FForm->Free(); }

  template <class T>
  T* Declare(const char* name, TFieldKind kind = fkData, int size = 0) {
    T* field = T::Create(FForm);
    field->SetFieldName(name);
    field->SetFieldKind(kind);
    if (size > 0) field->SetSize(size);
    field->SetDataSet(FList);
    return field;
  }

  TComponent* FForm = nullptr;
  TVirtualTable* FFirms = nullptr;
  TVirtualTable* FList = nullptr;
  TStringField* FCaption = nullptr;
  TStringField* FFirmName = nullptr;
  int FCalculations = 0;
  TDataSetState FStateSeen = dsInactive;
};

TEST_F(CalculatedFieldsTest, CalculatedOncePerRecordWhenReadAndAfterEveryChange) {
  FCalculations = 0;
  EXPECT_EQ(FCaption->AsString(), "[1] Иванов");
  EXPECT_EQ(FCaption->AsString(), "[1] Иванов");
  EXPECT_EQ(FCalculations, 1);
  EXPECT_EQ(FStateSeen, dsCalcFields);
  EXPECT_EQ(FList->State(), dsBrowse);
  FList->Next();
  EXPECT_EQ(FCaption->AsString(), "[2] Петров");
  FList->Edit();
  FList->FieldByName("NAME")->SetAsString("Сидоров");
  EXPECT_EQ(FCaption->AsString(), "[2] Сидоров");
  FList->Cancel();
  EXPECT_EQ(FCaption->AsString(), "[2] Петров");
  EXPECT_EQ(DatabaseErrorOf([&] { FCaption->SetAsString("x"); }),
            "List: Dataset not in edit or insert mode");
  {
    // Another row read in place, as a grid paints it; the cursor stays.
    TDataSet::TActiveRecordScope scope(FList, 1);
    EXPECT_EQ(FCaption->AsString(), "[1] Иванов");
  }
  EXPECT_EQ(FList->RecNo(), 2);
  EXPECT_EQ(FCaption->AsString(), "[2] Петров");
}

TEST_F(CalculatedFieldsTest, LookupFieldsReadTheRowOfTheirKeyInTheLookupDataset) {
  EXPECT_EQ(FFirmName->AsString(), "ООО Ромашка");
  EXPECT_TRUE(FFirmName->Lookup());
  FList->Next();
  EXPECT_TRUE(FFirmName->IsNull());  // no firm 9
  FList->First();
  FFirms->Free();
  EXPECT_EQ(FFirmName->LookupDataSet(), nullptr);
  FList->Refresh();
  EXPECT_TRUE(FFirmName->IsNull());
  EXPECT_EQ(FCaption->AsString(), "[1] Иванов");
}

}  // namespace
