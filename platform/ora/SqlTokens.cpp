#include "platform/ora/SqlTokens.h"

#include "platform/rtl/SysUtils.h"

TSqlTokens::TSqlTokens(std::string_view text) : FText(text), FItems(ScanSql(text)) {
  FDepth.resize(FItems.size());
  FMatch.assign(FItems.size(), -1);
  std::vector<int> open;
  for (int i = 0; i < Count(); ++i) {
    FDepth[static_cast<size_t>(i)] = static_cast<int>(open.size());
    if (IsSym(i, '(')) {
      open.push_back(i);
    } else if (IsSym(i, ')') && !open.empty()) {
      const int from = open.back();
      open.pop_back();
      FDepth[static_cast<size_t>(i)] = static_cast<int>(open.size());
      FMatch[static_cast<size_t>(i)] = from;
      FMatch[static_cast<size_t>(from)] = i;
    }
  }
}

bool TSqlTokens::Significant(int i) const {
  const TSqlTokenKind kind = FItems[static_cast<size_t>(i)].Kind;
  return kind != TSqlTokenKind::Blank && kind != TSqlTokenKind::Comment;
}

int TSqlTokens::NextSig(int i) const {
  for (++i; i < Count(); ++i)
    if (Significant(i)) return i;
  return Count();
}

int TSqlTokens::PrevSig(int i) const {
  for (--i; i >= 0; --i)
    if (Significant(i)) return i;
  return -1;
}

bool TSqlTokens::IsSym(int i, char symbol) const {
  return i >= 0 && i < Count() && FItems[static_cast<size_t>(i)].Kind == TSqlTokenKind::Symbol &&
         FItems[static_cast<size_t>(i)].Len == 1 &&
         FText[FItems[static_cast<size_t>(i)].Pos] == symbol;
}

bool TSqlTokens::IsSym(int i, std::string_view symbol) const {
  return i >= 0 && i < Count() && FItems[static_cast<size_t>(i)].Kind == TSqlTokenKind::Symbol &&
         Str(i) == symbol;
}

bool TSqlTokens::IsWord(int i, std::string_view keyword) const {
  return i >= 0 && i < Count() && IsKeyword(FText, FItems[static_cast<size_t>(i)], keyword);
}

bool TSqlTokens::IsName(int i) const {
  if (i < 0 || i >= Count()) return false;
  const TSqlTokenKind kind = FItems[static_cast<size_t>(i)].Kind;
  return kind == TSqlTokenKind::Word || kind == TSqlTokenKind::QuotedName;
}

String TSqlTokens::NameAt(int i) const {
  const std::string_view text = Str(i);
  if (FItems[static_cast<size_t>(i)].Kind == TSqlTokenKind::QuotedName)
    return String(text.substr(1, text.size() >= 2 ? text.size() - 2 : 0));
  return UpperCase(String(text));
}

size_t TSqlTokens::Begin(int i) const {
  return i < Count() ? FItems[static_cast<size_t>(i)].Pos : FText.size();
}

size_t TSqlTokens::End(int i) const {
  return i < Count() ? FItems[static_cast<size_t>(i)].Pos + FItems[static_cast<size_t>(i)].Len
                     : FText.size();
}

std::string_view TSqlTokens::Span(int first, int last) const {
  const size_t begin = Begin(first);
  return FText.substr(begin, End(last) - begin);
}

std::vector<TTokenRange> SplitTokens(const TSqlTokens& tokens, int first, int last, int depth,
                                     char separator) {
  std::vector<TTokenRange> ranges;
  TTokenRange current{-1, -1};
  for (int i = first; i <= last && i < tokens.Count(); ++i) {
    if (!tokens.Significant(i)) continue;
    if (tokens.Depth(i) == depth && tokens.IsSym(i, separator)) {
      ranges.push_back(current);
      current = {-1, -1};
      continue;
    }
    if (current.First < 0) current.First = i;
    current.Last = i;
  }
  ranges.push_back(current);
  return ranges;
}
