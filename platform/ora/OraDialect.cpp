#include "platform/ora/OraDialect.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "platform/ora/SqlTokens.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"

namespace {

String Upper(std::string_view text) { return UpperCase(String(text)); }

bool IsAnyWord(const TSqlTokens& t, int i, std::initializer_list<std::string_view> words) {
  for (std::string_view word : words)
    if (t.IsWord(i, word)) return true;
  return false;
}

// ---------------------------------------------------------------------------------------------
// Outer joins: FROM a x, b y WHERE x.k = y.k (+) AND ... becomes
// FROM a x LEFT JOIN b y ON x.k = y.k WHERE ...

struct TFromItem {
  String Text;
  String Alias;
};

struct TJoinCondition {
  String Text;
  String Optional;          // the alias of the table the (+) makes optional
  std::set<String> Refers;  // the other aliases it names
};

class TOuterJoinRewriter {
 public:
  TOuterJoinRewriter(const TSqlTokens& t, int marker)
      : T(t), FMarker(marker), FDepth(t.Depth(marker)) {}

  String Run() {
    LocateClauses();
    std::vector<TFromItem> items = FromItems();
    std::vector<String> plain;
    std::vector<TJoinCondition> joins;
    SplitConditions(plain, joins);
    return Compose(items, plain, joins);
  }

 private:
  [[noreturn]] static void Unsupported(const String& why) {
    throw EDatabaseError("Unsupported outer join (+): " + why);
  }

  void LocateClauses() {
    for (int i = FMarker - 1; i >= 0 && FSelect < 0; --i)
      if (T.Depth(i) == FDepth && T.IsWord(i, "SELECT")) FSelect = i;
    if (FSelect < 0) Unsupported("no SELECT around it");
    FBlockEnd = T.Count();
    if (FDepth > 0)
      for (int i = FMarker + 1; i < T.Count(); ++i)
        if (T.IsSym(i, ')') && T.Depth(i) == FDepth - 1) {
          FBlockEnd = i;
          break;
        }
    for (int i = FSelect + 1; i < FMarker; ++i) {
      if (T.Depth(i) != FDepth) continue;
      if (FFrom < 0 && T.IsWord(i, "FROM")) FFrom = i;
      if (FFrom >= 0 && T.IsWord(i, "WHERE")) {
        FWhere = i;
        break;
      }
    }
    if (FFrom < 0 || FWhere < 0) Unsupported("it must stand in the WHERE clause of a comma join");
    FWhereEnd = FBlockEnd;
    for (int i = FWhere + 1; i < FBlockEnd; ++i)
      if (T.Depth(i) == FDepth && IsAnyWord(T, i,
                                            {"GROUP", "ORDER", "HAVING", "UNION", "MINUS",
                                             "INTERSECT", "EXCEPT", "CONNECT", "START"})) {
        FWhereEnd = i;
        break;
      }
  }

  std::vector<TFromItem> FromItems() const {
    std::vector<TFromItem> items;
    for (const TTokenRange& range : SplitTokens(T, FFrom + 1, FWhere - 1, FDepth, ',')) {
      if (range.First < 0) Unsupported("empty FROM item");
      for (int i = range.First; i <= range.Last; ++i)
        if (T.Depth(i) == FDepth && T.IsWord(i, "JOIN")) Unsupported("JOIN and (+) mixed");
      // The last name is the alias, or the table's own name when the item has no alias.
      if (!T.IsName(range.Last)) Unsupported("FROM item without a name");
      items.push_back({String(T.Span(range.First, range.Last)), T.NameAt(range.Last)});
    }
    return items;
  }

  bool IsMarkerAt(int i) const {
    if (!T.IsSym(i, '(')) return false;
    const int plus = T.NextSig(i);
    return T.IsSym(plus, '+') && T.IsSym(T.NextSig(plus), ')');
  }

