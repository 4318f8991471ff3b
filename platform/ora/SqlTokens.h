// A scanned SQL text with the navigation the rewriters need: significant neighbours (blanks and
// comments skipped), parenthesis depth and matching parentheses.
#pragma once

#include <string_view>
#include <vector>

#include "platform/ora/SqlText.h"

class TSqlTokens {
 public:
  explicit TSqlTokens(std::string_view text);

  std::string_view Text() const { return FText; }
  int Count() const { return static_cast<int>(FItems.size()); }
  const TSqlToken& operator[](int i) const { return FItems[static_cast<size_t>(i)]; }
  std::string_view Str(int i) const { return TokenText(FText, FItems[static_cast<size_t>(i)]); }
  // Depth of parentheses around the token; a parenthesis itself has the depth outside it.
  int Depth(int i) const { return FDepth[static_cast<size_t>(i)]; }
  // The matching parenthesis of "(" or ")", or -1 when it has none.
  int Match(int i) const { return FMatch[static_cast<size_t>(i)]; }

  bool Significant(int i) const;
  // The next (previous) significant token after (before) i; Count() (-1) when there is none.
  int NextSig(int i) const;
  int PrevSig(int i) const;
  bool IsSym(int i, char symbol) const;
  bool IsSym(int i, std::string_view symbol) const;
  bool IsWord(int i, std::string_view keyword) const;
  bool IsName(int i) const;  // a Word or a QuotedName
  // Whether token i exists and is of that kind; like the tests above, safe for any index.
  bool IsKind(int i, TSqlTokenKind kind) const {
    return i >= 0 && i < Count() && FItems[static_cast<size_t>(i)].Kind == kind;
  }
  // A name as Oracle resolves it: a Word in upper case, a QuotedName as written inside its quotes.
  String NameAt(int i) const;
  // Offsets in the text: where token i begins, and where it ends.
  size_t Begin(int i) const;
  size_t End(int i) const;
  // The text from token first to token last, both included.
  std::string_view Span(int first, int last) const;

 private:
  std::string_view FText;
  std::vector<TSqlToken> FItems;
  std::vector<int> FDepth;
  std::vector<int> FMatch;
};

// Splits the significant tokens of [first, last] at the given separator token at depth `depth`:
// the ranges between separators, each as (first significant, last significant); empty ranges
// are kept as (-1, -1).
struct TTokenRange {
  int First;
  int Last;
};
std::vector<TTokenRange> SplitTokens(const TSqlTokens& tokens, int first, int last, int depth,
                                     char separator);
