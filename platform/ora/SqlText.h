// The lexical view of Oracle SQL and PL/SQL text: tokens, macros (&name) and bind parameters
// (:name, also written ": name").
//
// Query texts are kept exactly as written (their checksums are keys elsewhere), so everything here
// reads a text and builds a new one; nothing edits in place. The scanner accepts any bytes: an
// unterminated literal, quoted name or comment simply runs to the end of the text.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/rtl/Exceptions.h"

enum class TSqlTokenKind : uint8_t {
  Blank,       // white space
  Comment,     // -- to the end of the line, or /* ... */
  Literal,     // '...' with '' standing for one quote
  QuotedName,  // "..." with "" standing for one double quote
  Word,        // an identifier or key word
  Number,      // 12, 1.5, .5, 1E3
  Macro,       // &name
  Param,       // :name or ": name" (not :=)
  Symbol,      // one character, or || := <> != <= >= =>
};

struct TSqlToken {
  TSqlTokenKind Kind;
  size_t Pos;
  size_t Len;
};

std::vector<TSqlToken> ScanSql(std::string_view text);

// The name a Macro or Param token carries (the identifier after "&" or ":" and blanks).
std::string_view TokenName(std::string_view text, const TSqlToken& token);
// The token's text.
inline std::string_view TokenText(std::string_view text, const TSqlToken& token) {
  return text.substr(token.Pos, token.Len);
}
// True for a Word token equal to the key word, ignoring ASCII letter case.
bool IsKeyword(std::string_view text, const TSqlToken& token, std::string_view keyword);

// Names of the macros and parameters a text uses, each once (names compare without regard to
// letter case), spelt as at their first occurrence, in the order of first occurrence.
std::vector<String> SqlMacroNames(std::string_view text);
std::vector<String> SqlParamNames(std::string_view text);

// Replaces every macro whose name the lookup knows by its text (raw, as written, not scanned
// again); a macro the lookup does not know stays as written.
String ExpandSqlMacros(std::string_view text,
                       const std::function<std::optional<String>(std::string_view name)>& lookup);

// Characters allowed in macro and parameter names, and in schema names.
bool IsSqlNameChar(char ch);
// A schema name: one or more letters, digits, "_", "$" or "#". CheckSchemaName raises
// EDatabaseError naming any other text, before it can reach any SQL.
bool IsSchemaName(std::string_view name);
void CheckSchemaName(const String& name);
