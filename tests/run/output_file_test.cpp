// Output names, the output directory and the safe writing of a text list.

#include "run/output_file.h"

#include <gtest/gtest.h>

#include "support/run_support.h"
#include "support/golden.h"
#include "base/errors.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

TEST(OutputNamesTest, ExtensionFromTheLastDotOfTheFileName) {
  const struct {
    const char* name;
    const char* expected;
  } rows[] = {
      {"main.scx", "main.dfm"},       {"my.form.scx", "my.form.dfm"},   {"README", "README.dfm"},
      {"/a.b/main", "/a.b/main.dfm"}, {"/a.b/c.scx", "/a.b/c.dfm"},     {".scx", ".dfm"},
  };
  for (const auto& row : rows) EXPECT_EQ(ChangeFileExt(row.name, ".dfm"), row.expected) << row.name;
  EXPECT_EQ(ExtractFileName("/src/forms/main.scx"), "main.scx");
  EXPECT_EQ(ExtractFileName("main.scx"), "main.scx");
  EXPECT_EQ(WithTrailingDelimiter("/out"), "/out" + kDelimiter);
  EXPECT_EQ(WithTrailingDelimiter("/out/"), "/out/");
}

TEST(ForceOutputDirectoryTest, CreatesParentsAcceptsExistingRefusesFiles) {
  TempDir temp;
  const std::string nested = (temp.path() / "a" / "b" / "c").string() + kDelimiter;
  ForceOutputDirectory(nested);
  EXPECT_TRUE(fs::is_directory(nested));
  ForceOutputDirectory(nested);  // existing: fine
  WriteFileBytes(temp.path() / "file", "x");
  const std::string blocked = (temp.path() / "file" / "sub").string();
  try {
    ForceOutputDirectory(blocked);
    ADD_FAILURE() << "no failure";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create " + blocked);
  }
}

TEST(SaveLinesToFileTest, EveryLineEndsInCrLfBytesUnchanged) {
  TempDir temp;
  const std::string path = (temp.path() / "x.dfm").string();
  SaveLinesToFile({"object A: TForm", "  Caption = '\xE9\0t'"s, "", "end"}, path);
  EXPECT_EQ(ReadFileBytes(path), "object A: TForm\r\n  Caption = '\xE9\0t'\r\n\r\nend\r\n"s);
  SaveLinesToFile({}, path);
  EXPECT_EQ(ReadFileBytes(path), "");
  EXPECT_EQ(FileNames(temp.path()), std::vector<std::string>{"x.dfm"});
}

TEST(SaveLinesToFileTest, FailureLeavesTheOldFileAndNoTemporary) {
  TempDir temp;
  const fs::path target = temp.path() / "x.pas";
  WriteFileBytes(target, "good");
  fs::permissions(target, fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_THROW(SaveLinesToFile({"new"}, target.string()), Exception);
  EXPECT_EQ(ReadFileBytes(target), "good");
  EXPECT_THROW(SaveLinesToFile({"new"}, (temp.path() / "missing" / "x.pas").string()), Exception);
  EXPECT_EQ(FileNames(temp.path()), std::vector<std::string>{"x.pas"});
}

}  // namespace
}  // namespace quorvex::testing
