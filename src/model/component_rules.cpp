#include "model/component_rules.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "base/ascii.h"
#include "base/text_encoding.h"
#include "model/rule_lines.h"
#include "model/runtime_settings.h"
#include "model/setting_conversion.h"

namespace quorvex {

namespace {

// Delphi's default Options of a TDBGrid, in its own order.
constexpr std::string_view kGridOptions[] = {"dgEditing", "dgTitles",          "dgIndicator",
                                             "dgColumnResize", "dgColLines", "dgRowLines",
                                             "dgTabs",    "dgConfirmDelete",   "dgCancelOnExit"};

std::optional<long> WholeNumber(std::string_view value) {
  long number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error != std::errc()) return std::nullopt;
  // "2.00": FoxPro stores numbers with the decimals they were typed with.
  std::string_view rest(end, static_cast<std::size_t>(value.data() + value.size() - end));
  if (rest.starts_with('.')) rest.remove_prefix(1);
  if (!std::all_of(rest.begin(), rest.end(), [](char c) { return c == '0'; })) return std::nullopt;
  return number;
}

bool IsTrue(std::string_view value) { return SameText(value, ".T.") || WholeNumber(value) == 1; }
bool IsFalse(std::string_view value) { return SameText(value, ".F.") || WholeNumber(value) == 0; }

std::vector<Component*> ChildrenOf(Component& component, std::string_view delphi_class) {
  std::vector<Component*> found;
  for (Component& child : component.children) {
    if (child.delphi_class == delphi_class) found.push_back(&child);
  }
  return found;
}

class RuleCarrier {
 public:
  RuleCarrier(LoadableForm& form, const FoxDefaults& defaults) : form_(form), defaults_(defaults) {}

  void CarryForm();
  // `component`'s own rules, then its children's; what is left is kept.
  void CarryTree(Component& component);

 private:
  // The stored value, else FoxPro's default for the component's class.
  std::optional<std::string> ValueOf(const Component& component, std::string_view property) const;

  static void Movable(Component& form);
  static void PageFrameLook(Component& frame);
  static void ScrollBars(Component& form);
  void CheckBox(Component& box) const;
  void OptionButton(Component& option) const;
  void OptionGroup(Component& group) const;
  void ValueList(Component& list) const;
  void ChosenItem(Component& combo, const std::vector<std::string>& items) const;
  void Pages(Component& frame) const;
  void Grid(Component& grid) const;

