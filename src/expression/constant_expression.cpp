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

// No function of the set takes more; reading stops at the first argument
// past it, so a call never holds more values than this.
constexpr std::size_t kMostArguments = 3;

enum class Token {
  kEnd, kInvalid, kNumber, kString, kLogical, kName, kOpen, kClose, kComma,
  kPlus, kMinus, kTimes, kDivide, kModulo, kPower, kAnd, kOr, kNot,
};

struct Lexeme {
  Lexeme(Token token_read = Token::kEnd, std::string_view text_read = {}, double number_read = 0,
         bool logical_read = false)
      : token(token_read), text(text_read), number(number_read), logical(logical_read) {}

  Token token;
  std::string_view text;  // kString: between the delimiters; kName: the name
  double number;
  bool logical;
};

// The operators and logical values written between dots.
struct DottedWord {
  std::string_view word;
  Token token;
  bool logical;
};
constexpr DottedWord kDottedWords[] = {
    {".T.", Token::kLogical, true}, {".F.", Token::kLogical, false}, {".Y.", Token::kLogical, true},
    {".N.", Token::kLogical, false}, {".AND.", Token::kAnd, false}, {".OR.", Token::kOr, false},
    {".NOT.", Token::kNot, false},
};

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsNameByte(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) { Advance(); }

  const Lexeme& Current() const { return current_; }
  void Advance();

 private:
  bool NextIsDigit() const { return at_ + 1 < text_.size() && IsDigit(text_[at_ + 1]); }
  Lexeme ReadString(char close);
  Lexeme ReadNumber();
  Lexeme ReadDotted();
  Lexeme ReadName();
  Lexeme ReadSymbol();

  std::string_view text_;
  std::size_t at_ = 0;
  Lexeme current_;
};

void Lexer::Advance() {
  while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  if (at_ == text_.size()) {
    current_ = Lexeme{};
    return;
  }
  const char c = text_[at_];
  if (c == '"' || c == '\'') {
    current_ = ReadString(c);
  } else if (c == '[') {
    current_ = ReadString(']');
  } else if (IsDigit(c) || (c == '.' && NextIsDigit())) {
    current_ = ReadNumber();
  } else if (c == '.') {
    current_ = ReadDotted();
  } else if (IsNameByte(c)) {  // digits were taken above
    current_ = ReadName();
  } else {
    current_ = ReadSymbol();
  }
}

// FoxPro strings have no escapes: the first closing delimiter ends them.
Lexeme Lexer::ReadString(char close) {
  const std::size_t end = text_.find(close, at_ + 1);
  if (end == std::string_view::npos) return {Token::kInvalid};
  Lexeme lexeme{Token::kString, text_.substr(at_ + 1, end - at_ - 1)};
  at_ = end + 1;
  return lexeme;
}

// Digits with an optional fraction (12, 3.5, .5). A point with no digit
// after it is left to what follows, the dot of .AND. for one.
Lexeme Lexer::ReadNumber() {
  const std::size_t start = at_;
  while (at_ < text_.size() && IsDigit(text_[at_])) ++at_;
  if (at_ < text_.size() && text_[at_] == '.' && NextIsDigit()) {
    ++at_;
    while (at_ < text_.size() && IsDigit(text_[at_])) ++at_;
  }
  Lexeme lexeme{Token::kNumber};
  const auto [end, error] = std::from_chars(text_.data() + start, text_.data() + at_, lexeme.number);
  if (error != std::errc() || !std::isfinite(lexeme.number)) return {Token::kInvalid};
  return lexeme;
}

Lexeme Lexer::ReadDotted() {
  for (const DottedWord& dotted : kDottedWords) {
    if (SameText(text_.substr(at_, dotted.word.size()), dotted.word)) {
      at_ += dotted.word.size();
      return {dotted.token, dotted.word, 0, dotted.logical};
    }
  }
  return {Token::kInvalid};
}

Lexeme Lexer::ReadName() {
  const std::size_t start = at_;
  while (at_ < text_.size() && IsNameByte(text_[at_])) ++at_;
  const std::string_view name = text_.substr(start, at_ - start);
  if (SameText(name, "AND")) return {Token::kAnd};
  if (SameText(name, "OR")) return {Token::kOr};
  if (SameText(name, "NOT")) return {Token::kNot};
  return {Token::kName, name};
}

