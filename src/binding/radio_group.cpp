#include "binding/radio_group.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "base/ascii.h"
#include "binding/data_environment.h"
#include "model/setting_conversion.h"

namespace quorvex {

namespace {

// A radio group places its items a few pixels apart at most from where a
// group box of evenly spaced buttons has them.
constexpr int kTolerance = 2;

// The settings a button may have and still be an item: its place, its
// caption, its font, and the background of its container (an item has its
// group's) or its own default one.
bool IsItemSetting(const DfmSetting& setting) {
  constexpr std::string_view kItem[] = {"Left", "Top", "Width", "Height", "Caption", "TabOrder", "ParentColor"};
  if (setting.name.starts_with("Font.")) return true;
  return std::any_of(std::begin(kItem), std::end(kItem), [&](std::string_view name) { return setting.name == name; });
}

int IntegerSetting(const Component& component, std::string_view name) {
  const std::string* value = FindSetting(component.settings, name);
  int number = 0;
  if (value != nullptr) std::from_chars(value->data(), value->data() + value->size(), number);
  return number;
}

std::vector<DfmSetting> FontOf(const Component& component) {
  std::vector<DfmSetting> font;
  std::copy_if(component.settings.begin(), component.settings.end(), std::back_inserter(font),
               [](const DfmSetting& setting) { return setting.name.starts_with("Font."); });
  std::sort(font.begin(), font.end(), [](const DfmSetting& a, const DfmSetting& b) { return a.name < b.name; });
  return font;
}

bool SameFont(const Component& a, const Component& b) {
  const std::vector<DfmSetting> x = FontOf(a);
  const std::vector<DfmSetting> y = FontOf(b);
  return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](const DfmSetting& one, const DfmSetting& other) {
    return one.name == other.name && one.value == other.value;
  });
}

// A button that is no more than its caption in the group's column.
bool IsPlainButton(const Component& button) {
  const bool rules_only_value = std::all_of(button.rule_lines.begin(), button.rule_lines.end(),
                                            [](const std::string& line) { return StoredValue({line}, "Value"); });
  return button.delphi_class == "TRadioButton" && button.children.empty() && button.fox_methods.empty() &&
         button.kept.empty() && rules_only_value && FindSetting(button.settings, "Caption") != nullptr &&
         std::all_of(button.settings.begin(), button.settings.end(), IsItemSetting);
}

// FoxPro draws the group's border unless told not to; a radio group always
// draws its frame.
bool HasBorder(const Component& group) {
  return std::none_of(group.kept.begin(), group.kept.end(), [](const KeptSetting& kept) {
    const std::optional<std::string> style = StoredValue({kept.line}, "BorderStyle");
    return kept.owner.empty() && style && *style == "0";
  });
}

bool EvenColumn(const std::vector<Component>& buttons) {
  const Component& first = buttons.front();
  const int gap = IntegerSetting(buttons[1], "Top") - IntegerSetting(first, "Top");
  if (gap < IntegerSetting(first, "Height")) return false;
  for (std::size_t i = 1; i < buttons.size(); ++i) {
    const Component& button = buttons[i];
    if (std::abs(IntegerSetting(button, "Left") - IntegerSetting(first, "Left")) > kTolerance) return false;
    if (IntegerSetting(button, "Height") != IntegerSetting(first, "Height")) return false;
    const int step = IntegerSetting(button, "Top") - IntegerSetting(buttons[i - 1], "Top");
    if (std::abs(step - gap) > kTolerance) return false;
  }
  return true;
}

std::string StringList(const std::vector<std::string>& literals) {
  std::string value = "(";
  for (const std::string& literal : literals) value += "\n" + literal;
  return value + ")";
}

}  // namespace

bool DrawnAsRadioGroup(const Component& group) {
  const std::vector<Component>& buttons = group.children;
  if (buttons.size() < 2 || !HasBorder(group)) return false;
  const bool plain = std::all_of(buttons.begin(), buttons.end(), [&](const Component& button) {
    return IsPlainButton(button) && SameFont(button, buttons.front());
  });
  return plain && EvenColumn(buttons);
}

void MakeRadioGroup(Component& group, bool numbered) {
  std::vector<std::string> captions;
  std::vector<std::string> numbers;
  for (const Component& button : group.children) {
    captions.push_back(*FindSetting(button.settings, "Caption"));
    numbers.push_back("'" + std::to_string(numbers.size() + 1) + "'");
  }
  for (DfmSetting& font : FontOf(group.children.front())) PutSetting(group.settings, std::move(font));
  PutSetting(group.settings, {"Items.Strings", StringList(captions)});
  if (numbered) PutSetting(group.settings, {"Values.Strings", StringList(numbers)});
  // The field gives the value; the items say how many buttons there are.
  const std::string count = std::to_string(group.children.size());
  std::erase_if(group.rule_lines, [&](const std::string& line) {
    return StoredValue({line}, "Value") || StoredValue({line}, "ButtonCount") == count;
  });
  group.children.clear();
  group.delphi_class = "TDBRadioGroup";
}

}  // namespace quorvex
