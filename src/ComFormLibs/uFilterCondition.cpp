#include "src/ComFormLibs/uFilterCondition.h"

#include <algorithm>

#include "platform/ora/SqlText.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr const char* kNeutralCondition = "((1=1)aNd(1=1))";

constexpr const char* kConditionWords[] = {
    "AND",     "OR",      "NOT",       "LIKE",  "IN",    "IS",     "NULL",   "BETWEEN", "ESCAPE",
    "UPPER",   "LOWER",   "TRIM",      "LTRIM", "RTRIM", "SUBSTR", "INSTR",  "LENGTH",  "NVL",
    "TO_CHAR", "TO_DATE", "TO_NUMBER", "TRUNC", "ROUND", "ABS",    "SYSDATE"};

constexpr const char* kConditionSymbols[] = {"=", "<>", "!=", "<",  ">", "<=", ">=", "+",
                                             "-", "*",  "/",  "||", "(", ")",  ","};

bool IsConditionWord(std::string_view word, const std::vector<String>& columnNames) {
  const String text(word);
  return std::any_of(std::begin(kConditionWords), std::end(kConditionWords),
                     [&](const char* known) { return SameText(text, known); }) ||
         std::any_of(columnNames.begin(), columnNames.end(),
                     [&](const String& name) { return SameText(text, name); });
}

bool IsConditionSymbol(std::string_view symbol) {
  return std::any_of(std::begin(kConditionSymbols), std::end(kConditionSymbols),
                     [&](const char* known) { return symbol == known; });
}

// The scanner lets an unterminated literal run to the end of the text.
bool IsClosedLiteral(std::string_view literal) {
  size_t pos = 1;
  while (pos < literal.size()) {
    if (literal[pos] != '\'') {
      ++pos;
      continue;
    }
    if (pos + 1 < literal.size() && literal[pos + 1] == '\'') {
      pos += 2;
      continue;
    }
    return pos + 1 == literal.size();
  }
  return false;
}

String Quoted(std::string_view text) { return "\"" + String(text) + "\""; }

// Why the token cannot stand in a condition; empty when it can. Depth follows parentheses.
String TokenProblem(std::string_view text, const TSqlToken& token,
                    const std::vector<String>& columnNames, int& depth) {
  const std::string_view word = TokenText(text, token);
  switch (token.Kind) {
    case TSqlTokenKind::Blank:
    case TSqlTokenKind::Number:
      return String();
    case TSqlTokenKind::Literal:
      return IsClosedLiteral(word) ? String() : "a quoted text is not closed";
    case TSqlTokenKind::Comment:
      return "comments are not allowed";
    case TSqlTokenKind::Word:
      return IsConditionWord(word, columnNames) ? String()
                                                : Quoted(word) + " is not a column of the list";
    case TSqlTokenKind::Symbol:
      if (!IsConditionSymbol(word)) return Quoted(word) + " is not allowed in a condition";
      if (word == "(") ++depth;
      if (word == ")" && --depth < 0) return "a \")\" has no \"(\"";
      return String();
    default:
      return Quoted(word) + " is not allowed in a condition";
  }
}

}  // namespace

String ConditionProblem(const String& condition, const std::vector<String>& columnNames) {
  int depth = 0;
  for (const TSqlToken& token : ScanSql(condition)) {
    const String problem = TokenProblem(condition, token, columnNames, depth);
    if (!problem.empty()) return problem;
  }
  return depth == 0 ? String() : "a \"(\" is not closed";
}

bool IsNoFilter(const String& condition) {
  const String trimmed = Trim(condition);
  return trimmed.empty() || SameText(trimmed, kNeutralCondition);
}
