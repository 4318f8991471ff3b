#include "platform/db/FilterExpr.h"

#include <cmath>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"

namespace {

constexpr int kMaxDepth = 200;

enum class TCompareOp : uint8_t { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };

// A value as a comparison sees it.
struct TValue {
  enum class TKind : uint8_t { Null, Number, Text } Kind = TKind::Null;
  double Number = 0;
  std::string_view Text;
};

bool ReadNumber(std::string_view text, double& value) {
  const String s(text);
  return TryStrToFloat(s, value, '.') || TryStrToFloat(s, value);
}

bool OrderHolds(int order, TCompareOp op) {
  switch (op) {
    case TCompareOp::Equal:
      return order == 0;
    case TCompareOp::NotEqual:
      return order != 0;
    case TCompareOp::Less:
      return order < 0;
    case TCompareOp::Greater:
      return order > 0;
    case TCompareOp::LessEqual:
      return order <= 0;
    case TCompareOp::GreaterEqual:
      return order >= 0;
  }
  return false;
}

int CompareNumbers(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

bool IsIdentStart(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}

bool IsIdentChar(unsigned char c) {
  return IsIdentStart(c) || (c >= '0' && c <= '9') || c == '$' || c == '#' || c == '.';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

struct TFilterExpr::TOperand {
  enum class TKind : uint8_t { Field, Number, Text, Null } Kind = TKind::Null;
  String Name;  // field name
  TColumnInfo Column;
  double Number = 0;
  String Text;
  // A text literal ending in '*' also matches by prefix: the text before the '*', as it is and
  // upper-cased for case-insensitive comparisons.
  bool Wildcard = false;
  String Prefix;
  String UpperPrefix;
};

struct TFilterExpr::TNode {
  enum class TKind : uint8_t { And, Or, Not, Compare, IsNull, IsNotNull } Kind;
  std::vector<int> Children;  // And, Or, Not
  TCompareOp Op = TCompareOp::Equal;
  TOperand Left, Right;
};

class TFilterExpr::TParser {
 public:
  TParser(const String& text, std::vector<TNode>& nodes) : FText(text), FNodes(nodes) {}

  // Returns the root's index.
  int ParseAll() {
    const int root = ParseOr(0);
    SkipBlanks();
    if (FPos < FText.size()) Fail("unexpected text");
    return root;
  }

 private:
  [[noreturn]] void Fail(const String& reason) const {
    throw EDatabaseError("Invalid filter expression \"" + FText + "\": " + reason +
                         " at position " + std::to_string(FPos + 1));
  }

  void SkipBlanks() {
    while (FPos < FText.size() && static_cast<unsigned char>(FText[FPos]) <= ' ') ++FPos;
  }

  // Reads a keyword (letter case ignored) when it stands as a whole word here.
  bool Keyword(const char* word) {
    SkipBlanks();
    size_t i = 0;
    while (word[i] && FPos + i < FText.size() &&
           std::toupper(static_cast<unsigned char>(FText[FPos + i])) == word[i])
      ++i;
    if (word[i] != 0) return false;
    if (FPos + i < FText.size() && IsIdentChar(static_cast<unsigned char>(FText[FPos + i])))
      return false;
    FPos += i;
    return true;
  }

  int AddNode(TNode node) {
    FNodes.push_back(std::move(node));
    return static_cast<int>(FNodes.size()) - 1;
  }

  int ParseList(int depth, TNode::TKind kind, const char* keyword) {
    const bool isOr = kind == TNode::TKind::Or;
    int first = isOr ? ParseList(depth, TNode::TKind::And, "AND") : ParseUnary(depth);
    if (!Keyword(keyword)) return first;
    TNode list{kind, {first}, TCompareOp::Equal, {}, {}};
    do {
      list.Children.push_back(isOr ? ParseList(depth, TNode::TKind::And, "AND")
                                   : ParseUnary(depth));
    } while (Keyword(keyword));
    return AddNode(std::move(list));
  }

  int ParseOr(int depth) { return ParseList(depth, TNode::TKind::Or, "OR"); }

  int ParseUnary(int depth) {
    if (depth >= kMaxDepth) Fail("nested too deeply");
    if (Keyword("NOT")) {
      const int operand = ParseUnary(depth + 1);
      return AddNode(TNode{TNode::TKind::Not, {operand}, TCompareOp::Equal, {}, {}});
    }
    SkipBlanks();
    if (FPos < FText.size() && FText[FPos] == '(') {
      ++FPos;
      const int inner = ParseOr(depth + 1);
      SkipBlanks();
      if (FPos >= FText.size() || FText[FPos] != ')') Fail("')' expected");
      ++FPos;
      return inner;
    }
    return ParseComparison();
  }

  int ParseComparison() {
    TNode node{TNode::TKind::Compare, {}, TCompareOp::Equal, ParseOperand(), {}};
    if (Keyword("IS")) {
      node.Kind = Keyword("NOT") ? TNode::TKind::IsNotNull : TNode::TKind::IsNull;
      if (!Keyword("NULL")) Fail("NULL expected");
      return AddNode(std::move(node));
    }
    node.Op = ParseOperator();
    node.Right = ParseOperand();
    return AddNode(std::move(node));
  }

  TCompareOp ParseOperator() {
    SkipBlanks();
    const auto next = [&](size_t offset) {
      return FPos + offset < FText.size() ? FText[FPos + offset] : '\0';
    };
    const char c = next(0), d = next(1);
    struct TOpText {
      char First, Second;
      TCompareOp Op;
    };
    static const TOpText kOps[] = {
        {'<', '>', TCompareOp::NotEqual},  {'!', '=', TCompareOp::NotEqual},
        {'<', '=', TCompareOp::LessEqual}, {'>', '=', TCompareOp::GreaterEqual},
        {'=', '\0', TCompareOp::Equal},    {'<', '\0', TCompareOp::Less},
        {'>', '\0', TCompareOp::Greater}};
    for (const TOpText& op : kOps) {
      if (c != op.First) continue;
      if (op.Second == '\0') {
        ++FPos;
        return op.Op;
      }
      if (d == op.Second) {
        FPos += 2;
        return op.Op;
      }
    }
    Fail("comparison operator expected");
  }

  TOperand ParseOperand() {
    SkipBlanks();
    if (FPos >= FText.size()) Fail("operand expected");
    const char c = FText[FPos];
    TOperand operand;
    if (c == '\'') {
      operand.Kind = TOperand::TKind::Text;
      operand.Text = ReadQuoted('\'');
      if (!operand.Text.empty() && operand.Text.back() == '*') {
        operand.Wildcard = true;
        operand.Prefix = operand.Text.substr(0, operand.Text.size() - 1);
        operand.UpperPrefix = AnsiUpperCase(operand.Prefix);
      }
      return operand;
    }
    if (c == '[' || c == '"') {
      operand.Kind = TOperand::TKind::Field;
      operand.Name = ReadQuoted(c == '[' ? ']' : '"');
      return operand;
    }
    if (IsDigit(c) || c == '.' || c == '-' || c == '+') {
      operand.Kind = TOperand::TKind::Number;
      operand.Number = ReadNumberLiteral();
      return operand;
    }
    if (Keyword("NULL")) return operand;
    for (const auto& [word, number] : {std::pair{"TRUE", 1.0}, std::pair{"FALSE", 0.0}}) {
      if (!Keyword(word)) continue;
      operand.Kind = TOperand::TKind::Number;
      operand.Number = number;
      return operand;
    }
    if (!IsIdentStart(static_cast<unsigned char>(c))) Fail("operand expected");
    operand.Kind = TOperand::TKind::Field;
    const size_t start = FPos;
    while (FPos < FText.size() && IsIdentChar(static_cast<unsigned char>(FText[FPos]))) ++FPos;
    operand.Name = FText.substr(start, FPos - start);
    return operand;
  }

  // A quoted text; a doubled closing character stands for one (only for quotes).
  String ReadQuoted(char close) {
    ++FPos;
    String text;
    while (true) {
      if (FPos >= FText.size()) Fail("unterminated quoted text");
      const char c = FText[FPos++];
      if (c != close) {
        text += c;
        continue;
      }
      if (close != ']' && FPos < FText.size() && FText[FPos] == close) {
        text += c;
        ++FPos;
        continue;
      }
      return text;
    }
  }

  double ReadNumberLiteral() {
    const size_t start = FPos;
    if (FText[FPos] == '-' || FText[FPos] == '+') ++FPos;
    size_t digits = 0;
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos, ++digits;
    if (FPos < FText.size() && FText[FPos] == '.') {
      ++FPos;
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos, ++digits;
    }
    if (digits == 0) Fail("number expected");
    if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
      size_t p = FPos + 1;
      if (p < FText.size() && (FText[p] == '-' || FText[p] == '+')) ++p;
      if (p < FText.size() && IsDigit(FText[p])) {
        FPos = p;
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
      }
    }
    double value;
    if (!TryStrToFloat(FText.substr(start, FPos - start), value, '.')) Fail("invalid number");
    return value;
  }

  const String& FText;
  std::vector<TNode>& FNodes;
  size_t FPos = 0;
};

std::unique_ptr<TFilterExpr> TFilterExpr::Parse(const String& text) {
  std::unique_ptr<TFilterExpr> expr(new TFilterExpr());
  expr->FRoot = TParser(text, expr->FNodes).ParseAll();
  return expr;
}

TFilterExpr::~TFilterExpr() = default;

namespace {

// A text compared with a number field must read as a number (or as a date for a date field).
void ConvertLiteralFor(const TFilterExpr::TColumnInfo& column, const String& fieldName,
                       double& number, const String& text) {
  if (column.IsDate) {
    try {
      number = StrToDateTime(text);
    } catch (const EConvertError&) {
      throw EDatabaseError("'" + text + "' is not a valid date for field '" + fieldName + "'");
    }
    return;
  }
  if (!ReadNumber(text, number))
    throw EDatabaseError("'" + text + "' is not a valid number for field '" + fieldName + "'");
}

bool IsNumberColumn(const TFilterExpr::TColumnInfo& column) {
  return column.Kind == TStorageKind::Integer || column.Kind == TStorageKind::Float;
}

}  // namespace

void TFilterExpr::Bind(const TResolver& resolve) {
  for (TNode& node : FNodes) {
    if (node.Kind != TNode::TKind::Compare && node.Kind != TNode::TKind::IsNull &&
        node.Kind != TNode::TKind::IsNotNull)
      continue;
    for (TOperand* operand : {&node.Left, &node.Right})
      if (operand->Kind == TOperand::TKind::Field) operand->Column = resolve(operand->Name);
    if (node.Kind != TNode::TKind::Compare) continue;
    // A text literal against a number field becomes a number once, here.
    for (auto [field, literal] : {std::pair{&node.Left, &node.Right}, {&node.Right, &node.Left}}) {
      if (field->Kind != TOperand::TKind::Field || literal->Kind != TOperand::TKind::Text ||
          !IsNumberColumn(field->Column))
        continue;
      double number = 0;
      ConvertLiteralFor(field->Column, field->Name, number, literal->Text);
      literal->Kind = TOperand::TKind::Number;
      literal->Number = number;
    }
  }
}

struct TFilterExpr::TEvalContext {
  const TRowStore& Store;
  const uint64_t* Row;
  bool CaseInsensitive;
  bool PartialCompare;
  String Scratch[2];  // texts of variant cells while they are compared

  TValue Read(const TOperand& operand, int side) {
    TValue value;
    switch (operand.Kind) {
      case TOperand::TKind::Null:
        return value;
      case TOperand::TKind::Number:
        value.Kind = TValue::TKind::Number;
        value.Number = operand.Number;
        return value;
      case TOperand::TKind::Text:
        value.Kind = TValue::TKind::Text;
        value.Text = operand.Text;
        return value;
      case TOperand::TKind::Field:
        break;
    }
    const int column = operand.Column.Column;
    if (TRowStore::IsNull(Row, column)) return value;
    switch (operand.Column.Kind) {
      case TStorageKind::Integer:
        value.Kind = TValue::TKind::Number;
        value.Number = static_cast<double>(Store.GetInteger(Row, column));
        break;
      case TStorageKind::Float:
        value.Kind = TValue::TKind::Number;
        value.Number = Store.GetFloat(Row, column);
        break;
      case TStorageKind::Text:
        value.Kind = TValue::TKind::Text;
        value.Text = Store.GetText(Row, column);
        break;
      case TStorageKind::Variant: {
        const Variant& v = Store.GetVariant(Row, column);
        if (VarIsNumeric(v) || VarType(v) == varDate) {
          value.Kind = TValue::TKind::Number;
          value.Number = v.AsDouble();
        } else {
          Scratch[side] = VarToStr(v);
          value.Kind = TValue::TKind::Text;
          value.Text = Scratch[side];
        }
        break;
      }
    }
    return value;
  }
};

bool TFilterExpr::Matches(const TRowStore& store, const uint64_t* row, bool caseInsensitive,
                          bool partialCompare) const {
  TEvalContext context{store, row, caseInsensitive, partialCompare, {}};
  return Evaluate(FRoot, context) == TTruth::True;
}

// Three-valued, as SQL: a comparison with a NULL side is unknown, and so is NOT of it, so a row
// whose field is NULL never matches a condition on that field.
TFilterExpr::TTruth TFilterExpr::Evaluate(int index, TEvalContext& context) const {
  const TNode& node = FNodes[static_cast<size_t>(index)];
  switch (node.Kind) {
    case TNode::TKind::And:
    case TNode::TKind::Or: {
      const TTruth decisive = node.Kind == TNode::TKind::And ? TTruth::False : TTruth::True;
      TTruth result = node.Kind == TNode::TKind::And ? TTruth::True : TTruth::False;
      for (int child : node.Children) {
        const TTruth truth = Evaluate(child, context);
        if (truth == decisive) return decisive;
        if (truth == TTruth::Unknown) result = TTruth::Unknown;
      }
      return result;
    }
    case TNode::TKind::Not: {
      const TTruth truth = Evaluate(node.Children[0], context);
      if (truth == TTruth::Unknown) return truth;
      return truth == TTruth::True ? TTruth::False : TTruth::True;
    }
    case TNode::TKind::IsNull:
    case TNode::TKind::IsNotNull:
      return (context.Read(node.Left, 0).Kind == TValue::TKind::Null) ==
                     (node.Kind == TNode::TKind::IsNull)
                 ? TTruth::True
                 : TTruth::False;
    case TNode::TKind::Compare:
      return Compare(node, context);
  }
  return TTruth::Unknown;
}

TFilterExpr::TTruth TFilterExpr::Compare(const TNode& node, TEvalContext& context) const {
  const auto truth = [](bool value) { return value ? TTruth::True : TTruth::False; };
  TValue a = context.Read(node.Left, 0), b = context.Read(node.Right, 1);
  if (a.Kind == TValue::TKind::Null || b.Kind == TValue::TKind::Null) return TTruth::Unknown;
  if (a.Kind != b.Kind) {
    // A text against a number compares as a number when it reads as one.
    TValue& text = a.Kind == TValue::TKind::Text ? a : b;
    if (!ReadNumber(text.Text, text.Number)) return TTruth::Unknown;
    text.Kind = TValue::TKind::Number;
  }
  if (a.Kind == TValue::TKind::Number)
    return truth(OrderHolds(CompareNumbers(a.Number, b.Number), node.Op));
  const bool equality = node.Op == TCompareOp::Equal || node.Op == TCompareOp::NotEqual;
  const TOperand* literal = node.Right.Kind == TOperand::TKind::Text  ? &node.Right
                            : node.Left.Kind == TOperand::TKind::Text ? &node.Left
                                                                      : nullptr;
  if (literal && literal->Wildcard && context.PartialCompare && equality) {
    const std::string_view other = literal == &node.Right ? a.Text : b.Text;
    const bool starts = context.CaseInsensitive
                            ? AnsiUpperCase(String(other)).starts_with(literal->UpperPrefix)
                            : other.starts_with(literal->Prefix);
    return truth(starts == (node.Op == TCompareOp::Equal));
  }
  if (equality && !context.CaseInsensitive)
    return truth((a.Text == b.Text) == (node.Op == TCompareOp::Equal));
  const String sa(a.Text), sb(b.Text);
  const int order = context.CaseInsensitive ? AnsiCompareText(sa, sb) : AnsiCompareStr(sa, sb);
  return truth(OrderHolds(order, node.Op));
}
