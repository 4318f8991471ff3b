#include "platform/ora/OraBlock.h"

#include "platform/ora/SqlTokens.h"
#include "platform/rtl/SysUtils.h"

namespace {

[[noreturn]] void Unsupported(std::string_view statement) {
  throw EDatabaseError("Unsupported PL/SQL statement: " + Trim(String(statement)));
}

// A dotted name from `first`, with an optional argument list, covering [first, last] exactly.
bool ReadRoutineReference(const TSqlTokens& t, int first, int last, TPlsqlStatement& statement) {
  if (!t.IsName(first)) return false;
  String name = t.NameAt(first);
  int i = first;
  int parts = 1;
  while (t.IsSym(t.NextSig(i), '.') && t.IsName(t.NextSig(t.NextSig(i)))) {
    i = t.NextSig(t.NextSig(i));
    name += "." + t.NameAt(i);
    ++parts;
  }
  if (parts > 3) return false;
  statement.Routine = name;
  if (i == last) return true;
  const int open = t.NextSig(i);
  if (!t.IsSym(open, '(') || t.Match(open) != last) return false;
  statement.HasArgs = true;
  for (const TTokenRange& range : SplitTokens(t, open + 1, last - 1, t.Depth(open) + 1, ',')) {
    if (range.First < 0) {
      if (statement.Args.empty() && t.NextSig(open) == last) break;
      Unsupported(t.Span(first, last));
    }
    TPlsqlArg arg;
    int valueFirst = range.First;
    if (t.IsName(range.First) && t.IsSym(t.NextSig(range.First), "=>")) {
      arg.Name = t.NameAt(range.First);
      valueFirst = t.NextSig(t.NextSig(range.First));
      if (valueFirst > range.Last) Unsupported(t.Span(first, last));
    }
    arg.Expression = String(t.Span(valueFirst, range.Last));
    if (valueFirst == range.Last && t[valueFirst].Kind == TSqlTokenKind::Param)
      arg.Param = String(TokenName(t.Text(), t[valueFirst]));
    statement.Args.push_back(std::move(arg));
  }
  return true;
}

TPlsqlStatement ReadStatement(const TSqlTokens& t, int first, int last) {
  TPlsqlStatement statement;
  if (first == last && t.IsWord(first, "NULL")) return statement;
  if (t[first].Kind == TSqlTokenKind::Param && t.IsSym(t.NextSig(first), ":=")) {
    const int value = t.NextSig(t.NextSig(first));
    if (value > last) Unsupported(t.Span(first, last));
    statement.Kind = TPlsqlStatement::TKind::Assign;
    statement.Target = String(TokenName(t.Text(), t[first]));
    statement.Expression = String(t.Span(value, last));
    TPlsqlStatement reference;
    if (ReadRoutineReference(t, value, last, reference)) {
      statement.Routine = reference.Routine;
      statement.HasArgs = reference.HasArgs;
      statement.Args = std::move(reference.Args);
    }
    return statement;
  }
  statement.Kind = TPlsqlStatement::TKind::Call;
  if (!ReadRoutineReference(t, first, last, statement)) Unsupported(t.Span(first, last));
  return statement;
}

}  // namespace

std::vector<TPlsqlStatement> ParsePlsqlBlock(const String& text) {
  TSqlTokens t(text);
  const int begin = t.NextSig(-1);
  if (!t.IsWord(begin, "BEGIN")) Unsupported(text);
  std::vector<TPlsqlStatement> statements;
  int first = -1;
  int end = -1;
  for (int i = t.NextSig(begin); i < t.Count(); i = t.NextSig(i)) {
    if (t.Depth(i) == 0 &&
        (t.IsWord(i, "BEGIN") || t.IsWord(i, "DECLARE") || t.IsWord(i, "EXCEPTION")))
      Unsupported(t.Span(i, t.Count() - 1));
    if (first < 0 && t.IsWord(i, "END")) {
      end = i;
      break;
    }
    if (t.Depth(i) == 0 && t.IsSym(i, ';')) {
      if (first < 0) Unsupported(";");
      statements.push_back(ReadStatement(t, first, t.PrevSig(i)));
      first = -1;
      continue;
    }
    if (first < 0) first = i;
  }
  if (end < 0) Unsupported(first >= 0 ? t.Span(first, t.Count() - 1) : std::string_view(text));
  // After END: an optional ";" and an optional "/" line of SQL*Plus.
  int rest = t.NextSig(end);
  if (t.IsSym(rest, ';')) rest = t.NextSig(rest);
  if (t.IsSym(rest, '/')) rest = t.NextSig(rest);
  if (rest < t.Count()) Unsupported(t.Span(rest, t.Count() - 1));
  return statements;
}
