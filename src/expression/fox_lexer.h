#pragma once
// The tokens of one FoxPro statement (continuation lines already joined, the
// "&&" comment already cut off). Strings come in three delimiters ("...",
// '...', [...]); a "[" is a string only where an operand may start, since
// after a name or a closing parenthesis it opens an array subscript. Dotted
// words (.T., .AND.) are tokens of their own, and so is a number that starts
// with its decimal point (.5).

#include <string_view>
#include <vector>

namespace quorvex {

enum class TokenKind {
  kName,      // letters, digits, "_"; text as written
  kNumber,    // text as written
  kString,    // text without its delimiters
  kDate,      // text between the braces
  kWord,      // .T. .F. .Y. .N. .NULL. .AND. .OR. .NOT., text upper case without dots
  kOperator,  // = == <> != # < > <= >= $ + - * / % ^ ** ( ) , . ! @ & [ ] :: and the like
  kEnd,
};

// A token's text is a view into the statement it was read from (a word's
// into a fixed table): the statement must outlive its tokens.
struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string_view text;
  bool spaced = false;  // blanks stand before it
};

// The tokens of `statement`, ending in one kEnd token. An unclosed string or
// date, or a byte no token starts with, gives a kOperator token of that byte,
// which no rule of the parser accepts.
std::vector<Token> TokenizeStatement(std::string_view statement);

}  // namespace quorvex
