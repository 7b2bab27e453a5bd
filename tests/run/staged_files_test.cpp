// Output files written under temporary names (or none) and put in place later.

#include "run/staged_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/errors.h"
#include "run/unnamed_file.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

// Every entry of a folder and its subfolders, relative to it, sorted.
std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    names.push_back(entry.path().lexically_relative(folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(StagedFilesTest, StagedBesideTheTargetsAndRenamedInOrder) {
  TempDir temp;
  const std::string pas = (temp.path() / "a.pas").string();
  const std::string dfm = (temp.path() / "a.dfm").string();
  WriteFileBytes(dfm, "old");
  StagedFiles staged;
  staged.Add({pas, "unit a;"});
  staged.Add({dfm, std::string_view("new\0", 4)});
  EXPECT_EQ(ReadFileBytes(dfm), "old");  // nothing in place before the commit
  // Where the file system allows it, the staged texts have no names at all.
  const std::size_t named = UnnamedFile::Write(temp.path(), "") ? 0 : 2;
  EXPECT_EQ(FileNames(temp.path()).size(), 1 + named);
  std::vector<std::string> renamed;
  staged.Commit(renamed);
  EXPECT_EQ(renamed, (std::vector<std::string>{pas, dfm}));
  EXPECT_EQ(ReadFileBytes(pas), "unit a;");
  EXPECT_EQ(ReadFileBytes(dfm), std::string("new\0", 4));
  EXPECT_EQ(FileNames(temp.path()), (std::vector<std::string>{"a.dfm", "a.pas"}));
}

TEST(StagedFilesTest, DiscardedFilesAndTheFoldersMadeForThemGo) {
  TempDir temp;
  fs::create_directory(temp.path() / "kept");
  {
    StagedFiles staged;
    staged.MakeFolder((temp.path() / "new" / "deeper").string() + kDelimiter);
    staged.MakeFolder((temp.path() / "kept").string());
    staged.Add({(temp.path() / "new" / "deeper" / "a.pas").string(), "x"});
    staged.Add({(temp.path() / "kept" / "a.pas").string(), "x"});
    const std::size_t named = UnnamedFile::Write(temp.path(), "") ? 0 : 2;
    EXPECT_EQ(Entries(temp.path()).size(), 3 + named);  // new, new/deeper, kept and the named files
  }  // discarded with the object
  EXPECT_EQ(Entries(temp.path()), (std::vector<std::string>{"kept"}));
}

TEST(StagedFilesTest, FailuresLeaveNoTemporaryFile) {
  TempDir temp;
  const fs::path read_only = temp.path() / "r.pas";
  WriteFileBytes(read_only, "good");
  fs::permissions(read_only, fs::perms::owner_write, fs::perm_options::remove);
  fs::create_directory(temp.path() / "d.dfm");  // a folder in the way of a file
  StagedFiles staged;
  EXPECT_THROW(staged.Add({read_only.string(), "new"}), Exception);
  EXPECT_THROW(staged.Add({(temp.path() / "missing" / "x.pas").string(), "new"}), Exception);
  staged.Add({(temp.path() / "d.dfm").string(), "text"});
  staged.Add({(temp.path() / "e.dfm").string(), "text"});
  std::vector<std::string> renamed;
  try {
    staged.Commit(renamed);
    ADD_FAILURE() << "no failure";
  } catch (const Exception& failure) {
    EXPECT_EQ(std::string(failure.what()), "Cannot create file " + (temp.path() / "d.dfm").string());
  }
  EXPECT_TRUE(renamed.empty());
  EXPECT_EQ(Entries(temp.path()), (std::vector<std::string>{"d.dfm", "r.pas"}));
  EXPECT_EQ(ReadFileBytes(read_only), "good");
}

}  // namespace
}  // namespace quorvex::testing
