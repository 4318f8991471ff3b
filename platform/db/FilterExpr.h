// The local filter expression of a dataset: parsed once, bound to the columns, then evaluated on
// each row image straight from the row buffer.
//
// Grammar (keywords and names in any case, blanks anywhere between tokens):
//   expr     := and { OR and }
//   and      := unary { AND unary }
//   unary    := NOT unary | '(' expr ')' | operand ( op operand | IS [NOT] NULL )
//   op       := = | <> | != | < | > | <= | >=
//   operand  := field | [field name] | "field name" | number | 'text' ('' for a quote) | NULL
//               | TRUE | FALSE
// A field name is a letter, '_' or non-ASCII character followed by letters, digits, '_', '$',
// '#', '.' or non-ASCII characters. Numbers compare by value; a number field against a text
// compares the text as a number (a date field reads the text as a date). Logic is three-valued:
// a comparison with a NULL side is unknown, NOT unknown is unknown, and only true rows pass, so
// a NULL never matches. Errors (syntax, unknown field, a text that is not a number for a number
// field) raise EDatabaseError. Nesting deeper than 200 levels is refused, so any input is safe.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/db/RowStore.h"

class TFilterExpr {
 public:
  struct TColumnInfo {
    int Column = -1;
    TStorageKind Kind = TStorageKind::Variant;
    bool IsDate = false;
  };
  // Gives the column of a field name, or raises.
  using TResolver = std::function<TColumnInfo(const String& name)>;

  static std::unique_ptr<TFilterExpr> Parse(const String& text);
  ~TFilterExpr();

  // Resolves every field name and converts the literals compared with them.
  void Bind(const TResolver& resolve);
  bool Matches(const TRowStore& store, const uint64_t* row, bool caseInsensitive,
               bool partialCompare) const;

 private:
  struct TNode;
  struct TOperand;
  struct TEvalContext;
  class TParser;
  TFilterExpr() = default;
  enum class TTruth : uint8_t { False, True, Unknown };
  TTruth Evaluate(int index, TEvalContext& context) const;
  TTruth Compare(const TNode& node, TEvalContext& context) const;

  std::vector<TNode> FNodes;
  int FRoot = 0;
};
