#include "run/project_file.h"

#include <algorithm>
#include <filesystem>

#include "base/ascii.h"
#include "base/file_path.h"
#include "classlib/library_path.h"
#include "run/output_file.h"
#include "table/table_dataset.h"

namespace quorvex {

namespace {

constexpr std::string_view kFormType = "K";
constexpr std::string_view kLibraryType = "V";
constexpr std::string_view kDatabaseType = "d";
constexpr std::string_view kTableType = "D";
constexpr std::string_view kUp = "_up";

// A memo's text up to its NUL, blanks cut.
std::string NameText(const std::string& value) {
  return std::string(TrimBlanks(std::string_view(value).substr(0, value.find('\0'))));
}

std::string FieldText(TableDataSet& table, std::string_view field) {
  Field* found = table.FindField(field);
  return found == nullptr ? std::string() : found->AsString();
}

// The folder part of a listed path as a subfolder of the output directory:
// "forms\sub\main.scx" gives "forms/sub/" ("forms\sub\" on Windows),
// "..\x.scx" gives "_up/".
std::string OutputSubfolder(std::string_view listed) {
  if (IsRootedPath(listed)) return {};
  std::string subfolder;
  for (;;) {
    const std::size_t separator = listed.find_first_of("\\/");
    if (separator == std::string_view::npos) return subfolder;
    const std::string_view part = listed.substr(0, separator);
    listed.remove_prefix(separator + 1);
    if (part.empty() || part == ".") continue;
    subfolder += (part == ".." ? kUp : part);
    subfolder += kPathDelimiter;
  }
}

// The folder of `file` below `folder` as found on disk ("forms/sub/"), or ""
// for a file elsewhere.
std::string SubfolderIn(const std::string& file, const std::string& folder) {
  const std::filesystem::path below = PathOf(file).parent_path().lexically_relative(PathOf(folder));
  if (below.empty() || below == "." || *below.begin() == "..") return {};
  return WithTrailingDelimiter(PathText(below));
}

}  // namespace

std::string FindListedFile(FileSystem& files, const std::string& folder, const std::string& listed) {
  const std::optional<std::string> found = IsRootedPath(listed)
                                               ? FindNameNoCase(files, folder, PathFileName(listed), WantedKind::kLibrary)
                                               : FollowPathNoCase(files, folder, listed);
  return found.value_or(std::string());
}

FoxProject ReadFoxProject(FileSystem& files, const std::string& path) {
  FoxProject project;
  project.path = path;
  project.name = ChangeFileExt(ExtractFileName(path), "");
  const std::string folder = FolderOf(path);
  TableDataSet table("Project", files);
  table.SetTableName(path);
  table.Open();
  for (; !table.Eof(); table.Next()) {
    const std::string type(TrimBlanks(FieldText(table, "Type")));
    const bool data = type == kDatabaseType || type == kTableType;
    if (type != kFormType && type != kLibraryType && !data) continue;
    const std::string listed = NameText(FieldText(table, "Name"));
    if (listed.empty()) continue;
    const std::string found = FindListedFile(files, folder, listed);
    if (data) {
      project.data.push_back({listed, found, type == kDatabaseType, path});
    } else if (type == kLibraryType) {
      if (!found.empty()) project.libraries.push_back(found);
    } else {
      project.forms.push_back({listed, found, FieldText(table, "MainProg") == "True"});
    }
  }
  return project;
}

std::vector<RunInput> ProjectRunInputs(const FoxProject& project) {
  std::vector<RunInput> inputs;
  for (const ProjectForm& form : project.forms) {
    RunInput input{form.path, SubfolderIn(form.path, FolderOf(project.path)), {}};
    if (input.output_subfolder.empty() || form.path.empty()) input.output_subfolder = OutputSubfolder(form.listed);
    if (form.path.empty()) {
      input.path = WithNativeDelimiters(JoinPath(FolderOf(project.path), form.listed));
      input.missing_from = project.path;
    }
    inputs.push_back(std::move(input));
  }
  return inputs;
}

void AddProject(const FoxProject& project, ExpandedInputs& inputs) {
  const std::vector<RunInput> forms = ProjectRunInputs(project);
  inputs.forms.insert(inputs.forms.end(), forms.begin(), forms.end());
  inputs.library_files.insert(inputs.library_files.end(), project.libraries.begin(), project.libraries.end());
  if (!inputs.project) {
    const auto main =
        std::find_if(project.forms.begin(), project.forms.end(), [](const ProjectForm& form) { return form.main; });
    inputs.project = ProjectOutput{project.name, main != project.forms.end() ? main->path : std::string()};
  }
  inputs.project->data.insert(inputs.project->data.end(), project.data.begin(), project.data.end());
}

}  // namespace quorvex
