// quorvex-convert killed (SIGKILL) at random moments of a loadable run on two
// threads over a project: every output it leaves is whole, and no temporary
// file outlives the next run. Where the output folder's file system keeps a
// file without a name until it is complete, the killed run itself leaves at
// most the one it was putting in place at that instant.

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "run/temporary_files.h"
#include "support/golden.h"
#include "support/run_support.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32

using fixtures::PropertyLines;
using fixtures::ScxWriter;

// folder/app.pjx, listing `forms` forms in two subfolders, each with text
// boxes whose code translates (so that FoxRuntime.pas is written too): enough
// for a run to take long enough to be killed in.
fs::path WriteApplication(const fs::path& folder, int forms, int objects) {
  ScxWriter form;
  form.AddVersionComment().Add(
      {.objname = "Form1", .baseclass = "form", .class_name = "form", .properties = PropertyLines({"Name = \"Form1\""})});
  for (int i = 0; i < objects; ++i) {
    const std::string name = "txt" + std::to_string(i);
    form.Add({.objname = name, .parent = "Form1", .baseclass = "textbox", .class_name = "textbox",
              .properties = PropertyLines({"Top = " + std::to_string(i * 25), "Name = \"" + name + "\""}),
              .methods = "PROCEDURE Click\r\nTHIS.Value = ALLTRIM(\"  x \")\r\nENDPROC\r\n"});
  }
  std::vector<ProjectEntry> entries;
  for (int i = 0; i < forms; ++i) {
    const std::string subfolder = i % 2 == 0 ? "stock" : "sales";
    form.WriteTo(folder / subfolder, "form" + std::to_string(i));
    entries.push_back({subfolder + "\\form" + std::to_string(i) + ".scx", "K", i == 0});
  }
  return WriteProject(folder, "app", entries);
}

// Asked of the system itself, so that a run that stops using such files fails.
bool FileSystemKeepsFilesUnnamed(const fs::path& folder) {
#ifdef O_TMPFILE
  const int file = open(folder.c_str(), O_TMPFILE | O_WRONLY, 0666);
  if (file >= 0) close(file);
  return file >= 0;
#else
  return false;
#endif
}

pid_t Start(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = -1;
  const int failed = posix_spawn(&child, argv.front(), &quiet, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&quiet);
  return failed == 0 ? child : -1;
}

// The child's exit status; -1 when it did not exit (it was killed) or was
// never started.
int Wait(pid_t child) {
  if (child <= 0) return -1;
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every file below `folder`, by its path relative to it, with its bytes;
// none when a run was killed before it made the folder.
std::map<std::string, std::string> Files(const fs::path& folder) {
  std::map<std::string, std::string> files;
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path().lexically_relative(folder).string()] = ReadFileBytes(entry.path());
  }
  return files;
}

#endif

TEST(KilledRunTest, LeavesWholeOutputsAndNoTemporaryFileAfterTheNextRun) {
#ifdef _WIN32
  GTEST_SKIP() << "killing a run at random moments needs POSIX signals";
#else
  TempDir temp;
  const fs::path out = temp.path() / "out";
  const std::vector<std::string> command = {QUORVEX_CONVERT_PROGRAM, "--loadable", "-j", "2", "-q", "-o",
                                            out.string(), WriteApplication(temp.path() / "app", 32, 400).string()};
  const auto start = std::chrono::steady_clock::now();
  const int status = Wait(Start(command));
  const auto whole_run = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  ASSERT_TRUE(status == 0 || status == 3) << "status " << status;
  const std::map<std::string, std::string> complete = Files(out);
  for (const auto& [path, bytes] : complete) ASSERT_FALSE(WriterOfTemporaryName(fs::path(path).filename().string()));
  const bool unnamed = FileSystemKeepsFilesUnnamed(out);

  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<std::int64_t> moment(0, whole_run.count());
  for (int round = 0; round < 8; ++round) {
    const std::chrono::microseconds delay(moment(random));
    SCOPED_TRACE("round " + std::to_string(round) + ", killed after " + std::to_string(delay.count()) + " us");
    if (round % 2 == 0) fs::remove_all(out);  // new files, then files replaced
    const pid_t child = Start(command);
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(delay);
    kill(child, SIGKILL);
    Wait(child);
    std::size_t named = 0;  // temporary files of the killed run
    for (const auto& [path, bytes] : Files(out)) {
      if (const auto writer = WriterOfTemporaryName(fs::path(path).filename().string())) {
        named += writer->process == static_cast<std::uint64_t>(child);
      } else {
        EXPECT_TRUE(complete.contains(path) && complete.at(path) == bytes) << path << " is not whole";
      }
    }
    if (unnamed) {
      EXPECT_LE(named, 1u) << "temporary files left with names";
    }
  }
  EXPECT_EQ(Wait(Start(command)), status);
  EXPECT_TRUE(Files(out) == complete) << "temporary files left, or outputs unlike a whole run's";
#endif
}

}  // namespace
}  // namespace quorvex::testing
