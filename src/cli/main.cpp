// quorvex-convert: the command-line front end. Everything but the process
// (signals, the real streams) lives in RunCommandLine.

#include <atomic>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

#ifdef _WIN32
#include <windows.h>

#include "cli/console_windows.h"
#else
#include <unistd.h>

#include <csignal>
#endif

namespace {

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the Ctrl+C flag is set from a signal handler");

#ifndef _WIN32
// The first Ctrl+C asks the run to cancel (it then ends at its next progress
// report, leaving no half-written file); a second one ends the process.
extern "C" void OnInterrupt(int) {
  g_interrupted = true;
  std::signal(SIGINT, SIG_DFL);
}
#endif

}  // namespace

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
  std::ios::sync_with_stdio(false);
#ifdef _WIN32
  // Windows has no SIGINT from a console, and its argv and narrow console
  // output know only one code page: the Windows API instead (console_windows.h).
  quorvex::CatchCtrlC(g_interrupted);
  const std::vector<std::string> args = quorvex::CommandLineArguments(GetCommandLineW());
  const quorvex::StandardStreams standard_streams;
  const bool err_is_terminal = standard_streams.ErrIsConsole();
#else
  std::signal(SIGINT, OnInterrupt);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const bool err_is_terminal = isatty(STDERR_FILENO) != 0;
#endif
  const quorvex::CommandStreams streams{std::cout, std::cerr, err_is_terminal, g_interrupted};
  const int status = quorvex::RunCommandLine(args, streams);
  std::cout.flush();
  return status;
}
