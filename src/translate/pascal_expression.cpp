#include "translate/pascal_expression.h"

#include "translate/not_translated.h"

namespace quorvex {

std::string_view PascalTypeName(PasType type) {
  switch (type) {
    case PasType::kString: return "string";
    case PasType::kInteger: return "Int64";
    case PasType::kNumber: return "Double";
    case PasType::kLogical: return "Boolean";
    case PasType::kDate: return "TDateTime";
    case PasType::kVariant: break;
  }
  return "Variant";
}

std::string_view TypeWord(PasType type) {
  switch (type) {
    case PasType::kString: return "string";
    case PasType::kInteger: return "whole number";
    case PasType::kNumber: return "number";
    case PasType::kLogical: return "logical";
    case PasType::kDate: return "date";
    case PasType::kVariant: break;
  }
  return "value of unknown type";
}

bool IsNumeric(PasType type) { return type == PasType::kInteger || type == PasType::kNumber; }

std::string Operand(const PasExpr& expression, int strength, bool right) {
  const bool bare = expression.strength > strength || (expression.strength == strength && !right);
  return expression.strength == kAtomic || bare ? expression.text : "(" + expression.text + ")";
}

PasExpr ConvertTo(const PasExpr& expression, PasType wanted) {
  if (expression.type == wanted) return expression;
  if (wanted == PasType::kNumber && expression.type == PasType::kInteger)
    return {expression.text, wanted, expression.strength, expression.total};
  if (wanted == PasType::kVariant) {
    // Delphi and Free Pascal would make a Double of a TDateTime.
    if (expression.type == PasType::kDate)
      return {"VarFromDateTime(" + expression.text + ")", wanted, kAtomic, expression.total};
    return {expression.text, wanted, expression.strength, expression.total};
  }
  if (expression.type == PasType::kVariant && wanted != PasType::kInteger) {
    static constexpr std::string_view kChecks[] = {"FoxAsString", "", "FoxAsNumber", "FoxAsLogical", "FoxAsDate"};
    return {std::string(kChecks[static_cast<int>(wanted)]) + "(" + expression.text + ")", wanted, kAtomic, false};
  }
  throw ENotTranslated(std::string(TypeWord(expression.type)) + " where a " + std::string(TypeWord(wanted)) +
                       " is needed");
}

std::string PascalString(std::string_view text) {
  std::string literal = "'";
  for (const char c : text) {
    literal += c;
    if (c == '\'') literal += '\'';
  }
  return literal + "'";
}

}  // namespace quorvex