Lexeme Lexer::ReadSymbol() {
  const char c = text_[at_++];
  switch (c) {
    case '(': return {Token::kOpen};
    case ')': return {Token::kClose};
    case ',': return {Token::kComma};
    case '+': return {Token::kPlus};
    case '-': return {Token::kMinus};
    case '/': return {Token::kDivide};
    case '%': return {Token::kModulo};
    case '^': return {Token::kPower};
    case '!': return {Token::kNot};
    case '*':
      if (at_ < text_.size() && text_[at_] == '*') {
        ++at_;
        return {Token::kPower};
      }
      return {Token::kTimes};
    default: return {Token::kInvalid};
  }
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

Result Multiply(const FoxConstant& left, const FoxConstant& right, Token token) {
  return OnNumbers(left, right, [token](double a, double b) {
    if (token == Token::kTimes) return NumberValue(a * b);
    if (token == Token::kDivide) return NumberValue(a / b);
    return FoxModulus(a, b);
  });
}

// A recursive descent over FoxPro's levels, lowest first: OR, AND, NOT, + -,
// * / %, ^, the signs, and the operands. Only parentheses and calls recurse
// into a whole expression again, so the nesting bound is kept there; runs of
// NOT and of signs are counted in a loop.
class Parser {
 public:
  explicit Parser(std::string_view text) : lexer_(text) {}

  Result ParseWhole() {
    Result value = ParseOr();
    if (lexer_.Current().token != Token::kEnd) return std::nullopt;
    return value;
  }

 private:
  bool Accept(Token token) {
    if (lexer_.Current().token != token) return false;
    lexer_.Advance();
    return true;
  }

  template <Result (Parser::*kOperand)(), Token kOperator, bool kIsAnd>
  Result ParseLogical();
  Result ParseOr() { return ParseLogical<&Parser::ParseAnd, Token::kOr, false>(); }
  Result ParseAnd() { return ParseLogical<&Parser::ParseNot, Token::kAnd, true>(); }
  Result ParseNot();
  Result ParseSum();
  Result ParseProduct();
  Result ParsePower();
  Result ParseSigned(bool& is_signed);
  Result ParseOperand();
  Result ParseNested();
  Result ParseCall(std::string_view name);

  Lexer lexer_;
  int depth_ = 0;
};

template <Result (Parser::*kOperand)(), Token kOperator, bool kIsAnd>
Result Parser::ParseLogical() {
  Result left = (this->*kOperand)();
  while (left && Accept(kOperator)) {
    const Result right = (this->*kOperand)();
    if (!right || left->kind != Kind::kLogical || right->kind != Kind::kLogical) return std::nullopt;
    left = LogicalValue(kIsAnd ? left->logical && right->logical : left->logical || right->logical);
  }
  return left;
}

Result Parser::ParseNot() {
  bool negated = false;
  bool any = false;
  while (Accept(Token::kNot)) {
    negated = !negated;
    any = true;
  }
  Result value = ParseSum();
  if (!any || !value) return value;
  if (value->kind != Kind::kLogical) return std::nullopt;
  return LogicalValue(value->logical != negated);
}

Result Parser::ParseSum() {
  Result left = ParseProduct();
  for (Token token = lexer_.Current().token; left && (token == Token::kPlus || token == Token::kMinus);
       token = lexer_.Current().token) {
    lexer_.Advance();
    const Result right = ParseProduct();
    if (!right) return std::nullopt;
    left = token == Token::kPlus ? Add(*left, *right) : Subtract(*left, *right);
  }
  return left;
}

Result Parser::ParseProduct() {
  Result left = ParsePower();
  for (Token token = lexer_.Current().token;
       left && (token == Token::kTimes || token == Token::kDivide || token == Token::kModulo);
       token = lexer_.Current().token) {
    lexer_.Advance();
    const Result right = ParsePower();
    if (!right) return std::nullopt;
    left = Multiply(*left, *right, token);
  }
  return left;
}

// Powers go from left to right (2^3^2 is 64). Whether FoxPro reads -2^2 as
// (-2)^2 or as -(2^2) is not settled, so a signed operand beside ^ is left
// to run time; 2^-1 has one reading and is taken.
Result Parser::ParsePower() {
  bool is_signed = false;
  Result left = ParseSigned(is_signed);
  while (left && lexer_.Current().token == Token::kPower) {
    if (is_signed) return std::nullopt;
    lexer_.Advance();
    const Result right = ParseSigned(is_signed);
    if (!right) return std::nullopt;
    left = OnNumbers(*left, *right, [](double a, double b) { return NumberValue(std::pow(a, b)); });
  }
  return left;
}

Result Parser::ParseSigned(bool& is_signed) {
  bool negated = false;
  is_signed = false;
  for (Token token = lexer_.Current().token; token == Token::kPlus || token == Token::kMinus;
       token = lexer_.Current().token) {
    negated = negated != (token == Token::kMinus);
    is_signed = true;
    lexer_.Advance();
  }
  Result value = ParseOperand();
  if (!is_signed || !value) return value;
  if (value->kind != Kind::kNumber) return std::nullopt;
  return NumberValue(negated ? -value->number : value->number);
}

Result Parser::ParseOperand() {
  const Lexeme lexeme = lexer_.Current();
  lexer_.Advance();
  switch (lexeme.token) {
    case Token::kNumber: return NumberValue(lexeme.number);
    case Token::kString: return TextValue(std::string(lexeme.text));
    case Token::kLogical: return LogicalValue(lexeme.logical);
    case Token::kName: return ParseCall(lexeme.text);
    case Token::kOpen: {
      Result value = ParseNested();
      if (!value || !Accept(Token::kClose)) return std::nullopt;
      return value;
    }
    default: return std::nullopt;
  }
}

Result Parser::ParseNested() {
  if (depth_ == kMaxConstantNesting) return std::nullopt;
  ++depth_;
  Result value = ParseOr();
  --depth_;
  return value;
}

// A name is a constant only as a call of one of the known functions: any
// other name (a variable, a field, THISFORM) has its value at run time.
Result Parser::ParseCall(std::string_view name) {
  if (!Accept(Token::kOpen)) return std::nullopt;
  std::vector<FoxConstant> arguments;
  if (!Accept(Token::kClose)) {
    do {
      Result argument = ParseNested();
      if (!argument || arguments.size() == kMostArguments) return std::nullopt;
      arguments.push_back(std::move(*argument));
    } while (Accept(Token::kComma));
    if (!Accept(Token::kClose)) return std::nullopt;
  }
  return CallConstantFunction(name, arguments);
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
  return Parser(expression).ParseWhole();
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
