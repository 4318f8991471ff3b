#include "platform/ora/SqlText.h"

#include "platform/rtl/SysUtils.h"

namespace {

bool IsAsciiLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\f' || ch == '\v';
}
// Identifiers may hold national letters; every byte of a UTF-8 sequence counts as one.
bool IsWordStart(char ch) {
  return IsAsciiLetter(ch) || ch == '_' || static_cast<unsigned char>(ch) >= 0x80;
}
bool IsWordChar(char ch) { return IsWordStart(ch) || IsDigit(ch) || ch == '$' || ch == '#'; }

class TScanner {
 public:
  explicit TScanner(std::string_view text) : FText(text) {}

  std::vector<TSqlToken> Run() {
    std::vector<TSqlToken> tokens;
    while (FPos < FText.size()) {
      const size_t start = FPos;
      const TSqlTokenKind kind = Next();
      tokens.push_back({kind, start, FPos - start});
    }
    return tokens;
  }

 private:
  char At(size_t pos) const { return pos < FText.size() ? FText[pos] : '\0'; }

  TSqlTokenKind Next() {
    const char ch = FText[FPos];
    if (IsBlank(ch)) {
      while (FPos < FText.size() && IsBlank(FText[FPos])) ++FPos;
      return TSqlTokenKind::Blank;
    }
    if (ch == '-' && At(FPos + 1) == '-') {
      while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
      return TSqlTokenKind::Comment;
    }
    if (ch == '/' && At(FPos + 1) == '*') {
      const size_t end = FText.find("*/", FPos + 2);
      FPos = end == std::string_view::npos ? FText.size() : end + 2;
      return TSqlTokenKind::Comment;
    }
    if (ch == '\'') return Quoted('\'', TSqlTokenKind::Literal);
    if (ch == '"') return Quoted('"', TSqlTokenKind::QuotedName);
    if (IsWordStart(ch)) {
      while (FPos < FText.size() && IsWordChar(FText[FPos])) ++FPos;
      return TSqlTokenKind::Word;
    }
    if (IsDigit(ch) || (ch == '.' && IsDigit(At(FPos + 1)))) return Number();
    if (ch == '&' && IsSqlNameChar(At(FPos + 1))) {
      ++FPos;
      while (FPos < FText.size() && IsSqlNameChar(FText[FPos])) ++FPos;
      return TSqlTokenKind::Macro;
    }
    if (ch == ':' && IsParamStart()) return Param();
    return Symbol();
  }

  TSqlTokenKind Quoted(char quote, TSqlTokenKind kind) {
    ++FPos;
    while (FPos < FText.size()) {
      if (FText[FPos] == quote) {
        if (At(FPos + 1) != quote) {
          ++FPos;
          return kind;
        }
        ++FPos;
      }
      ++FPos;
    }
    return kind;
  }

  TSqlTokenKind Number() {
    while (IsDigit(At(FPos))) ++FPos;
    if (At(FPos) == '.' && At(FPos + 1) != '.') {
      ++FPos;
      while (IsDigit(At(FPos))) ++FPos;
    }
    const char sign = At(FPos + 1);
    if ((At(FPos) == 'e' || At(FPos) == 'E') &&
        (IsDigit(sign) || ((sign == '+' || sign == '-') && IsDigit(At(FPos + 2))))) {
      FPos += 2;
      while (IsDigit(At(FPos))) ++FPos;
    }
    return TSqlTokenKind::Number;
  }

  // ":name" or ": name" with blanks or tabs between; ":=" is assignment.
  bool IsParamStart() const {
    size_t pos = FPos + 1;
    while (At(pos) == ' ' || At(pos) == '\t') ++pos;
    return IsSqlNameChar(At(pos));
  }

  TSqlTokenKind Param() {
    ++FPos;
    while (At(FPos) == ' ' || At(FPos) == '\t') ++FPos;
    while (FPos < FText.size() && IsSqlNameChar(FText[FPos])) ++FPos;
    return TSqlTokenKind::Param;
  }

  TSqlTokenKind Symbol() {
    static constexpr std::string_view pairs[] = {"||", ":=", "<>", "!=", "<=", ">=", "=>"};
    for (std::string_view pair : pairs)
      if (FText.substr(FPos, 2) == pair) {
        FPos += 2;
        return TSqlTokenKind::Symbol;
      }
    ++FPos;
    return TSqlTokenKind::Symbol;
  }

  std::string_view FText;
  size_t FPos = 0;
};

bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

std::vector<String> UniqueNames(std::string_view text, TSqlTokenKind kind) {
  std::vector<String> names;
  for (const TSqlToken& token : ScanSql(text)) {
    if (token.Kind != kind) continue;
    const std::string_view name = TokenName(text, token);
    bool known = false;
    for (const String& existing : names) known = known || SameAscii(existing, name);
    if (!known) names.emplace_back(name);
  }
  return names;
}

}  // namespace

bool IsSqlNameChar(char ch) {
  return IsAsciiLetter(ch) || IsDigit(ch) || ch == '_' || ch == '$' || ch == '#';
}

std::vector<TSqlToken> ScanSql(std::string_view text) { return TScanner(text).Run(); }

std::string_view TokenName(std::string_view text, const TSqlToken& token) {
  std::string_view body = TokenText(text, token).substr(1);
  while (!body.empty() && (body.front() == ' ' || body.front() == '\t')) body.remove_prefix(1);
  return body;
}

bool IsKeyword(std::string_view text, const TSqlToken& token, std::string_view keyword) {
  return token.Kind == TSqlTokenKind::Word && SameAscii(TokenText(text, token), keyword);
}

std::vector<String> SqlMacroNames(std::string_view text) {
  return UniqueNames(text, TSqlTokenKind::Macro);
}

std::vector<String> SqlParamNames(std::string_view text) {
  return UniqueNames(text, TSqlTokenKind::Param);
}

String ExpandSqlMacros(std::string_view text,
                       const std::function<std::optional<String>(std::string_view name)>& lookup) {
  String result;
  result.reserve(text.size());
  for (const TSqlToken& token : ScanSql(text)) {
    if (token.Kind == TSqlTokenKind::Macro) {
      if (std::optional<String> value = lookup(TokenName(text, token))) {
        result += *value;
        continue;
      }
    }
    result += TokenText(text, token);
  }
  return result;
}

bool IsSchemaName(std::string_view name) {
  if (name.empty()) return false;
  for (char ch : name)
    if (!IsSqlNameChar(ch)) return false;
  return true;
}

void CheckSchemaName(const String& name) {
  if (!IsSchemaName(name))
    throw EDatabaseError(Format(
        "Invalid schema name \"%s\": only letters, digits, \"_\", \"$\" and \"#\" are allowed",
        {name}));
}
