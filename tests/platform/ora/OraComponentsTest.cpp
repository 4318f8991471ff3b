#include <gtest/gtest.h>

#include "platform/db/DataSource.h"
#include "platform/ora/OraDataSet.h"
#include "platform/ora/OraPackage.h"
#include "platform/rtl/ScopeGuard.h"
#include "support/TempFolder.h"
#include "tests/platform/ora/OraTestSchema.h"

namespace {

class OraComponents : public ::testing::Test {
 protected:
  OraComponents() {
    RunSqlScript(FFolder / "OC_TEST.db", TestSchemaScript());
    FSession = TOraSession::Create(FOwner.Get());
    FSession->SetName("Session1");
    FSession->SetServer(FFolder.Path());
    FSession->SetUsername("oc_test");
  }

  TOraQuery* Query(const String& sql) {
    TOraQuery* query = TOraQuery::Create(FOwner.Get());
    query->SetSession(FSession);
    query->SQL()->SetText(sql);
    return query;
  }

  // The dataset's rows: the named fields joined by "|", rows by ";", NULL as "~".
  static String Rows(TDataSet* dataSet, const String& fields) {
    String text;
    const std::vector<String> names = SplitFieldNames(fields);
    for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) {
      for (size_t i = 0; i < names.size(); ++i) {
        TField* field = dataSet->FieldByName(names[i]);
        text += (i ? "|" : "") + (field->IsNull() ? String("~") : field->AsString());
      }
      text += ";";
    }
    return text;
  }

  TTempFolder FFolder;
  FreeOnExit<TComponent> FOwner{TComponent::Create(nullptr)};
  TOraSession* FSession = nullptr;
};

TEST_F(OraComponents, SessionConnectsWhenADataSetNeedsIt) {
  int beforeConnect = 0;
  FSession->BeforeConnect = [&](TObject*) { ++beforeConnect; };
  TOraQuery* query = Query("SELECT count(*) AS N FROM &shema.T_ROLE");
  query->MacroByName("SHEMA")->SetValue("OC_TEST");
  EXPECT_FALSE(FSession->Connected());
  query->Open();
  EXPECT_TRUE(FSession->Connected());
  EXPECT_EQ(beforeConnect, 1);
  EXPECT_EQ(query->FieldByName("n")->AsInteger(), 2);
  ASSERT_EQ(FSession->DataSetCount(), 1);
  EXPECT_EQ(FSession->DataSets(0), query);

  FSession->Disconnect();
  EXPECT_FALSE(query->Active());

  // A component without a session of its own works on the default session.
  TOraQuery* orphan = Query("SELECT name FROM oc_test.t_role WHERE id = 20");
  orphan->SetSession(nullptr);
  EXPECT_THROW(orphan->Open(), EDatabaseError);
  SetDefaultSession(FSession);
  orphan->Open();
  EXPECT_EQ(orphan->FieldByName("NAME")->AsString(), "Оператор");
  FSession->Free();
  EXPECT_EQ(DefaultSession(), nullptr);
  EXPECT_EQ(query->Session(), nullptr);
}

TEST_F(OraComponents, SessionWithoutAFolderNamesItselfInTheError) {
  FSession->SetServer("");
  try {
    FSession->Connect();
    ADD_FAILURE();
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Session1: The database folder (Server) is not set");
  }
}

TEST_F(OraComponents, QueryKeepsItsTextAndExpandsMacrosAndParamsAtExecution) {
  const String text =
      "SELECT e.*, '-' AS RCHECK_Q\r\nFROM &Shema.V_EMP e\r\nWHERE e.id >= :p_min OR :P_MIN IS "
      "NULL\r\n&ORDER &FIELD\r\n";
  TOraQuery* query = Query(text);
  ASSERT_EQ(query->Macros()->Count(), 3);
  ASSERT_EQ(query->Params()->Count(), 1);
  query->MacroByName("shema")->SetValue("OC_TEST");
  query->MacroByName("ORDER")->SetValue("ORDER BY");
  query->MacroByName("field")->SetValue("ID DESC");
  EXPECT_THROW(query->MacroByName("WHERE"), EDatabaseError);
  EXPECT_THROW(query->ParamByName("P_MAX"), EDatabaseError);
  query->Open();
  EXPECT_EQ(query->SQL()->Text(), text);
  EXPECT_EQ(Rows(query, "ID;NAME;RCHECK;RCHECK_Q"), "3|Сидоров|-|-;2|Петров|-|-;1|Иванов|-|-;");
  EXPECT_EQ(query->FieldByName("RCHECK")->DataType(), ftFixedChar);
  EXPECT_EQ(query->FieldByName("RCHECK")->Size(), 1);
  EXPECT_EQ(query->FieldByName("NAME")->Size(), 40);
  EXPECT_EQ(query->FieldByName("HIRED")->DataType(), ftDateTime);
  EXPECT_EQ(query->FieldByName("ID")->DataType(), ftLargeint);

  query->Close();
  query->ParamByName("P_MIN")->SetAsInteger(2);
  query->MacroByName("ORDER")->SetActive(false);
  query->MacroByName("FIELD")->SetActive(false);
  query->Open();
  EXPECT_EQ(query->RecordCount(), 2);
}

