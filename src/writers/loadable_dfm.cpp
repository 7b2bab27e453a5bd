#include "writers/loadable_text.h"

#include <string>
#include <string_view>

namespace quorvex {

namespace {

class DfmWriter {
 public:
  void Component(const quorvex::Component& component, int level) {
    Line(level, "object ", component.identifier, ": ", component.delphi_class);
    Settings(component.settings, level + 1);
    Columns(component.columns, level + 1);
    for (const quorvex::Component& child : component.children) Component(child, level + 1);
    Line(level, "end");
  }

  std::string Take() { return std::move(text_); }

 private:
  template <typename... Parts>
  void Line(int level, const Parts&... parts) {
    text_.append(static_cast<std::size_t>(level) * 2, ' ');
    (text_.append(parts), ...);
    text_.append("\r\n");
  }

  // A value of several lines (a list of strings) goes on with its lines one
  // level further in, as Delphi's form designer writes them.
  void Settings(const std::vector<DfmSetting>& settings, int level) {
    for (const DfmSetting& setting : settings) {
      std::string_view value = setting.value;
      std::size_t newline = value.find('\n');
      Line(level, setting.name, " = ", value.substr(0, newline));
      while (newline != std::string_view::npos) {
        value.remove_prefix(newline + 1);
        newline = value.find('\n');
        Line(level + 1, value.substr(0, newline));
      }
    }
  }

  void Columns(const std::vector<GridColumn>& columns, int level) {
    if (columns.empty()) return;
    Line(level, "Columns = <");
    for (std::size_t i = 0; i < columns.size(); ++i) {
      Line(level + 1, "item");
      Settings(columns[i].settings, level + 2);
      Line(level + 1, i + 1 == columns.size() ? "end>" : "end");
    }
  }

  std::string text_;
};

}  // namespace

std::string WriteLoadableDfm(const LoadableForm& form) {
  DfmWriter writer;
  writer.Component(form.root, 0);
  return writer.Take();
}

}  // namespace quorvex
