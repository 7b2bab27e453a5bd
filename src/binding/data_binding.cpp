#include "binding/data_binding.h"

#include <algorithm>
#include <initializer_list>

#include "base/ascii.h"
#include "binding/control_source.h"
#include "vocabulary/lists.h"

namespace quorvex {

namespace {

struct DataAware {
  std::string_view plain;
  std::string_view bound;
};
constexpr DataAware kDataAware[] = {
    {"TEdit", "TDBEdit"},         {"TMemo", "TDBMemo"},   {"TCheckBox", "TDBCheckBox"},
    {"TComboBox", "TDBComboBox"}, {"TListBox", "TDBListBox"}, {"TSpinEdit", "TDBEdit"},
    {"TGroupBox", "TDBRadioGroup"},
};

bool SetsProperty(const std::string& line, std::string_view property) {
  return SameText(TrimBlanks(NamePart(line)), property);
}

TextList LinesSetting(const TextList& stored, std::initializer_list<std::string_view> properties) {
  TextList lines;
  std::copy_if(stored.begin(), stored.end(), std::back_inserter(lines), [&](const std::string& line) {
    return std::any_of(properties.begin(), properties.end(),
                       [&](std::string_view property) { return SetsProperty(line, property); });
  });
  return lines;
}

DataLink LinkGrid(const TextList& stored, DataLink link) {
  const std::optional<std::string> source = StoredValue(stored, "RecordSource");
  if (!source) return link;
  const std::optional<std::string> alias =
      AliasOfRecordSource(*source, StoredValue(stored, "RecordSourceType").value_or(""));
  if (!alias) return link;
  link.alias = *alias;
  link.carried = LinesSetting(stored, {"RecordSource", "RecordSourceType"});
  return link;
}

}  // namespace

std::string_view DataAwareClass(std::string_view delphi_class) {
  const auto aware = std::find_if(std::begin(kDataAware), std::end(kDataAware),
                                  [&](const DataAware& pair) { return pair.plain == delphi_class; });
  return aware == std::end(kDataAware) ? std::string_view() : aware->bound;
}

DataLink LinkToData(const TextList& stored, std::string_view delphi_class, std::string_view fox_class,
                    const DataEnvironment& environment) {
  DataLink link{std::string(delphi_class), {}, {}, {}};
  if (delphi_class == "TDBGrid") return LinkGrid(stored, std::move(link));
  // A group box is an option group's or a command group's, which holds no data.
  const bool option_group = delphi_class == "TGroupBox";
  const std::string_view aware = DataAwareClass(delphi_class);
  if (aware.empty() || (option_group && !SameText(fox_class, "optiongroup"))) return link;
  const std::optional<std::string> source = StoredValue(stored, "ControlSource");
  const std::optional<FieldReference> field =
      source ? FieldOfControlSource(*source, environment.BareNameAlias()) : std::nullopt;
  if (!field) return link;
  link.alias = field->alias;
  link.field = field->field;
  // An option group's Value chooses its button until the group is known to
  // become a radio group.
  if (option_group) {
    link.carried = LinesSetting(stored, {"ControlSource"});
    return link;
  }
  link.delphi_class = aware;
  link.carried = LinesSetting(stored, {"ControlSource", "Value"});
  return link;
}

TextList WithoutCarried(TextList lines, const TextList& carried) {
  if (carried.empty()) return lines;
  std::erase_if(lines, [&](const std::string& line) {
    return std::any_of(carried.begin(), carried.end(), [&](const std::string& taken) {
      return SetsProperty(line, TrimBlanks(NamePart(taken)));
    });
  });
  return lines;
}

ColumnLink LinkColumn(const TextList& stored, std::string_view grid_alias) {
  ColumnLink link{{}, stored};
  const std::optional<std::string> source = StoredValue(stored, "ControlSource");
  const std::optional<FieldReference> field = source ? FieldOfControlSource(*source, grid_alias) : std::nullopt;
  if (!field) return link;
  link.field = field->field;
  if (SameText(field->alias, grid_alias)) link.lines = WithoutCarried(stored, LinesSetting(stored, {"ControlSource"}));
  return link;
}

}  // namespace quorvex
