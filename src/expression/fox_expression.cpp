#include "expression/fox_expression.h"

#include <algorithm>

#include "base/ascii.h"

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
  binary->height = 1 + std::max(left->height, right->height);
  binary->operands.push_back(std::move(left));
  binary->operands.push_back(std::move(right));
  return binary;
}

FoxExprPtr MakeUnary(std::string op, FoxExprPtr operand) {
  auto unary = std::make_unique<FoxExpr>();
  unary->kind = FoxExprKind::kUnary;
  unary->text = std::move(op);
  unary->height = 1 + operand->height;
  unary->operands.push_back(std::move(operand));
  return unary;
}

}  // namespace

FoxParser::FoxParser(const std::vector<Token>& tokens, std::size_t at) : tokens_(tokens), at_(at) {
  if (tokens.size() > kMaxStatementTokens) failure_ = "statement too long";
}

std::nullptr_t FoxParser::Fail(std::string_view reason) {
  if (failure_.empty()) failure_ = reason;
  return nullptr;
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

bool FoxParser::Expect(std::string_view op) {
  if (!failure_.empty()) return false;
  if (!PeekOperator(op)) return Fail("syntax not understood"), false;
  Skip();
  return true;
}

FoxExprPtr FoxParser::Expression() { return failure_.empty() ? Or() : nullptr; }

// AND, OR and NOT are words FoxPro reads with or without their dots.
bool FoxParser::PeekWord(std::string_view word) const {
  return (Peek().kind == TokenKind::kWord && Peek().text == word) || PeekName(word);
}

FoxExprPtr FoxParser::Or() { return WordChain("OR", &FoxParser::And); }
FoxExprPtr FoxParser::And() { return WordChain("AND", &FoxParser::Not); }

FoxExprPtr FoxParser::WordChain(std::string_view word, FoxExprPtr (FoxParser::*operand)()) {
  FoxExprPtr left = (this->*operand)();
  while (left && PeekWord(word)) {
    Skip();
    FoxExprPtr right = (this->*operand)();
    if (!right) return nullptr;
    left = Bounded(MakeBinary(std::string(word), std::move(left), std::move(right)));
  }
  return left;
}

FoxExprPtr FoxParser::Not() {
  std::size_t count = 0;
  for (; PeekWord("NOT") || PeekOperator("!"); Skip())
    ++count;
  FoxExprPtr operand = Comparison();
  if (!operand) return nullptr;
  for (; count > 0; --count) operand = MakeUnary("NOT", std::move(operand));
  return Bounded(std::move(operand));
}

FoxExprPtr FoxParser::Comparison() {
  FoxExprPtr left = Sum();
  if (!left) return nullptr;
  for (const std::string_view op : kComparisons) {
    if (!PeekOperator(op)) continue;
    Skip();
    FoxExprPtr right = Sum();
    if (!right) return nullptr;
    for (const std::string_view next : kComparisons) {
      if (PeekOperator(next)) return Fail("comparisons in a chain");
    }
    return Bounded(MakeBinary(std::string(op == "!=" || op == "#" ? "<>" : op), std::move(left), std::move(right)));
  }
  return left;
}

FoxExprPtr FoxParser::Sum() {
  FoxExprPtr left = Product();
  while (left && (PeekOperator("+") || PeekOperator("-"))) {
    std::string op(Peek().text);
    Skip();
    FoxExprPtr right = Product();
    if (!right) return nullptr;
    left = Bounded(MakeBinary(std::move(op), std::move(left), std::move(right)));
  }
  return left;
}

FoxExprPtr FoxParser::Product() {
  FoxExprPtr left = Power();
  while (left && (PeekOperator("*") || PeekOperator("/") || PeekOperator("%"))) {
    std::string op(Peek().text);
    Skip();
    FoxExprPtr right = Power();
    if (!right) return nullptr;
    left = Bounded(MakeBinary(std::move(op), std::move(left), std::move(right)));
  }
  return left;
}

FoxExprPtr FoxParser::Power() {
  FoxExprPtr left = Unary();
  while (left && (PeekOperator("^") || PeekOperator("**"))) {
    Skip();
    FoxExprPtr right = Unary();
    if (!right) return nullptr;
    left = Bounded(MakeBinary("^", std::move(left), std::move(right)));
  }
  return left;
}

FoxExprPtr FoxParser::Unary() {
  const std::size_t first = at_;
  while (PeekOperator("-") || PeekOperator("+")) Skip();
  const std::size_t after = at_;
  FoxExprPtr operand = Operand();
  if (!operand) return nullptr;
  for (std::size_t sign = after; sign > first; --sign)
    operand = MakeUnary(std::string(tokens_[sign - 1].text), std::move(operand));
  return Bounded(std::move(operand));
}

FoxExprPtr FoxParser::Operand() {
  const Token& token = Peek();
  switch (token.kind) {
    case TokenKind::kString: Skip(); return Literal(FoxExprKind::kString, std::string(token.text));
    case TokenKind::kNumber: Skip(); return Literal(FoxExprKind::kNumber, std::string(token.text));
    case TokenKind::kDate: Skip(); return Literal(FoxExprKind::kDate, std::string(token.text));
    case TokenKind::kWord:
      if (token.text == "T" || token.text == "Y") return Skip(), Literal(FoxExprKind::kLogical, "T");
      if (token.text == "F" || token.text == "N") return Skip(), Literal(FoxExprKind::kLogical, "F");
      if (token.text == "NULL") return Fail("null value");
      return Fail("syntax not understood");
    case TokenKind::kName: return Reference();
    case TokenKind::kOperator:
      if (token.text == "(") {
        Skip();
        FoxExprPtr inner = Nested();
        if (!inner || !Expect(")")) return nullptr;
        inner->parenthesized = true;
        return inner;
      }
      if (token.text == ".") return Reference();
      if (token.text == "&") return Fail("macro substitution");
      return Fail("syntax not understood");
    case TokenKind::kEnd: break;
  }
  return Fail("syntax not understood");
}

// An expression inside parentheses or a call's. The reader reads no more
// after it fails, so the depth need not be restored then.
FoxExprPtr FoxParser::Nested() {
  if (depth_ == kMaxExpressionNesting) return Fail("expression nested too deeply");
  ++depth_;
  FoxExprPtr inner = Or();
  --depth_;
  return inner;
}

FoxExprPtr FoxParser::Reference() {
  if (!failure_.empty()) return nullptr;
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
  if (!Segments(*reference)) return nullptr;
  for (const FoxSegment& segment : reference->path) {
    for (const FoxExprPtr& argument : segment.arguments)
      reference->height = std::max(reference->height, 1 + argument->height);
  }
  return Bounded(std::move(reference));
}

FoxExprPtr FoxParser::Bounded(FoxExprPtr tree) {
  if (tree && tree->height > kMaxExpressionHeight) return Fail("expression nested too deeply");
  return tree;
}

bool FoxParser::Segments(FoxExpr& reference) {
  while (true) {
    if (Peek().kind != TokenKind::kName) return Fail("syntax not understood"), false;
    FoxSegment segment;
    segment.name = Peek().text;
    Skip();
    if (PeekOperator("(") && !Arguments(segment)) return false;
    if (PeekOperator("[")) return Fail("array"), false;
    if (PeekOperator("::") || PeekOperator("->")) return Fail("syntax not understood"), false;
    reference.path.push_back(std::move(segment));
    if (!PeekOperator(".") || Peek(1).kind != TokenKind::kName) return true;
    Skip();
  }
}

bool FoxParser::Arguments(FoxSegment& segment) {
  segment.called = true;
  Skip();
  if (PeekOperator(")")) return Skip(), true;
  while (true) {
    if (PeekOperator(",") || PeekOperator(")")) return Fail("argument left out"), false;
    if (PeekOperator("@")) return Fail("argument by reference"), false;
    FoxExprPtr argument = Nested();
    if (!argument) return false;
    segment.arguments.push_back(std::move(argument));
    if (PeekOperator(")")) return Skip(), true;
    if (!Expect(",")) return false;
  }
}

ParsedExpression ParseExpression(std::string_view text) {
  const std::vector<Token> tokens = TokenizeStatement(text);
  FoxParser parser(tokens);
  FoxExprPtr expression = parser.Expression();
  if (expression && !parser.AtEnd()) return {nullptr, "syntax not understood"};
  return {std::move(expression), parser.Failure()};
}

}  // namespace quorvex
