#include <gtest/gtest.h>

#include "DataSetTestSupport.h"
#include "platform/rtl/ScopeGuard.h"

namespace {

// Three rows of a typical list: ID, NAME, the one-character mark, an amount and a date.
class DataSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FData = TTestDataSet::Create(nullptr);
    FData->SetName("Query1");
    FData->Columns = {{"ID", ftInteger},
                      {"NAME", ftString, 40},
                      {"RCHECK", ftString, 1},
                      {"AMOUNT", ftFloat},
                      {"ACT_DATE", ftDateTime}};
    FData->Rows = {{1, "Иванов", "-", 10.5, VarFromDateTime(EncodeDate(2024, 1, 15))},
                   {2, "Петров", "-", Null(), Null()},
                   {3, "Сидоров", "+", 7.0, VarFromDateTime(EncodeDate(2024, 3, 1))}};
  }
  void TearDown() override { FData->Free(); }

  TTestDataSet* FData = nullptr;
};

TEST_F(DataSetTest, OpensWithDynamicFieldsAndReadsEveryType) {
  FData->Open();
  ASSERT_EQ(FData->FieldCount(), 5);
  EXPECT_EQ(FData->RecordCount(), 3);
  EXPECT_TRUE(FData->Bof());
  EXPECT_FALSE(FData->Eof());
  TField* name = FData->FieldByName("name");
  EXPECT_TRUE(name->Is<TStringField>());
  EXPECT_EQ(name->Size(), 40);
  EXPECT_EQ(name->AsString(), "Иванов");
  EXPECT_EQ(FData->FieldByName("ID")->AsInteger(), 1);
  EXPECT_DOUBLE_EQ(FData->FieldByName("AMOUNT")->AsFloat(), 10.5);
  EXPECT_EQ(FData->FieldByName("ACT_DATE")->AsDateTime(), EncodeDate(2024, 1, 15));
  FData->Next();
  EXPECT_TRUE(FData->FieldByName("AMOUNT")->IsNull());
  EXPECT_EQ(FData->FieldByName("AMOUNT")->AsString(), "");
  EXPECT_TRUE(VarIsNull(FData->FieldByName("ACT_DATE")->Value()));
  FData->Next();
  FData->Next();
  EXPECT_TRUE(FData->Eof());
  EXPECT_EQ(FData->RecNo(), 3);
}

TEST_F(DataSetTest, EditAndPostChangeOnlyTheBuffer) {
  FData->Open();
  FData->Edit();
  FData->FieldByName("RCHECK")->SetAsString("+");
  FData->Post();
  EXPECT_EQ(FData->FieldByName("RCHECK")->AsString(), "+");
  FData->Refresh();
  EXPECT_EQ(FData->FieldByName("RCHECK")->AsString(), "-");
}

}  // namespace
