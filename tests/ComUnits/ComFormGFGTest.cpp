#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "db/demo/DemoDatabase.h"
#include "platform/ora/OraDataSet.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/WidgetSet.h"
#include "src/ComUnits/uComFormGFG.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

namespace {

const char* const kSchema = "oc_demo";
const char* const kOrderBy = "OC_DEMO/libRodODOriv.so/OrderBy";
const char* const kSettings = "OC_DEMO/libRodODOriv.so/Settings";

// Records the message boxes; everything else of a screen is absent.
class TBoxRecorder : public TWidgetSet {
 public:
  std::vector<TMessageBoxRequest> Boxes;
  void RunModal(TModalSession&) override {}
  int MessageBox(const TMessageBoxRequest& request) override {
    Boxes.push_back(request);
    return IDOK;
  }
  void MessageBeep(uint32_t) override {}
  TMenuItem* TrackPopupMenu(TPopupMenu*, TPoint) override { return nullptr; }
  void ShowListWindow(const String&, const std::vector<String>&) override {}
  std::unique_ptr<TWaitWindow> ShowWaitWindow(const String&) override { return nullptr; }
  std::unique_ptr<TProgressWindow> ShowProgressWindow(const String&, const String&, int) override {
    return nullptr;
  }
};

// Dates read back from their text may differ in the last bits of the fraction.
bool SameValue(const Variant& a, const Variant& b) {
  if (VarType(a) == varDate) return std::fabs(a.AsDouble() - b.AsDouble()) < 1e-9;
  return a == b;
}

// The orderings file lives in the host program's folder, a fresh one per test.
class ComFormGFGTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetHostProgramFolder(Host.Path());
    FPreviousWidgetSet = SetWidgetSet(&Boxes);
  }
  void TearDown() override {
    SetWidgetSet(FPreviousWidgetSet);
    CloseComFormGFG();
    SetHostProgramFolder("");
  }

  String FileName() const { return Host / "ComFormGFG.INI"; }
  String FileText() const { return TTempFolder::ReadFile(FileName()); }
  String Stored(const String& section, const String& key) const {
    FreeOnExit<TIniFile> file(TIniFile::Create(FileName()));
    return file->ReadString(section, key, "<absent>");
  }
  void Store(const String& section, const String& key, const String& value) const {
    FreeOnExit<TIniFile> file(TIniFile::Create(FileName()));
    file->WriteString(section, key, value);
  }

  TTempFolder Host;
  TBoxRecorder Boxes;

 private:
  TWidgetSet* FPreviousWidgetSet = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Keys and sections

TEST_F(ComFormGFGTest, QueryKeyIsOwnerQueryAndChecksumOfTheWindows1251Text) {
  struct TCase {
    bool Owned;
    String Sql;
    String Key;
  };
  // The checksums worked out by hand from the codes of the texts, CR LF after each line.
  const TCase cases[] = {
      {true, "SELECT * FROM &shema\n&ORDER &FIELD", "BaseForm.OraQuery1.0033"},
      {false, "SELECT * FROM &shema\n&ORDER &FIELD", "OraQuery1.0033"},
      {true, "SELECT NAME AS \"Имя\" FROM &shema.V_GROUP\n&ORDER &FIELD",
       "BaseForm.OraQuery1.015B"},
  };
  TComponent* window = TComponent::Create(nullptr);
  window->SetName("BaseForm");
  FreeOnExit<TComponent> freeWindow(window);
  for (const TCase& c : cases) {
    FreeOnExit<TOraQuery> query(TOraQuery::Create(c.Owned ? window : nullptr));
    query.Get()->SetName("OraQuery1");
    query.Get()->SQL()->SetText(c.Sql);
    EXPECT_EQ(QueryOrderKey(window, query.Get()), c.Key) << c.Sql;
  }
}

