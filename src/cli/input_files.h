#pragma once
// The inputs of a run as the user named them, turned into the files to convert.

#include <string>
#include <vector>

namespace quorvex {

// Each input made absolute. A folder stands for its .scx files (extension in
// any letter case), sorted by path, with `recursive` those of its subfolders
// too; any other input is kept as a file, even one that does not exist (the
// run then reports it). Throws quorvex::Exception when a folder cannot be read.
std::vector<std::string> ExpandInputs(const std::vector<std::string>& inputs, bool recursive);

// Where a run writes when no output directory is given: the first input's
// folder, its name without extension and a path delimiter (/forms/main.scx
// gives /forms/main/).
std::string ProposedOutputDirectory(const std::string& first_input);

}  // namespace quorvex
