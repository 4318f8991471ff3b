#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "db/demo/DemoDatabase.h"
#include "platform/ora/OraDataSet.h"
#include "platform/ora/OraPackage.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/WidgetSet.h"
#include "src/ComUnits/uComFunctions.h"
#include "src/ComUnits/uOraFunctions.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

namespace {

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

class BoxesTest : public ::testing::Test {
 protected:
  void SetUp() override { FPrevious = SetWidgetSet(&Boxes); }
  void TearDown() override { SetWidgetSet(FPrevious); }
  TBoxRecorder Boxes;

 private:
  TWidgetSet* FPrevious = nullptr;
};

TEST(OraFunctionsTest, SchemaNameReplacesThePartBeforeTheFirstDot) {
  struct Case {
    String name, expected;
  } cases[] = {{"DESIGN.PARAM_PACK", "OC_DEMO.PARAM_PACK"},
               {"DESIGN.PARAM_PACK.SET_PARAM", "OC_DEMO.PARAM_PACK.SET_PARAM"},
               {".P", "OC_DEMO.P"}};
  for (Case& c : cases) {
    fSetShemaName(c.name, "OC_DEMO");
    EXPECT_EQ(c.name, c.expected);
  }
  String noDot = "PARAM_PACK";
  EXPECT_EQ(ErrorOf([&] { fSetShemaName(noDot, "OC_DEMO"); }),
            "uOraFunctions.fSetShemaName: Symbol \".\" is not found in \"PARAM_PACK\"");
}

// A window's data components over the demo database.
class SchemaApplicationTest : public BoxesTest {
 protected:
  static void SetUpTestSuite() {
    Folder = std::make_unique<TTempFolder>();
    CreateDemoDatabase(Folder->Path(), MinDemoRows);
  }
  static void TearDownTestSuite() { Folder.reset(); }

  void SetUp() override {
    BoxesTest::SetUp();
    Session = TOraSession::Create(nullptr);
    Session->SetServer(Folder->Path());
    Session->SetUsername(DemoSchemaName);
    Window = TComponent::Create(nullptr);
  }
  void TearDown() override {
    Window->Free();
    Session->Free();
    BoxesTest::TearDown();
  }

  TOraQuery* Query(const char* name, const char* sql, int tag = 0) {
    TOraQuery* query = TOraQuery::Create(Window);
    query->SetName(name);
    query->SetTag(tag);
    query->SQL()->SetText(sql);
    return query;
  }
  TOraPackage* Package(const char* name, const char* packageName) {
    TOraPackage* package = TOraPackage::Create(Window);
    package->SetName(name);
    package->SetPackageName(packageName);
    return package;
  }
  TOraStoredProc* Proc(const char* name, const char* procName) {
    TOraStoredProc* proc = TOraStoredProc::Create(Window);
    proc->SetName(name);
    proc->SetStoredProcName(procName);
    return proc;
  }

