#include <gtest/gtest.h>

#include "platform/ora/OraConnection.h"
#include "platform/ora/OraFunctions.h"
#include "support/TempFolder.h"

namespace {

class OraFunctions : public ::testing::Test {
 protected:
  // The value of one Oracle expression as SQLite holds it; "NULL" for NULL.
  String Eval(const String& expression) {
    std::unique_ptr<TOraCursor> cursor =
        FConnection.OpenQuery("SELECT " + expression + " AS R FROM DUAL", {});
    EXPECT_TRUE(cursor->Next());
    return cursor->TypeOf(0) == 5 ? String("NULL") : String(cursor->AsText(0));
  }

  TTempFolder FFolder;
  TOraConnection FConnection{FFolder.Path(), "", nullptr};
};

TEST_F(OraFunctions, ComputeAsOracleDoes) {
  const std::pair<const char*, const char*> cases[] = {
      {"NVL(NULL, 'x')", "x"},
      {"NVL('', 5)", "5"},
      {"NVL2(1, 'a', 'b')", "a"},
      {"DECODE(2, 1, 'one', 2, 'two', 'other')", "two"},
      {"DECODE(NULL, NULL, 'null matches', 'no')", "null matches"},
      {"DECODE(3, 1, 'one')", "NULL"},
      {"DECODE('2', 2, 'text two')", "text two"},
      {"NULL || 'a' || NULL", "a"},
      {"'' || ''", "NULL"},
      {"'n=' || 1.5 || ',' || 0.5 || ',' || 2", "n=1.5,.5,2"},
      {"TO_CHAR(42)", "42"},
      {"TO_CHAR(-0.25)", "-.25"},
      {"TO_CHAR(1234.5, '9999.99')", " 1234.50"},
      {"TO_CHAR(1234.5, 'FM9,999.00')", "1,234.50"},
      {"TO_CHAR(0.5, '990.99')", "   0.50"},
      {"TO_CHAR(7, '000')", " 007"},
      {"TO_CHAR(12345, '999')", "####"},
      {"TO_CHAR('2021-01-15 10:20:30', 'YYYY')", "2021"},
      {"TO_CHAR('2021-01-05 14:07:09', 'DD.MM.YYYY HH24:MI:SS')", "05.01.2021 14:07:09"},
      {"TO_CHAR('2021-01-05 14:07:09', 'fmDD Month YYYY, HH12 AM')", "5 January 2021, 2 PM"},
      {"TO_CHAR('2021-03-05', 'DY MON \"q\"Q')", "FRI MAR q1"},
      {"TO_DATE('05.01.2021', 'DD.MM.YYYY')", "2021-01-05 00:00:00"},
      {"TO_DATE('15-JAN-21 10:20', 'DD-MON-RR HH24:MI')", "2021-01-15 10:20:00"},
      {"TO_DATE('31.12.2021 23:59:58')", "2021-12-31 23:59:58"},
      {"TO_NUMBER('1,234.5', '9,999.9')", "1234.5"},
      {"TO_NUMBER(' 12 ')", "12"},
      {"TRUNC('2021-08-15 10:20:30', 'YEAR')", "2021-01-01 00:00:00"},
      {"TRUNC('2021-08-15 10:20:30', 'MM')", "2021-08-01 00:00:00"},
      {"TRUNC('2021-08-15 10:20:30', 'Q')", "2021-07-01 00:00:00"},
      {"TRUNC('2021-08-15 10:20:30', 'IW')", "2021-08-09 00:00:00"},
      {"TRUNC('2021-08-15 10:20:30')", "2021-08-15 00:00:00"},
      {"TRUNC(15.79)", "15"},
      {"TRUNC(15.79, 1)", "15.7"},
      {"TRUNC(-15.79)", "-15"},
      {"ADD_MONTHS('2021-01-31 08:00:00', 1)", "2021-02-28 08:00:00"},
      {"ADD_MONTHS('2020-02-29', 12)", "2021-02-28 00:00:00"},
      {"ADD_MONTHS('2021-02-28', 1)", "2021-03-31 00:00:00"},
      {"ADD_MONTHS('2021-03-15', -15)", "2019-12-15 00:00:00"},
      {"LAST_DAY('2024-02-10')", "2024-02-29 00:00:00"},
      {"SUBSTR('Привет', 2, 3)", "рив"},
      {"SUBSTR('Привет', 0, 2)", "Пр"},
      {"SUBSTR('Привет', -3)", "вет"},
      {"SUBSTR('abc', 5)", "NULL"},
      {"INSTR('абвабв', 'б')", "2"},
      {"INSTR('абвабв', 'б', 1, 2)", "5"},
      {"INSTR('абвабв', 'б', -1)", "5"},
      {"INSTR('abc', 'z')", "0"},
      {"LPAD('7', 3, '0')", "007"},
      {"LPAD('abcdef', 3)", "abc"},
      {"RPAD('ab', 5, 'xy')", "abxyx"},
      {"UPPER('Ёжик ivan')", "ЁЖИК IVAN"},
      {"LOWER('ЁЖИК')", "ёжик"},
      {"CONCAT('a', NULL)", "a"},
      {"LENGTH(SYSDATE)", "19"},
  };
  for (const auto& [expression, expected] : cases)
    EXPECT_EQ(Eval(expression), expected) << expression;
}

TEST_F(OraFunctions, FailWithOracleErrors) {
  const std::pair<const char*, const char*> cases[] = {
      {"TO_NUMBER('12x')", "ORA-01722: invalid number"},
      {"TO_DATE('32.01.2021', 'DD.MM.YYYY')", "ORA-01847"},
      {"TO_DATE('2021', 'YYYY-MM')", "ORA-01"},
      {"TRUNC('2021-08-15', 'XX')", "ORA-01898"},
      {"RAISE_APPLICATION_ERROR(-20005, 'Нет доступа')", "ORA-20005: Нет доступа"},
  };
  for (const auto& [expression, message] : cases) {
    try {
      Eval(expression);
      ADD_FAILURE() << expression << " did not fail";
    } catch (const EDatabaseError& error) {
      EXPECT_EQ(error.Message().rfind(message, 0), 0u) << expression << ": " << error.Message();
    }
  }
}

TEST(OraDateText, RoundTripsWholeSeconds) {
  TDateTime value = 0;
  ASSERT_TRUE(SqlTextToDateTime("2021-01-15 10:20:30.600", value));
  EXPECT_EQ(DateTimeToSqlText(value), "2021-01-15 10:20:31");
  ASSERT_TRUE(SqlTextToDateTime("1899-12-29T06:00", value));
  EXPECT_EQ(DateTimeToSqlText(value), "1899-12-29 06:00:00");
  for (const char* invalid :
       {"2021-02-30", "2021-1-15", "2021-01-15 25:00", "2021-01-15x", "15.01.2021", ""})
    EXPECT_FALSE(SqlTextToDateTime(invalid, value)) << invalid;
}

}  // namespace
