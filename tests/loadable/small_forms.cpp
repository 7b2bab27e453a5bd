#include "loadable/small_forms.h"

#include <algorithm>

#include "table/memory_file_system.h"
#include "table/table_dataset.h"

namespace quorvex::testing {

namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace

std::vector<ConvertedForm> ConvertTables(const fixtures::TableFiles& built, const std::string& scx_path,
                                          LoadableOptions options, std::vector<std::string>* notes) {
  MemoryFileSystem files;
  built.AddTo(files, scx_path, scx_path.substr(0, scx_path.size() - 3) + "sct");
  TableDataSet dataset("TableDataSet1", files);
  dataset.SetTableName(scx_path);
  dataset.Open();
  LoadableConversion conversion(scx_path, std::move(options));
  conversion.ReadRecords(dataset);
  conversion.Generate();
  if (notes != nullptr) *notes = conversion.Notes();
  std::vector<ConvertedForm> forms;
  for (const LoadableOutput& output : conversion.Outputs())
    forms.push_back({output, SplitLines(output.dfm_text), SplitLines(output.pas_text)});
  return forms;
}

ConvertedForm ConvertForm(std::initializer_list<fixtures::ScxRecord> objects,
                           std::initializer_list<std::string> form_lines) {
  std::vector<std::string> lines(form_lines);
  lines.push_back("Name = \"Form1\"");
  fixtures::ScxWriter form;
  form.AddVersionComment().Add({.objname = "Form1", .baseclass = "form", .properties = Joined(lines)});
  for (const auto& object : objects) form.Add(object);
  return ConvertTables(form.Build(), "/f/look.scx").front();
}

// A record as FoxPro writes it: the object's own lines, its Name, then the
// lines of its members ("cmdGo.Left = 10").
fixtures::ScxRecord Object(std::string name, std::string base_class, std::vector<std::string> lines,
                           std::string parent) {
  const auto members = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find('.') < line.find('=');
  });
  lines.insert(members, "Name = \"" + name + "\"");
  return {.objname = name, .parent = parent, .baseclass = base_class, .properties = Joined(lines)};
}

// The settings of component `name` in the .dfm, in their order, blanks cut.
std::vector<std::string> SettingsOf(const ConvertedForm& form, const std::string& name) {
  std::vector<std::string> settings;
  bool inside = false;
  std::size_t depth = 0;
  for (const std::string& line : form.dfm) {
    const std::size_t indent = line.find_first_not_of(' ');
    const std::string text = line.substr(indent);
    if (!inside) {
      inside = text.starts_with("object " + name + ":");
      depth = indent;
    } else if (indent <= depth || text.starts_with("object ")) {
      break;
    } else {
      settings.push_back(text);
    }
  }
  return settings;
}

}  // namespace quorvex::testing