TEST_F(ComFormGFGTest, SectionsNameTheSchemaAndThisLibrarysModule) {
  WriteOrder(kSchema, "W.Q.0033", "NAME");
  SetSetting(kSchema, "W", "Width", "", Variant("10"));
  SetSetting(kSchema, "", "Alone", "/opt/host/Program.exe", Variant("1"));
  // The orderings sections upper-case the schema Unicode-aware, the SAVE section in ASCII only.
  SetSetting("схема", "W", "Width", "", Variant("20"));
  Store("схема_ORDERBY", "SAVE", "0");

  EXPECT_EQ(Stored(kOrderBy, "W.Q.0033"), "NAME");
  EXPECT_EQ(Stored(kSettings, "W/Width"), "10");
  EXPECT_EQ(Stored("OC_DEMO/Program.exe/Settings", "Alone"), "1");
  EXPECT_EQ(Stored("СХЕМА/libRodODOriv.so/Settings", "W/Width"), "20");
  EXPECT_FALSE(IsOrderSaving("схема"));
}

TEST_F(ComFormGFGTest, SaveSwitchIsOnUnlessTheSchemaSaysZero) {
  EXPECT_TRUE(IsOrderSaving(kSchema));
  Store("OC_DEMO_ORDERBY", "SAVE", "0");
  Store("OC_TEST_ORDERBY", "SAVE", "1");
  EXPECT_FALSE(IsOrderSaving(kSchema));
  EXPECT_TRUE(IsOrderSaving("oc_test"));
  EXPECT_TRUE(IsOrderSaving("oc_other"));
}

TEST_F(ComFormGFGTest, FileFollowsTheHostFolderAndIsMadeByTheFirstWrite) {
  OpenComFormGFG();
  String value;
  EXPECT_FALSE(ReadOrder(kSchema, "K", value));
  EXPECT_FALSE(FileExists(FileName()));  // reading never writes
  TTempFolder other;
  SetHostProgramFolder(other.Path());
  WriteDefOrder(kSchema, "K", "ID");
  EXPECT_TRUE(FileExists(other / "ComFormGFG.INI"));
  EXPECT_FALSE(FileExists(FileName()));
  EXPECT_TRUE(ReadDefOrder(kSchema, "K", value));
  EXPECT_EQ(value, "ID");
  EXPECT_FALSE(ReadOrder(kSchema, "K", value));
  DeleteDefOrder(kSchema, "K");
  EXPECT_FALSE(ReadDefOrder(kSchema, "K", value));
}

// ---------------------------------------------------------------------------------------------
// Typed settings

TEST_F(ComFormGFGTest, SettingsRoundTripByKindWithAPointAsDecimalSeparator) {
  struct TCase {
    const char* Key;
    Variant Value;
    TSettingKind Kind;
    String StoredText;
    Variant Expected;
  };
  const TDateTime day = EncodeDate(2024, 3, 5);
  const TDateTime time = EncodeTime(10, 20, 30, 0);
  const Variant moment = VarFromDateTime(day + time);
  const TCase cases[] = {
      {"Text", Variant("Привет"), skString, "Привет", Variant("Привет")},
      {"Flag", Variant(true), skBoolean, "1", Variant(true)},
      {"Count", Variant(42), skInteger, "42", Variant(42)},
      {"Big", Variant(9007199254740993LL), skInt64, "9007199254740993",
       Variant(9007199254740993LL)},
      {"Ratio", Variant(1.25), skFloat, "1.25", Variant(1.25)},
      {"Moment", moment, skDateTime, "05.03.2024 10:20:30", moment},
      {"Day", moment, skDate, "05.03.2024 10:20:30", VarFromDateTime(day)},
      {"Time", moment, skTime, "05.03.2024 10:20:30", VarFromDateTime(time)},
  };
  FormatSettingsGuard restore;
  FormatSettings.DecimalSeparator = ',';
  for (const TCase& c : cases) {
    SetSetting(kSchema, "fmWindow", c.Key, "", c.Value);
    EXPECT_EQ(Stored(kSettings, String("fmWindow/") + c.Key), c.StoredText) << c.Key;
    Variant result;
    GetSetting(kSchema, "fmWindow", c.Key, result, "", c.Kind, Variant());
    EXPECT_EQ(VarType(result), VarType(c.Expected)) << c.Key;
    EXPECT_TRUE(SameValue(result, c.Expected)) << c.Key;
  }
  EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
}

