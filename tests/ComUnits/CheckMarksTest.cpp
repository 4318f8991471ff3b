#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "db/demo/DemoDatabase.h"
#include "platform/db/VirtualTable.h"
#include "platform/ora/OraDataSet.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/FakeWidgetSet.h"
#include "src/ComUnits/uComFunctions.h"
#include "src/ComUnits/uLocalSettings.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

namespace {

// One row with a check column of every kind, and counters of its edits and posts.
class CheckMarksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Table = TVirtualTable::Create(nullptr);
    Table->AddField("S", ftString, 1);
    Table->AddField("I", ftInteger);
    Table->AddField("F", ftFloat);
    Table->AddField("B", ftBoolean);
    Table->AddField("D", ftDateTime);
    Table->Open();
    Table->AppendRecord({"-", 0, 0.0, false, 45000.0});
    Table->BeforeEdit = [this](TDataSet*) { ++Edits; };
    Table->BeforePost = [this](TDataSet*) { ++Posts; };
  }
  void TearDown() override { Table->Free(); }

  void Store(TField* field, const Variant& value) {
    Table->Edit();
    field->SetValue(value);
    Table->Post();
    Edits = Posts = 0;
  }
  TField* Field(const char* name) const { return Table->FieldByName(name); }

  TVirtualTable* Table = nullptr;
  int Edits = 0;
  int Posts = 0;
};

TEST_F(CheckMarksTest, EachFieldTypeReadsItsMarkAndTogglesIt) {
  struct Case {
    const char* Field;
    Variant Stored;
    bool Marked;
    Variant Toggled;
  } cases[] = {
      {"S", "+", true, "-"},      {"S", "-", false, "+"},    {"S", "*", false, "+"},
      {"S", "", false, "+"},      {"S", Null(), false, "+"}, {"I", 1, true, 0},
      {"I", 2, false, 1},         {"I", Null(), false, 1},   {"F", 1.0, true, 0.0},
      {"F", 0.5, false, 1.0},     {"B", true, true, false},  {"B", false, false, true},
      {"B", Null(), false, true},
  };
  for (const Case& c : cases) {
    TField* field = Field(c.Field);
    Store(field, c.Stored);
    EXPECT_EQ(GetCheckFldValue(field), c.Marked) << c.Field << " " << VarToStr(c.Stored);
    SetCheckFldValue(field, !c.Marked);
    EXPECT_TRUE(field->Value() == c.Toggled)
        << c.Field << " " << VarToStr(c.Stored) << " -> " << VarToStr(field->Value());
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(Posts, 1) << c.Field << " " << VarToStr(c.Stored);
  }
}

TEST_F(CheckMarksTest, AFieldOfAnotherTypeReadsUnmarkedAndCannotBeMarked) {
  TField* date = Field("D");
  EXPECT_FALSE(GetCheckFldValue(date));
  SetCheckFldValue(date, false);
  EXPECT_THROW(SetCheckFldValue(date, true), Exception);
  EXPECT_EQ(Table->State(), dsBrowse);
  EXPECT_EQ(date->AsFloat(), 45000.0);
  EXPECT_EQ(Edits + Posts, 0);
}

TEST_F(CheckMarksTest, TheSameStateWritesNothing) {
  Store(Field("S"), "+");
  SetCheckFldValue(Field("S"), true);
  SetCheckFldValue(Field("B"), false);
  EXPECT_EQ(Edits + Posts, 0);
  EXPECT_EQ(Field("S")->AsString(), "+");
}

TEST_F(CheckMarksTest, AnEditInProgressIsOnlyWrittenInto) {
  Table->Edit();
  SetCheckFldValue(Field("S"), true);
  EXPECT_EQ(Table->State(), dsEdit);
  EXPECT_EQ(Posts, 0);
  Table->Cancel();
  EXPECT_EQ(Field("S")->AsString(), "-");

  Table->Append();
  SetCheckFldValue(Field("I"), true);
  EXPECT_EQ(Table->State(), dsInsert);
  EXPECT_EQ(Field("I")->AsInteger(), 1);
}

TEST_F(CheckMarksTest, ATableWithoutRowsGetsNone) {
  Table->Clear();
  SetCheckFldValue(Field("S"), true);
  EXPECT_EQ(Table->RecordCount(), 0);
  EXPECT_EQ(Table->State(), dsBrowse);
}

TEST_F(CheckMarksTest, AFailedWriteCancelsTheEdit) {
  Field("S")->SetReadOnly(true);
  EXPECT_THROW(SetCheckFldValue(Field("S"), true), EDatabaseError);
  EXPECT_EQ(Table->State(), dsBrowse);
  EXPECT_EQ(Field("S")->AsString(), "-");
}

TEST(CheckMarks, AFieldMustBeGiven) {
  EXPECT_EQ(ErrorOf([] { GetCheckFldValue(nullptr); }), "TBaseForm.GetCheckFldValue: pFld=nil");
  EXPECT_EQ(ErrorOf([] { SetCheckFldValue(nullptr, true); }),
            "TBaseForm.SetCheckFldValue: pFld=nil");
}