  void SplitConditions(std::vector<String>& plain, std::vector<TJoinCondition>& joins) const {
    std::vector<TTokenRange> conjuncts;
    TTokenRange current{-1, -1};
    bool pendingBetween = false;
    for (int i = FWhere + 1; i < FWhereEnd; ++i) {
      if (!T.Significant(i)) continue;
      if (T.Depth(i) == FDepth) {
        if (T.IsWord(i, "OR")) Unsupported("(+) in a WHERE clause with OR");
        if (T.IsWord(i, "BETWEEN")) pendingBetween = true;
        if (T.IsWord(i, "AND")) {
          if (!pendingBetween) {
            conjuncts.push_back(current);
            current = {-1, -1};
            continue;
          }
          pendingBetween = false;
        }
      }
      if (current.First < 0) current.First = i;
      current.Last = i;
    }
    conjuncts.push_back(current);
    for (const TTokenRange& range : conjuncts) {
      if (range.First < 0) Unsupported("empty condition");
      TJoinCondition condition = Condition(range);
      if (condition.Optional.empty())
        plain.push_back(condition.Text);
      else
        joins.push_back(std::move(condition));
    }
  }

  TJoinCondition Condition(const TTokenRange& range) const {
    TJoinCondition condition;
    size_t copied = T.Begin(range.First);
    for (int i = range.First; i <= range.Last; ++i) {
      if (!T.Significant(i)) continue;
      if (T.Depth(i) == FDepth && IsMarkerAt(i)) {
        const int column = T.PrevSig(i);
        const int dot = T.PrevSig(column);
        const int alias = T.PrevSig(dot);
        if (!T.IsName(column) || !T.IsSym(dot, '.') || !T.IsName(alias))
          Unsupported("the column before it must be qualified by its table alias");
        const String name = T.NameAt(alias);
        if (!condition.Optional.empty() && condition.Optional != name)
          Unsupported("one condition makes two tables optional");
        condition.Optional = name;
        condition.Text += T.Text().substr(copied, T.End(column) - copied);
        const int close = T.NextSig(T.NextSig(i));
        copied = T.End(close);
        i = close;
        continue;
      }
      if (T.IsName(i) && T.IsSym(T.NextSig(i), '.') && !T.IsSym(T.PrevSig(i), '.'))
        condition.Refers.insert(T.NameAt(i));
    }
    condition.Text += T.Text().substr(copied, T.End(range.Last) - copied);
    condition.Text = Trim(condition.Text);
    condition.Refers.erase(condition.Optional);
    return condition;
  }

  String Compose(const std::vector<TFromItem>& items, const std::vector<String>& plain,
                 const std::vector<TJoinCondition>& joins) const {
    std::set<String> optional;
    for (const TJoinCondition& join : joins) optional.insert(join.Optional);
    std::set<String> placed;
    String from;
    for (const TFromItem& item : items) {
      if (optional.count(item.Alias)) continue;
      from += (from.empty() ? " " : ", ") + item.Text;
      placed.insert(item.Alias);
    }
    if (from.empty()) Unsupported("every table of the join is optional");
    std::vector<const TFromItem*> pending;
    for (const TFromItem& item : items)
      if (optional.count(item.Alias)) pending.push_back(&item);
    for (const String& alias : optional)
      if (std::none_of(items.begin(), items.end(),
                       [&](const TFromItem& item) { return item.Alias == alias; }))
        Unsupported("unknown table alias " + alias);
    // Each optional table joins once the tables its conditions name are in place.
    while (!pending.empty()) {
      auto ready = std::find_if(pending.begin(), pending.end(), [&](const TFromItem* item) {
        return std::all_of(joins.begin(), joins.end(), [&](const TJoinCondition& join) {
          return join.Optional != item->Alias ||
                 std::all_of(join.Refers.begin(), join.Refers.end(), [&](const String& ref) {
                   return placed.count(ref) != 0 || !IsFromAlias(items, ref);
                 });
        });
      });
      if (ready == pending.end())
        Unsupported("the optional tables depend on one another in a circle");
      String on;
      for (const TJoinCondition& join : joins)
        if (join.Optional == (*ready)->Alias) on += (on.empty() ? "" : " AND ") + join.Text;
      from += " LEFT JOIN " + (*ready)->Text + " ON " + on;
      placed.insert((*ready)->Alias);
      pending.erase(ready);
    }
    String where;
    for (const String& condition : plain)
      where += (where.empty() ? " WHERE " : " AND ") + condition;
    const std::string_view text = T.Text();
    return String(text.substr(0, T.End(FFrom))) + from + where + " " +
           String(text.substr(T.Begin(FWhereEnd)));
  }

