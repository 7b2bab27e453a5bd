#include "translate/pascal_expression.h"

#include <algorithm>


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

Translated<PasExpr> ConvertTo(const PasExpr& expression, PasType wanted) {
  if (expression.type == wanted) return expression;
  if (wanted == PasType::kNumber && expression.type == PasType::kInteger)
    return PasExpr{expression.text, wanted, expression.strength, expression.total};
  if (wanted == PasType::kVariant) {
    // Delphi and Free Pascal would make a Double of a TDateTime.
    if (expression.type == PasType::kDate)
      return PasExpr{"VarFromDateTime(" + expression.text + ")", wanted, kAtomic, expression.total};
    return PasExpr{expression.text, wanted, expression.strength, expression.total};
  }
  if (expression.type == PasType::kVariant && wanted != PasType::kInteger) {
    static constexpr std::string_view kChecks[] = {"FoxAsString", "", "FoxAsNumber", "FoxAsLogical", "FoxAsDate"};
    return PasExpr{std::string(kChecks[static_cast<int>(wanted)]) + "(" + expression.text + ")", wanted, kAtomic,
                   false};
  }
  return NotTranslated{std::string(TypeWord(expression.type)) + " where a " + std::string(TypeWord(wanted)) +
                       " is needed"};
}

std::string PascalString(std::string_view text) {
  constexpr int kPieceCharacters = 100;
  std::string literal = "'";
  int characters = 0;
  for (const char c : text) {
    // A piece ends before a character starts, never inside one's UTF-8 bytes.
    const bool starts_character = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (starts_character && characters++ == kPieceCharacters) {
      literal += "' + '";
      characters = 1;
    }
    literal += c;
    if (c == '\'') literal += '\'';
  }
  return literal + "'";
}

std::vector<std::string> WrapPascal(std::string_view line, std::size_t width) {
  const std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
  const std::string continued(indent + 4, ' ');
  std::vector<std::string> lines;
  std::string rest(line);
  while (rest.size() > width) {
    // The last blank within the width, else the first one beyond it.
    std::size_t cut = std::string::npos;
    bool quoted = false;
    for (std::size_t i = rest.find_first_not_of(' '); i < rest.size(); ++i) {
      if (rest[i] == '\'') quoted = !quoted;
      if (rest[i] != ' ' || quoted) continue;
      if (i > width && cut != std::string::npos) break;
      cut = i;
    }
    if (cut == std::string::npos) break;
    lines.push_back(rest.substr(0, cut));
    rest = continued + rest.substr(cut + 1);
  }
  lines.push_back(std::move(rest));
  return lines;
}

}  // namespace quorvex
