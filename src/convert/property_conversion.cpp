#include "convert/property_conversion.h"

#include <utility>

namespace quorvex {

namespace {

std::string Joined(std::string_view first, std::string_view second) {
  std::string key;
  key.reserve(first.size() + 1 + second.size());
  key += first;
  key += '.';
  key += second;
  return key;
}

}  // namespace

void ConvertAccelerator(std::string& text) {
  const auto marker = text.find("\\<");
  if (marker != std::string::npos) text.replace(marker, 2, "&");
}

std::string QuotedToDfmString(std::string_view value) {
  // Visual FoxPro doubles a quote inside a quoted text; the first lone quote
  // closes it and whatever follows (an expression's rest) is ignored.
  std::string text;
  bool closed = false;
  for (std::size_t at = 1; at < value.size(); ++at) {
    if (value[at] != '"') {
      text += value[at];
    } else if (at + 1 < value.size() && value[at + 1] == '"') {
      text += '"';
      ++at;
    } else {
      closed = true;
      break;
    }
  }
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
  const auto property = TrimBlanks(NamePart(line));
  current_property_ = property;
  current_value_ = TrimBlanks(ValuePart(line));

  std::string value = current_value_;
  const std::string dfm_property = ChooseDfmProperty(property, value);
  if (dfm_property.empty()) return {};
  if (!value.empty()) value = ConvertValue(dfm_property, std::move(value));
  if (value.empty()) return {};
  return dfm_property + " = " + value;
}

// The DFM property for `property`, "" to drop it. A class-and-value row of
// ClassPropertyMap also supplies the DFM value, through `value`.
std::string PropertyConverter::ChooseDfmProperty(std::string_view property, std::string& value) const {
  const auto class_property = Joined(current_class_, property);
  if (lists_.SkipList().HasEntry(class_property)) return {};

  if (lists_.CommonPropertyMap().HasName(property)) return std::string(lists_.CommonPropertyMap().ValueOf(property));
  if (lists_.PropertyMap().HasName(property)) return std::string(lists_.PropertyMap().ValueOf(property));

  const auto& class_map = lists_.ClassPropertyMap();
  if (!class_map.HasName(class_property)) return {};
  std::string dfm_property(class_map.ValueOf(class_property));
  const auto class_property_value = Joined(class_property, current_value_);
  if (class_map.HasName(class_property_value)) {
    value = class_map.ValueOf(class_property_value);
    if (value.empty()) dfm_property.clear();
  }
  return dfm_property;
}

std::string PropertyConverter::ConvertValue(std::string_view dfm_property, std::string value) {
  const auto& value_map = lists_.ValueMap();
  if (value_map.HasName(value)) value = value_map.ValueOf(value);
  // The qualified key is built from the value as read, not as just mapped.
  const auto qualified = Joined(current_property_, current_value_);
  if (value_map.HasName(qualified)) value = value_map.ValueOf(qualified);
  if (!value.empty() && value.front() == '"') value = QuotedToDfmString(value);

  // DFM property names are compared exactly: they come from the tables.
  if (dfm_property == "Caption") {
    ConvertAccelerator(value);
  } else if (dfm_property == "Color" || dfm_property == "Font.Color") {
    value = ConvertColor(value);
  } else if (dfm_property == "Font.Style") {
    value = ConvertStyleFlag();
  }
  return value;
}

// A true font flag opens the object's style set or joins the set opened by an
// earlier flag of the same object; a false one is dropped.
std::string PropertyConverter::ConvertStyleFlag() {
  std::string flag(lists_.ValueMap().ValueOf(Joined(current_property_, current_value_)));
  if (flag.empty()) return flag;
  // A grid column header's lines are written with "Title." in front.
  const std::string_view style_name = SameText(current_class_, "header") ? "Title.Font.Style" : "Font.Style";
  const auto earlier = FindStyleLine(style_name);
  if (!earlier) return "[" + flag + "]";
  if (MergeStyleFlag(*earlier, flag)) flag.clear();
  return flag;
}

void PropertyConverter::MapClass(std::string& class_name) {
  if (!lists_.ClassMap().HasName(class_name)) return;
  current_class_ = class_name;
  class_name = lists_.ClassMap().ValueOf(current_class_);
}

void PropertyConverter::MakeUniqueName(std::string& name) {
  // Names are never released during a conversion, so every suffix tried for a
  // name before stays taken: the search for the next one resumes where the
  // last one stopped instead of counting from 1 again.
  auto& counter = suffix_tried_[name];
  std::string candidate = counter == 0 ? name : name + "_" + std::to_string(counter);
  while (used_names_.contains(candidate)) {
    ++counter;
    candidate = name + "_" + std::to_string(counter);
  }
  used_names_.insert(candidate);
  name = std::move(candidate);
}

std::optional<std::size_t> PropertyConverter::FindStyleLine(std::string_view name) const {
  for (std::size_t index = dfm_.size(); index > object_first_line_; --index) {
    if (TrimBlanks(NamePart(dfm_[index - 1])) == name) return index - 1;
  }
  return std::nullopt;
}

bool PropertyConverter::MergeStyleFlag(std::size_t index, std::string_view flag) {
  if (index >= dfm_.size()) return false;
  const auto line = TrimRightBlanks(dfm_[index]);
  if (line.empty() || line.back() != ']') return false;
  std::string merged(line.substr(0, line.size() - 1));
  merged += ", ";
  merged += flag;
  merged += ']';
  dfm_[index] = std::move(merged);
  return true;
}

}  // namespace quorvex
