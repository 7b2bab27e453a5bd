#include "model/class_choice.h"

#include <algorithm>
#include <array>

#include "base/ascii.h"

namespace quorvex {

namespace {

constexpr std::string_view kPanel = "TPanel";

// FoxPro base classes that no vocabulary row maps, with the class that
// stands in for them.
struct Stand {
  std::string_view fox_class;
  std::string_view delphi_class;
};
constexpr std::array<Stand, 1> kStandIns = {{{"line", "TBevel"}}};

// Name prefixes of the usual FoxPro naming conventions, and the default
// names FoxPro gives (Command1, Label1, Shape1), with the base class they
// stand for; where one prefix begins another, the longer comes first.
struct Prefix {
  std::string_view prefix;
  std::string_view fox_class;
};
constexpr std::array<Prefix, 45> kPrefixes = {{
    {"commandgroup", "CommandGroup"}, {"command", "CommandButton"}, {"cmdg", "CommandGroup"},
    {"cmg", "CommandGroup"},          {"cmd", "CommandButton"},     {"btn", "CommandButton"},
    {"label", "Label"},               {"lbl", "Label"},             {"textbox", "TextBox"},
    {"text", "TextBox"},              {"txt", "TextBox"},           {"checkbox", "CheckBox"},
    {"check", "CheckBox"},            {"chk", "CheckBox"},          {"optiongroup", "OptionGroup"},
    {"option", "OptionButton"},       {"optg", "OptionGroup"},      {"opg", "OptionGroup"},
    {"opt", "OptionButton"},          {"combobox", "ComboBox"},     {"combo", "ComboBox"},
    {"cbo", "ComboBox"},              {"cmb", "ComboBox"},          {"listbox", "ListBox"},
    {"list", "ListBox"},              {"lst", "ListBox"},           {"editbox", "EditBox"},
    {"edit", "EditBox"},              {"edt", "EditBox"},           {"image", "Image"},
    {"img", "Image"},                 {"shape", "Shape"},           {"shp", "Shape"},
    {"line", "line"},                 {"lin", "line"},              {"grid", "Grid"},
    {"grd", "Grid"},                  {"pageframe", "PageFrame"},   {"pgf", "PageFrame"},
    {"container", "Container"},       {"cnt", "Container"},         {"spinner", "Spinner"},
    {"spn", "Spinner"},               {"timer", "Timer"},           {"tmr", "Timer"},
}};

// The Delphi class of a FoxPro class: the vocabulary's, or a stand-in.
std::string MappedClass(std::string_view fox_class, const Lists& lists) {
  if (fox_class.empty()) return {};
  if (const auto mapped = lists.ClassMap().Find(fox_class)) {
    // Columns and headers are parts of a grid, placed by their container.
    if (SameText(*mapped, kColumnMarker) || SameText(*mapped, "header")) return {};
    return std::string(*mapped);
  }
  for (const Stand& stand : kStandIns) {
    if (SameText(stand.fox_class, fox_class)) return std::string(stand.delphi_class);
  }
  return {};
}

// The prefix must end a word: the next letter is not lower case ("cmdOK",
// "CMDOK", "cmd_ok", "lbl1"), unless the whole name is lower case ("cmdok").
// "Commander" has none. A name that is the prefix alone ("grd") has it.
bool HasPrefix(std::string_view name, std::string_view prefix) {
  if (name.size() < prefix.size() || !SameText(name.substr(0, prefix.size()), prefix)) return false;
  if (name.size() == prefix.size()) return true;
  const char next = name[prefix.size()];
  if (next < 'a' || next > 'z') return true;
  return std::none_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

}  // namespace

bool HoldsMembers(std::string_view delphi_class) {
  constexpr std::array<std::string_view, 5> kHolders = {kPanel, "TGroupBox", "TTabSheet", "TPageControl", "TDBGrid"};
  return std::find(kHolders.begin(), kHolders.end(), delphi_class) != kHolders.end();
}

ClassChoice ChooseDelphiClass(std::string_view fox_class, std::string_view name,
                              std::string_view container_fox_class, std::string_view container_delphi_class,
                              bool holds_objects, const Lists& lists) {
  if (SameText(container_delphi_class, "TPageControl")) return {"TTabSheet", "Page"};
  if (SameText(container_delphi_class, "TDBGrid")) return {std::string(kColumnMarker), "Column"};
  if (std::string mapped = MappedClass(fox_class, lists); !mapped.empty())
    return {std::move(mapped), std::string(fox_class)};
  if (SameText(container_fox_class, "CommandGroup")) return {"TButton", "CommandButton"};
  if (SameText(container_fox_class, "OptionGroup")) return {"TRadioButton", "OptionButton"};
  if (!fox_class.empty()) return {std::string(kPanel), std::string(fox_class)};
  for (const Prefix& prefix : kPrefixes) {
    if (!HasPrefix(name, prefix.prefix)) continue;
    std::string mapped = MappedClass(prefix.fox_class, lists);
    if (holds_objects && !HoldsMembers(mapped)) continue;
    return {std::move(mapped), std::string(prefix.fox_class)};
  }
  return {std::string(kPanel), {}};
}

}  // namespace quorvex