TEST_F(OraComponents, LocalEditsNeverReachTheDatabase) {
  TOraQuery* query = Query("SELECT * FROM oc_test.v_emp ORDER BY id");
  // As a window sets it up: kept, but no statement of these ever runs.
  query->SQLRefresh()->SetText("WHERE\r\n  ID = :ID");
  query->SQLUpdate()->SetText("UPDATE oc_test.v_emp SET name = 'never'");
  query->SetLocalUpdate(false);
  query->Open();
  query->Edit();
  query->FieldByName("RCHECK")->SetAsString("+");
  query->FieldByName("NAME")->SetAsString("Изменён");
  query->Post();
  EXPECT_EQ(Rows(query, "RCHECK;NAME"), "+|Изменён;-|Петров;-|Сидоров;");
  query->Refresh();
  EXPECT_EQ(Rows(query, "RCHECK;NAME"), "-|Иванов;-|Петров;-|Сидоров;");
  EXPECT_EQ(query->SQLUpdate()->Count(), 1);

  query->SetReadOnly(true);
  EXPECT_THROW(query->Edit(), EDatabaseError);
}

TEST_F(OraComponents, FilterSqlNarrowsTheRowsOnTheServer) {
  TOraQuery* query =
      Query("SELECT id FROM oc_test.v_emp WHERE salary IS NOT NULL OR id = 3 ORDER BY id");
  query->Open();
  EXPECT_EQ(query->RecordCount(), 3);
  query->SetFilterSQL("id <> 2");
  EXPECT_TRUE(query->Active());
  EXPECT_EQ(Rows(query, "ID"), "1;3;");
  EXPECT_EQ(query->FinalSQL(),
            "SELECT id FROM oc_test.v_emp WHERE (salary IS NOT NULL OR id = 3) AND (id <> 2) ORDER "
            "BY id\r\n");
}

TEST_F(OraComponents, PrepareReportsErrorsOfTheText) {
  TOraQuery* query = Query("SELECT nothing FROM oc_test.v_emp");
  EXPECT_THROW(query->Prepare(), EDatabaseError);
  EXPECT_FALSE(query->Prepared());
  query->SQL()->SetText("SELECT name FROM oc_test.v_emp");
  query->Prepare();
  EXPECT_TRUE(query->Prepared());
  query->SQL()->Add("WHERE id = 1");
  EXPECT_FALSE(query->Prepared());
  EXPECT_FALSE(query->IsPLSQL());
  query->SQL()->SetText("begin null; end;");
  EXPECT_TRUE(query->IsPLSQL());
}

TEST_F(OraComponents, DetailFollowsItsMaster) {
  TOraQuery* roles = Query("SELECT id FROM oc_test.t_role ORDER BY id");
  TDataSource* source = TDataSource::Create(FOwner.Get());
  source->SetDataSet(roles);
  // Without the parameter in its text, the detail gets the condition on its detail field.
  TOraQuery* members = Query("SELECT name FROM oc_test.v_emp ORDER BY name");
  members->SetMasterSource(source);
  members->SetMasterFields("ID");
  members->SetDetailFields("ROLE_ID");
  EXPECT_NE(members->FindParam("id"), nullptr);
  // With the parameter in its text, the value is only bound.
  TOraQuery* since = Query("SELECT count(*) AS N FROM oc_test.v_emp WHERE role_id >= :ID");
  since->SetMasterSource(source);
  since->SetMasterFields("ID");
  roles->Open();
  members->Open();
  since->Open();
  EXPECT_EQ(Rows(members, "NAME"), "Иванов;");
  EXPECT_EQ(since->FieldByName("N")->AsInteger(), 2);
  roles->Next();
  EXPECT_EQ(Rows(members, "NAME"), "Сидоров;");
  EXPECT_EQ(since->FieldByName("N")->AsInteger(), 1);
}

TEST_F(OraComponents, ExecSqlRunsStatementsAndBlocksInTheSessionsTransaction) {
  TOraQuery* update = Query("UPDATE oc_test.t_emp SET name = :NAME WHERE id >= :ID");
  update->ParamByName("NAME")->SetAsString("Новиков");
  update->ParamByName("ID")->SetAsInteger(2);
  FSession->StartTransaction();
  update->ExecSQL();
  EXPECT_EQ(update->RowsAffected(), 2);
  EXPECT_TRUE(FSession->InTransaction());
  FSession->Rollback();

  TOraQuery* block = Query("begin :RESULT := oc_test.emp_pack.role_name(:P); end;");
  block->ParamByName("P")->SetAsInteger(10);
  block->ExecSQL();
  EXPECT_EQ(block->ParamByName("RESULT")->AsString(), "Админ");
  TOraQuery* names = Query("SELECT name FROM oc_test.t_emp ORDER BY id");
  names->ExecSQL();
  EXPECT_EQ(Rows(names, "NAME"), "Иванов;Петров;Сидоров;");
}

