#include "catalog/published_properties.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "base/errors.h"
#include "catalog/grouped_table.h"

namespace quorvex {

namespace {

constexpr std::string_view kTableText =
#include "catalog/published_properties_text.inc"
    ;

// "kind [identifiers...] [= default]", the part of a row after the property.
PropertyType ReadType(std::string_view row) {
  static const std::map<std::string, ValueKind, std::less<>> kKinds = {
      {"int", ValueKind::kInteger}, {"bool", ValueKind::kBoolean}, {"string", ValueKind::kString},
      {"color", ValueKind::kColor}, {"ident", ValueKind::kIdentifier}, {"set", ValueKind::kSet},
      {"strings", ValueKind::kStrings}, {"component", ValueKind::kComponent},
      {"event", ValueKind::kEvent}, {"lclevent", ValueKind::kLclEvent}, {"binary", ValueKind::kBinary}};
  const std::size_t equals = row.find('=');
  auto [kind_name, rest] = FirstWord(row.substr(0, equals));
  const auto kind = kKinds.find(kind_name);
  if (kind == kKinds.end()) throw Exception("unknown kind " + std::string(kind_name));
  PropertyType type{kind->second, {}, {}};
  for (; !rest.empty(); rest = FirstWord(rest).second) type.names.emplace_back(FirstWord(rest).first);
  const bool takes_names = type.kind == ValueKind::kIdentifier || type.kind == ValueKind::kSet;
  const bool event = type.kind == ValueKind::kEvent || type.kind == ValueKind::kLclEvent;
  const bool binary = type.kind == ValueKind::kBinary;
  if (event || binary ? type.names.size() != 1 : takes_names == type.names.empty()) {
    throw Exception(event    ? "an event takes its method type"
                    : binary ? "binary data takes the class whose data it holds"
                             : "identifiers given to the wrong kind");
  }
  if (equals != std::string_view::npos) {
    type.default_value = TrimBlanks(row.substr(equals + 1));
    if (!ValueFitsType(type, *type.default_value)) throw Exception("a default not of its kind");
  }
  return type;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Decimal digits, with a minus in front or not, of a value that Delphi's and
// the LCL's integer properties hold (32 bits).
bool IsInteger(std::string_view value) {
  std::string_view digits = value.starts_with('-') ? value.substr(1) : value;
  if (digits.empty() || digits.size() > 10 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  std::int64_t number = 0;
  std::from_chars(value.data(), value.data() + value.size(), number);
  return number >= std::numeric_limits<std::int32_t>::min() && number <= std::numeric_limits<std::int32_t>::max();
}

bool IsColor(std::string_view value) {
  if (value.starts_with('$'))
    return value.size() == 9 && std::all_of(value.begin() + 1, value.end(), [](char c) {
             return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
           });
  return value.size() > 2 && value.starts_with("cl") &&
         std::all_of(value.begin(), value.end(), IsLetter);
}

bool IsNamed(const PropertyType& type, std::string_view word) {
  return std::any_of(type.names.begin(), type.names.end(), [&](const std::string& name) { return name == word; });
}

bool IsSetOf(const PropertyType& type, std::string_view value) {
  if (value.size() < 2 || value.front() != '[' || value.back() != ']') return false;
  value = value.substr(1, value.size() - 2);
  while (!value.empty()) {
    const std::size_t comma = value.find(',');
    if (!IsNamed(type, TrimBlanks(value.substr(0, comma)))) return false;
    value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
  }
  return true;
}

}  // namespace

bool ValueFitsType(const PropertyType& type, std::string_view value) {
  switch (type.kind) {
    case ValueKind::kInteger:
      return IsInteger(value);
    case ValueKind::kBoolean:
      return value == "True" || value == "False";
    case ValueKind::kString:
      return value.size() >= 2 && (value.front() == '\'' || value.front() == '#');
    case ValueKind::kColor:
      return IsColor(value);
    case ValueKind::kIdentifier:
      return IsNamed(type, value);
    case ValueKind::kSet:
      return IsSetOf(type, value);
    case ValueKind::kStrings:
      return value.size() >= 2 && value.front() == '(' && value.back() == ')';
    case ValueKind::kComponent:
    case ValueKind::kEvent:
      return !value.empty() && !(value.front() >= '0' && value.front() <= '9') &&
             std::all_of(value.begin(), value.end(), [](char c) { return IsLetter(c) || c == '_' || (c >= '0' && c <= '9'); });
    case ValueKind::kLclEvent:
      return false;
    case ValueKind::kBinary:
      return value.size() >= 2 && value.front() == '{' && value.back() == '}' &&
             std::all_of(value.begin() + 1, value.end() - 1, [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || c == '\n';
             });
  }
  return false;
}

const PublishedProperties& PublishedProperties::Shared() {
  static const PublishedProperties table(kTableText);
  return table;
}

PublishedProperties::PublishedProperties(std::string_view table_text)
    : LookupTable(table_text, "Published properties", [](std::string_view, std::string_view rest) {
        if (rest.empty()) throw Exception("a property without a kind");
        return ReadType(rest);
      }) {}

bool PublishedProperties::Accepts(std::string_view class_name, std::string_view property,
                                  std::string_view value) const {
  const PropertyType* type = Find(class_name, property);
  return type != nullptr && ValueFitsType(*type, value);
}

}  // namespace quorvex
