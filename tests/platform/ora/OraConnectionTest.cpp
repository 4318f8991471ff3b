#include <gtest/gtest.h>

#include "platform/ora/OraConnection.h"
#include "support/TempFolder.h"
#include "tests/platform/ora/OraTestSchema.h"

namespace {

class OraConnection : public ::testing::Test {
 protected:
  OraConnection() { RunSqlScript(FFolder / "OC_TEST.db", TestSchemaScript()); }

  std::unique_ptr<TOraConnection> Connect(const String& user = "") {
    return std::make_unique<TOraConnection>(FFolder.Path(), user, FFaults);
  }

  // The rows of a query, cells joined by "|" and rows by ";", NULL as "~".
  static String Rows(TOraConnection& connection, const String& sql, const TOraBinds& binds = {}) {
    std::unique_ptr<TOraCursor> cursor = connection.OpenQuery(sql, binds);
    return Rows(*cursor);
  }
  static String Rows(TOraCursor& cursor) {
    String text;
    while (cursor.Next()) {
      for (int i = 0; i < cursor.ColumnCount(); ++i)
        text += (i ? "|" : "") + VarToStrDef(cursor.Value(i), "~");
      text += ";";
    }
    return text;
  }

  static String ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const EDatabaseError& error) {
      return error.Message();
    }
    return "no error";
  }

  TTempFolder FFolder;
  std::shared_ptr<TOraFaults> FFaults = std::make_shared<TOraFaults>();
};

TEST_F(OraConnection, AttachesSchemaFilesOnFirstUse) {
  auto connection = Connect();
  EXPECT_FALSE(connection->IsAttached("OC_TEST"));
  EXPECT_EQ(Rows(*connection, "SELECT count(*) FROM oc_test.v_emp"), "3;");
  EXPECT_TRUE(connection->IsAttached("OC_TEST"));

  EXPECT_NE(ErrorOf([&] { connection->AttachSchema("OC_NONE"); }).find("not found"), String::npos);
  EXPECT_NE(ErrorOf([&] {
              Rows(*connection, "SELECT * FROM OC_NONE.V_EMP");
            }).find("no such table: OC_NONE.V_EMP"),
            String::npos);
  EXPECT_NE(ErrorOf([&] { connection->AttachSchema("OC_TEST; DROP"); }).find("Invalid schema name"),
            String::npos);
  TOraBinds none;
  EXPECT_NE(ErrorOf([&] {
              connection->Execute("DELETE FROM oc_test.t_log; DELETE FROM oc_test.t_emp", none);
            }).find("Only one statement"),
            String::npos);
  EXPECT_EQ(Rows(*connection, "SELECT count(*) FROM oc_test.t_emp;"), "3;");

  TTempFolder::WriteFile(FFolder / "BROKEN.db", String(4096, 'x'));
  EXPECT_NE(ErrorOf([&] { connection->AttachSchema("broken"); }).find("Schema BROKEN: cannot open"),
            String::npos);
  EXPECT_FALSE(connection->IsAttached("BROKEN"));
  EXPECT_EQ(Rows(*connection, "SELECT name FROM oc_test.t_role WHERE id = 10"), "Админ;");

  EXPECT_NE(ErrorOf([&] { TOraConnection(FFolder / "missing", "", nullptr); }).find("not found"),
            String::npos);
}

TEST_F(OraConnection, ColumnsTakeOracleNamesAndDeclaredTypes) {
  auto connection = Connect();
  std::unique_ptr<TOraCursor> cursor = connection->OpenQuery(
      "SELECT e.*, '-' AS rcheck, '' as name, e.name || '!' caption, TRUNC(e.hired, 'YEAR') y, 1 + "
      "1 two "
      "FROM oc_test.v_emp e ORDER BY e.id",
      {});
  struct TExpected {
    const char* Name;
    TOraDataType Type;
    int Size;
  };
  const TExpected expected[] = {
      {"ID", TOraDataType::Largeint, 0},      {"NAME", TOraDataType::String, 40},
      {"ROLE_ID", TOraDataType::Largeint, 0}, {"HIRED", TOraDataType::Date, 0},
      {"SALARY", TOraDataType::Float, 0},     {"RCHECK", TOraDataType::FixedChar, 1},
      {"DOUBLED", TOraDataType::Float, 0},    {"RCHECK_1", TOraDataType::FixedChar, 1},
      {"NAME_1", TOraDataType::String, 4000}, {"CAPTION", TOraDataType::String, 4000},
      {"Y", TOraDataType::Date, 0},           {"TWO", TOraDataType::Float, 0},
  };
  ASSERT_EQ(cursor->ColumnCount(), static_cast<int>(std::size(expected)));
  for (int i = 0; i < cursor->ColumnCount(); ++i) {
    const TOraColumn& column = cursor->Columns()[static_cast<size_t>(i)];
    EXPECT_EQ(column.Name, expected[i].Name);
    EXPECT_EQ(column.Info.Type, expected[i].Type) << column.Name << " " << column.DeclaredType;
    EXPECT_EQ(column.Info.Size, expected[i].Size) << column.Name;
  }
  EXPECT_EQ(Rows(*cursor),
            "1|Иванов|10|31.03.2020|100.5|-|201|-|~|Иванов!|01.01.2020|2;"
            "2|Петров|~|15.01.2021 10:20:30|200|-|400|-|~|Петров!|01.01.2021|2;"
            "3|Сидоров|20|31.12.2021 23:59:59|~|-|~|-|~|Сидоров!|01.01.2021|2;");
}

