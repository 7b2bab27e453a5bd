#include "expression/constant_expression.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "base/ascii.h"
#include "expression/constant_functions.h"

namespace quorvex {

namespace {

using Result = std::optional<FoxConstant>;
using Kind = FoxConstant::Kind;

// Every byte at most one token, and the end one more: the parser reads all.
static_assert(kMaxConstantExpression < kMaxStatementTokens);

// Bytes up to 32 other than space and tab: the lexer skips them as blanks,
// but between tokens they make an expression no constant.
std::size_t ControlBytes(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) count += IsBlank(c) && c != ' ' && c != '\t' ? 1 : 0;
  return count;
}

// Control bytes stand outside the strings when the strings do not hold all
// of them (no other token holds any).
bool ControlBytesBetweenTokens(std::string_view expression, const std::vector<Token>& tokens) {
  std::size_t in_strings = 0;
  for (const Token& token : tokens) {
    if (token.kind == TokenKind::kString) in_strings += ControlBytes(token.text);
  }
  return ControlBytes(expression) != in_strings;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Digits with an optional fraction (12, 3.5, .5). The lexer also takes "5."
// and exponents (1E3), which are not read as constants.
Result NumberOf(std::string_view text) {
  const std::size_t point = text.find('.');
  const bool plain = point == std::string_view::npos
                         ? AllDigits(text)
                         : (point == 0 || AllDigits(text.substr(0, point))) && AllDigits(text.substr(point + 1));
  double number = 0;
  if (!plain || std::from_chars(text.data(), text.data() + text.size(), number).ec != std::errc()) return std::nullopt;
  return NumberValue(number);
}

// The arithmetic of two operands; nullopt unless both are numbers.
template <typename Operation>
Result OnNumbers(const FoxConstant& left, const FoxConstant& right, Operation operation) {
  if (left.kind != Kind::kNumber || right.kind != Kind::kNumber) return std::nullopt;
  return operation(left.number, right.number);
}

Result Add(const FoxConstant& left, const FoxConstant& right) {
  if (left.kind == Kind::kString && right.kind == Kind::kString) {
    if (left.text.size() + right.text.size() > kMaxConstantText) return std::nullopt;
    return TextValue(left.text + right.text);
  }
  return OnNumbers(left, right, [](double a, double b) { return NumberValue(a + b); });
}

// Between strings FoxPro's minus joins them with the left one's trailing
// spaces moved to the end: "ab  " - "cd" is "abcd  ".
Result Subtract(const FoxConstant& left, const FoxConstant& right) {
  if (left.kind == Kind::kString && right.kind == Kind::kString) {
    if (left.text.size() + right.text.size() > kMaxConstantText) return std::nullopt;
    const std::size_t kept = left.text.find_last_not_of(' ') + 1;  // npos + 1 is 0
    return TextValue(left.text.substr(0, kept) + right.text + left.text.substr(kept));
  }
  return OnNumbers(left, right, [](double a, double b) { return NumberValue(a - b); });
}

Result Logical(const FoxConstant& left, const FoxConstant& right, bool is_and) {
  if (left.kind != Kind::kLogical || right.kind != Kind::kLogical) return std::nullopt;
  return LogicalValue(is_and ? left.logical && right.logical : left.logical || right.logical);
}

// Whether FoxPro reads -2^2 as (-2)^2 or as -(2^2) is not settled, so an
// operand with a sign of its own left of ^ is left to run time, and so is
// the signed power in 2^-1^2; 2^-1 has one reading and is taken.
bool SignedBeforePower(const FoxExpr& left) {
  if (left.parenthesized) return false;
  if (left.kind == FoxExprKind::kUnary) return left.text != "NOT";
  return left.kind == FoxExprKind::kBinary && left.text == "^" && SignedBeforePower(*left.operands[1]);
}

// Comparisons and the other operators the reader knows have no constant here.
Result Binary(const FoxExpr& binary, const FoxConstant& left, const FoxConstant& right) {
  const std::string& op = binary.text;
  if (op == "OR" || op == "AND") return Logical(left, right, op == "AND");
  if (op == "+") return Add(left, right);
  if (op == "-") return Subtract(left, right);
  if (op == "*") return OnNumbers(left, right, [](double a, double b) { return NumberValue(a * b); });
  if (op == "/") return OnNumbers(left, right, [](double a, double b) { return NumberValue(a / b); });
  if (op == "%") return OnNumbers(left, right, FoxModulus);
  if (op != "^" || SignedBeforePower(*binary.operands[0])) return std::nullopt;
  return OnNumbers(left, right, [](double a, double b) { return NumberValue(std::pow(a, b)); });
}

Result Unary(const std::string& op, const FoxConstant& operand) {
  if (op == "NOT") return operand.kind == Kind::kLogical ? Result(LogicalValue(!operand.logical)) : std::nullopt;
  if (operand.kind != Kind::kNumber) return std::nullopt;
  return NumberValue(op == "-" ? -operand.number : operand.number);
}

Result Evaluate(const FoxExpr& expression);

// A run of signs or of NOT is a chain of unary nodes as long as the input
// allows, and a run of operators of one level a chain down the left
// operands: both are walked in a loop, so that only parentheses and calls,
// which the parser bounds, deepen the recursion.
Result UnaryChain(const FoxExpr& expression) {
  std::vector<const FoxExpr*> chain;
  const FoxExpr* inner = &expression;
  for (; inner->kind == FoxExprKind::kUnary; inner = inner->operands[0].get()) chain.push_back(inner);
  Result value = Evaluate(*inner);
  for (auto link = chain.rbegin(); value && link != chain.rend(); ++link) value = Unary((*link)->text, *value);
  return value;
}

Result BinaryChain(const FoxExpr& expression) {
  std::vector<const FoxExpr*> chain;
  const FoxExpr* leftmost = &expression;
  for (; leftmost->kind == FoxExprKind::kBinary; leftmost = leftmost->operands[0].get()) chain.push_back(leftmost);
  Result value = Evaluate(*leftmost);
  for (auto link = chain.rbegin(); value && link != chain.rend(); ++link) {
    const Result right = Evaluate(*(*link)->operands[1]);
    if (!right) return std::nullopt;
    value = Binary(**link, *value, *right);
  }
  return value;
}

// A name is a constant only as a call of one of the known functions: any
// other name (a variable, a field, THISFORM) has its value at run time.
Result Call(const FoxExpr& reference) {
  if (reference.from_with || reference.memory || reference.path.size() != 1 || !reference.path[0].called)
    return std::nullopt;
  std::vector<FoxConstant> arguments;
  for (const FoxExprPtr& argument : reference.path[0].arguments) {
    Result value = Evaluate(*argument);
    if (!value) return std::nullopt;
    arguments.push_back(std::move(*value));
  }
  return CallConstantFunction(reference.path[0].name, arguments);
}

Result Evaluate(const FoxExpr& expression) {
  switch (expression.kind) {
    case FoxExprKind::kString: return TextValue(expression.text);
    case FoxExprKind::kNumber: return NumberOf(expression.text);
    case FoxExprKind::kLogical: return LogicalValue(expression.text == "T");
    case FoxExprKind::kReference: return Call(expression);
    case FoxExprKind::kUnary: return UnaryChain(expression);
    case FoxExprKind::kBinary: return BinaryChain(expression);
    case FoxExprKind::kDate: break;
  }
  return std::nullopt;
}

// Enough for any finite double in fixed notation: 309 digits before the
// point at the largest, 325 places after it at the smallest, and a sign.
constexpr std::size_t kNumberLiteralBytes = 400;

std::string NumberLiteral(double number) {
  if (number == 0) return "0";  // -0 too, which FoxPro shows as 0
  char buffer[kNumberLiteralBytes];
  // The shortest digits that read back as the same double.
  char* end = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed).ptr;
  return std::string(buffer, end);
}

}  // namespace

std::optional<FoxConstant> EvaluateConstant(std::string_view expression) {
  if (expression.size() > kMaxConstantExpression) return std::nullopt;
  const std::vector<Token> tokens = TokenizeStatement(expression);
  if (ControlBytesBetweenTokens(expression, tokens)) return std::nullopt;
  FoxParser parser(tokens);
  const FoxExprPtr tree = parser.Expression();
  if (!tree || !parser.AtEnd()) return std::nullopt;
  return Evaluate(*tree);
}

std::string ConstantLiteral(const FoxConstant& value) {
  switch (value.kind) {
    case Kind::kNumber: return NumberLiteral(value.number);
    case Kind::kLogical: return value.logical ? ".T." : ".F.";
    case Kind::kString: break;
  }
  std::string literal = "\"";
  for (const char c : value.text) {
    literal += c;
    if (c == '"') literal += '"';
  }
  return literal + '"';
}

}  // namespace quorvex
