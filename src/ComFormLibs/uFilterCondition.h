// The conditions the filter tool lets into a query's WHERE.
//
// The condition goes into the statement as text (nothing of it is bound), so it is read strictly
// and must stay a condition on the list's own columns: words are the columns offered for
// filtering and a few operators and functions (AND, OR, NOT, LIKE, IN, IS, NULL, BETWEEN,
// ESCAPE, UPPER, LOWER, TRIM, LTRIM, RTRIM, SUBSTR, INSTR, LENGTH, NVL, TO_CHAR, TO_DATE,
// TO_NUMBER, TRUNC, ROUND, ABS, SYSDATE); besides them only numbers, closed quoted texts,
// comparisons, arithmetic, "||", "," and balanced parentheses. Refused are statement ends (";"),
// comments, quoted names, qualified names, bind parameters, macros and every other word, so no
// second statement, subquery or other table can ride on a condition.
#pragma once

#include <vector>

#include "platform/rtl/Exceptions.h"

// Why the condition cannot be used; empty when it can.
String ConditionProblem(const String& condition, const std::vector<String>& columnNames);

// An empty condition or the filter tools' neutral "((1=1)aNd(1=1))": no filter.
bool IsNoFilter(const String& condition);
