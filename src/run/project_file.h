#pragma once
// FoxPro project files (.pjx with its .pjt memo file): a table with one record
// per file of an application. NAME (a memo) is the file's path relative to
// the project file's folder, "\" between components, in any letter case,
// ended by a NUL byte; TYPE says what the file is ("K" a form, "V" a class
// library, "d" a database, "D" a free table, "H" the project's own header
// record); MAINPROG marks the file that
// starts the application. The header record's NAME and HOMEDIR are paths on
// the author's machine and are never followed.

#include <optional>
#include <string>
#include <vector>

#include "run/conversion_run.h"
#include "table/file_system.h"

namespace quorvex {

struct ProjectForm {
  std::string listed;  // NAME without its NUL ("forms\main.scx")
  std::string path;    // the file found on disk; "" when it is missing
  bool main = false;   // MAINPROG
};

struct FoxProject {
  std::string path;                    // the project file
  std::string name;                    // its name without folder and extension
  std::vector<ProjectForm> forms;      // TYPE K, in the order listed
  std::vector<std::string> libraries;  // TYPE V, those found on disk
  std::vector<ProjectDataFile> data;   // TYPE d and D, in the order listed
};

// Reads the project file at `path`. A listed path is followed from the
// project's folder with every component matched without regard to case; a
// rooted path (written on another machine) is looked for by its file name in
// that folder. Throws what the table layer throws for a file it cannot read
// (ETableError, EDatabaseError).
FoxProject ReadFoxProject(FileSystem& files, const std::string& path);

// Where a file a project (or a file of it) lists is on disk, or "": `listed`
// followed from `folder` without regard to letter case; a rooted path
// (written on another machine) looked for by its file name in `folder`.
std::string FindListedFile(FileSystem& files, const std::string& folder, const std::string& listed);

// The project's forms as a run's inputs, in the order listed, each going to
// the subfolder of the output directory it has under the project's folder
// (a folder above it, "..", becomes "_up"). A missing form is an input whose
// missing_from names the project.
std::vector<RunInput> ProjectRunInputs(const FoxProject& project);

// What a run's inputs stand for: the forms, and what project files add.
struct ExpandedInputs {
  std::vector<RunInput> forms;
  std::vector<std::string> library_files;  // the class libraries project files list
  std::optional<ProjectOutput> project;    // named after the first project file
};

// Adds `project` to `inputs`: its forms (ProjectRunInputs) and libraries, and,
// when it is the first project added, the project output named after it, the
// program starting with its main form.
void AddProject(const FoxProject& project, ExpandedInputs& inputs);

}  // namespace quorvex