  LoadableForm& form_;
  const FoxDefaults& defaults_;
};

std::optional<std::string> RuleCarrier::ValueOf(const Component& component, std::string_view property) const {
  if (std::optional<std::string> value = Stored(component, property)) return value;
  const FoxDefaults::Rows* rows = defaults_.Find(component.fox_class);
  if (rows == nullptr) return std::nullopt;
  const auto row = rows->find(std::string(property));
  return row == rows->end() ? std::nullopt : std::optional<std::string>(row->second);
}

// The title bar's buttons: FoxPro's ControlBox takes them all away; the
// close button alone cannot go (Windows and the LCL's widget sets remove it
// only with the system menu), so FoxRuntime keeps a form that is not Closable
// but keeps its control box from being closed by the user.
void RuleCarrier::CarryForm() {
  Component& form = form_.root;
  const bool control_box = !IsFalse(ValueOf(form, "ControlBox").value_or(".T."));
  std::string icons;
  if (control_box) {
    icons = "biSystemMenu";
    if (!IsFalse(ValueOf(form, "MinButton").value_or(".T."))) icons += ", biMinimize";
    if (!IsFalse(ValueOf(form, "MaxButton").value_or(".T."))) icons += ", biMaximize";
  }
  if (icons != "biSystemMenu, biMinimize, biMaximize") PutSetting(form.settings, {"BorderIcons", "[" + icons + "]"});
  for (const std::string_view property : {"ControlBox", "MinButton", "MaxButton"}) Carry(form, property);
  const std::string closable = ValueOf(form, "Closable").value_or(".T.");
  if (control_box && IsFalse(closable)) form.runtime_settings.push_back({"FoxClosable", "False"});
  if (!control_box || IsTrue(closable) || IsFalse(closable)) Carry(form, "Closable");
  Movable(form);
  ScrollBars(form);
  const std::optional<std::string> window_type = Stored(form, "WindowType");
  if (window_type && (IsFalse(*window_type) || IsTrue(*window_type))) {
    form_.modal = IsTrue(*window_type);
    Carry(form, "WindowType");
  }
}

// A form without a title bar cannot be dragged in Delphi and the LCL either;
// one with a title bar can, and neither has a property that stops it.
void RuleCarrier::Movable(Component& form) {
  const std::optional<std::string> movable = Stored(form, "Movable");
  const std::string* border = FindSetting(form.settings, "BorderStyle");
  if (movable && (IsTrue(*movable) || (IsFalse(*movable) && border != nullptr && *border == "bsNone")))
    Carry(form, "Movable");
}

// Scroll bars in one direction only (1 across, 2 down): the form scrolls (its
// row made AutoScroll of the line, where it stands) and the other
// direction's bar is never shown. The form's stored lines tell the value.
void RuleCarrier::ScrollBars(Component& form) {
  const std::optional<std::string> scroll_bars = Stored(form.stored, "ScrollBars");
  const std::optional<long> direction = scroll_bars ? WholeNumber(*scroll_bars) : std::nullopt;
  if (direction == 1 || direction == 2)
    PutSetting(form.settings, {direction == 1 ? "VertScrollBar.Visible" : "HorzScrollBar.Visible", "False"});
}

// A count of members (PageCount, ButtonCount) says what the members already
// show when it equals their number; otherwise FoxPro made members the form
// has no record of, and the line stays a comment.
void MemberCount(Component& component, std::string_view property) {
  const std::optional<std::string> count = Stored(component, property);
  if (count && WholeNumber(*count) == static_cast<long>(component.children.size())) Carry(component, property);
}

void RuleCarrier::CarryTree(Component& component) {
  const std::string& type = component.delphi_class;
  if (type == "TPageControl") MemberCount(component, "PageCount");
  if (type == "TGroupBox") MemberCount(component, "ButtonCount");
  if (type == "TCheckBox") CheckBox(component);
  if (type == "TRadioButton") OptionButton(component);
  if (type == "TGroupBox" && !ChildrenOf(component, "TRadioButton").empty()) OptionGroup(component);
  if (type == "TComboBox" || type == "TListBox" || type == "TDBComboBox" || type == "TDBListBox")
    ValueList(component);
  if (type == "TPageControl") {
    Pages(component);
    PageFrameLook(component);
  }
  if (type == "TDBGrid") Grid(component);
  CarryRuntimeSettings(component);
  for (std::string& line : component.rule_lines) component.kept.push_back({{}, std::move(line)});
  component.rule_lines.clear();
  for (Component& child : component.children) CarryTree(child);
}

// FoxPro's check box is 0 (or .F.) off, 1 (or .T.) on, and 2 (or .NULL.)
// neither, drawn grey: Delphi's AllowGrayed box in its third state.
void RuleCarrier::CheckBox(Component& box) const {
  const std::optional<std::string> value = Stored(box, "Value");
  if (!value) return;
  if (IsTrue(*value)) {
    PutSetting(box.settings, {"Checked", "True"});
  } else if (WholeNumber(*value) == 2 || SameText(*value, ".NULL.")) {
    PutSetting(box.settings, {"AllowGrayed", "True"});
    PutSetting(box.settings, {"State", "cbGrayed"});
  } else if (!IsFalse(*value)) {
    return;
  }
  Carry(box, "Value");
}

void RuleCarrier::OptionButton(Component& option) const {
  const std::optional<std::string> value = Stored(option, "Value");
  if (!value || (!IsTrue(*value) && !IsFalse(*value))) return;
  if (IsTrue(*value)) PutSetting(option.settings, {"Checked", "True"});
  Carry(option, "Value");
}

// The group's Value numbers its options from 1 (0 chooses none). Where the
// group stores none, an option that stores Value = 1 is the one chosen (its
// own rule marks it), and failing that the group's default.
void RuleCarrier::OptionGroup(Component& group) const {
  const std::vector<Component*> options = ChildrenOf(group, "TRadioButton");
  const bool option_chosen = std::any_of(options.begin(), options.end(), [](const Component* option) {
    const std::optional<std::string> value = Stored(*option, "Value");
    return value && IsTrue(*value);
  });
  const std::optional<std::string> stored = Stored(group, "Value");
  if (!stored && option_chosen) return;
  const std::optional<long> chosen = WholeNumber(ValueOf(group, "Value").value_or("1"));
  if (!chosen || *chosen < 0 || *chosen > static_cast<long>(options.size())) return;
  for (Component* option : options) Carry(*option, "Value");
  if (*chosen > 0) PutSetting(options[static_cast<std::size_t>(*chosen - 1)]->settings, {"Checked", "True"});
  Carry(group, "Value");
}

// A value list (RowSourceType 1) names its items, comma-separated, row by
// row; with several columns only the first column of each row is an item
// (the text FoxPro shows in the box) and the RowSource and ColumnCount lines
// stay as comments for the rest. Other row sources are data, not items.
void RuleCarrier::ValueList(Component& list) const {
  const std::optional<long> source_type = WholeNumber(ValueOf(list, "RowSourceType").value_or("0"));
  if (source_type == 0) Carry(list, "RowSourceType");
  std::vector<std::string> items;
  const std::optional<std::string> row_source = Stored(list, "RowSource");
  const std::optional<std::string> text = row_source ? CharacterValue(*row_source) : std::string();
  if (source_type == 1 && text) {
    const long columns = std::max(1L, WholeNumber(ValueOf(list, "ColumnCount").value_or("0")).value_or(1));
    std::vector<std::string_view> fields;
    for (std::string_view rest = *text; !text->empty();) {
      const std::size_t comma = rest.find(',');
      fields.push_back(rest.substr(0, comma));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    for (std::size_t i = 0; i < fields.size(); i += static_cast<std::size_t>(columns)) items.emplace_back(fields[i]);
    if (!items.empty()) {
      std::string value = "(";
      for (const std::string& item : items) value += "\n" + DfmStringLiteral(DecodeText(item, form_.code_page));
      PutSetting(list.settings, {"Items.Strings", value + ")"});
    }
    Carry(list, "RowSourceType");
    if (columns == 1) {
      Carry(list, "RowSource");
      Carry(list, "ColumnCount");
    }
  }
  if (Stored(list, "ColumnCount") && WholeNumber(*Stored(list, "ColumnCount")).value_or(2) <= 1)
    Carry(list, "ColumnCount");
  if (list.delphi_class == "TComboBox") ChosenItem(list, items);
}

// A combo box's Value: the item of that text, else (a number) the item of
// that place, else, where the box can be typed into, its text; a drop-down
// list shows no other text.
void RuleCarrier::ChosenItem(Component& combo, const std::vector<std::string>& items) const {
  const std::optional<std::string> stored = Stored(combo, "Value");
  const std::optional<std::string> text = stored ? CharacterValue(*stored) : std::nullopt;
  if (!text) return;
  const auto item = std::find(items.begin(), items.end(), *text);
  const std::optional<long> place = WholeNumber(*text);
  if (item != items.end()) {
    PutSetting(combo.settings, {"ItemIndex", std::to_string(item - items.begin())});
  } else if (place && *place >= 1 && *place <= static_cast<long>(items.size())) {
    PutSetting(combo.settings, {"ItemIndex", std::to_string(*place - 1)});
  } else if (!place && !stored->starts_with('"') && text->empty()) {
    // An empty Value: nothing chosen, as in Delphi.
  } else if (const std::string* style = FindSetting(combo.settings, "Style");
             style != nullptr && *style == "csDropDownList") {
    // A list shows no text of its own: a Value of no item (0 for a list of
    // numbered items, "" for one of texts) chooses none, as Delphi's does.
    if (place != 0 && !text->empty()) return;
  } else {
    PutSetting(combo.settings, {"Text", DfmStringLiteral(DecodeText(*text, form_.code_page))});
  }
  Carry(combo, "Value");
}

// FoxPro's PageOrder counts from 1 and orders the tabs; Delphi orders them as
// its .dfm lists the pages. The frame opens on the page of ActivePage (in
// that order), Delphi's on the first unless told.
void RuleCarrier::Pages(Component& frame) const {
  std::vector<std::pair<long, std::size_t>> order;
  for (std::size_t i = 0; i < frame.children.size(); ++i) {
    const std::optional<std::string> page_order = Stored(frame.children[i], "PageOrder");
    const std::optional<long> place = page_order ? WholeNumber(*page_order) : std::nullopt;
    order.emplace_back(place.value_or(static_cast<long>(i) + 1), i);
    if (place) Carry(frame.children[i], "PageOrder");
  }
  std::stable_sort(order.begin(), order.end());
  std::vector<Component> pages;
  for (const auto& [place, index] : order) pages.push_back(std::move(frame.children[index]));
  frame.children = std::move(pages);
  const std::optional<long> active = WholeNumber(ValueOf(frame, "ActivePage").value_or("1"));
  if (!active || *active < 1 || *active > static_cast<long>(frame.children.size())) return;
  if (*active > 1)
    PutSetting(frame.settings, {"ActivePage", frame.children[static_cast<std::size_t>(*active - 1)].identifier});
  Carry(frame, "ActivePage");
}

// FoxPro draws the pages of a page frame with tabs as the theme does, as
// Delphi and the LCL do, whatever its SpecialEffect says: that is honoured
// only without tabs (Tabs = .F.).
void RuleCarrier::PageFrameLook(Component& frame) {
  const std::optional<std::string> tabs = Stored(frame.stored, "Tabs");
  if (!tabs || !IsFalse(*tabs)) Carry(frame, "SpecialEffect");
}

// The record selector and the lines between cells are options of Delphi's
// grid; Delphi's grid never shows FoxPro's column of delete marks, so
// turning it off is carried, and showing it is kept.
void RuleCarrier::Grid(Component& grid) const {
  std::vector<std::string_view> options(std::begin(kGridOptions), std::end(kGridOptions));
  const auto drop = [&](std::string_view option) { std::erase(options, option); };
  const std::optional<std::string> record_mark = ValueOf(grid, "RecordMark");
  if (record_mark && IsFalse(*record_mark)) drop("dgIndicator");
  if (record_mark && (IsFalse(*record_mark) || IsTrue(*record_mark))) Carry(grid, "RecordMark");
  const std::optional<long> lines = WholeNumber(ValueOf(grid, "GridLines").value_or("3"));
  if (lines && *lines >= 0 && *lines <= 3) {
    if ((*lines & 1) == 0) drop("dgRowLines");  // 1 horizontal lines, 2 vertical, 3 both
    if ((*lines & 2) == 0) drop("dgColLines");
    Carry(grid, "GridLines");
  }
  const std::optional<std::string> delete_mark = Stored(grid, "DeleteMark");
  if (delete_mark && IsFalse(*delete_mark)) Carry(grid, "DeleteMark");
  if (options.size() == std::size(kGridOptions)) return;
  std::string value;
  for (const std::string_view option : options) value += (value.empty() ? "" : ", ") + std::string(option);
  PutSetting(grid.settings, {"Options", "[" + value + "]"});
}

}  // namespace

void CarryComponentRules(LoadableForm& form, const FoxDefaults& defaults) {
  RuleCarrier carrier(form, defaults);
  carrier.CarryForm();
  carrier.CarryTree(form.root);
}

}  // namespace quorvex