TEST_F(ComFormGFGTest, EmptyOrAbsentSettingGivesTheDefaultConvertedToTheKind) {
  SetSetting(kSchema, "fmWindow", "Empty", "", Variant(""));
  Variant result;
  GetSetting(kSchema, "fmWindow", "Empty", result, "", skInteger, Variant("7"));
  EXPECT_EQ(VarType(result), varInteger);
  EXPECT_EQ(result.AsInteger(), 7);
  GetSetting(kSchema, "fmWindow", "Absent", result, "", skFloat, Variant("2.5"));
  EXPECT_EQ(result.AsDouble(), 2.5);
}

TEST_F(ComFormGFGTest, ValueOfNoStorableKindIsRefusedWithAnErrorBox) {
  SetSetting(kSchema, "fmWindow", "Nothing", "", Null());
  ASSERT_EQ(Boxes.Boxes.size(), 1u);
  EXPECT_EQ(Boxes.Boxes[0].Text,
            "uComFormGFG.SetSetting:\r\nSection: OC_DEMO/libRodODOriv.so/Settings\r\n"
            "Key: fmWindow/Nothing\r\nIncorrect type of written value");
  EXPECT_EQ(Boxes.Boxes[0].Caption, "Error");
  EXPECT_FALSE(FileExists(FileName()));
}

TEST_F(ComFormGFGTest, TextThatDoesNotConvertRaisesNamingSectionKeyAndValue) {
  Store(kSettings, "fmWindow/Count", "12,5x");
  FormatSettingsGuard restore;
  FormatSettings.DecimalSeparator = ',';
  Variant result;
  EXPECT_EQ(
      ErrorOf([&] { GetSetting(kSchema, "fmWindow", "Count", result, "", skInteger, Variant(0)); }),
      "uComFormGFG.GetSetting\nсекция: OC_DEMO/libRodODOriv.so/Settings\n"
      "ключ: fmWindow/Count\nНеверный тип считываемого значения: <12,5x>\n"
      "Ошибка:Could not convert variant of type (OleStr) into type (Integer)");
  EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
}

// ---------------------------------------------------------------------------------------------
// Check boxes

class CheckBoxesTest : public ComFormGFGTest {
 protected:
  void SetUp() override {
    ComFormGFGTest::SetUp();
    Window = TForm::Create(nullptr);
    Group = TGroupBox::Create(Window);
    Group->SetName("gbFirmType");
    Group->SetParent(Window);
    Firm = Box("cbFirm", true);
    Person = Box("cbPerson", false);
    Other = Box("cbOther", true);
    TButton* button = TButton::Create(Window);
    button->SetName("btnNotABox");
    button->SetParent(Group);
  }
  void TearDown() override {
    Window->Free();
    ComFormGFGTest::TearDown();
  }

  TCheckBox* Box(const char* name, bool checked) {
    TCheckBox* box = TCheckBox::Create(Window);
    box->SetName(name);
    box->SetParent(Group);
    box->SetChecked(checked);
    box->OnClick = [this, box](TObject*) { Clicked.push_back(box->Name()); };
    return box;
  }

  TForm* Window = nullptr;
  TGroupBox* Group = nullptr;
  TCheckBox *Firm = nullptr, *Person = nullptr, *Other = nullptr;
  std::vector<String> Clicked;
};

TEST_F(CheckBoxesTest, SavingWritesEveryBoxOfTheGroupAsText) {
  SaveCheckBoxes(kSchema, "fmFirms", Group);
  EXPECT_EQ(Stored(kSettings, "fmFirms/gbFirmType.cbFirm"), "True");
  EXPECT_EQ(Stored(kSettings, "fmFirms/gbFirmType.cbPerson"), "False");
  EXPECT_EQ(Stored(kSettings, "fmFirms/gbFirmType.cbOther"), "True");
  EXPECT_EQ(Stored(kSettings, "fmFirms/gbFirmType.btnNotABox"), "<absent>");
}

