// The project files a loadable run writes once its forms are written.

#include "run/conversion_run.h"
#include "run/output_file.h"
#include "run/project_texts.h"
#include "run/staged_files.h"

namespace quorvex {

namespace {

// `path` below `directory` (which ends in a delimiter), "/" between folders.
std::string RelativePath(const std::string& path, const std::string& directory) {
  std::string relative = path.starts_with(directory) ? path.substr(directory.size()) : path;
  for (char& c : relative) c = c == '\\' ? '/' : c;
  return relative;
}

}  // namespace

void ConversionRun::WriteProjectFiles() {
  ProjectTexts project;
  for (const FormResult& result : results_) {
    if (result.input == options_.project->main_input && !result.units.empty() && project.main_unit == 0)
      project.main_unit = project.units.size();
    for (const WrittenUnit& unit : result.units)
      project.units.push_back({unit.unit_name, RelativePath(unit.pas_path, output_directory_), unit.form_class,
                               unit.form_variable});
  }
  program_ = ProgramIdentifier(options_.project->name, project.units);
  if (project.units.empty()) return;
  if (!runtime_files_.empty()) project.runtime_path = RelativePath(runtime_files_.front(), output_directory_);
  project.program = program_;
  const std::string base = output_directory_ + project.program;
  const std::vector<std::string> texts = {JoinLines(LazarusProgram(project)), JoinLines(LazarusProjectFile(project)),
                                          JoinLines(DelphiProgram(project))};
  const std::vector<std::string> paths = {base + ".lpr", base + ".lpi", base + ".dpr"};
  StagedFiles staged;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    host_.AddReportLine("   Generating: " + paths[i]);
    staged.Add({paths[i], texts[i]});
  }
  staged.Commit(project_files_);
}

}  // namespace quorvex