  static bool IsFromAlias(const std::vector<TFromItem>& items, const String& alias) {
    return std::any_of(items.begin(), items.end(),
                       [&](const TFromItem& item) { return item.Alias == alias; });
  }

  const TSqlTokens& T;
  int FMarker;
  int FDepth;
  int FSelect = -1;
  int FFrom = -1;
  int FWhere = -1;
  int FWhereEnd = -1;
  int FBlockEnd = -1;
};

int FindOuterJoinMarker(const TSqlTokens& t) {
  for (int i = 0; i < t.Count(); ++i) {
    if (!t.IsSym(i, '(')) continue;
    const int plus = t.NextSig(i);
    if (t.IsSym(plus, '+') && t.IsSym(t.NextSig(plus), ')')) return i;
  }
  return -1;
}

String RewriteOuterJoins(const String& text) {
  String current = text;
  // Every round removes the markers of one query block.
  for (int round = 0; round < 256; ++round) {
    TSqlTokens tokens(current);
    const int marker = FindOuterJoinMarker(tokens);
    if (marker < 0) return current;
    current = TOuterJoinRewriter(tokens, marker).Run();
  }
  throw EDatabaseError("Unsupported outer join (+): too many query blocks");
}

// ---------------------------------------------------------------------------------------------
// Token rewrites: parameters, '' as NULL, routine calls, SYSDATE, MINUS.

bool IsTableContext(const TSqlTokens& t, int i) {
  return IsAnyWord(t, t.PrevSig(i),
                   {"INTO", "TABLE", "REFERENCES", "VIEW", "FROM", "JOIN", "UPDATE"});
}

void RewriteTokens(const String& text, TAdaptedSql& result) {
  TSqlTokens t(text);
  String& out = result.Text;
  out.reserve(text.size() + 32);
  std::vector<String> upperParams;
  for (int i = 0; i < t.Count(); ++i) {
    const TSqlToken& token = t[i];
    if (token.Kind == TSqlTokenKind::Param) {
      const String name = Upper(TokenName(t.Text(), token));
      auto found = std::find(upperParams.begin(), upperParams.end(), name);
      if (found == upperParams.end()) {
        upperParams.push_back(name);
        result.ParamNames.emplace_back(TokenName(t.Text(), token));
        found = upperParams.end() - 1;
      }
      out += "?" + std::to_string(found - upperParams.begin() + 1);
      continue;
    }
    if (token.Kind == TSqlTokenKind::Literal && token.Len == 2) {
      out += "NULL";
      continue;
    }
    if (t.IsName(i) && !t.IsSym(t.PrevSig(i), '.')) {
      std::vector<int> parts{i};
      int next = t.NextSig(i);
      while (t.IsSym(next, '.') && t.IsName(t.NextSig(next))) {
        parts.push_back(t.NextSig(next));
        next = t.NextSig(parts.back());
      }
      if (parts.size() > 1) {
        const String head = t.NameAt(i);
        if (std::find(result.NameHeads.begin(), result.NameHeads.end(), head) ==
            result.NameHeads.end())
          result.NameHeads.push_back(head);
      }
      if (parts.size() >= 2 && parts.size() <= 3 && t.IsSym(next, '(') && !IsTableContext(t, i)) {
        out += "ORA_CALL('";
        for (size_t p = 0; p < parts.size(); ++p) out += (p ? "." : "") + t.NameAt(parts[p]);
        out += t.IsSym(t.NextSig(next), ')') ? "'" : "', ";
        i = next;
        continue;
      }
      if (parts.size() == 1 && t.IsWord(i, "SYSDATE") && !t.IsSym(next, '(')) {
        out += "ORA_SYSDATE()";
        continue;
      }
      if (parts.size() == 1 && t.IsWord(i, "MINUS")) {
        out += "EXCEPT";
        continue;
      }
    }
    out += t.Str(i);
  }
}

// ---------------------------------------------------------------------------------------------
// Concatenation: a || b || c becomes ORA_CONCAT(a, b, c). || binds tighter than any other
// operator in SQLite, so its operands are primaries: names, literals, parameters, calls,
// parenthesised expressions and CASE ... END.

class TConcatRewriter {
 public:
  explicit TConcatRewriter(const TSqlTokens& t) : T(t) {}

