#pragma once
// quorvex-convert without its process: arguments in, streams and status out.

#include <atomic>
#include <ostream>
#include <string>
#include <vector>

namespace quorvex {

struct CommandStreams {
  std::ostream& out;                   // report lines, stage output
  std::ostream& err;                   // messages, progress display
  bool err_is_terminal = false;        // show the progress display on `err`
  const std::atomic<bool>& interrupted;  // set by Ctrl+C: cancel the run
};

// Runs the command line `args` (without the program name). Returns the exit
// status: 0 done, 3 done with warnings, 1 run ended by a failure, 2 usage.
int RunCommandLine(const std::vector<std::string>& args, const CommandStreams& streams);

}  // namespace quorvex