TEST_F(OraComponents, StoredProcBuildsItsCallAndKeepsParametersAcrossARename) {
  TOraStoredProc* proc = TOraStoredProc::Create(FOwner.Get());
  proc->SetSession(FSession);
  proc->SetStoredProcName("OC_TEST.EMP_PACK.RENAME");
  proc->PrepareSQL();
  EXPECT_EQ(proc->SQL()->Text(),
            "begin\r\n  OC_TEST.EMP_PACK.RENAME(:P_ID, :P_NAME, :P_COUNT, :P_MAX);\r\nend;\r\n");
  ASSERT_EQ(proc->Params()->Count(), 4);
  EXPECT_EQ(proc->ParamByName("P_COUNT")->ParamType(), ptOutput);
  EXPECT_EQ(proc->ParamByName("P_NAME")->DataType(), ftString);
  proc->ParamByName("P_ID")->SetAsInteger(3);
  proc->ParamByName("P_NAME")->SetAsString("Орлов");

  // What re-pointing a procedure at another schema does: keep the parameters, rename, rebuild,
  // restore.
  FreeOnExit<TOraParams> kept(TOraParams::Create());
  kept->Assign(proc->Params());
  proc->SetStoredProcName("oc_test.emp_pack.rename");
  EXPECT_EQ(proc->Params()->Count(), 0);
  proc->PrepareSQL();
  proc->Params()->Assign(kept.Get());
  proc->ExecProc();
  EXPECT_EQ(proc->ParamByName("P_COUNT")->AsInteger(), 3);
  TOraQuery* check = Query("SELECT name FROM oc_test.t_emp WHERE id = 3");
  check->Open();
  EXPECT_EQ(Rows(check, "NAME"), "Орлов;");
}

TEST_F(OraComponents, StoredProcOpensTheCursorItsCallReturns) {
  TOraStoredProc* built = TOraStoredProc::Create(FOwner.Get());
  built->SetSession(FSession);
  built->SetStoredProcName("OC_TEST.EMP_PACK.HIRED_SINCE");
  built->PrepareSQL();
  EXPECT_EQ(built->ParamByName("RESULT")->DataType(), ftCursor);
  built->ParamByName("P_DATE")->SetAsDateTime(EncodeDate(2021, 1, 1));
  built->Open();
  EXPECT_EQ(Rows(built, "ID;NAME"), "2|Петров;3|Сидоров;");

  // A call written out by hand, with its cursor parameter declared by the window.
  TOraStoredProc* written = TOraStoredProc::Create(FOwner.Get());
  written->SetSession(FSession);
  written->SetStoredProcName("oc_test.EMP_PACK.HIRED_SINCE");
  written->SQL()->SetText(
      "begin\n:RESULT := oc_test.EMP_PACK.HIRED_SINCE(TO_DATE('2021-06-01'));\nend;");
  written->ParamByName("RESULT")->SetDataType(ftCursor);
  written->Open();
  EXPECT_EQ(Rows(written, "ID;NAME"), "3|Сидоров;");
  written->Close();
  written->SQL()->SetText("begin null; end;");
  EXPECT_THROW(written->Open(), EDatabaseError);
}

TEST_F(OraComponents, PackageReadsVariablesAndCallsRoutines) {
  TOraPackage* package = TOraPackage::Create(FOwner.Get());
  package->SetName("ParamPack");
  package->SetSession(FSession);
  package->SetPackageName("OC_TEST.EMP_PACK");
  EXPECT_EQ(package->GetVariable("manager").AsString(), "Кузнецов");
  EXPECT_EQ(package->GetVariable("USE_ROLES").AsInteger(), 1);
  try {
    package->GetVariable("DIRECTOR");
    ADD_FAILURE();
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Variable DIRECTOR is not declared in package OC_TEST.EMP_PACK");
  }
  EXPECT_EQ(package->ExecProc("ROLE_NAME", {Variant(20)}).AsString(), "Оператор");
  EXPECT_TRUE(VarIsNull(package->ExecProc("RENAME", {Variant(1), Variant("Белов")})));
  try {
    package->ExecProc("LOG_AND_FAIL", {Variant("вызов")});
    ADD_FAILURE();
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "ORA-20001: Отказ: вызов");
  }
  // A package of the user's own schema needs no schema part.
  package->SetPackageName("EMP_PACK");
  EXPECT_EQ(package->ExecProc("ROLE_NAME", {Variant(10)}).AsString(), "Админ");
}

}  // namespace