TEST_F(OraConnection, BindsParametersByNameAndRewritesOuterJoins) {
  auto connection = Connect();
  const String sql =
      "SELECT e.name, r.name rname FROM oc_test.v_emp e, oc_test.t_role r "
      "WHERE e.role_id = r.id (+) AND e.id >= :MIN_ID AND (:min_id > 0 OR : Since < e.hired) ORDER "
      "BY e.id";
  EXPECT_EQ(Rows(*connection, sql, {{"Min_Id", Variant(1)}, {"SINCE", Variant()}}),
            "Иванов|Админ;Петров|~;Сидоров|Оператор;");
  // An unset parameter is NULL: no comparison with it holds.
  EXPECT_EQ(Rows(*connection, sql,
                 {{"MIN_ID", Variant()}, {"SINCE", VarFromDateTime(EncodeDate(2021, 6, 1))}}),
            "");
  EXPECT_EQ(Rows(*connection, sql,
                 {{"MIN_ID", Variant(-1)}, {"SINCE", VarFromDateTime(EncodeDate(2021, 6, 1))}}),
            "Сидоров|Оператор;");
  EXPECT_EQ(ErrorOf([&] {
              Rows(*connection, sql, {{"MIN_ID", Variant(1)}});
            }),
            "Parameter Since not found");
}

TEST_F(OraConnection, RoutesRoutineCallsInSqlToTheCatalog) {
  auto connection = Connect();
  EXPECT_EQ(Rows(*connection,
                 "SELECT id, oc_test.emp_pack.role_name(role_id) FROM oc_test.v_emp WHERE "
                 "OC_TEST.IS_ODD(id) = 1 ORDER BY id"),
            "1|Админ;3|Оператор;");
  EXPECT_EQ(ErrorOf([&] { Rows(*connection, "SELECT oc_test.emp_pack.nothing(1) FROM dual"); }),
            "PLS-00201: identifier 'OC_TEST.EMP_PACK.NOTHING' must be declared");
  EXPECT_NE(ErrorOf([&] {
              connection->CallFunction("oc test.emp_pack.role_name", {Variant(1)});
            }).find("Invalid name"),
            String::npos);
  EXPECT_NE(ErrorOf([&] {
              connection->PackageVariable("OC_TEST'--.EMP_PACK", "MANAGER");
            }).find("Invalid name"),
            String::npos);
}

TEST_F(OraConnection, RunsThePlsqlBlockForms) {
  auto connection = Connect("OC_TEST");
  TOraBinds binds = {{"RESULT", Variant(), TOraParamDirection::Output},
                     {"N", Variant(), TOraParamDirection::Output},
                     {"MAX", Variant(7), TOraParamDirection::InputOutput},
                     {"NAME", Variant("Смирнов")},
                     {"MANAGER", Variant(), TOraParamDirection::Output}};
  connection->Execute("begin null; end;", binds);
  connection->Execute(
      "BEGIN :RESULT := OC_TEST.EMP_PACK.HIRED_SINCE(TO_DATE('01.01.2021', 'DD.MM.YYYY')); END;",
      binds);
  ASSERT_TRUE(binds[0].Cursor);
  EXPECT_EQ(Rows(*binds[0].Cursor), "2|Петров;3|Сидоров;");
  binds[0].Cursor.reset();

  connection->Execute(
      "begin OC_TEST.EMP_PACK.RENAME(p_name => :name, p_id => 2, p_count => :n, p_max => :max); "
      "end;",
      binds);
  EXPECT_EQ(VarToStr(binds[1].Value), "3");
  EXPECT_EQ(VarToStr(binds[2].Value), "3");
  EXPECT_EQ(Rows(*connection, "SELECT name FROM oc_test.t_emp WHERE id = 2"), "Смирнов;");

  connection->Execute("begin :manager := EMP_PACK.MANAGER; :n := oc_test.is_odd(5) + 1; end;",
                      binds);
  EXPECT_EQ(VarToStr(binds[4].Value), "Кузнецов");
  EXPECT_EQ(VarToStr(binds[1].Value), "2");
  EXPECT_EQ(VarToStr(connection->PackageVariable("OC_TEST.EMP_PACK", "start_date")), "01.01.2020");
  EXPECT_EQ(ErrorOf([&] { connection->PackageVariable("OC_TEST.EMP_PACK", "NOBODY"); }),
            "Variable NOBODY is not declared in package OC_TEST.EMP_PACK");
  EXPECT_NE(ErrorOf([&] {
              connection->Execute("begin delete from t_emp; end;", binds);
            }).find("Unsupported PL/SQL"),
            String::npos);
}

