#pragma once
// Runs a program as a child process and measures it from outside: wall time
// and peak resident size, as the system accounts them for the finished child.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvex::bench {

struct ChildRun {
  double seconds = 0;            // from start to exit
  double cpu_seconds = 0;        // user and system time of the child
  std::uint64_t peak_bytes = 0;  // largest resident size the child reached
  int exit_status = -1;          // its exit code, -1 when it did not exit normally
};

// Runs args[0] with args (no shell), its standard output into stdout_path
// (created or truncated) and its standard error discarded, and waits for it.
// Throws std::runtime_error when it cannot be started or measured.
//
// The system counts the size of the process that starts a program into that
// program's peak, so the program is started by a fresh copy of the benchmark
// program (a few MB, whatever the benchmark itself holds): main() must hand
// its arguments to RunAsLauncher first.
ChildRun RunChild(const std::vector<std::string>& args, const std::string& stdout_path);

// User and system time this process has used so far, all its threads.
double ProcessCpuSeconds();

// True when this process was started by RunChild as the launcher; it has then
// run and measured the program, and main() returns `status`.
bool RunAsLauncher(int argc, char** argv, int& status);

}  // namespace quorvex::bench