  // The text with the first chain rewritten; false when there is no chain it can rewrite.
  bool RewriteFirst(String& out) const {
    for (int i = 0; i < T.Count(); ++i) {
      if (!T.IsSym(i, "||")) continue;
      const int first = OperandStart(T.PrevSig(i));
      if (first < 0) return false;
      std::vector<TTokenRange> operands{{first, T.PrevSig(i)}};
      int bar = i;
      while (T.IsSym(bar, "||")) {
        const int start = T.NextSig(bar);
        const int end = OperandEnd(start);
        if (end < 0) return false;
        operands.push_back({start, end});
        bar = T.NextSig(end);
      }
      out = String(T.Text().substr(0, T.Begin(first))) + "ORA_CONCAT(";
      for (size_t k = 0; k < operands.size(); ++k)
        out += (k ? ", " : "") + String(T.Span(operands[k].First, operands[k].Last));
      out += ")" + String(T.Text().substr(T.End(operands.back().Last)));
      return true;
    }
    return false;
  }

 private:
  // Walks back over one primary ending at `last`; -1 when there is none.
  int OperandStart(int last) const {
    if (last < 0) return -1;
    int start = last;
    if (T.IsSym(last, ')')) {
      start = T.Match(last);
      if (start < 0) return -1;
      const int name = T.PrevSig(start);
      if (!T.IsName(name) || IsAnyWord(T, name,
                                       {"AND", "OR", "NOT", "IN", "EXISTS", "WHERE", "SELECT", "ON",
                                        "WHEN", "THEN", "ELSE"}))
        return start;
      start = name;
    } else if (T.IsWord(last, "END")) {
      start = MatchingCase(last);
      if (start < 0) return -1;
      return start;
    } else if (T[last].Kind == TSqlTokenKind::Number && T.IsSym(T.PrevSig(last), '?')) {
      return T.PrevSig(last);
    } else if (!T.IsName(last) && T[last].Kind != TSqlTokenKind::Literal &&
               T[last].Kind != TSqlTokenKind::Number && T[last].Kind != TSqlTokenKind::Param) {
      return -1;
    }
    while (T.IsSym(T.PrevSig(start), '.') && T.IsName(T.PrevSig(T.PrevSig(start))))
      start = T.PrevSig(T.PrevSig(start));
    return start;
  }

  int MatchingCase(int end) const {
    int nesting = 0;
    for (int i = end; i >= 0; --i) {
      if (T.Depth(i) != T.Depth(end)) continue;
      if (T.IsWord(i, "END")) ++nesting;
      if (T.IsWord(i, "CASE") && --nesting == 0) return i;
    }
    return -1;
  }

