#include "child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string_view>

extern char** environ;

namespace quorvex::bench {

namespace {

constexpr std::string_view kLauncherFlag = "--quorvex-launch-and-measure";

// posix_spawn's file actions, released whatever happens.
class FileActions {
 public:
  FileActions() { posix_spawn_file_actions_init(&actions_); }
  ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
};

pid_t Spawn(const std::vector<std::string>& args, FileActions& actions) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], actions.get(), nullptr, argv.data(), environ) != 0) {
    throw std::runtime_error("cannot start " + args.front());
  }
  return pid;
}

double Seconds(const struct timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; }

int Wait(pid_t pid, struct rusage& usage) {
  int status = 0;
  while (wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) throw std::runtime_error("cannot wait for a child process");
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// In the launcher: runs the program and prints "seconds cpu_seconds peak_bytes status".
ChildRun LaunchAndMeasure(const std::vector<std::string>& args, const std::string& stdout_path) {
  FileActions actions;
  posix_spawn_file_actions_addopen(actions.get(), 1, stdout_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  posix_spawn_file_actions_addopen(actions.get(), 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = Spawn(args, actions);
  struct rusage usage {};
  ChildRun run;
  run.exit_status = Wait(pid, usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peak_bytes = static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;  // kilobytes on Linux
  run.cpu_seconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  return run;
}

}  // namespace

double ProcessCpuSeconds() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

ChildRun RunChild(const std::vector<std::string>& args, const std::string& stdout_path) {
  std::vector<std::string> launcher = {"/proc/self/exe", std::string(kLauncherFlag), stdout_path};
  launcher.insert(launcher.end(), args.begin(), args.end());
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) throw std::runtime_error("cannot make a pipe");
  FileActions actions;
  posix_spawn_file_actions_adddup2(actions.get(), pipe_ends[1], 1);
  posix_spawn_file_actions_addclose(actions.get(), pipe_ends[0]);
  pid_t pid = 0;
  try {
    pid = Spawn(launcher, actions);
  } catch (...) {
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    throw;
  }
  close(pipe_ends[1]);
  std::string answer;
  char buffer[256];
  for (ssize_t got; (got = read(pipe_ends[0], buffer, sizeof buffer)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    answer.append(buffer, static_cast<std::size_t>(got));
  }
  close(pipe_ends[0]);
  struct rusage usage {};
  const int launcher_status = Wait(pid, usage);
  ChildRun run;
  unsigned long long peak = 0;
  if (launcher_status != 0 ||
      std::sscanf(answer.c_str(), "%lf %lf %llu %d", &run.seconds, &run.cpu_seconds, &peak, &run.exit_status) != 4) {
    throw std::runtime_error("cannot run " + args.front());
  }
  run.peak_bytes = peak;
  return run;
}

bool RunAsLauncher(int argc, char** argv, int& status) {
  if (argc < 4 || argv[1] != kLauncherFlag) return false;
  try {
    const ChildRun run = LaunchAndMeasure(std::vector<std::string>(argv + 3, argv + argc), argv[2]);
    std::printf("%.9f %.9f %llu %d\n", run.seconds, run.cpu_seconds, static_cast<unsigned long long>(run.peak_bytes),
                run.exit_status);
    status = 0;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    status = 1;
  }
  return true;
}

}  // namespace quorvex::bench
