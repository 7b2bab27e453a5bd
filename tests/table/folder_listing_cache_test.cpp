// A kept listing must answer as the folder does, whichever spelling asks,
// and be taken once however many threads ask at once.

#include "table/folder_listing_cache.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/golden.h"
#include "table/memory_file_system.h"

namespace quorvex::testing {
namespace {

class CountedListings : public MemoryFileSystem {
 public:
  std::vector<std::string> FolderEntries(const std::string& folder) override {
    ++listings;
    return MemoryFileSystem::FolderEntries(folder);
  }
  std::atomic<int> listings = 0;
};

bool Never(const std::string&) { return false; }

TEST(FolderListingCache, EverySpellingGetsTheFolderAnswerFromOneListing) {
  CountedListings files;
  for (const char* name : {"/f/logo.bmp", "/f/LOGO.BMP", "/f/Logo.bmp", "/f/other.bmp", "/f/sub/x"}) {
    files.AddFile(name, "");
  }
  const std::string folder = NativePath("/f");
  const std::vector<const char*> names{"logo.bmp", "LOGO.bmp", "Logo.BMP", "sub", "SUB", "missing.bmp", ""};
  std::vector<std::vector<std::string>> listed;
  for (const char* name : names) listed.push_back(files.FileSystem::EntriesNamedNoCase(folder, name));
  files.listings = 0;
  FolderListingCache cache(files, Never);
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(cache.EntriesNamedNoCase(folder, names[i]), listed[i]);
  const std::vector<std::string> all{"LOGO.BMP", "Logo.bmp", "logo.bmp", "other.bmp", "sub"};
  EXPECT_EQ(cache.FolderEntries(folder), all);
  EXPECT_TRUE(cache.EntriesNamedNoCase(NativePath("/nowhere"), "x").empty());
  EXPECT_EQ(files.listings, 2);
}

TEST(FolderListingCache, ThreadsAskingAtOnceShareOneListingPerFolder) {
  CountedListings files;
  constexpr int kFolders = 20;
  for (int i = 0; i < kFolders; ++i) files.AddFile("/f" + std::to_string(i) + "/Pic.bmp", "");
  FolderListingCache cache(files, Never);
  std::atomic<int> wrong = 0;
  {
    std::vector<std::jthread> threads;
    for (int t = 0; t < 4; ++t) {
      threads.emplace_back([&, t] {
        const std::string name = t % 2 ? "PIC.BMP" : "pic.bmp";
        for (int i = 0; i < kFolders; ++i) {
          const std::string folder = NativePath("/f" + std::to_string(i));
          if (cache.EntriesNamedNoCase(folder, name) != std::vector<std::string>{"Pic.bmp"}) ++wrong;
        }
      });
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(files.listings, kFolders);
}

}  // namespace
}  // namespace quorvex::testing