  static std::unique_ptr<TTempFolder> Folder;
  TOraSession* Session = nullptr;
  TComponent* Window = nullptr;
};
std::unique_ptr<TTempFolder> SchemaApplicationTest::Folder;

TEST_F(SchemaApplicationTest, EveryOracleComponentGetsTheSession) {
  TOraQuery* query = Query("Query1", "SELECT 1 FROM DUAL");
  TOraPackage* package = Package("Pkg1", "X.PARAM_PACK");
  TOraStoredProc* proc = Proc("Proc1", "X.PARAM_PACK.SET_PARAM");
  TComponent::Create(Window)->SetName("Other");
  SetSessionForComponents(Window, Session);
  EXPECT_EQ(query->Session(), Session);
  EXPECT_EQ(package->Session(), Session);
  EXPECT_EQ(proc->Session(), Session);
}

TEST_F(SchemaApplicationTest, QueriesPackagesAndProceduresFollowTheSchema) {
  TOraQuery* query = Query("Query1", "SELECT COUNT(*) N FROM &shema.V_POS");
  TOraQuery* kept = Query("Query2", "SELECT 1 FROM &shema.V_POS", 1);
  kept->MacroByName("SHEMA")->SetValue("DESIGN");
  TOraPackage* package = Package("Pkg1", "DESIGN.PARAM_PACK");
  TOraStoredProc* renamed = Proc("Proc1", "DESIGN.PARAM_PACK.SET_PARAM");
  TOraStoredProc* same = Proc("Proc2", "OC_DEMO.PARAM_PACK.SET_PARAM");
  TOraStoredProc* bare = Proc("Proc3", "DESIGN.PARAM_PACK.SET_PARAM");
  SetSessionForComponents(Window, Session);
  // As designed against another schema: the parameters come with the window, not the server.
  renamed->Params()->CreateParam(ftString, "P_NAME", ptInput)->SetAsString("MANAGER");
  renamed->Params()->CreateParam(ftString, "P_VALUE", ptInput);
  same->PrepareSQL();
  same->ParamByName("P_VALUE")->SetAsString("kept");

  fSetShema(Window, DemoSchemaName);

  EXPECT_EQ(query->MacroByName("Shema")->Value(), "OC_DEMO");
  query->Open();
  EXPECT_GT(query->FieldByName("N")->AsInteger(), 0);
  EXPECT_EQ(kept->MacroByName("Shema")->Value(), "DESIGN");  // Tag 1: left alone
  EXPECT_EQ(package->PackageName(), "OC_DEMO.PARAM_PACK");
  EXPECT_EQ(renamed->StoredProcName(), "OC_DEMO.PARAM_PACK.SET_PARAM");
  EXPECT_EQ(renamed->ParamByName("P_NAME")->AsString(), "MANAGER");  // rebuilt, values kept
  EXPECT_EQ(same->ParamByName("P_VALUE")->AsString(), "kept");
  // Designed without parameters: the rebuilt call's own parameters stay.
  EXPECT_NE(bare->FindParam("P_VALUE"), nullptr);
  EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(SchemaApplicationTest, ProblemsOfQueriesAndProceduresAreShownAndSkipped) {
  Query("Query1", "SELECT 1 FROM DUAL");  // no schema macro
  Proc("Proc1", "NO_DOT_PROC");
  TOraQuery* later = Query("Query2", "SELECT 1 FROM &shema.V_POS");
  SetSessionForComponents(Window, Session);
  fSetShema(Window, DemoSchemaName);
  ASSERT_EQ(Boxes.Boxes.size(), 2u);
  EXPECT_EQ(Boxes.Boxes[0].Text.rfind("Component: Query1:\r\n", 0), 0u) << Boxes.Boxes[0].Text;
  EXPECT_EQ(Boxes.Boxes[0].Caption, TranslateAplText(rstrError));
  EXPECT_EQ(Boxes.Boxes[1].Caption, "Conversion  of parameters");
  EXPECT_EQ(Boxes.Boxes[1].Text,
            "Proc1: uOraFunctions.fSetShemaName: Symbol \".\" is not found in \"NO_DOT_PROC\"");
  EXPECT_EQ(Boxes.Boxes[1].Flags, MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST);
  EXPECT_EQ(later->MacroByName("Shema")->Value(), "OC_DEMO");  // processing went on
}

TEST_F(SchemaApplicationTest, ABadPackageNameStopsTheRunNamingTheComponent) {
  Package("Pkg1", "PARAM_PACK");
  EXPECT_EQ(ErrorOf([&] { fSetShema(Window, DemoSchemaName); }),
            "Pkg1: uOraFunctions.fSetShemaName: Symbol \".\" is not found in \"PARAM_PACK\"");
}

TEST_F(SchemaApplicationTest, EmptyOrUnsafeSchemaChangesNothing) {
  TOraPackage* package = Package("Pkg1", "DESIGN.PARAM_PACK");
  fSetShema(Window, "");
  ASSERT_EQ(Boxes.Boxes.size(), 1u);
  EXPECT_EQ(Boxes.Boxes[0].Text, "uOraFunctions.fSetShema: \r\nSchema is not define");
  for (const char* unsafe : {"OC_DEMO.V_POS --", "X; DROP TABLE T", "A'B", "A B"}) {
    EXPECT_THROW(fSetShema(Window, unsafe), EDatabaseError) << unsafe;
    EXPECT_THROW(SetShemaForComponent(package, unsafe), EDatabaseError) << unsafe;
  }
  EXPECT_EQ(package->PackageName(), "DESIGN.PARAM_PACK");
}

TEST_F(BoxesTest, KindsChooseIconModalityAndTranslatedCaption) {
  struct Case {
    int kind;
    String caption;
    uint32_t flags;
  } cases[] = {
      {0, TranslateAplText(rstrConfirmation), MB_ICONWARNING | MB_TASKMODAL},
      {1, TranslateAplText(rstrError), MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST},
      {2, TranslateAplText(rstrNotification), MB_ICONINFORMATION},
      {3, TranslateAplText(rstrConfirmation), MB_ICONINFORMATION | MB_TASKMODAL | MB_TOPMOST},
      {7, "", MB_ICONERROR},
  };
  for (const Case& c : cases) {
    ShowKindMessage("text", c.kind);
    EXPECT_EQ(Boxes.Boxes.back().Caption, c.caption) << c.kind;
    EXPECT_EQ(Boxes.Boxes.back().Flags, MB_OK | c.flags) << c.kind;
    EXPECT_EQ(Boxes.Boxes.back().Owner, 0u);  // no window is shown
  }
  ShowMessageBox("text", "Caption", 3);  // a plain box knows kinds 0 to 2 only
  EXPECT_EQ(Boxes.Boxes.back().Flags, MB_OK | MB_ICONERROR);
}

TEST(ComFunctionsTest, UserBreakIsTheTextOrTheTerminatedClass) {
  EXPECT_TRUE(IsUserBreak(Exception("USER Break")));
  EXPECT_TRUE(IsUserBreak(ETerminated("stopped")));
  EXPECT_FALSE(IsUserBreak(Exception("user break!")));
  EXPECT_FALSE(IsUserBreak(EAbort("Operation aborted")));
  try {
    RaiseUserBreak();
  } catch (const Exception& error) {
    EXPECT_TRUE(IsUserBreak(error));
  }
  EXPECT_THROW(CheckAssigned(nullptr, "TX.Run: pList=nil"), Exception);
  EXPECT_NO_THROW(CheckAssigned(&UserBreakText, "unused"));
}

TEST(ComFunctionsTest, ValidFileNameKeepsTheFolder) {
  // "/" separates folders here, so a name's slash is its backslash on the original system.
  EXPECT_EQ(MakeValidFileName("/home/op/Отчёты [1]/Акт: 1\\2"), "/home/op/Отчёты [1]/Акт__1_2");
  EXPECT_EQ(MakeValidFileName("a*b?c<d>e|f\"g\rh.xls"), "a_b_c_d_e_f_g_h.xls");
  EXPECT_EQ(MakeValidFileName(""), "");
}

TEST(ComFunctionsTest, DebugModeAndModuleName) {
  TTempFolder host;
  SetHostProgramFolder(host.Path());
  EXPECT_FALSE(IsDebugMode());
  TTempFolder::WriteFile(host / "Debug.ini", "");
  EXPECT_TRUE(IsDebugMode());
  SetHostProgramFolder("");
  EXPECT_EQ(ExtractFileName(GetModuleFileName()), "libRodODOriv.so");
}

}  // namespace
