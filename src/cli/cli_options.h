#pragma once
// The command line of quorvex-convert, parsed.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quorvex {

struct CliOptions {
  std::vector<std::string> inputs;
  std::string output_directory;  // empty: the proposal next to the first input
  std::string stage;             // empty: convert; else records, tree, objtext, rawdfm, pas, dfm
  std::string from = "scx";      // scx, objtext or dfm
  std::optional<int> code_page;
  std::string report_json;  // empty: no JSON report
  std::vector<std::string> library_folders;  // -L, in the order given
  std::string project;                       // --project: empty for none (a .pjx input names one)
  bool keep_going = false;
  bool recursive = false;
  bool quiet = false;
  bool loadable = false;
  int jobs = 1;
};

// What parsing decided: run with the options, or exit at once with a status
// (help and version print to `out` and give 0, usage errors print to `err`
// and give 2).
struct ParsedCommandLine {
  std::optional<CliOptions> options;
  int exit_status = 0;
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorvex
