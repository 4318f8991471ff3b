// The Oracle dialect on SQLite: the text rewrites made at execution, and the Oracle type names
// that give result columns their field types.
//
// A query is written in Oracle's dialect and kept so; right before it runs, its macros are
// expanded and the result goes through AdaptOracleSql:
// - "(+)" outer joins of the comma-join form (FROM a, b WHERE a.x = b.y (+)) become LEFT JOINs;
// - bind parameters become numbered SQLite parameters, one per name whatever its letter case;
// - "''" is NULL, as Oracle has no empty text;
// - "a || b" becomes ORA_CONCAT(a, b), which skips NULL as Oracle does (SQLite's || gives NULL);
// - calls of stored routines, "schema.package.routine(...)" and "schema.routine(...)", become
//   ORA_CALL('SCHEMA.PACKAGE.ROUTINE', ...), which the connection routes to the routine;
// - SYSDATE becomes ORA_SYSDATE(), MINUS becomes EXCEPT.
// The Oracle functions themselves (NVL, DECODE, TO_CHAR, ...) are SQLite functions of the
// connection (OraFunctions.h); DUAL is a view of the connection.
#pragma once

#include <vector>

#include "platform/rtl/Exceptions.h"

struct TAdaptedSql {
  String Text;
  // The parameter names in order of their numbers: ?1 is ParamNames[0].
  std::vector<String> ParamNames;
  // Upper-cased first parts of dotted names ("OC_DEMO" of OC_DEMO.V_POS, also table aliases):
  // the schemas the statement may need attached.
  std::vector<String> NameHeads;
};

// Raises EDatabaseError for an outer join form it cannot rewrite.
TAdaptedSql AdaptOracleSql(const String& oracleText);

// True when the text is a PL/SQL block (it begins with BEGIN or DECLARE).
bool IsPLSQLText(const String& text);

// Adds a condition to the WHERE clause of the outermost query: "WHERE (old) AND (condition)",
// or a new WHERE in front of GROUP BY / ORDER BY when there is none. A compound query (UNION,
// MINUS, ...) is wrapped as a subquery first, so the condition names its result columns.
String AddSqlCondition(const String& text, const String& condition);

// What a result column's declared Oracle type makes of it.
enum class TOraDataType { Unknown, String, FixedChar, Integer, Largeint, Float, Date, Memo, Blob };

struct TOraTypeInfo {
  TOraDataType Type = TOraDataType::Unknown;
  int Size = 0;  // characters of a text type
  int Precision = 0;
  int Scale = 0;
};

// NUMBER(p) and NUMBER(p,0) are integers up to 9 digits and large integers up to 18, any other
// NUMBER a float; VARCHAR2(n)/VARCHAR(n)/NVARCHAR2(n) a text of n, CHAR(n)/NCHAR(n) a fixed
// text of n (CHAR alone is CHAR(1)); DATE and TIMESTAMP a date-time; CLOB/NCLOB/LONG a memo,
// BLOB/RAW a blob; INTEGER/INT/SMALLINT an integer; FLOAT/REAL/DOUBLE/BINARY_DOUBLE a float;
// TEXT a text of 4000. An empty or unknown name is Unknown.
TOraTypeInfo OracleTypeInfo(const String& declaredType);

// A select-list item as the text writes it: the name it gives its result column (upper case)
// and the Oracle type its expression declares ("" when the expression does not tell): a CAST,
// a text literal (CHAR of its length), a number literal, a text concatenation (VARCHAR2), a date
// function (DATE), TO_CHAR (VARCHAR2) or TO_NUMBER (NUMBER).
struct TSelectItemType {
  String Name;
  String Type;
};

// The items of every select list in the text, the outermost first; for a view definition, its
// column list (CREATE VIEW v (a, b) AS ...) names the items.
std::vector<TSelectItemType> SelectItemTypes(const String& text);