TEST_F(CheckBoxesTest, LoadingSetsTheBoxesKeepsAbsentOnesAndClicksTheTickedOnes) {
  Store(kSettings, "fmFirms/gbFirmType.cbFirm", "False");
  Store(kSettings, "fmFirms/gbFirmType.cbPerson", "True");
  LoadCheckBoxes(kSchema, "fmFirms", Group);
  EXPECT_FALSE(Firm->Checked());
  EXPECT_TRUE(Person->Checked());
  EXPECT_TRUE(Other->Checked());  // no key: as designed
  // A ticked box hears a click even when loading did not change it.
  EXPECT_EQ(std::count(Clicked.begin(), Clicked.end(), "cbOther"), 1);
  EXPECT_GE(std::count(Clicked.begin(), Clicked.end(), "cbPerson"), 1);
  EXPECT_EQ(std::count(Clicked.begin(), Clicked.end(), "cbFirm"), 1);  // the untick itself
}

// ---------------------------------------------------------------------------------------------
// Orderings of queries

// A window's list query over the demo database, "&ORDER &FIELD" ordering by ID as designed.
class OrderingTest : public ComFormGFGTest {
 protected:
  static void SetUpTestSuite() {
    Database = std::make_unique<TTempFolder>();
    CreateDemoDatabase(Database->Path(), MinDemoRows);
  }
  static void TearDownTestSuite() { Database.reset(); }

  void SetUp() override {
    ComFormGFGTest::SetUp();
    Session = TOraSession::Create(nullptr);
    Session->SetServer(Database->Path());
    Session->SetUsername(DemoSchemaName);
    Window = TComponent::Create(nullptr);
    Window->SetName("fmGroups");
    Query = TOraQuery::Create(Window);
    Query->SetName("OraQuery1");
    Query->SetSession(Session);
    Query->SQL()->SetText("SELECT ID AS GROUP_ID, NAME FROM OC_DEMO.V_GROUP\n&ORDER &FIELD");
    Query->MacroByName("ORDER")->SetValue("ORDER BY");
    Query->MacroByName("FIELD")->SetValue("GROUP_ID");
    // The columns are known from a first opening, as a window's fields are.
    Query->Open();
    Query->Close();
  }
  void TearDown() override {
    Window->Free();
    Session->Free();
    ComFormGFGTest::TearDown();
  }

  String Key() const { return QueryOrderKey(Window, Query); }
  void Restore(const String& schema = kSchema) {
    RestoreQueryOrderOf(schema, Key(), Query,
                        [this](const String& name) { NotFound.push_back(name); });
  }
  void Save(const String& schema = kSchema) { SaveQueryOrderOf(schema, Key(), Query); }
  String Field() const { return Query->MacroByName("FIELD")->Value(); }
  void SetField(const String& value) { Query->MacroByName("FIELD")->SetValue(value); }
  bool MacrosActive() const {
    return Query->MacroByName("FIELD")->Active() && Query->MacroByName("ORDER")->Active();
  }

  static std::unique_ptr<TTempFolder> Database;
  TOraSession* Session = nullptr;
  TComponent* Window = nullptr;
  TOraQuery* Query = nullptr;
  std::vector<String> NotFound;
};
std::unique_ptr<TTempFolder> OrderingTest::Database;

TEST_F(OrderingTest, OnlyQueriesWithBothMacrosAndAnOrderByTakePart) {
  EXPECT_TRUE(TakesPartInOrdering(Query));
  Query->MacroByName("ORDER")->SetValue("order by");
  EXPECT_TRUE(TakesPartInOrdering(Query));
  Query->MacroByName("ORDER")->SetValue("WHERE");
  EXPECT_FALSE(TakesPartInOrdering(Query));
  Restore();
  Save();
  EXPECT_FALSE(FileExists(FileName()));
  Query->SQL()->SetText("SELECT * FROM OC_DEMO.V_GROUP\n&ORDER");
  Query->MacroByName("ORDER")->SetValue("ORDER BY ID");
  EXPECT_FALSE(TakesPartInOrdering(Query));
}

TEST_F(OrderingTest, RestoringNotesTheDesignOrderingAndAppliesTheSavedOneToAnOpenQuery) {
  WriteOrder(kSchema, Key(), "name DESC, GROUP_ID");
  Query->Open();
  Restore();
  String design;
  EXPECT_TRUE(ReadDefOrder(kSchema, Key(), design));
  EXPECT_EQ(design, "GROUP_ID");
  EXPECT_EQ(Field(), "name DESC, GROUP_ID");
  EXPECT_TRUE(Query->Active());
  EXPECT_NE(Query->FinalSQL().find("ORDER BY name DESC, GROUP_ID"), String::npos);
  EXPECT_TRUE(NotFound.empty());
}

