#pragma once
// The rule lines of a component (Component::rule_lines) as the rules of the
// component as a whole read and carry them.

#include <optional>
#include <string>
#include <string_view>

#include "model/component_model.h"

namespace quorvex {

// The value of the last rule line of `property`, blanks trimmed, or nothing.
std::optional<std::string> Stored(const Component& component, std::string_view property);
// The same of the last line of `property` among `lines` (a component's
// stored lines, which tell what a rule needs of the lines others carry).
std::optional<std::string> Stored(const TextList& lines, std::string_view property);

// The lines of `property` are carried: they leave the rule lines.
void Carry(Component& component, std::string_view property);

// A character value as a record stores it: the text of "..." (doubled quotes
// read as one), or a bare value as it stands (a Value, a Picture's file
// name); nothing for an empty bare value or an expression.
std::optional<std::string> CharacterValue(std::string_view value);

}  // namespace quorvex
