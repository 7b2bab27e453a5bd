#include "expression/fox_expression.h"

#include "base/ascii.h"
#include "expression/unreadable.h"

namespace quorvex {

namespace {

constexpr std::string_view kComparisons[] = {"=", "==", "<>", "!=", "#", "<", ">", "<=", ">=", "$"};

FoxExprPtr Literal(FoxExprKind kind, std::string text) {
  auto literal = std::make_unique<FoxExpr>();
  literal->kind = kind;
  literal->text = std::move(text);
  return literal;
}

FoxExprPtr MakeBinary(std::string op, FoxExprPtr left, FoxExprPtr right) {
  auto binary = std::make_unique<FoxExpr>();
  binary->kind = FoxExprKind::kBinary;
  binary->text = std::move(op);
  binary->operands.push_back(std::move(left));
  binary->operands.push_back(std::move(right));
  return binary;
}

FoxExprPtr MakeUnary(std::string op, FoxExprPtr operand) {
  auto unary = std::make_unique<FoxExpr>();
  unary->kind = FoxExprKind::kUnary;
  unary->text = std::move(op);
  unary->operands.push_back(std::move(operand));
  return unary;
}

}  // namespace

FoxParser::FoxParser(const std::vector<Token>& tokens, std::size_t at) : tokens_(tokens), at_(at) {
  if (tokens.size() > kMaxStatementTokens) throw EUnreadable("statement too long");
}

const Token& FoxParser::Peek(std::size_t ahead) const {
  const std::size_t at = at_ + ahead;
  return at < tokens_.size() ? tokens_[at] : tokens_.back();
}

bool FoxParser::PeekOperator(std::string_view op) const {
  return Peek().kind == TokenKind::kOperator && Peek().text == op;
}

bool FoxParser::PeekName(std::string_view upper_name) const {
  return Peek().kind == TokenKind::kName && SameText(Peek().text, upper_name);
}

void FoxParser::Expect(std::string_view op) {
  if (!PeekOperator(op)) throw EUnreadable("syntax not understood");
  Skip();
}

FoxExprPtr FoxParser::Expression() { return Or(); }

// AND, OR and NOT are words FoxPro reads with or without their dots.
FoxExprPtr FoxParser::Or() {
  FoxExprPtr left = And();
  while ((Peek().kind == TokenKind::kWord && Peek().text == "OR") || PeekName("OR")) {
    Skip();
    left = MakeBinary("OR", std::move(left), And());
  }
  return left;
}

FoxExprPtr FoxParser::And() {
  FoxExprPtr left = Not();
  while ((Peek().kind == TokenKind::kWord && Peek().text == "AND") || PeekName("AND")) {
    Skip();
    left = MakeBinary("AND", std::move(left), Not());
  }
  return left;
}

FoxExprPtr FoxParser::Not() {
  std::size_t count = 0;
  for (; (Peek().kind == TokenKind::kWord && Peek().text == "NOT") || PeekName("NOT") || PeekOperator("!"); Skip())
    ++count;
  FoxExprPtr operand = Comparison();
  for (; count > 0; --count) operand = MakeUnary("NOT", std::move(operand));
  return operand;
}

FoxExprPtr FoxParser::Comparison() {
  FoxExprPtr left = Sum();
  for (const std::string_view op : kComparisons) {
    if (!PeekOperator(op)) continue;
    Skip();
    const std::string name = op == "!=" || op == "#" ? std::string("<>") : std::string(op);
    FoxExprPtr comparison = MakeBinary(name, std::move(left), Sum());
    for (const std::string_view next : kComparisons) {
      if (PeekOperator(next)) throw EUnreadable("comparisons in a chain");
    }
    return comparison;
  }
  return left;
}

FoxExprPtr FoxParser::Sum() {
  FoxExprPtr left = Product();
  while (PeekOperator("+") || PeekOperator("-")) {
    std::string op = Peek().text;
    Skip();
    left = MakeBinary(std::move(op), std::move(left), Product());
  }
  return left;
}

FoxExprPtr FoxParser::Product() {
  FoxExprPtr left = Power();
  while (PeekOperator("*") || PeekOperator("/") || PeekOperator("%")) {
    std::string op = Peek().text;
    Skip();
    left = MakeBinary(std::move(op), std::move(left), Power());
  }
  return left;
}

FoxExprPtr FoxParser::Power() {
  FoxExprPtr left = Unary();
  while (PeekOperator("^") || PeekOperator("**")) {
    Skip();
    left = MakeBinary("^", std::move(left), Unary());
  }
  return left;
}

FoxExprPtr FoxParser::Unary() {
  std::vector<std::string> signs;
  for (; PeekOperator("-") || PeekOperator("+"); Skip()) signs.push_back(Peek().text);
  FoxExprPtr operand = Operand();
  for (auto sign = signs.rbegin(); sign != signs.rend(); ++sign)
    operand = MakeUnary(std::move(*sign), std::move(operand));
  return operand;
}

FoxExprPtr FoxParser::Operand() {
  const Token& token = Peek();
  switch (token.kind) {
    case TokenKind::kString: Skip(); return Literal(FoxExprKind::kString, tokens_[at_ - 1].text);
    case TokenKind::kNumber: Skip(); return Literal(FoxExprKind::kNumber, tokens_[at_ - 1].text);
    case TokenKind::kDate: Skip(); return Literal(FoxExprKind::kDate, tokens_[at_ - 1].text);
    case TokenKind::kWord:
      if (token.text == "T" || token.text == "Y") return Skip(), Literal(FoxExprKind::kLogical, "T");
      if (token.text == "F" || token.text == "N") return Skip(), Literal(FoxExprKind::kLogical, "F");
      if (token.text == "NULL") throw EUnreadable("null value");
      throw EUnreadable("syntax not understood");
    case TokenKind::kName: return Reference();
    case TokenKind::kOperator:
      if (token.text == "(") {
        Skip();
        FoxExprPtr inner = Nested();
        Expect(")");
        inner->parenthesized = true;
        return inner;
      }
      if (token.text == ".") return Reference();
      if (token.text == "&") throw EUnreadable("macro substitution");
      throw EUnreadable("syntax not understood");
    case TokenKind::kEnd: break;
  }
  throw EUnreadable("syntax not understood");
}

// An expression inside parentheses or a call's. The reader is not used again
// after it throws, so the depth need not be restored then.
FoxExprPtr FoxParser::Nested() {
  if (depth_ == kMaxExpressionNesting) throw EUnreadable("expression nested too deeply");
  ++depth_;
  FoxExprPtr inner = Expression();
  --depth_;
  return inner;
}

FoxExprPtr FoxParser::Reference() {
  auto reference = std::make_unique<FoxExpr>();
  reference->kind = FoxExprKind::kReference;
  if (PeekOperator(".")) {
    reference->from_with = true;
    Skip();
  } else if (PeekName("M") && Peek(1).kind == TokenKind::kOperator && Peek(1).text == "." &&
             Peek(2).kind == TokenKind::kName) {
    reference->memory = true;
    Skip();
    Skip();
  }
  Segments(*reference);
  return reference;
}

void FoxParser::Segments(FoxExpr& reference) {
  while (true) {
    if (Peek().kind != TokenKind::kName) throw EUnreadable("syntax not understood");
    FoxSegment segment;
    segment.name = Peek().text;
    Skip();
    if (PeekOperator("(")) Arguments(segment);
    if (PeekOperator("[")) throw EUnreadable("array");
    if (PeekOperator("::") || PeekOperator("->")) throw EUnreadable("syntax not understood");
    reference.path.push_back(std::move(segment));
    if (!PeekOperator(".") || Peek(1).kind != TokenKind::kName) return;
    Skip();
  }
}

void FoxParser::Arguments(FoxSegment& segment) {
  segment.called = true;
  Skip();
  if (PeekOperator(")")) return Skip();
  while (true) {
    if (PeekOperator(",") || PeekOperator(")")) throw EUnreadable("argument left out");
    if (PeekOperator("@")) throw EUnreadable("argument by reference");
    segment.arguments.push_back(Nested());
    if (PeekOperator(")")) return Skip();
    Expect(",");
  }
}

FoxExprPtr ParseExpression(std::string_view text) {
  const std::vector<Token> tokens = TokenizeStatement(text);
  FoxParser parser(tokens);
  FoxExprPtr expression = parser.Expression();
  if (!parser.AtEnd()) throw EUnreadable("syntax not understood");
  return expression;
}

}  // namespace quorvex