// A mirrored list over the demo database, with the host's settings in a folder of its own and
// the package's two procedures replaced by recorders.
class MarkMirrorTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Database = std::make_unique<TTempFolder>();
    CreateDemoDatabase(Database->Path(), MinDemoRows);
  }
  static void TearDownTestSuite() { Database.reset(); }

  void SetUp() override {
    SetHostProgramFolder(Host.Path());
    Session = TOraSession::Create(nullptr);
    Session->SetServer(Database->Path());
    Session->SetUsername(DemoSchemaName);
    for (const char* procedure : {"INS_ORDER_LINES_REPORT", "DEL_ORDER_LINES_REPORT"})
      Session->RegisterRoutine(String(DemoSchemaName) + ".TEMP_SELECT_PACK." + procedure,
                               [this, procedure](std::vector<Variant>& args) {
                                 if (!Failure.empty()) throw EDatabaseError(Failure);
                                 Calls.push_back(String(procedure) + " " + Joined(args));
                                 return Null();
                               });
  }
  void TearDown() override {
    if (Query) Query->Free();
    Session->Free();
    CloseSettingsFile();
    SetHostProgramFolder("");
  }

  static String Joined(const std::vector<Variant>& args) {
    String text;
    for (const Variant& arg : args) text += (text.empty() ? "" : "|") + VarToStr(arg);
    return text;
  }
  TField* OpenGroups(const char* sql = kMirroredSql) {
    Query = TOraQuery::Create(nullptr);
    Query->SetName("Groups");
    Query->SetSession(Session);
    Query->SQL()->SetText(sql);
    Query->MacroByName("shema")->SetValue(DemoSchemaName);
    if (TMacro* guid = Query->FindMacro("GUID_SERVICE")) guid->SetValue("'7F3A'");
    Query->Open();
    return Query->FieldByName("RCHECK");
  }
  String RowId() const { return Query->FieldByName("ROWID_QUERY")->AsString(); }

  static constexpr const char* kMirroredSql =
      "SELECT ID, RCHECK, ROWID_QUERY, &GUID_SERVICE AS GUID FROM &shema.V_EMITENTGROUP "
      "ORDER BY ID";
  static std::unique_ptr<TTempFolder> Database;
  TTempFolder Host;
  TFakeWidgetSet WidgetSet;
  TOraSession* Session = nullptr;
  TOraQuery* Query = nullptr;
  std::vector<String> Calls;
  String Failure;
};
std::unique_ptr<TTempFolder> MarkMirrorTest::Database;

TEST_F(MarkMirrorTest, ChangedMarksGoToTheServerAndRepeatedOnesDoNot) {
  TField* check = OpenGroups();
  SetCheckFldValue(check, true);
  SetCheckFldValue(check, true);
  SetCheckFldValue(check, false);
  SetCheckFldValue(check, false);
  // The macro's text goes to the server as the host wrote it.
  const String row = "'7F3A'|Groups|" + RowId();
  EXPECT_EQ(Calls, (std::vector<String>{"INS_ORDER_LINES_REPORT " + row,
                                        "DEL_ORDER_LINES_REPORT " + row}));
  EXPECT_TRUE(WidgetSet.Boxes.empty());
}

TEST_F(MarkMirrorTest, NothingIsMirroredWithTheSettingOffOrWithoutTheQuerysParts) {
  WriteStoreSelect(false);
  TField* check = OpenGroups();
  SetCheckFldValue(check, true);
  EXPECT_TRUE(GetCheckFldValue(check));
  Query->Free();
  Query = nullptr;

  WriteStoreSelect(true);
  for (const char* sql : {"SELECT ID, RCHECK, &GUID_SERVICE AS GUID FROM &shema.V_EMITENTGROUP",
                          "SELECT ID, RCHECK, ROWID_QUERY FROM &shema.V_EMITENTGROUP"}) {
    SetCheckFldValue(OpenGroups(sql), true);
    Query->Free();
    Query = nullptr;
  }
  EXPECT_TRUE(Calls.empty());
}

TEST_F(MarkMirrorTest, AFailedCallIsShownAndTheMarkStays) {
  TField* check = OpenGroups();
  Failure = "  ORA-06508: PL/SQL: could not find program unit being called \r\n";
  SetCheckFldValue(check, true);
  EXPECT_TRUE(GetCheckFldValue(check));
  ASSERT_EQ(WidgetSet.Boxes.size(), 1u);
  EXPECT_EQ(WidgetSet.Boxes[0].Text,
            "uComFunctions.Set_ORDER_LINES_REPORT: Error execution "
            "TEMP_SELECT_PACK.INS_ORDER_LINES_REPORT:\r\n"
            "ORA-06508: PL/SQL: could not find program unit being called\r\n"
            "\"Settings.ini\": [COM_SETTINGS] StoreSelect=1");
  EXPECT_EQ(WidgetSet.Boxes[0].Caption, "Error");
  EXPECT_EQ(WidgetSet.Boxes[0].Flags, MB_OK | MB_ICONINFORMATION);
}

TEST(AccessList, EntriesInOrderAndTheIndexChecked) {
  std::vector<String> calls;
  TAccessList* list = TAccessList::Create();
  list->Add([&](bool allowed) { calls.push_back(allowed ? "first on" : "first off"); });
  list->Add([&](bool allowed) { calls.push_back(allowed ? "second on" : "second off"); });
  list->Add(nullptr);
  EXPECT_EQ(list->Count(), 3);
  list->GetItems(1)(true);
  list->GetItems(0)(false);
  EXPECT_EQ(calls, (std::vector<String>{"second on", "first off"}));
  EXPECT_FALSE(list->GetItems(2).Assigned());
  for (int index : {-1, 3})
    EXPECT_EQ(ErrorOf([&] { list->GetItems(index); }),
              "uComFunctions;TAccessList.GetItems: Incorrect index: i = " + IntToStr(index));
  list->Free();
}

}  // namespace
