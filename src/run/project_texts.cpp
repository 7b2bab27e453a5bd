#include "run/project_texts.h"

#include <algorithm>

#include "base/ascii.h"
#include "model/pascal_names.h"
#include "translate/pascal_expression.h"

namespace quorvex {

namespace {

// "  U0001_main in 'sub/U0001_main.pas' {Form1}," with `separator` between
// folders, the last unit ending in ";" instead of ",".
TextList UsesEntries(const ProjectTexts& project, char separator) {
  TextList entries;
  for (const auto& [unit, unit_path] : {std::pair{"FoxRuntime", &project.runtime_path},
                                        std::pair{"FoxData", &project.data_path}}) {
    if (unit_path->empty()) continue;
    std::string path = *unit_path;
    std::replace(path.begin(), path.end(), '/', separator);
    entries.push_back("  " + std::string(unit) + " in '" + path + "',");
  }
  for (const ProjectUnit& unit : project.units) {
    std::string path = unit.relative_path;
    std::replace(path.begin(), path.end(), '/', separator);
    entries.push_back("  " + unit.unit_name + " in '" + path + "' {" + unit.form_variable + "},");
  }
  entries.back().back() = ';';
  return entries;
}

// Creating the main form, its variable named with its unit: other units may
// have a variable of the same name.
std::string CreateMainForm(const ProjectTexts& project) {
  const ProjectUnit& main = project.units.at(project.main_unit);
  return "  Application.CreateForm(" + main.form_class + ", " + main.unit_name + "." + main.form_variable + ");";
}

// Before the first form: the application's database opened, under the names
// its tables have there.
TextList OpenTheDatabase(const ProjectTexts& project) {
  if (project.database.empty()) return {};
  TextList lines;
  for (const RenamedTable& renamed : project.renamed_tables)
    lines.push_back("  NameTable(" + PascalString(renamed.unit_name) + ", " + PascalString(renamed.wanted) + ", " +
                    PascalString(renamed.table) + ");");
  lines.push_back("  OpenDatabase(" + PascalString(project.database) + ");");
  return lines;
}

std::string XmlText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// The folders of the units, each once, for the compiler's unit path.
std::string UnitFolders(const ProjectTexts& project) {
  std::vector<std::string> folders;
  for (const ProjectUnit& unit : project.units) {
    const std::size_t slash = unit.relative_path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : unit.relative_path.substr(0, slash);
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
  }
  std::string joined;
  for (const std::string& folder : folders) joined += (joined.empty() ? "" : ";") + folder;
  return joined;
}

}  // namespace

std::string ProgramIdentifier(const std::string& name, const std::vector<ProjectUnit>& units) {
  std::string program = PascalIdentifier(name, 'P');
  const auto taken = [&](const std::string& candidate) {
    return std::any_of(units.begin(), units.end(),
                       [&](const ProjectUnit& unit) { return SameText(unit.unit_name, candidate); });
  };
  if (taken(program)) program += "_program";
  while (taken(program)) program += "_";
  return program;
}

TextList LazarusProgram(const ProjectTexts& project) {
  TextList text = {"program " + project.program + ";", "", "{$MODE DELPHI}{$H+}", "", "uses",
                   "  {$IFDEF UNIX}cthreads,{$ENDIF}", "  Interfaces, Forms,"};
  const TextList uses = UsesEntries(project, '/');
  text.insert(text.end(), uses.begin(), uses.end());
  text.insert(text.end(), {"", "begin", "  RequireDerivedFormResource := True;", "  Application.Scaled := True;",
                           "  Application.Initialize;"});
  const TextList database = OpenTheDatabase(project);
  text.insert(text.end(), database.begin(), database.end());
  text.insert(text.end(), {CreateMainForm(project), "  Application.Run;", "end."});
  return text;
}

TextList DelphiProgram(const ProjectTexts& project) {
  TextList text = {"program " + project.program + ";", "", "uses", "  Forms,"};
  const TextList uses = UsesEntries(project, '\\');
  text.insert(text.end(), uses.begin(), uses.end());
  text.insert(text.end(), {"", "begin", "  Application.Initialize;"});
  const TextList database = OpenTheDatabase(project);
  text.insert(text.end(), database.begin(), database.end());
  text.insert(text.end(), {CreateMainForm(project), "  Application.Run;", "end."});
  return text;
}

TextList LazarusProjectFile(const ProjectTexts& project) {
  TextList text = {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                   "<CONFIG>",
                   "  <ProjectOptions>",
                   "    <Version Value=\"12\"/>",
                   "    <General>",
                   "      <Flags>",
                   "        <MainUnitHasCreateFormStatements Value=\"True\"/>",
                   "      </Flags>",
                   "      <SessionStorage Value=\"InProjectDir\"/>",
                   "      <Title Value=\"" + XmlText(project.program) + "\"/>",
                   "      <Scaled Value=\"True\"/>",
                   "    </General>",
                   "    <BuildModes>",
                   "      <Item Name=\"Default\" Default=\"True\"/>",
                   "    </BuildModes>",
                   "    <RequiredPackages>",
                   "      <Item>",
                   "        <PackageName Value=\"LCL\"/>",
                   "      </Item>",
                   "    </RequiredPackages>",
                   "    <Units>",
                   "      <Unit>",
                   "        <Filename Value=\"" + XmlText(project.program) + ".lpr\"/>",
                   "        <IsPartOfProject Value=\"True\"/>",
                   "      </Unit>"};
  for (const ProjectUnit& unit : project.units) {
    text.insert(text.end(), {"      <Unit>", "        <Filename Value=\"" + XmlText(unit.relative_path) + "\"/>",
                             "        <IsPartOfProject Value=\"True\"/>",
                             "        <ComponentName Value=\"" + XmlText(unit.form_variable) + "\"/>",
                             "        <HasResources Value=\"True\"/>", "        <ResourceBaseClass Value=\"Form\"/>",
                             "      </Unit>"});
  }
  for (const std::string* path : {&project.runtime_path, &project.data_path}) {
    if (path->empty()) continue;
    text.insert(text.end(), {"      <Unit>", "        <Filename Value=\"" + XmlText(*path) + "\"/>",
                             "        <IsPartOfProject Value=\"True\"/>", "      </Unit>"});
  }
  text.insert(text.end(), {"    </Units>",
                           "  </ProjectOptions>",
                           "  <CompilerOptions>",
                           "    <Version Value=\"11\"/>",
                           "    <Target>",
                           "      <Filename Value=\"" + XmlText(project.program) + "\"/>",
                           "    </Target>",
                           "    <SearchPaths>",
                           "      <OtherUnitFiles Value=\"" + XmlText(UnitFolders(project)) + "\"/>",
                           "      <UnitOutputDirectory Value=\"lib/$(TargetCPU)-$(TargetOS)\"/>",
                           "    </SearchPaths>",
                           "    <Parsing>",
                           "      <SyntaxOptions>",
                           "        <SyntaxMode Value=\"Delphi\"/>",
                           "      </SyntaxOptions>",
                           "    </Parsing>",
                           "  </CompilerOptions>",
                           "</CONFIG>"});
  return text;
}

}  // namespace quorvex
