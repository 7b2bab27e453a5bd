// Outputs replace their targets in one step: one that another program holds
// open is left whole, with no temporary file beside it.

#include <windows.h>

#include <gtest/gtest.h>

#include "base/errors.h"
#include "run/staged_files.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

void Save(const fs::path& target, std::string_view text) {
  std::vector<std::string> renamed;
  StagedFiles staged;
  staged.Add({target.string(), text});
  staged.Commit(renamed);
}

TEST(NewFileWindows, ATargetHeldOpenIsLeftWhole) {
  TempDir dir;
  const fs::path target = dir.path() / "main.pas";
  WriteFileBytes(target, "old");
  const HANDLE holder = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_THROW(Save(target, "new"), Exception);
  CloseHandle(holder);
  EXPECT_EQ(ReadFileBytes(target), "old");
  EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"main.pas"}) << "no temporary file left";
  Save(target, "new");
  EXPECT_EQ(ReadFileBytes(target), "new");
}

}  // namespace
}  // namespace quorvex::testing
