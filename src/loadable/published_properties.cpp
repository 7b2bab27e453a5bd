#include "loadable/published_properties.h"

#include <algorithm>
#include <sstream>

#include "base/errors.h"
#include "base/text_list.h"

namespace quorvex {

namespace {

constexpr std::string_view kTableText =
#include "loadable/published_properties_text.inc"
    ;

std::vector<std::string> Words(std::string_view line) {
  std::istringstream in{std::string(line)};
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

PropertyType ReadType(const std::vector<std::string>& words) {
  static const std::map<std::string, ValueKind, std::less<>> kKinds = {
      {"int", ValueKind::kInteger}, {"bool", ValueKind::kBoolean}, {"string", ValueKind::kString},
      {"color", ValueKind::kColor}, {"ident", ValueKind::kIdentifier}, {"set", ValueKind::kSet}};
  const auto kind = kKinds.find(words[1]);
  if (kind == kKinds.end()) throw Exception("unknown kind " + words[1]);
  PropertyType type{kind->second, {words.begin() + 2, words.end()}};
  const bool takes_names = type.kind == ValueKind::kIdentifier || type.kind == ValueKind::kSet;
  if (takes_names == type.names.empty()) throw Exception("identifiers given to the wrong kind");
  return type;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsInteger(std::string_view value) {
  if (value.starts_with('-')) value.remove_prefix(1);
  return !value.empty() && value.size() <= 10 &&
         std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
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
  }
  return false;
}

const PublishedProperties& PublishedProperties::Shared() {
  static const PublishedProperties table(kTableText);
  return table;
}

PublishedProperties::PublishedProperties(std::string_view table_text) {
  Group* group = nullptr;
  int line_number = 0;
  for (const std::string& line : SplitLines(table_text)) {
    ++line_number;
    const std::string_view text = TrimBlanks(line);
    if (text.empty() || text.starts_with('#')) continue;
    try {
      const auto words = Words(text);
      if (words.front().ends_with(':')) {
        group = &groups_[words.front().substr(0, words.front().size() - 1)];
        for (std::size_t i = 1; i < words.size(); ++i) {
          const auto base = groups_.find(words[i]);
          if (base == groups_.end()) throw Exception("unknown group " + words[i]);
          group->insert(base->second.begin(), base->second.end());
        }
        continue;
      }
      if (group == nullptr) throw Exception("a property before any group");
      if (words.size() < 2) throw Exception("a property without a kind");
      (*group)[words[0]] = ReadType(words);
    } catch (const Exception& failure) {
      throw Exception("Published properties, line " + std::to_string(line_number) + ": " + failure.what());
    }
  }
}

const PropertyType* PublishedProperties::Find(std::string_view class_name, std::string_view property) const {
  const auto group = groups_.find(class_name);
  if (group == groups_.end()) return nullptr;
  const auto found = group->second.find(property);
  return found == group->second.end() ? nullptr : &found->second;
}

bool PublishedProperties::Accepts(std::string_view class_name, std::string_view property,
                                  std::string_view value) const {
  const PropertyType* type = Find(class_name, property);
  return type != nullptr && ValueFitsType(*type, value);
}

}  // namespace quorvex
