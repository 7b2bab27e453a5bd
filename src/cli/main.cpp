// quorvex-convert: the command-line front end. Everything but the process
// (signals, the real streams) lives in RunCommandLine.

#include <atomic>
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

#ifdef _WIN32
#include <io.h>
#define QUORVEX_ISATTY _isatty
#define QUORVEX_STDERR_FD 2
#else
#include <unistd.h>
#define QUORVEX_ISATTY isatty
#define QUORVEX_STDERR_FD STDERR_FILENO
#endif

namespace {

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the Ctrl+C flag is set from a signal handler");

// The first Ctrl+C asks the run to cancel (it then ends at its next progress
// report, leaving no half-written file); a second one ends the process.
extern "C" void OnInterrupt(int) {
  g_interrupted = true;
  std::signal(SIGINT, SIG_DFL);
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::signal(SIGINT, OnInterrupt);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const quorvex::CommandStreams streams{std::cout, std::cerr, QUORVEX_ISATTY(QUORVEX_STDERR_FD) != 0,
                                        g_interrupted};
  const int status = quorvex::RunCommandLine(args, streams);
  std::cout.flush();
  return status;
}
