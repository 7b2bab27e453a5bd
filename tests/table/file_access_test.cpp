#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/golden.h"
#include "table/disk_file.h"
#include "table/file_name.h"
#include "table_test_util.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(FileNameTest, Normalisation) {
  const struct {
    std::string given;
    std::string normalised;
  } rows[] = {
#ifdef _WIN32
      {"C:\\a\\.\\b\\..\\c.scx", "C:\\a\\c.scx"},
      {"C:/a/b/c.scx", "C:\\a\\b\\c.scx"},  // delimiters as the system writes them
#else
      {"/a/./b/../c.scx", "/a/c.scx"},
#endif
      {"form.scx", (fs::current_path() / "form.scx").string()},
      {"sub/../form.scx", (fs::current_path() / "form.scx").string()},
      {"\\\\server\\share\\f.scx", "\\\\server\\share\\f.scx"},  // network names are kept
      {"abc:def.scx", "abc:def.scx"},                            // a colon after the drive position too
      {"", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(NormalizeFileName(row.given), row.normalised) << row.given;
}

TEST(FileNameTest, Extensions) {
  const struct {
    const char* name;
    const char* extension;
    const char* base;
  } rows[] = {
      {"/d/form.scx", ".scx", "form"}, {"/d/archive.tar.gz", ".gz", "archive.tar"},
      {"/d.x/file", "", "file"},       {"/d/file.", ".", "file"},
      {"C:\\d\\F.SCX", ".SCX", "F"},   {"plain", "", "plain"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FileExtension(row.name), row.extension) << row.name;
    EXPECT_EQ(FileBaseName(row.name), row.base) << row.name;
  }
  EXPECT_EQ(ReplaceFileExtension("/d/form.scx", ".sct"), "/d/form.sct");
  EXPECT_EQ(ReplaceFileExtension("/d.x/file", ".fpt"), "/d.x/file.fpt");
}

TEST(DiskFileTest, ReadsAreBoundedByTheFileEnd) {
  MemoryFileSystem files;
  files.AddFile(MEM_DIR "ten", "0123456789");
  files.SetWholeReadLimit(0);  // read at each access
  DiskFile file(files, MEM_DIR "ten");
  ASSERT_TRUE(file.Exists());
  file.Open();
  EXPECT_EQ(file.Size(), 10u);
  EXPECT_EQ(file.Read(3, 4), "3456");
  EXPECT_EQ(file.Read(8, 1ULL << 62), "89");  // a huge length allocates only what is there
  EXPECT_EQ(file.Read(10, 5), "");
  EXPECT_EQ(file.Read(~0ULL, ~0ULL), "");
  files.FailReadsFrom(MEM_DIR "ten", 5);
  EXPECT_EQ(FailureOf([&] { file.Read(4, 2); }), "ETableError: Error on Read of file " MEM_DIR "ten");
  EXPECT_EQ(file.Read(0, 5), "01234");
}

TEST(DiskFileTest, FileReadWholeAtOpen) {
  MemoryFileSystem files;
  files.AddFile(MEM_DIR "ten", "0123456789");
  DiskFile file(files, MEM_DIR "ten");
  file.Open();
  files.FailReadsFrom(MEM_DIR "ten", 0);
  EXPECT_EQ(file.View(3, 4), "3456");  // from the bytes read at open
  // Past them the file itself is read, and fails.
  EXPECT_EQ(FailureOf([&] { file.Read(8, 1ULL << 62); }), "ETableError: Error on Read of file " MEM_DIR "ten");
  files.FailReadsFrom(MEM_DIR "ten", ~0ULL);
  files.AppendToFile(MEM_DIR "ten", "AB");
  EXPECT_EQ(file.Read(8, 1ULL << 62), "89AB");  // what was appended since is seen
  files.TruncateFile(MEM_DIR "ten", 2);
  EXPECT_EQ(file.Read(0, 10), "0123456789");  // what was there at open stays
}

TEST(DiskFileTest, WholeReadThatFailsLeavesReadsToEachAccess) {
  MemoryFileSystem files;
  files.AddFile(MEM_DIR "ten", "0123456789");
  files.FailReadsFrom(MEM_DIR "ten", 9);
  DiskFile file(files, MEM_DIR "ten");
  file.Open();
  EXPECT_EQ(file.Read(0, 9), "012345678");
  EXPECT_EQ(FailureOf([&] { file.Read(5, 5); }), "ETableError: Error on Read of file " MEM_DIR "ten");
}

TEST(DiskFileTest, ExistsIsTakenWhenMade) {
  MemoryFileSystem files;
  DiskFile file(files, MEM_DIR "later");
  files.AddFile(MEM_DIR "later", "x");
  EXPECT_FALSE(file.Exists());
  EXPECT_EQ(FailureOf([&] { file.Size(); }), "ETableError: Error getting FileSize for file " MEM_DIR "later");
  file.Close();  // closing a file that is not open does nothing
}

TEST(DiskFileTest, RealFilesAreReadAtOffsets) {
  TempDir dir;
  WriteFileBytes(dir.path() / "data.bin", std::string("abc\0\x1A\xFF", 6));
  fs::create_directory(dir.path() / "folder.scx");
  DiskFile folder(RealFileSystem(), (dir.path() / "folder.scx").string());
  EXPECT_FALSE(folder.Exists());
  DiskFile missing(RealFileSystem(), (dir.path() / "none").string());
  EXPECT_FALSE(missing.Exists());

  DiskFile file(RealFileSystem(), (dir.path() / "data.bin").string());
  ASSERT_TRUE(file.Exists());
  file.Open();
  EXPECT_EQ(file.Size(), 6u);
  EXPECT_EQ(file.Read(2, 3), std::string("c\0\x1A", 3));
  EXPECT_EQ(file.Read(5, 100), "\xFF");
  EXPECT_EQ(file.Read(0, 2), "ab");  // again after reaching the end
}

TEST(RealFileSystemTest, KindsOfNames) {
#ifdef _WIN32
  GTEST_SKIP() << "devices and symbolic links as POSIX systems have them";
#endif
  TempDir dir;
  WriteFileBytes(dir.path() / "lib.vcx", "x");
  fs::create_directory(dir.path() / "sub");
  fs::create_directory_symlink(dir.path(), dir.path() / "sub" / "up");
  fs::create_symlink(dir.path() / "lib.vcx", dir.path() / "link.vcx");
  fs::create_symlink(dir.path() / "loop.vcx", dir.path() / "loop.vcx");
  const auto kind = [&](const char* name) { return RealFileSystem().KindOf((dir.path() / name).string()); };
  EXPECT_EQ(kind("lib.vcx"), PathKind::kFile);
  EXPECT_EQ(kind("link.vcx"), PathKind::kFile);
  EXPECT_EQ(kind("sub"), PathKind::kFolder);
  EXPECT_EQ(kind("sub/up"), PathKind::kLinkedFolder);
  EXPECT_EQ(kind("loop.vcx"), PathKind::kMissing);
  EXPECT_EQ(kind("none.vcx"), PathKind::kMissing);
  EXPECT_EQ(RealFileSystem().KindOf("/dev/null"), PathKind::kOther);
}

TEST(MemoryFileSystemTest, FolderEntriesAndRelativeNames) {
  MemoryFileSystem files;
  files.AddFile(MEM_DIR "a.scx", "");
  files.AddFile(MEM_DIR "B.SCT", "");
  files.AddFile(MEM_DIR "sub/c.scx", "");
  files.AddFile("relative.scx", "r");
  std::vector<std::string> entries = files.FolderEntries(MEM_DIR);
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"B.SCT", "a.scx", "sub"}));
  EXPECT_TRUE(files.Exists(NormalizeFileName("relative.scx")));
  EXPECT_FALSE(files.Exists(MEM_DIR "sub"));
  EXPECT_EQ(files.KindOf(MEM_DIR "sub"), PathKind::kFolder);
  EXPECT_EQ(files.KindOf(MEM_DIR "sub/c.scx"), PathKind::kFile);
  EXPECT_EQ(files.KindOf(MEM_DIR "su"), PathKind::kMissing);
}

}  // namespace
}  // namespace quorvex::testing