  // Walks forward over one primary starting at `first`; -1 when there is none.
  int OperandEnd(int first) const {
    if (first >= T.Count()) return -1;
    if (T.IsSym(first, '-') || T.IsSym(first, '+')) return OperandEnd(T.NextSig(first));
    if (T.IsSym(first, '(')) return T.Match(first);
    if (T.IsSym(first, '?'))
      return T.IsKind(T.NextSig(first), TSqlTokenKind::Number) ? T.NextSig(first) : -1;
    if (T.IsWord(first, "CASE")) {
      int nesting = 0;
      for (int i = first; i < T.Count(); ++i) {
        if (T.Depth(i) != T.Depth(first)) continue;
        if (T.IsWord(i, "CASE")) ++nesting;
        if (T.IsWord(i, "END") && --nesting == 0) return i;
      }
      return -1;
    }
    if (T.IsName(first)) {
      int end = first;
      while (T.IsSym(T.NextSig(end), '.') && T.IsName(T.NextSig(T.NextSig(end))))
        end = T.NextSig(T.NextSig(end));
      if (T.IsSym(T.NextSig(end), '(')) return T.Match(T.NextSig(end));
      return end;
    }
    const TSqlTokenKind kind = T[first].Kind;
    return kind == TSqlTokenKind::Literal || kind == TSqlTokenKind::Number ||
                   kind == TSqlTokenKind::Param
               ? first
               : -1;
  }

  const TSqlTokens& T;
};

String RewriteConcatenation(String text) {
  for (;;) {
    TSqlTokens tokens(text);
    String next;
    if (!TConcatRewriter(tokens).RewriteFirst(next)) return text;
    text = std::move(next);
  }
}

// ---------------------------------------------------------------------------------------------
// Select-list types.

// The name a select-list item gives its column: its alias (with or without AS), else the last
// part of a column reference, else the expression's text. exprLast receives the expression's end.
String ItemName(const TSqlTokens& t, int first, int last, int& exprLast) {
  exprLast = last;
  const int before = t.PrevSig(last);
  if (t.IsName(last) && !t.IsWord(last, "END") && before >= first) {
    if (t.IsWord(before, "AS")) {
      exprLast = t.PrevSig(before);
      return t.NameAt(last);
    }
    const TSqlTokenKind kind = t[before].Kind;
    if (t.IsSym(before, ')') || t.IsName(before) || kind == TSqlTokenKind::Literal ||
        kind == TSqlTokenKind::Number || kind == TSqlTokenKind::Param) {
      exprLast = before;
      return t.NameAt(last);
    }
  }
  if (t.IsName(last)) return t.NameAt(last);
  return Upper(t.Span(first, last));
}

int CharCount(std::string_view text) {
  int count = 0;
  for (char ch : text) count += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  return count;
}

String ExpressionType(const TSqlTokens& t, int first, int last) {
  if (first == last) {
    const TSqlTokenKind kind = t[first].Kind;
    if (kind == TSqlTokenKind::Literal) {
      const String body = String(t.Str(first).substr(1, t[first].Len - 2));
      int length = CharCount(body);
      for (size_t pos = body.find("''"); pos != String::npos; pos = body.find("''", pos + 2))
        --length;
      return length > 0 ? "CHAR(" + std::to_string(length) + ")" : String();
    }
    if (kind == TSqlTokenKind::Number) return "NUMBER";
    if (t.IsWord(first, "SYSDATE")) return "DATE";
    return String();
  }
  if (t.IsSym(first, '-') && t.NextSig(first) == last && t[last].Kind == TSqlTokenKind::Number)
    return "NUMBER";
  for (int i = first; i <= last; ++i)
    if (t.Depth(i) == t.Depth(first) && t.IsSym(i, "||")) return "VARCHAR2";
  const int open = t.NextSig(first);
  if (!t.IsName(first) || !t.IsSym(open, '(') || t.Match(open) != last) return String();
  if (t.IsWord(first, "CAST")) {
    int as = -1;
    for (int i = open + 1; i < last; ++i)
      if (t.Depth(i) == t.Depth(open) + 1 && t.IsWord(i, "AS")) as = i;
    if (as < 0) return String();
    String type;
    for (int i = t.NextSig(as), previous = -1; i < last; previous = i, i = t.NextSig(i))
      type +=
          String(previous >= 0 && t.IsName(previous) && t.IsName(i) ? " " : "") + String(t.Str(i));
    return Upper(type);
  }
  if (IsAnyWord(t, first, {"TO_DATE", "ADD_MONTHS", "LAST_DAY", "ORA_SYSDATE"})) return "DATE";
  if (IsAnyWord(t, first, {"TO_NUMBER", "COUNT"})) return "NUMBER";
  if (IsAnyWord(t, first,
                {"TO_CHAR", "ORA_CONCAT", "CONCAT", "LPAD", "RPAD", "SUBSTR", "UPPER", "LOWER"}))
    return "VARCHAR2";
  if (IsAnyWord(t, first, {"TRUNC", "ROUND"})) {
    const std::vector<TTokenRange> args =
        SplitTokens(t, open + 1, last - 1, t.Depth(open) + 1, ',');
    if (args.size() == 2 && args[1].First == args[1].Last &&
        t[args[1].First].Kind == TSqlTokenKind::Literal)
      return "DATE";
  }
  return String();
}

std::vector<String> ViewColumnNames(const TSqlTokens& t) {
  std::vector<String> names;
  int i = t.NextSig(-1);
  if (!t.IsWord(i, "CREATE")) return names;
  while (i < t.Count() && !t.IsWord(i, "VIEW")) i = t.NextSig(i);
  i = t.NextSig(i);
  while (t.IsName(i) && (t.IsSym(t.NextSig(i), '.') || t.IsWord(i, "IF") || t.IsWord(i, "NOT") ||
                         t.IsWord(i, "EXISTS")))
    i = t.NextSig(t.IsSym(t.NextSig(i), '.') ? t.NextSig(i) : i);
  const int open = t.NextSig(i);
  if (!t.IsSym(open, '(') || t.Match(open) < 0) return names;
  for (const TTokenRange& range :
       SplitTokens(t, open + 1, t.Match(open) - 1, t.Depth(open) + 1, ','))
    if (range.First >= 0) names.push_back(t.NameAt(range.First));
  return names;
}

}  // namespace

