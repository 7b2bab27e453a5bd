// The project files a loadable run writes once its forms are written.

#include "run/conversion_run.h"
#include "run/output_file.h"
#include "run/project_texts.h"
#include "run/staged_files.h"
#include "translate/runtime_unit.h"

namespace quorvex {

namespace {

// `path` below `directory` (which ends in a delimiter), "/" between folders.
std::string RelativePath(const std::string& path, const std::string& directory) {
  std::string relative = path.starts_with(directory) ? path.substr(directory.size()) : path;
  for (char& c : relative) c = c == '\\' ? '/' : c;
  return relative;
}

// The first of the runtime units `written` that is called `unit_name`, "" when none is.
std::string RuntimeUnitPath(const std::vector<std::string>& written, std::string_view unit_name) {
  const std::string file = std::string(unit_name) + ".pas";
  for (const std::string& path : written)
    if (ExtractFileName(path) == file) return path;
  return {};
}

}  // namespace

ProjectTexts ConversionRun::ProjectUnits() {
  ProjectTexts project;
  for (const FormResult& result : results_) {
    if (result.input == options_.project->main_input && !result.units.empty() && project.main_unit == 0)
      project.main_unit = project.units.size();
    for (const WrittenUnit& unit : result.units)
      project.units.push_back({unit.unit_name, RelativePath(unit.pas_path, output_directory_), unit.form_class,
                               unit.form_variable});
  }
  program_ = ProgramIdentifier(options_.project->name, project.units);
  project.program = program_;
  return project;
}

void ConversionRun::WriteProjectFiles(ProjectTexts project) {
  if (project.units.empty()) return;
  StagedFiles staged;
  const auto relative = [&](std::string_view unit_name) {
    const std::string path = RuntimeUnitPath(runtime_files_, unit_name);
    return path.empty() ? path : RelativePath(path, output_directory_);
  };
  project.runtime_path = relative(kFoxRuntimeUnit);
  if (data_ && !data_->files.empty()) {
    project.database = program_ + ".sqlite";
    project.renamed_tables = renamed_tables_;
    project.data_path = relative(kFoxDataUnit);
    // The program opens the database even where no form opens a table.
    if (project.data_path.empty()) {
      project.data_path = std::string(kFoxDataUnit) + ".pas";
      host_.AddReportLine("   Generating: " + output_directory_ + project.data_path);
      staged.Add({output_directory_ + project.data_path, JoinLines(FoxDataUnit())});
    }
  }
  const std::string base = output_directory_ + project.program;
  const std::vector<std::string> texts = {JoinLines(LazarusProgram(project)), JoinLines(LazarusProjectFile(project)),
                                          JoinLines(DelphiProgram(project))};
  const std::vector<std::string> paths = {base + ".lpr", base + ".lpi", base + ".dpr"};
  for (std::size_t i = 0; i < paths.size(); ++i) {
    host_.AddReportLine("   Generating: " + paths[i]);
    staged.Add({paths[i], texts[i]});
  }
  staged.Commit(project_files_);
}

}  // namespace quorvex
