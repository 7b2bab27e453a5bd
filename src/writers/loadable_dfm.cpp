#include "writers/loadable_text.h"

#include <string>
#include <string_view>

namespace quorvex {

namespace {

std::string Indent(int level) { return std::string(static_cast<std::size_t>(level) * 2, ' '); }

// A value of several lines (a list of strings) goes on with its lines one
// level further in, as Delphi's form designer writes them.
void WriteSettings(const std::vector<DfmSetting>& settings, int level, TextList& out) {
  for (const DfmSetting& setting : settings) {
    std::string_view value = setting.value;
    std::size_t newline = value.find('\n');
    out.push_back(Indent(level) + setting.name + " = " + std::string(value.substr(0, newline)));
    while (newline != std::string_view::npos) {
      value.remove_prefix(newline + 1);
      newline = value.find('\n');
      out.push_back(Indent(level + 1) + std::string(value.substr(0, newline)));
    }
  }
}

void WriteColumns(const std::vector<GridColumn>& columns, int level, TextList& out) {
  if (columns.empty()) return;
  out.push_back(Indent(level) + "Columns = <");
  for (std::size_t i = 0; i < columns.size(); ++i) {
    out.push_back(Indent(level + 1) + "item");
    WriteSettings(columns[i].settings, level + 2, out);
    out.push_back(Indent(level + 1) + (i + 1 == columns.size() ? "end>" : "end"));
  }
}

void WriteComponent(const Component& component, int level, TextList& out) {
  out.push_back(Indent(level) + "object " + component.identifier + ": " + component.delphi_class);
  WriteSettings(component.settings, level + 1, out);
  WriteColumns(component.columns, level + 1, out);
  for (const Component& child : component.children) WriteComponent(child, level + 1, out);
  out.push_back(Indent(level) + "end");
}

}  // namespace

TextList WriteLoadableDfm(const LoadableForm& form) {
  TextList out;
  WriteComponent(form.root, 0, out);
  return out;
}

}  // namespace quorvex
