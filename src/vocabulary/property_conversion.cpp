#include "vocabulary/property_conversion.h"

#include <algorithm>
#include <utility>

#include "vocabulary/property_color.h"
#include "vocabulary/quoted_text.h"

namespace quorvex {

namespace {

// `first` "." `second`, made in `buffer`: a lookup key, made for every line
// in a buffer that keeps its room from line to line.
std::string_view Joined(std::string& buffer, std::string_view first, std::string_view second) {
  buffer.assign(first);
  buffer += '.';
  buffer += second;
  return buffer;
}

}  // namespace

void ConvertAccelerator(std::string& text) {
  const auto marker = text.find("\\<");
  if (marker != std::string::npos) text.replace(marker, 2, "&");
}

std::string QuotedToDfmString(std::string_view value) {
  // Whatever follows the closing quote (an expression's rest) is ignored.
  auto [text, closed] = ReadQuotedText(value);
  // Unclosed: the last byte counts as the closing quote, so it is not text.
  if (!closed && !text.empty()) text.pop_back();

  std::string dfm = "'";
  for (const char c : text) {
    dfm += c;
    if (c == '\'') dfm += '\'';
  }
  dfm += '\'';
  return dfm;
}

PropertyConverter::PropertyConverter(TextList& dfm, const Lists& lists) : dfm_(dfm), lists_(lists) {}

std::string PropertyConverter::ConvertPropertyLine(std::string_view line) {
  std::string assignment;
  AppendPropertyLine(line, assignment);
  return assignment;
}

bool PropertyConverter::AppendPropertyLine(std::string_view line, std::string& out) {
  const auto property = TrimBlanks(NamePart(line));
  current_property_ = property;
  current_value_ = TrimBlanks(ValuePart(line));

  value_ = current_value_;
  const std::string_view dfm_property = ChooseDfmProperty(property, value_);
  if (dfm_property.empty()) return false;
  if (!value_.empty()) ConvertValue(dfm_property, value_);
  if (value_.empty()) return false;
  out.reserve(out.size() + dfm_property.size() + 3 + value_.size());
  out += dfm_property;
  out += " = ";
  out += value_;
  return true;
}

// The DFM property for `property`, "" to drop it; a view into the vocabulary.
// A class-and-value row of ClassPropertyMap also supplies the DFM value,
// through `value`.
std::string_view PropertyConverter::ChooseDfmProperty(std::string_view property, std::string& value) {
  const auto class_property = Joined(class_key_, current_class_, property);
  if (lists_.SkipList().HasEntry(class_property)) return {};

  if (const auto common = lists_.CommonPropertyMap().Find(property)) return *common;
  if (const auto mapped = lists_.PropertyMap().Find(property)) return *mapped;

  const auto& class_map = lists_.ClassPropertyMap();
  const auto by_class = class_map.Find(class_property);
  if (!by_class) return {};
  if (const auto by_value = class_map.Find(Joined(value_key_, class_property, current_value_))) {
    value = *by_value;
    if (value.empty()) return {};
  }
  return *by_class;
}

void PropertyConverter::ConvertValue(std::string_view dfm_property, std::string& value) {
  const auto& value_map = lists_.ValueMap();
  if (const auto plain = value_map.Find(value)) value = *plain;
  // The qualified key is built from the value as read, not as just mapped.
  if (const auto qualified = value_map.Find(Joined(value_key_, current_property_, current_value_))) value = *qualified;
  if (!value.empty() && value.front() == '"') value = QuotedToDfmString(value);

  // DFM property names are compared exactly: they come from the tables.
  if (dfm_property == "Caption") {
    ConvertAccelerator(value);
  } else if (dfm_property == "Color" || dfm_property == "Font.Color") {
    value = ConvertColor(value);
  } else if (dfm_property == "Font.Style") {
    value = ConvertStyleFlag();
  }
}

// A true font flag opens the object's style set or joins the set opened by an
// earlier flag of the same object; a false one is dropped.
std::string PropertyConverter::ConvertStyleFlag() {
  std::string flag(lists_.ValueMap().ValueOf(Joined(value_key_, current_property_, current_value_)));
  if (flag.empty()) return flag;
  // A grid column header's lines are written with "Title." in front.
  const std::string_view style_name = SameText(current_class_, "header") ? "Title.Font.Style" : "Font.Style";
  const auto earlier = FindStyleLine(style_name);
  if (!earlier) return "[" + flag + "]";
  if (MergeStyleFlag(*earlier, flag)) flag.clear();
  return flag;
}

void PropertyConverter::MapClass(std::string& class_name) {
  const auto mapped = lists_.ClassMap().Find(class_name);
  if (!mapped) return;
  current_class_ = class_name;
  class_name = *mapped;
}

void PropertyConverter::MakeUniqueName(std::string& name) {
  if (used_names_.Insert(name)) return;
  // Names are never released during a conversion, so every suffix tried for a
  // name before stays taken: the search for the next one resumes where the
  // last one stopped instead of counting from 1 again. A name taken only once
  // has tried no suffix yet, and needs no counter.
  auto& counter = suffix_tried_[name];
  std::string candidate = counter == 0 ? name : name + "_" + std::to_string(counter);
  while (used_names_.Contains(candidate)) {
    ++counter;
    candidate = name + "_" + std::to_string(counter);
  }
  used_names_.Insert(candidate);
  name = std::move(candidate);
}

std::optional<std::size_t> PropertyConverter::FindStyleLine(std::string_view name) {
  // Every font flag of an object searches its lines; remembering how far the
  // search got keeps an object with many flags from being rescanned for each.
  auto found = style_searches_.find(name);
  if (found == style_searches_.end()) found = style_searches_.emplace(name, StyleSearch{}).first;
  StyleSearch& search = found->second;
  if (search.searched_end > dfm_.size()) search = StyleSearch{};
  for (std::size_t index = std::max(search.searched_end, object_first_line_); index < dfm_.size(); ++index) {
    if (TrimBlanks(NamePart(dfm_[index])) == name) search.latest = index;
  }
  search.searched_end = std::max(search.searched_end, dfm_.size());
  return search.latest;
}

bool PropertyConverter::MergeStyleFlag(std::size_t index, std::string_view flag) {
  if (index >= dfm_.size()) return false;
  std::string& line = dfm_[index];
  const auto kept = TrimRightBlanks(line).size();
  if (kept == 0 || line[kept - 1] != ']') return false;
  // Appended in place: an object may gather very many flags on one line.
  line.resize(kept - 1);
  line += ", ";
  line += flag;
  line += ']';
  // The line's name part can only change if the flag brings an "=".
  if (flag.find('=') != std::string_view::npos) style_searches_.clear();
  return true;
}

}  // namespace quorvex
