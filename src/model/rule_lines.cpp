#include "model/rule_lines.h"

#include <algorithm>

#include "base/ascii.h"
#include "vocabulary/lists.h"
#include "vocabulary/quoted_text.h"

namespace quorvex {

std::optional<std::string> Stored(const Component& component, std::string_view property) {
  return Stored(component.rule_lines, property);
}

std::optional<std::string> Stored(const TextList& lines, std::string_view property) {
  std::optional<std::string> value;
  for (const std::string& line : lines) {
    if (SameText(TrimBlanks(NamePart(line)), property)) value = std::string(TrimBlanks(ValuePart(line)));
  }
  return value;
}

void Carry(Component& component, std::string_view property) {
  std::erase_if(component.rule_lines,
                [&](const std::string& line) { return SameText(TrimBlanks(NamePart(line)), property); });
}

std::optional<std::string> CharacterValue(std::string_view value) {
  if (value.starts_with('"')) return ReadQuotedText(value).text;
  if (value.empty() || value.starts_with('(') || value.starts_with('=')) return std::nullopt;
  return std::string(value);
}

}  // namespace quorvex