TEST_F(OraConnection, AFailingRoutineUndoesItsOwnWorkAndLeavesTheTransactionToTheCaller) {
  auto connection = Connect();
  TOraBinds binds;
  connection->StartTransaction();
  connection->Execute("UPDATE oc_test.t_emp SET name = 'X' WHERE id = 1", binds);
  EXPECT_EQ(ErrorOf([&] {
              connection->Execute("begin oc_test.emp_pack.log_and_fail('шаг'); end;", binds);
            }),
            "ORA-20001: Отказ: шаг");
  EXPECT_TRUE(connection->InTransaction());
  EXPECT_EQ(Rows(*connection, "SELECT count(*) FROM oc_test.t_log"), "0;");
  EXPECT_EQ(Rows(*connection, "SELECT name FROM oc_test.t_emp WHERE id = 1"), "X;");
  connection->Rollback();
  EXPECT_FALSE(connection->InTransaction());
  EXPECT_EQ(Rows(*connection, "SELECT name FROM oc_test.t_emp WHERE id = 1"), "Иванов;");

  // Outside a transaction the failed call leaves nothing behind either.
  std::vector<Variant> args{Variant("вне")};
  EXPECT_EQ(ErrorOf([&] { connection->CallProcedure("OC_TEST.EMP_PACK.LOG_AND_FAIL", args); }),
            "ORA-20001: Отказ: вне");
  EXPECT_EQ(Rows(*connection, "SELECT count(*) FROM oc_test.t_log"), "0;");
}

TEST_F(OraConnection, CommittedWorkIsSeenByOthersAndRolledBackWorkIsNot) {
  auto connection = Connect();
  auto other = Connect();
  TOraBinds binds;
  connection->StartTransaction();
  EXPECT_THROW(connection->StartTransaction(), EDatabaseError);
  connection->Execute("INSERT INTO oc_test.t_log VALUES ('kept')", binds);
  connection->Commit();
  connection->StartTransaction();
  connection->Execute("INSERT INTO oc_test.t_log VALUES ('dropped')", binds);
  connection->Rollback();
  connection->Commit();
  EXPECT_EQ(Rows(*other, "SELECT msg FROM oc_test.t_log"), "kept;");
}

TEST_F(OraConnection, CppRoutinesTakePrecedenceAndTheirErrorsReachTheCaller) {
  auto connection = Connect();
  connection->RegisterRoutine("EMP_PACK.ROLE_NAME", [](std::vector<Variant>& args) {
    return Variant("роль " + VarToStr(args[0]));
  });
  connection->RegisterRoutine("OC_TEST.EMP_PACK.RENAME", [](std::vector<Variant>& args) -> Variant {
    throw EDatabaseError("ORA-20099: переименование запрещено");
  });
  EXPECT_EQ(Rows(*connection,
                 "SELECT oc_test.emp_pack.role_name(role_id) FROM oc_test.v_emp WHERE id = 1"),
            "роль 10;");
  TOraBinds binds;
  EXPECT_EQ(
      ErrorOf([&] { connection->Execute("begin OC_TEST.EMP_PACK.RENAME(1, 'x'); end;", binds); }),
      "ORA-20099: переименование запрещено");
  connection->UnregisterRoutine("EMP_PACK.ROLE_NAME");
  EXPECT_EQ(VarToStr(connection->CallFunction("oc_test.emp_pack.role_name", {Variant(20)})),
            "Оператор");
}

TEST_F(OraConnection, InjectedFaultsFireOnceAtTheArmedEvent) {
  auto connection = Connect();
  TOraBinds binds;
  FFaults->Arm(TOraFault::FileOpen, 1);
  EXPECT_EQ(ErrorOf([&] { Rows(*connection, "SELECT 1 FROM oc_test.t_role"); }),
            "Injected fault: schema file open");
  FFaults->Arm(TOraFault::Statement, 2, "disk gone");
  EXPECT_EQ(Rows(*connection, "SELECT count(*) FROM oc_test.t_role"), "2;");
  EXPECT_EQ(ErrorOf([&] { Rows(*connection, "SELECT 1 FROM dual"); }), "disk gone");
  EXPECT_EQ(Rows(*connection, "SELECT 1 FROM dual"), "1;");
  FFaults->Arm(TOraFault::RoutineCall, 1);
  EXPECT_EQ(ErrorOf([&] { Rows(*connection, "SELECT oc_test.is_odd(1) FROM dual"); }),
            "Injected fault: routine call");

  FFaults->Arm(TOraFault::Commit, 1);
  connection->StartTransaction();
  connection->Execute("INSERT INTO oc_test.t_log VALUES ('pending')", binds);
  EXPECT_EQ(ErrorOf([&] { connection->Commit(); }), "Injected fault: commit");
  EXPECT_TRUE(connection->InTransaction());
  connection->Rollback();
  EXPECT_EQ(Rows(*connection, "SELECT count(*) FROM oc_test.t_log"), "0;");
}

}  // namespace
