#pragma once
// What a run did, told after it: a one-line summary for people (stderr) and a
// JSON document for scripts (--report-json).

#include <string>
#include <vector>

#include "run/conversion_run.h"

namespace quorvex {

// The forms of a run by how they ended.
struct RunCounts {
  int forms = 0;
  int converted = 0;      // saved without a warning
  int with_warnings = 0;  // saved with warnings
  int not_opened = 0;     // table could not be opened, run went on (-k)
  int missing = 0;        // listed by a project file but not there
  int not_converted = 0;  // the form that ended the run and every form after it
};

RunCounts CountResults(const std::vector<FormResult>& results);

// What ended a run early; empty `message` when it ran to the end.
struct RunEnd {
  std::string message;
  std::string at_input;
};

// "300 forms: 240 converted, 60 with warnings; output in out/", with
// ", K not opened" when some tables could not be opened, ", K missing" when
// some forms a project lists are not there, and
// "; ended early at FILE, K not converted" before the output part when the
// run ended early (its message is on the line before).
std::string RunSummary(const std::vector<FormResult>& results, const RunEnd& end, const std::string& output_directory);

// The JSON document of docs/report-json.md; `with_notes` (the loadable mode)
// adds each form's notes, `data` (a run that wrote a project and found its
// application's data) what became of the data. 8-bit texts that are not
// UTF-8 have their invalid bytes replaced by U+FFFD, since JSON holds only
// Unicode.
std::string RunReportJson(const std::vector<FormResult>& results, const RunEnd& end,
                          const std::string& output_directory, int exit_status, bool with_notes = false,
                          const ApplicationDataResult* data = nullptr);

}  // namespace quorvex
