#include <gtest/gtest.h>

#include "platform/ora/OraDialect.h"

namespace {

struct TCase {
  const char* Oracle;
  const char* SQLite;
};

TEST(OraDialect, RewritesToSQLite) {
  const TCase cases[] = {
      {"SELECT * FROM T WHERE a = :P AND b = :p AND c = : Q",
       "SELECT * FROM T WHERE a = ?1 AND b = ?1 AND c = ?2"},
      {"SELECT '' AS name, 'it''s' FROM DUAL", "SELECT NULL AS name, 'it''s' FROM DUAL"},
      {"SELECT '['||TO_CHAR(x.ID)||'] '||x.NAME as Caption FROM S.V x",
       "SELECT ORA_CONCAT('[', TO_CHAR(x.ID), '] ', x.NAME) as Caption FROM S.V x"},
      {"SELECT (a || b) || c, NVL(a, 'x') || :p FROM T",
       "SELECT ORA_CONCAT((ORA_CONCAT(a, b)), c), ORA_CONCAT(NVL(a, 'x'), ?1) FROM T"},
      {"WHERE &x.CHECK_MYEMITENT(ID) = 0 AND s.pkg.f() = 1",
       "WHERE &x.CHECK_MYEMITENT(ID) = 0 AND ORA_CALL('S.PKG.F') = 1"},
      {"SELECT oc_demo.lang_pack.get_txt('a') FROM dual",
       "SELECT ORA_CALL('OC_DEMO.LANG_PACK.GET_TXT', 'a') FROM dual"},
      {"INSERT INTO oc.dpr (id, name) VALUES(1, 'x')",
       "INSERT INTO oc.dpr (id, name) VALUES(1, 'x')"},
      {"SELECT SYSDATE FROM dual MINUS SELECT x.sysdate FROM x",
       "SELECT ORA_SYSDATE() FROM dual EXCEPT SELECT x.sysdate FROM x"},
      {"SELECT E.ID, R.NAME FROM S.V_EMPLOYE E, S.V_LINK L, S.V_ROLES R "
       "WHERE L.ROLE_ID = R.ROLE_ID (+) AND L.ID_EMP (+) = E.ID AND NOT EXISTS (SELECT 1 FROM "
       "S.V_LINK L WHERE L.X = :R) "
       "ORDER BY E.ID",
       "SELECT E.ID, R.NAME FROM S.V_EMPLOYE E LEFT JOIN S.V_LINK L ON L.ID_EMP = E.ID LEFT JOIN "
       "S.V_ROLES R ON "
       "L.ROLE_ID = R.ROLE_ID WHERE NOT EXISTS (SELECT 1 FROM S.V_LINK L WHERE L.X = ?1) ORDER BY "
       "E.ID"},
      {"SELECT * FROM (SELECT a.x FROM A a, B b WHERE a.k = b.k(+) AND a.d BETWEEN 1 AND 2) v",
       "SELECT * FROM (SELECT a.x FROM A a LEFT JOIN B b ON a.k = b.k WHERE a.d BETWEEN 1 AND 2 ) "
       "v"},
  };
  for (const TCase& c : cases) EXPECT_EQ(AdaptOracleSql(c.Oracle).Text, c.SQLite) << c.Oracle;
}

TEST(OraDialect, AChainEndingInABareMarkIsLeftAlone) {
  // Found by fuzzing: the operand after the last "||" was read past the end of the text.
  EXPECT_EQ(AdaptOracleSql("SELECT a || ?").Text, "SELECT a || ?");
  EXPECT_NO_THROW(AdaptOracleSql("\x1fO@IO@I2PPe||?2PPe||?"));
}

TEST(OraDialect, ReportsParametersAndNameHeads) {
  const TAdaptedSql adapted =
      AdaptOracleSql("SELECT v.a FROM OC_DEMO.V v WHERE v.b = :Id AND v.c = :ID OR :x IS NULL");
  EXPECT_EQ(adapted.ParamNames, (std::vector<String>{"Id", "x"}));
  EXPECT_EQ(adapted.NameHeads, (std::vector<String>{"V", "OC_DEMO"}));
}

TEST(OraDialect, RefusesOuterJoinsItCannotRewrite) {
  for (const char* text : {"SELECT * FROM A a, B b WHERE a.k = b.k (+) OR a.x = 1",
                           "SELECT * FROM A a, B b WHERE a.k = k (+)",
                           "SELECT * FROM A a, B b WHERE a.k (+) = b.k AND b.j (+) = a.j",
                           "SELECT * FROM A a JOIN B b ON a.k = b.k (+)"})
    EXPECT_THROW(AdaptOracleSql(text), EDatabaseError) << text;
}

TEST(OraDialect, AddsConditionsToTheOutermostQuery) {
  const TCase cases[] = {
      {"SELECT * FROM V WHERE a = 1 OR b = 2 ORDER BY ID",
       "SELECT * FROM V WHERE (a = 1 OR b = 2) AND (c > 0) ORDER BY ID"},
      {"SELECT * FROM V ORDER BY ID", "SELECT * FROM V WHERE (c > 0) ORDER BY ID"},
      {"SELECT * FROM (SELECT * FROM W WHERE x = 1) v",
       "SELECT * FROM (SELECT * FROM W WHERE x = 1) v WHERE (c > 0)"},
      {"SELECT a FROM V UNION SELECT a FROM W ORDER BY a",
       "SELECT * FROM (SELECT a FROM V UNION SELECT a FROM W) WHERE (c > 0) ORDER BY a"},
  };
  for (const TCase& c : cases) EXPECT_EQ(AddSqlCondition(c.Oracle, "c > 0"), c.SQLite) << c.Oracle;
}

TEST(OraDialect, DeclaredTypesGiveFieldKinds) {
  struct TTypeCase {
    const char* Declared;
    TOraDataType Type;
    int Size;
  };
  const TTypeCase cases[] = {
      {"NUMBER(9)", TOraDataType::Integer, 0},
      {"NUMBER(10,0)", TOraDataType::Largeint, 0},
      {"NUMBER(12,2)", TOraDataType::Float, 0},
      {"NUMBER", TOraDataType::Float, 0},
      {"NUMBER(38)", TOraDataType::Float, 0},
      {"varchar2(40)", TOraDataType::String, 40},
      {"VARCHAR2(40 CHAR)", TOraDataType::String, 40},
      {"CHAR(1)", TOraDataType::FixedChar, 1},
      {"CHAR", TOraDataType::FixedChar, 1},
      {"DATE", TOraDataType::Date, 0},
      {"CLOB", TOraDataType::Memo, 0},
      {"BLOB", TOraDataType::Blob, 0},
      {"INTEGER", TOraDataType::Integer, 0},
      {"", TOraDataType::Unknown, 0},
      {"NUM", TOraDataType::Unknown, 0},
  };
  for (const TTypeCase& c : cases) {
    const TOraTypeInfo info = OracleTypeInfo(c.Declared);
    EXPECT_EQ(info.Type, c.Type) << c.Declared;
    EXPECT_EQ(info.Size, c.Size) << c.Declared;
  }
}

TEST(OraDialect, SelectItemsDeclareTheirTypes) {
  const std::vector<TSelectItemType> items = SelectItemTypes(
      "CREATE VIEW V (A, B, C, D, E, F, G) AS SELECT CAST('-' AS CHAR(1)), CAST(x * 2 AS "
      "NUMBER(12, 2)) q, 'Да', "
      "TRUNC(d, 'YEAR'), t.name, 'a' || b, 5 FROM (SELECT '+' RCHECK FROM T) t");
  const std::vector<std::pair<String, String>> expected = {
      {"A", "CHAR(1)"}, {"B", "NUMBER(12,2)"}, {"C", "CHAR(2)"}, {"D", "DATE"},
      {"E", ""},        {"F", "VARCHAR2"},     {"G", "NUMBER"},  {"RCHECK", "CHAR(1)"}};
  ASSERT_EQ(items.size(), expected.size());
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].Name, expected[i].first);
    EXPECT_EQ(items[i].Type, expected[i].second) << items[i].Name;
  }
}

}  // namespace
