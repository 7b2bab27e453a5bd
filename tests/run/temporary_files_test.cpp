// The names of temporary files and which of them a run removes: only its own
// kind, and only those whose process has ended.

#include "run/temporary_files.h"

#include <gtest/gtest.h>

#include <set>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "run/process_id.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(TemporaryFilesTest, StaleOnlyWhenItsProcessEndedOrHadThisProcessIdBefore) {
  const TemporaryFileWriter self{100, 7};
  const std::set<std::uint64_t> ended = {200};
  const auto process_ended = [&](std::uint64_t id) { return ended.contains(id); };
  const struct {
    const char* name;
    bool stale;
  } rows[] = {
      {".main.dfm.200-5-0.tmp", true},          // its process ended
      {".main.dfm.100-8-3.tmp", true},          // this id, another process's tag
      {".main.dfm.100-7-3.tmp", false},         // this process's own
      {".main.dfm.300-5-0.tmp", false},         // a process that runs
      {".a.b-c.pas.200-5-12.tmp", true},        // dots and dashes in the target's name
      {".main.dfm.200-5.tmp", false},           // as earlier versions named them: no process id
      {"main.dfm.200-5-0.tmp", false},          // not hidden
      {"..200-5-0.tmp", false},                 // no target name
      {".main.dfm.200-5-x.tmp", false},         // not a number
      {".main.dfm.200-5-0-1.tmp", false},       // a fourth number
      {".main.dfm.99999999999999999999-5-0.tmp", false},  // beyond 64 bits
  };
  for (const auto& row : rows) EXPECT_EQ(IsStaleTemporaryFile(row.name, self, process_ended), row.stale) << row.name;
}

TEST(TemporaryFilesTest, NamesAreHiddenBesideTheTargetUniqueAndNameThisProcess) {
  const fs::path target = fs::path("out") / "main.dfm";
  const fs::path first = TemporaryNameFor(target);
  const fs::path second = TemporaryNameFor(target);
  EXPECT_NE(first, second);
  EXPECT_EQ(first.parent_path(), target.parent_path());
  EXPECT_TRUE(first.filename().string().starts_with(".main.dfm."));
  EXPECT_EQ(WriterOfTemporaryName(first.filename().string()), ThisWriter());
  EXPECT_EQ(ThisWriter().process, CurrentProcessId());
}

TEST(TemporaryFilesTest, RemovesOnlyStaleFilesDirectlyInTheFolder) {
  TempDir temp;
  const TemporaryFileWriter& self = ThisWriter();
  const std::string id = "." + std::to_string(self.process) + "-";
  const std::string stale = ".a.dfm" + id + std::to_string(self.tag + 1) + "-0.tmp";
  const std::string own = ".a.dfm" + id + std::to_string(self.tag) + "-0.tmp";
  for (const std::string& name : {stale, own, std::string(".a.dfm.1-2.tmp"), std::string("a.dfm")})
    WriteFileBytes(temp.path() / name, "x");
  WriteFileBytes(temp.path() / "sub" / stale, "x");
  const fs::path folder = temp.path() / (".b.dfm" + id + std::to_string(self.tag + 1) + "-0.tmp");
  fs::create_directory(folder);  // a folder of such a name is no file of a run
  RemoveStaleTemporaryFiles(temp.path());
  EXPECT_EQ(FileNames(temp.path()), (std::vector<std::string>{".a.dfm.1-2.tmp", own, "a.dfm"}));
  EXPECT_EQ(FileNames(temp.path() / "sub"), std::vector<std::string>{stale});
  EXPECT_TRUE(fs::is_directory(folder));
}

TEST(ProcessIdTest, ARunningProcessAndIdsNoProcessHasAreNotEnded) {
  EXPECT_FALSE(ProcessEnded(CurrentProcessId()));
  EXPECT_FALSE(ProcessEnded(0));
  EXPECT_FALSE(ProcessEnded(std::uint64_t{1} << 40));
#ifndef _WIN32
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  EXPECT_FALSE(ProcessEnded(static_cast<std::uint64_t>(child))) << "until its parent collects it";
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(ProcessEnded(static_cast<std::uint64_t>(child)));
#endif
}

}  // namespace
}  // namespace quorvex::testing
