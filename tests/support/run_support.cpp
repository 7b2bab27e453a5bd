#include "support/run_support.h"

#include <algorithm>

#include "fixtures/table_writer.h"
#include "support/golden.h"

namespace quorvex::testing {

using fixtures::PropertyLines;
using fixtures::ScxWriter;

ScxWriter PlainForm(const std::string& form_name) {
  ScxWriter form;
  form.AddVersionComment()
      .Add({.objname = "Dataenvironment", .baseclass = "dataenvironment", .class_name = "dataenvironment",
            .properties = PropertyLines({"Top = 0", "Name = \"Dataenvironment\""})})
      .Add({.objname = form_name, .baseclass = "form", .class_name = "form",
            .properties = PropertyLines({"Height = 250", "Width = 375", "Caption = \"\\<Main form\"",
                                         "Name = \"" + form_name + "\""})})
      .Add({.objname = "Label1", .parent = form_name, .baseclass = "label", .class_name = "label",
            .properties = PropertyLines({"FontBold = .T.", "Caption = \"Name:\"", "Left = 10", "Name = \"Label1\""})})
      .Add({.objname = "Text1", .parent = form_name, .baseclass = "textbox", .class_name = "textbox",
            .properties = PropertyLines({"Left = 80", "TabIndex = 1", "Name = \"Text1\""})});
  return form;
}

ScxWriter FormWithUnparsableDfm() {
  ScxWriter form = PlainForm();
  form.Add({.objname = "Button1", .parent = "Form1.Container9", .baseclass = "commandbutton",
            .class_name = "commandbutton", .properties = PropertyLines({"Caption = \"OK\"", "Name = \"Button1\""})});
  return form;
}

void WriteBarLibrary(const std::filesystem::path& folder) {
  ScxWriter library;
  library.Add({.platform = "COMMENT", .uniqueid = "Class", .other = {{"RESERVED1", "VERSION =   3.00"}}})
      .Add({.objname = "bar", .baseclass = "container", .class_name = "container",
            .properties = PropertyLines({"Width = 200", "Name = \"bar\""}),
            .other = {{"RESERVED1", "Class"}, {"RESERVED2", "2"}}})
      .Add({.objname = "Okay", .parent = "bar", .baseclass = "commandbutton", .class_name = "commandbutton",
            .properties = PropertyLines({"Caption = \"OK\"", "Name = \"Okay\""})})
      .Add({.platform = "COMMENT", .objname = "bar", .uniqueid = "RESERVED"});
  library.Build().WriteTo(folder, "bars.vcx", "bars.vct");
}

ScxWriter FormUsingLibraries(const std::string& caption) {
  ScxWriter form;
  form.AddVersionComment()
      .Add({.objname = "Form1", .baseclass = "form", .class_name = "form",
            .properties = PropertyLines({"Name = \"Form1\""})})
      .Add({.objname = "Bar1", .parent = "Form1", .baseclass = "container", .class_name = "bar",
            .properties =
                PropertyLines({"Name = \"Bar1\"", "Okay.Caption = \"" + caption + "\"", "Okay.Name = \"Okay\""}),
            .classloc = "C:\\old\\libs\\BARS.VCX"})
      .Add({.objname = "Missing1", .parent = "Form1", .baseclass = "commandbutton", .class_name = "gone",
            .properties = PropertyLines({"Name = \"Missing1\""}), .classloc = "missing.vcx"})
      .Add({.objname = "Broken1", .parent = "Form1", .baseclass = "textbox", .class_name = "broken",
            .properties = PropertyLines({"Name = \"Broken1\""}), .classloc = "broken.vcx"});
  return form;
}

ScxWriter TableWithoutForm() {
  ScxWriter table;
  table.AddVersionComment().Add({.objname = "Dataenvironment", .baseclass = "dataenvironment",
                                 .properties = PropertyLines({"Name = \"Dataenvironment\""})});
  return table;
}

std::filesystem::path WriteProject(const std::filesystem::path& folder, const std::string& name,
                                   const std::vector<ProjectEntry>& entries) {
  using fixtures::RecordSpec;
  const std::string nul(1, '\0');
  std::vector<RecordSpec> records = {{{{"NAME", "C:\\APPS\\" + name + ".PJX" + nul}, {"TYPE", "H"}}}};
  for (const ProjectEntry& entry : entries)
    records.push_back({{{"NAME", entry.name + nul}, {"TYPE", entry.type}, {"MAINPROG", entry.main ? "T" : "F"}}});
  const fixtures::TableFiles files =
      fixtures::BuildTable({}, {{"NAME", 'M'}, {"TYPE", 'C', 1}, {"MAINPROG", 'L', 1}}, records);
  const std::filesystem::path file = std::filesystem::path(name).has_extension() ? name : name + ".pjx";
  return files.WriteTo(folder, file.string(), file.stem().string() + ".pjt");
}

std::filesystem::path WriteNotATable(const std::filesystem::path& folder, const std::string& name) {
  const auto path = folder / name;
  WriteFileBytes(path, "<?xml version=\"1.0\"?>\r\n<form/>\r\n");
  return path;
}

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace quorvex::testing