TAdaptedSql AdaptOracleSql(const String& oracleText) {
  TAdaptedSql result;
  RewriteTokens(RewriteOuterJoins(oracleText), result);
  result.Text = RewriteConcatenation(std::move(result.Text));
  return result;
}

bool IsPLSQLText(const String& text) {
  TSqlTokens t(text);
  const int first = t.NextSig(-1);
  return t.IsWord(first, "BEGIN") || t.IsWord(first, "DECLARE");
}

String AddSqlCondition(const String& text, const String& condition) {
  TSqlTokens t(text);
  int where = -1, tail = t.Count(), order = t.Count();
  bool compound = false;
  for (int i = 0; i < t.Count(); ++i) {
    if (t.Depth(i) != 0 || !t.Significant(i)) continue;
    if (IsAnyWord(t, i, {"UNION", "MINUS", "INTERSECT", "EXCEPT"})) compound = true;
    if (t.IsWord(i, "WHERE") && where < 0 && tail == t.Count()) where = i;
    if (IsAnyWord(t, i, {"GROUP", "HAVING", "ORDER"}) && tail == t.Count()) tail = i;
    if (t.IsWord(i, "ORDER")) order = i;
  }
  const std::string_view all = t.Text();
  const String rest = String(all.substr(t.Begin(compound ? order : tail)));
  const String tailText = rest.empty() ? String() : " " + rest;
  if (compound)
    return "SELECT * FROM (" + TrimRight(String(all.substr(0, t.Begin(order)))) + ") WHERE (" +
           condition + ")" + tailText;
  if (where >= 0)
    return String(all.substr(0, t.End(where))) + " (" +
           Trim(String(all.substr(t.End(where), t.Begin(tail) - t.End(where)))) + ") AND (" +
           condition + ")" + tailText;
  return TrimRight(String(all.substr(0, t.Begin(tail)))) + " WHERE (" + condition + ")" + tailText;
}

