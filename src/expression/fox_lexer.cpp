#include "expression/fox_lexer.h"

#include <array>

#include "base/ascii.h"

namespace quorvex {

namespace {

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNamePart(char c) { return IsNameStart(c) || IsDigit(c); }

constexpr std::array<std::string_view, 8> kDottedWords = {"T", "F", "Y", "N", "NULL", "AND", "OR", "NOT"};
constexpr std::array<std::string_view, 8> kTwoCharOperators = {"==", "<>", "!=", "<=", ">=", "**", "::", "->"};

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  std::vector<Token> Run() {
    while (true) {
      const std::size_t start = at_;
      while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
      Token token;
      token.spaced = at_ > start;
      if (at_ >= text_.size()) {
        tokens_.push_back(token);
        return tokens_;
      }
      Next(token);
      tokens_.push_back(std::move(token));
    }
  }

 private:
  // An operand may start here: after nothing, an operator or an opening
  // parenthesis; not after a name, a value or a closing parenthesis.
  bool OperandMayStart() const {
    if (tokens_.empty()) return true;
    const Token& last = tokens_.back();
    if (last.kind != TokenKind::kOperator) return false;
    return last.text != ")" && last.text != "]";
  }

  void Next(Token& token) {
    const char c = text_[at_];
    if (IsNameStart(c)) return Take(token, TokenKind::kName, WhileFrom(at_, IsNamePart));
    if (IsDigit(c) || (c == '.' && at_ + 1 < text_.size() && IsDigit(text_[at_ + 1]))) return Number(token);
    if (c == '.' && DottedWord(token)) return;
    if (c == '"' || c == '\'') return Delimited(token, TokenKind::kString, c);
    if (c == '[' && OperandMayStart()) return Delimited(token, TokenKind::kString, ']');
    if (c == '{') return Delimited(token, TokenKind::kDate, '}');
    for (const std::string_view two : kTwoCharOperators) {
      if (text_.substr(at_, 2) == two) return Take(token, TokenKind::kOperator, 2);
    }
    Take(token, TokenKind::kOperator, 1);
  }

  template <typename Pred>
  std::size_t WhileFrom(std::size_t from, Pred pred) const {
    std::size_t end = from;
    while (end < text_.size() && pred(text_[end])) ++end;
    return end - from;
  }

  void Take(Token& token, TokenKind kind, std::size_t length) {
    token.kind = kind;
    token.text = text_.substr(at_, length);
    at_ += length;
  }

  void Number(Token& token) {
    std::size_t length = WhileFrom(at_, IsDigit);
    if (at_ + length < text_.size() && text_[at_ + length] == '.') length += 1 + WhileFrom(at_ + length + 1, IsDigit);
    // An exponent: 1E3, 2.5e-4.
    const std::size_t e = at_ + length;
    if (e < text_.size() && (text_[e] == 'e' || text_[e] == 'E')) {
      std::size_t digits = e + 1;
      if (digits < text_.size() && (text_[digits] == '+' || text_[digits] == '-')) ++digits;
      const std::size_t count = WhileFrom(digits, IsDigit);
      if (count > 0) length = digits + count - at_;
    }
    Take(token, TokenKind::kNumber, length);
  }

  bool DottedWord(Token& token) {
    const std::size_t length = WhileFrom(at_ + 1, IsNameStart);
    if (length == 0 || at_ + 1 + length >= text_.size() || text_[at_ + 1 + length] != '.') return false;
    const std::string_view word = text_.substr(at_ + 1, length);
    for (const std::string_view known : kDottedWords) {
      if (!SameText(word, known)) continue;
      token.kind = TokenKind::kWord;
      token.text = known;
      at_ += length + 2;
      return true;
    }
    return false;
  }

  void Delimited(Token& token, TokenKind kind, char close) {
    const std::size_t end = text_.find(close, at_ + 1);
    if (end == std::string_view::npos) return Take(token, TokenKind::kOperator, 1);
    token.kind = kind;
    token.text = text_.substr(at_ + 1, end - at_ - 1);
    at_ = end + 1;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::vector<Token> tokens_;
};

}  // namespace

std::vector<Token> TokenizeStatement(std::string_view statement) { return Lexer(statement).Run(); }

}  // namespace quorvex