TEST_F(OrderingTest, EmptySavedOrderingSwitchesBothMacrosOff) {
  WriteOrder(kSchema, Key(), "");
  Query->Open();
  Restore();
  EXPECT_FALSE(Query->MacroByName("FIELD")->Active());
  EXPECT_FALSE(Query->MacroByName("ORDER")->Active());
  EXPECT_TRUE(Query->Active());
  EXPECT_EQ(Query->FinalSQL().find("ORDER BY"), String::npos);
}

TEST_F(OrderingTest, ColumnPassesWhenAnyFieldNameContainsIt) {
  WriteOrder(kSchema, Key(), "ID");  // only GROUP_ID has it
  Restore();
  EXPECT_TRUE(NotFound.empty());
  EXPECT_EQ(Field(), "ID");
}

TEST_F(OrderingTest, ItemThatIsNoKnownPlainColumnDropsTheSavedOrdering) {
  struct TCase {
    String Saved;
    String Reported;
  };
  const TCase cases[] = {
      {"NAME DESC, PRICE", "OraQuery1.PRICE"},
      {"NAME; DROP TABLE V_GROUP", "OraQuery1.NAME; DROP TABLE V_GROUP"},
      {"(SELECT 1)", "OraQuery1.(SELECT 1)"},
      {"NAME ASC", "OraQuery1.NAME ASC"},
      {"NAME DESC DESC", "OraQuery1.NAME DESC DESC"},
      {"GROUP_ID,,NAME", "OraQuery1."},
      {"DESC", "OraQuery1.DESC"},
      {"1", "OraQuery1.1"},
      {"O.NAME", "OraQuery1.O.NAME"},
  };
  for (const TCase& c : cases) {
    NotFound.clear();
    WriteOrder(kSchema, Key(), c.Saved);
    Restore();
    EXPECT_EQ(NotFound, std::vector<String>{c.Reported}) << c.Saved;
    String value;
    EXPECT_FALSE(ReadOrder(kSchema, Key(), value)) << c.Saved;
    EXPECT_TRUE(ReadDefOrder(kSchema, Key(), value)) << c.Saved;
    EXPECT_EQ(Field(), "GROUP_ID") << c.Saved;
    EXPECT_TRUE(MacrosActive()) << c.Saved;
  }
}

TEST_F(OrderingTest, SavingKeepsAChangedOrderingOnceAndDropsTheDesignOne) {
  Restore();
  SetField("NAME DESC");
  Save();
  String value;
  EXPECT_TRUE(ReadOrder(kSchema, Key(), value));
  EXPECT_EQ(value, "NAME DESC");
  EXPECT_FALSE(ReadDefOrder(kSchema, Key(), value));
  // The second closing pass (destruction after closing) saves nothing more.
  const String afterFirstPass = FileText();
  SetField("GROUP_ID");
  Save();
  EXPECT_EQ(FileText(), afterFirstPass);
}

TEST_F(OrderingTest, SortingBackToTheDesignOrderingDeletesTheSavedKey) {
  WriteOrder(kSchema, Key(), "NAME");
  Restore();
  EXPECT_EQ(Field(), "NAME");
  SetField("GROUP_ID");
  Save();
  String value;
  EXPECT_FALSE(ReadOrder(kSchema, Key(), value));
  EXPECT_FALSE(ReadDefOrder(kSchema, Key(), value));
}

TEST_F(OrderingTest, EachSchemaKeepsItsOwnOrdering) {
  Restore("oc_demo");
  SetField("NAME");
  Save("oc_demo");
  SetField("GROUP_ID");
  Restore("oc_test");
  SetField("NAME DESC");
  Save("oc_test");

  SetField("GROUP_ID");
  Restore("oc_demo");
  EXPECT_EQ(Field(), "NAME");
  SetField("GROUP_ID");
  Restore("oc_test");
  EXPECT_EQ(Field(), "NAME DESC");
}

}  // namespace