TOraTypeInfo OracleTypeInfo(const String& declaredType) {
  TOraTypeInfo info;
  const String type = UpperCase(Trim(declaredType));
  size_t nameEnd = 0;
  while (nameEnd < type.size() &&
         (std::isalnum(static_cast<unsigned char>(type[nameEnd])) || type[nameEnd] == '_'))
    ++nameEnd;
  const String name = type.substr(0, nameEnd);
  std::vector<int> numbers;
  const size_t open = type.find('(', nameEnd);
  if (open != String::npos) {
    int value = -1;
    for (size_t i = open + 1; i < type.size() && type[i] != ')'; ++i) {
      if (std::isdigit(static_cast<unsigned char>(type[i]))) {
        value = (value < 0 ? 0 : value) * 10 + (type[i] - '0');
        if (value > 1000000) value = 1000000;
      } else if (type[i] == ',') {
        numbers.push_back(value < 0 ? 0 : value);
        value = -1;
      }
    }
    if (value >= 0) numbers.push_back(value);
  }
  auto number = [&](size_t i, int fallback) { return i < numbers.size() ? numbers[i] : fallback; };
  if (name == "NUMBER" || name == "NUMERIC" || name == "DECIMAL") {
    info.Precision = number(0, 0);
    info.Scale = number(1, 0);
    if (!numbers.empty() && info.Scale == 0 && info.Precision > 0 && info.Precision <= 18)
      info.Type = info.Precision <= 9 ? TOraDataType::Integer : TOraDataType::Largeint;
    else
      info.Type = TOraDataType::Float;
  } else if (name == "VARCHAR2" || name == "VARCHAR" || name == "NVARCHAR2" || name == "NVARCHAR") {
    info.Type = TOraDataType::String;
    info.Size = number(0, 4000);
  } else if (name == "CHAR" || name == "NCHAR" || name == "CHARACTER") {
    info.Type = TOraDataType::FixedChar;
    info.Size = number(0, 1);
  } else if (name == "TEXT") {
    info.Type = TOraDataType::String;
    info.Size = 4000;
  } else if (name == "DATE" || name == "TIMESTAMP" || name == "DATETIME") {
    info.Type = TOraDataType::Date;
  } else if (name == "CLOB" || name == "NCLOB" || name == "LONG") {
    info.Type = TOraDataType::Memo;
  } else if (name == "BLOB" || name == "RAW") {
    info.Type = TOraDataType::Blob;
  } else if (name == "INTEGER" || name == "INT" || name == "SMALLINT") {
    info.Type = TOraDataType::Integer;
  } else if (name == "FLOAT" || name == "REAL" || name == "DOUBLE" || name == "BINARY_DOUBLE" ||
             name == "BINARY_FLOAT") {
    info.Type = TOraDataType::Float;
  }
  if (info.Size <= 0 && (info.Type == TOraDataType::String || info.Type == TOraDataType::FixedChar))
    info.Size = 1;
  return info;
}

std::vector<TSelectItemType> SelectItemTypes(const String& text) {
  TSqlTokens t(text);
  std::vector<TSelectItemType> items;
  const std::vector<String> viewColumns = ViewColumnNames(t);
  bool firstList = true;
  for (int select = 0; select < t.Count(); ++select) {
    if (!t.IsWord(select, "SELECT")) continue;
    const int depth = t.Depth(select);
    int first = t.NextSig(select);
    if (IsAnyWord(t, first, {"DISTINCT", "ALL", "UNIQUE"})) first = t.NextSig(first);
    int end = first;
    while (end < t.Count() && !(t.Depth(end) == depth && t.IsWord(end, "FROM")) &&
           !(t.IsSym(end, ')') && t.Depth(end) < depth))
      ++end;
    size_t column = 0;
    for (const TTokenRange& range : SplitTokens(t, first, end - 1, depth, ',')) {
      if (range.First < 0 || t.IsSym(range.Last, '*')) {
        ++column;
        continue;
      }
      int exprLast = range.Last;
      String name = ItemName(t, range.First, range.Last, exprLast);
      if (firstList && column < viewColumns.size()) name = viewColumns[column];
      items.push_back({name, ExpressionType(t, range.First, exprLast)});
      ++column;
    }
    firstList = false;
  }
  return items;
}
