#pragma once
// Translated expressions: Pascal text with the type FoxPro's value has there,
// as far as it is known. kInteger is a whole number (Pascal Integer or
// Int64), kNumber any number (Double), kDate a FoxPro date (TDateTime; 0 is
// the empty date), kVariant a value whose type is known only when the code
// runs (Variant; FoxRuntime's checked conversions turn it into the others,
// failing as FoxPro fails on a value of the wrong type).

#include <string>
#include <string_view>
#include <vector>

#include "translate/not_translated.h"

namespace quorvex {

enum class PasType { kString, kInteger, kNumber, kLogical, kDate, kVariant };

// How strongly a Pascal expression's outermost operator binds, which tells
// where it needs parentheses as an operand: Pascal's levels, and a name, a
// call, a literal or a parenthesised expression above them all.
enum Strength : int { kRelation = 1, kSum = 2, kProduct = 3, kNot = 4, kAtomic = 5 };

struct PasExpr {
  std::string text;
  PasType type = PasType::kVariant;
  int strength = kAtomic;
  // Evaluating it can neither fail nor change anything, so that it may be
  // evaluated where FoxPro would not (the value IIF does not choose).
  bool total = true;
};

// The Pascal type of a variable of `type`.
std::string_view PascalTypeName(PasType type);

// FoxPro's name of `type`'s values, for reasons: "string", "number" ...
std::string_view TypeWord(PasType type);

bool IsNumeric(PasType type);

// `expression` as an operand of an operator of `strength`, in parentheses
// where it binds less strongly, or as strongly on the operator's `right`
// (Pascal reads a - b - c as (a - b) - c).
std::string Operand(const PasExpr& expression, int strength = kAtomic, bool right = false);

// `expression` as a value of `wanted` type: itself where it already is one (a
// whole number is a number), a Variant from any value, a checked conversion
// from a Variant. Not translated ("<type> where a <type> is needed") where
// FoxPro would read the value in another way (a number as a whole number).
Translated<PasExpr> ConvertTo(const PasExpr& expression, PasType wanted);

// A Pascal string literal of UTF-8 text: 'It''s'; '' for the empty text. A
// text longer than 100 characters is a sum of literals of 100: Delphi takes
// 255 in one, and they fit a line.
std::string PascalString(std::string_view text);

// `line` cut at blanks outside string literals into lines of at most
// `width` bytes where it can be, the lines after the first indented by four
// blanks more: Delphi reads lines of a limited length.
std::vector<std::string> WrapPascal(std::string_view line, std::size_t width = 120);

}  // namespace quorvex
