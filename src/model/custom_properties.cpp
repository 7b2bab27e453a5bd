#include "model/custom_properties.h"

#include <algorithm>
#include <charconv>

#include "base/ascii.h"
#include "base/text_encoding.h"
#include "expression/constant_expression.h"
#include "vocabulary/lists.h"
#include "translate/pascal_expression.h"

namespace quorvex {

namespace {

// The names RESERVED3 lists as properties, in its order.
std::vector<std::string> PropertyNames(std::string_view reserved3) {
  std::vector<std::string> names;
  ForEachLine(reserved3, [&](std::string_view line) {
    line = TrimBlanks(line);
    const std::string_view name = line.substr(0, line.find_first_of(" \t"));
    if (name.empty() || name.front() == '*' || name.front() == '^') return;
    std::string lower = AsciiLowerCopy(name);
    // A class and the classes below it list each property once; a damaged
    // record might not.
    if (std::find(names.begin(), names.end(), lower) == names.end()) names.push_back(std::move(lower));
  });
  return names;
}

bool IsPlainNumber(std::string_view text) {
  double number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return !text.empty() && error == std::errc() && end == text.data() + text.size() && text.front() != '+';
}

std::string PascalNumber(std::string_view text) {
  std::string number(text);
  if (number.starts_with('.')) number.insert(0, "0");
  if (number.starts_with("-.")) number.insert(1, "0");
  if (number.ends_with('.')) number.pop_back();
  return number;
}

}  // namespace

std::string CustomPropertyValue(std::string_view value, int code_page) {
  if (SameText(value, ".T.")) return "True";
  if (SameText(value, ".F.")) return "False";
  if (SameText(value, ".NULL.")) return "Null";
  if (IsPlainNumber(value)) return PascalNumber(value);
  if (value.starts_with('=')) {
    const std::optional<FoxConstant> constant = EvaluateConstant(value.substr(1));
    if (!constant) return {};
    switch (constant->kind) {
      case FoxConstant::Kind::kString: return PascalString(DecodeToUtf8(constant->text, code_page));
      case FoxConstant::Kind::kLogical: return constant->logical ? "True" : "False";
      case FoxConstant::Kind::kNumber: return PascalNumber(ConstantLiteral(*constant));
    }
  }
  // A date, a text ending in blanks, and a long text (which the record
  // stores after bytes of its length) are left to the code.
  if (value.starts_with('{') || std::any_of(value.begin(), value.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32;
      }) || (!value.empty() && IsBlank(value.back())))
    return {};
  return PascalString(DecodeToUtf8(value, code_page));
}

std::vector<CustomProperty> CustomPropertiesOf(std::string_view reserved3, const TextList& stored, int code_page) {
  std::vector<CustomProperty> properties;
  for (std::string& name : PropertyNames(reserved3)) {
    // A property the record does not store has the value FoxPro gives a new one.
    std::string initial = "False";
    for (const std::string& line : stored) {
      if (!SameText(TrimBlanks(NamePart(line)), name)) continue;
      std::string_view value = ValuePart(line);
      if (value.starts_with(' ')) value.remove_prefix(1);  // FoxPro writes "name = value"
      initial = CustomPropertyValue(value, code_page);
    }
    if (!initial.empty()) properties.push_back({std::move(name), {}, std::move(initial)});
  }
  return properties;
}

void NameCustomProperties(std::vector<CustomProperty>& properties, std::string_view prefix, UniqueNames& names) {
  for (CustomProperty& property : properties) {
    std::string identifier = std::string(prefix) + PascalIdentifier(property.fox_name, 'P');
    if (HidesFormMember(identifier)) identifier += "_";
    property.identifier = names.Take(identifier);
  }
}

}  // namespace quorvex
