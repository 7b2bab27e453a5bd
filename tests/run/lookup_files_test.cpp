// Output written inside an input folder must be seen by the lookups of the
// run that writes it, also through a link into the output.

#include "run/lookup_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/golden.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr bool kLinks = false;  // making a link there needs rights a test may lack
#else
constexpr bool kLinks = true;
#endif

TEST(LookupFileSystem, OutputFoldersAreListedAtEachLookupInputFoldersOnce) {
  TempDir dir;
  const fs::path input = dir.path() / "in";
  const fs::path output = input / "Out";
  fs::create_directories(output);
  if (kLinks) fs::create_directory_symlink(output, input / "alias");
  const std::shared_ptr<FileSystem> files = LookupFileSystem({output.string() + kDelimiter});
  const auto found = [&](const fs::path& folder) {
    return !files->EntriesNamedNoCase(folder.string(), "a.bmp").empty();
  };
  for (const fs::path& folder : {input, output, output / "new", input / "alias" / "new"}) EXPECT_FALSE(found(folder));
  fs::create_directories(output / "new");
  for (const fs::path& file : {input / "A.bmp", output / "A.bmp", output / "new" / "A.BMP"}) std::ofstream(file) << "x";
  EXPECT_FALSE(found(input));
  EXPECT_TRUE(found(output));
  EXPECT_TRUE(found(output / "new"));
  if (kLinks) {
    EXPECT_TRUE(found(input / "alias" / "new"));
  }
}

}  // namespace
}  // namespace quorvex::testing
