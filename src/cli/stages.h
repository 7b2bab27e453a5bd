#pragma once
// --stage: one intermediate of one input printed on a stream.

#include <ostream>

#include "cli/cli_options.h"

namespace quorvex {

// Prints options.stage of options.inputs[0], read as options.from. Returns the
// exit status: 0, 1 when the table (or a memo of the records stage) cannot be
// read, 3 when a step that a run would pass over failed (what was produced is
// printed and the message goes to `err`).
int RunStage(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quorvex
