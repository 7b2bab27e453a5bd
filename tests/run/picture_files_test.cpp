// Where a form's picture file is found, how much of it is read, and what the
// run's picture source remembers.

#include "run/picture_files.h"

#include <gtest/gtest.h>

#include "pictures/picture_data.h"
#include "support/golden.h"
#include "table/memory_file_system.h"

namespace quorvex::testing {
namespace {

TEST(FindPictureFile, FollowsThePathFromTheFileHoldingTheSettingThenTheFileName) {
  MemoryFileSystem files;
  files.AddFile("/app/forms/main.scx", "");
  files.AddFile("/app/forms/Bmp/Logo.BMP", "logo");
  files.AddFile("/app/Graphics/x.bmp", "x");
  files.AddFile("/app/forms/beside.ico", "beside");
  files.AddFile("/app/forms/sub/beside.ico", "deeper");
  files.AddFile("/app/libs/Icons/Lib.ico", "lib");
  files.AddFile("/app/libs/only_lib.png", "lib");
  const struct {
    const char* library_folder;
    const char* name;
    const char* expected;  // "" for nothing
  } rows[] = {
      {"", "bmp\\logo.bmp", "/app/forms/Bmp/Logo.BMP"},
      {"", "BMP/LOGO.BMP", "/app/forms/Bmp/Logo.BMP"},
      {"", ".\\bmp\\.\\logo.bmp", "/app/forms/Bmp/Logo.BMP"},
      {"", "..\\graphics\\X.BMP", "/app/Graphics/x.bmp"},
      // Not where the path leads: by its file name beside the form.
      {"", "C:\\APP\\BMP\\BESIDE.ICO", "/app/forms/beside.ico"},
      {"", "other\\beside.ico", "/app/forms/beside.ico"},
      // A class library's setting: from the library's folder, then by its
      // file name there and beside the form.
      {"/app/libs", "icons\\lib.ico", "/app/libs/Icons/Lib.ico"},
      {"/app/libs", "c:\\x\\ONLY_LIB.PNG", "/app/libs/only_lib.png"},
      {"/app/libs", "..\\beside.ico", "/app/forms/beside.ico"},
      {"", "icons\\lib.ico", ""},
      {"", "", ""},
      {"", "bmp\\", ""},
  };
  for (const auto& row : rows) {
    const std::string library_folder = *row.library_folder ? NativePath(row.library_folder) : "";
    const std::string expected = *row.expected ? NativePath(row.expected) : "";
    EXPECT_EQ(FindPictureFile(files, NativePath("/app/forms"), library_folder, row.name).value_or(""), expected)
        << row.library_folder << " " << row.name;
  }
}

TEST(FindPictureFile, FindsOnlyRegularFiles) {
  MemoryFileSystem files;
  files.AddFile("/app/main.scx", "");
  files.AddFile("/app/logo.bmp/inside", "");  // a folder of the picture's name
  EXPECT_FALSE(FindPictureFile(files, NativePath("/app"), "", "logo.bmp").has_value());
}

TEST(ReadPictureFile, ReadsUpToTheBoundAndNothingThatFails) {
  MemoryFileSystem files;
  files.AddFile("/p/largest.bmp", std::string(kMaxPictureFileBytes, 'x'));
  files.AddFile("/p/too_large.bmp", std::string(kMaxPictureFileBytes + 1, 'x'));
  files.AddFile("/p/refused.bmp", "bytes");
  files.RefuseOpen("/p/refused.bmp");
  files.AddFile("/p/failing.bmp", "bytes");
  files.FailReadsFrom("/p/failing.bmp", 3);
  files.AddFile("/p/empty.bmp", "");
  EXPECT_EQ(ReadPictureFile(files, "/p/largest.bmp").value_or("").size(), kMaxPictureFileBytes);
  EXPECT_FALSE(ReadPictureFile(files, "/p/too_large.bmp").has_value());
  EXPECT_FALSE(ReadPictureFile(files, "/p/refused.bmp").has_value());
  EXPECT_FALSE(ReadPictureFile(files, "/p/failing.bmp").has_value());
  EXPECT_FALSE(ReadPictureFile(files, "/p/missing.bmp").has_value());
  EXPECT_EQ(ReadPictureFile(files, "/p/empty.bmp"), std::optional<std::string>(""));
}

// The source remembers where names lead: by form folder and library folder.
TEST(FilePictureSource, EachFormAndLibraryFolderFindsItsOwnFile) {
  const auto files = std::make_shared<MemoryFileSystem>();
  files->AddFile("/one/a.bmp", "one");
  files->AddFile("/two/A.BMP", "two");
  const PictureSource source = FilePictureSource(files);
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(source("a.bmp", "", "/one/f.scx").bytes, std::optional<std::string>("one"));
    EXPECT_EQ(source("a.bmp", "", "/two/g.scx").bytes, std::optional<std::string>("two"));
    EXPECT_EQ(source("a.bmp", NativePath("/two"), "/one/f.scx").path, NativePath("/two/A.BMP"));
    const PictureFile gone = source("gone.bmp", "", "/one/f.scx");
    EXPECT_TRUE(gone.path.empty() && !gone.bytes);
  }
}

}  // namespace
}  // namespace quorvex::testing
