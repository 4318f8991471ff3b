// Oracle's SQL functions as SQLite functions, and the forms values take between the two.
//
// Dates live in SQLite as the text "YYYY-MM-DD HH:MM:SS" (Oracle's DATE keeps whole seconds), so
// stored dates, bound date parameters and the results of the date functions compare and order
// correctly as text. An empty text counts as NULL everywhere, as Oracle has no empty text.
//
// Functions registered on a connection: NVL, NVL2, DECODE, TO_CHAR (numbers and dates, with or
// without a format model), TO_DATE, TO_NUMBER, TRUNC (dates and numbers), ADD_MONTHS, LAST_DAY,
// ORA_SYSDATE (what SYSDATE becomes), SUBSTR, INSTR, LPAD, RPAD, UPPER and LOWER (Unicode, not
// ASCII only), CONCAT and ORA_CONCAT (what || becomes: NULL operands are skipped),
// RAISE_APPLICATION_ERROR(code, message) (fails the statement with "ORA-<code>: <message>").
// Errors of the functions carry Oracle's error numbers (ORA-01722 invalid number, ...).
#pragma once

#include <string_view>

#include "platform/rtl/SysUtils.h"

struct sqlite3;

String DateTimeToSqlText(TDateTime value);
// Reads "YYYY-MM-DD", optionally followed by " HH:MM", ":SS" and ".fff" ("T" may stand for the
// blank). False for anything else.
bool SqlTextToDateTime(std::string_view text, TDateTime& value);

// A number as Oracle writes it without a format: no trailing zeros, no "0" before the point
// (0.5 is ".5"), integers without a point.
String OracleNumberText(double value);

// TO_CHAR of a date with an Oracle format model (YYYY, MM, MON, MONTH, DD, DY, DAY, HH24, HH12,
// MI, SS, AM, Q, "text", FM, ...); and of a number with a model of 9, 0, ".", "D", ",", "G", FM.
String FormatOracleDate(TDateTime value, const String& model);
String FormatOracleNumber(double value, const String& model);

void RegisterOracleFunctions(sqlite3* db);
