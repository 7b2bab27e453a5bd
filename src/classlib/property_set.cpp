#include "classlib/property_set.h"

#include "base/ascii.h"
#include "base/text_list.h"
#include "scx/scx_property_line.h"
#include "vocabulary/lists.h"

namespace quorvex {

namespace {

bool IsOwnNameLine(std::string_view line) {
  const ScxPropertyName name = SplitPropertyName(line);
  return !name.is_member && SameText(name.property, "Name");
}

bool IsMemberLine(std::string_view line) { return SplitPropertyName(line).is_member; }

}  // namespace

std::string PropertyKey(std::string_view line) { return AsciiLowerCopy(TrimBlanks(NamePart(line))); }

void PropertySet::SetAll(std::string_view properties, std::string_view origin) {
  for (std::string& line : SplitLines(properties)) Set(std::move(line), origin);
}

void PropertySet::Set(std::string text, std::string_view origin) {
  std::string key = PropertyKey(text);
  if (!key.empty()) {
    const auto [place, added] = index_.try_emplace(std::move(key), lines_.size());
    if (!added) {
      lines_[place->second] = {std::move(text), origin};
      return;
    }
  }
  lines_.push_back({std::move(text), origin});
}

const PropertyLine* PropertySet::Find(std::string_view property) const {
  const auto found = index_.find(AsciiLowerCopy(property));
  return found == index_.end() ? nullptr : &lines_[found->second];
}

std::string PropertySet::PlainValue(std::string_view property) const {
  const PropertyLine* line = Find(property);
  if (line == nullptr) return {};
  std::string_view value = TrimBlanks(ValuePart(line->text));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return std::string(value);
}

void PropertySet::Reset(std::vector<PropertyLine> lines) {
  lines_.clear();
  index_.clear();
  for (PropertyLine& line : lines) Set(std::move(line.text), line.origin);
}

std::string PropertySet::Text() const {
  std::size_t name_at = lines_.size();
  std::size_t first_member = lines_.size();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (first_member == lines_.size() && IsMemberLine(lines_[i].text)) first_member = i;
    if (name_at == lines_.size() && IsOwnNameLine(lines_[i].text)) name_at = i;
  }
  std::string text;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i == first_member && name_at > first_member && name_at < lines_.size()) text += lines_[name_at].text + "\r\n";
    if (i == name_at && name_at > first_member) continue;
    text += lines_[i].text;
    text += "\r\n";
  }
  return text;
}

std::string PropertySet::FoldersText(std::string_view home) const {
  std::string text;
  for (const PropertyLine& line : lines_) {
    const std::string_view property = TrimBlanks(NamePart(line.text));
    if (line.origin == home || property.empty()) continue;
    text += std::string(property) + " = " + std::string(line.origin) + "\r\n";
  }
  return text;
}

}  // namespace quorvex
