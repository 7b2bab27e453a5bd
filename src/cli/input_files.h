#pragma once
// The inputs of a run as the user named them, turned into the forms to convert
// and the output subfolder of each.

#include <optional>
#include <string>
#include <vector>

#include "run/conversion_run.h"
#include "run/project_file.h"

namespace quorvex {

// Each input made absolute. A folder stands for its .scx files (extension in
// any letter case), sorted by path; with `recursive`, those of its subfolders
// too, each going to the same subfolder of the output directory as it has
// under the folder given. A project file (.pjx, letter case aside) stands for
// the forms it lists (ProjectRunInputs); the first one names the project,
// its main form the one the program starts with. Any other input is kept as
// a file, even one that does not exist (the run then reports it), with no
// subfolder. Throws quorvex::Exception when a folder cannot be read, and the
// table layer's exceptions (ETableError, EDatabaseError) for a project file
// that cannot be read.
ExpandedInputs ExpandInputs(const std::vector<std::string>& inputs, bool recursive);

// Two inputs that would write the same output files, and the .dfm they share.
struct OutputClash {
  std::string first_input;
  std::string second_input;
  std::string output;
};

// The first pair of inputs (in input order) whose forms would be saved under
// the same name in the same folder of `output_directory`: the same file named
// twice, or forms of the same name from different folders. Names are compared
// exactly, as the file system does. With `loadable`, the names are the units'
// (UnitNameOf), which different input names may share ("a b" and "a_b").
// Forms a project lists that are missing write nothing and clash with none.
std::optional<OutputClash> FindOutputClash(const std::vector<RunInput>& inputs, const std::string& output_directory,
                                           bool loadable = false);

// Where a run writes when no output directory is given: the first input's
// folder, its name without extension and a path delimiter (/forms/main.scx
// gives /forms/main/).
std::string ProposedOutputDirectory(const std::string& first_input);

}  // namespace quorvex
