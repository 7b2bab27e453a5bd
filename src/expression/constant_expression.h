#pragma once
// FoxPro expressions whose value is known without running the form. A property
// of a form may hold an expression that FoxPro evaluates when the form runs,
// stored as `Caption = ("Line one" + CHR(13) + "line two")`; where that
// expression names nothing but constants and a few pure functions, its value
// can be written in its place.
//
// What is read: strings in "...", '...' or [...] (no escapes: the delimiter
// ends the string), numbers (12, 3.5, .5), .T. .F. .Y. .N., parentheses; the
// operators + - * / % ^ ** and the signs on numbers, + and - on strings (- moves
// the left operand's trailing spaces to the end of the result), .AND. .OR.
// .NOT. ! AND OR NOT on logicals, with FoxPro's precedence (NOT over AND over
// OR, below the arithmetic; operators of one level from left to right); and
// the functions RGB CHR SPACE REPLICATE UPPER LOWER ALLTRIM LTRIM RTRIM TRIM
// PADL PADR PADC LEFT RIGHT SUBSTR LEN INT ABS MOD, a name of four letters or
// more standing for the function it begins. Names are matched without regard
// to ASCII letter case. Text is 8-bit bytes of the form's code page: UPPER and
// LOWER change ASCII letters only, and the trims remove spaces (byte 32) only.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "expression/fox_expression.h"

namespace quorvex {

// Bounds for untrusted input. A longer expression, deeper nesting, a tree
// higher than kMaxExpressionHeight (fox_expression.h) or a longer string than
// these is not a constant; no string past kMaxConstantText is ever allocated.
constexpr std::size_t kMaxConstantExpression = 8 * 1024;    // bytes of an expression
constexpr int kMaxConstantNesting = kMaxExpressionNesting;  // parentheses and calls, one inside another
constexpr std::size_t kMaxConstantText = 64 * 1024;         // bytes of any string made

// A FoxPro value known without running the form.
struct FoxConstant {
  enum class Kind { kString, kNumber, kLogical };
  Kind kind = Kind::kString;
  std::string text;      // kString: the bytes as stored
  double number = 0;     // kNumber: always finite
  bool logical = false;  // kLogical

  friend bool operator==(const FoxConstant&, const FoxConstant&) = default;
};

// The value of `expression` (as stored, without the parentheses around the
// value of a property line, though redundant parentheses are fine), or nullopt
// when it is not a constant: it names a variable, field, object or a function
// outside the set above, mixes kinds ("a" + 1), gives a function a wrong
// argument (count, kind, or a count or code that is not a whole number in
// range), is malformed, passes one of the bounds above, or a number
// operation has no finite result (division by zero, overflow). Never throws
// for any input.
std::optional<FoxConstant> EvaluateConstant(std::string_view expression);

// `value` as the value part of a FoxPro property line: a string in double
// quotes with each double quote doubled ("say ""hi"""), a number in plain
// decimals that read back as the same number (15, -3, 7.5, 0.1; no exponent,
// whole numbers without a point), a logical as .T. or .F.
std::string ConstantLiteral(const FoxConstant& value);

}  // namespace quorvex
