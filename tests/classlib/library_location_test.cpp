#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <atomic>
#include <filesystem>
#include <thread>

#include "classlib/class_library_cache.h"
#include "classlib_test_util.h"
#include "support/golden.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

const ScxRecord kLabelClass = ClassRecord("lbl", "label", "", "label", "Caption = \"x\"\r\n");

TEST(LibraryLocationTest, EachRuleInTurn) {
  MemoryFileSystem files;
  ScxWriter().Add(kLabelClass).Build().AddTo(files, "/app/libs/Base.vcx", "/app/libs/BASE.VCT");
  AddLibrary(files, "/app/forms/local", {kLabelClass});
  AddLibrary(files, "/app/deep/a/b/far", {kLabelClass});
  files.AddFile("/app/libs/folder.vcx/inside", "");
  files.AddFile("/app/libs/base.prg", "");
  ClassLibraryCache cache(files, {NativePath("/app/deep")});
  const struct {
    const char* holder;
    const char* class_location;
    const char* found;
  } rows[] = {
      {"/app/forms", "..\\LIBS\\base.vcx", "/app/libs/Base.vcx"},        // relative, any case
      {"/app/forms", "./../libs//BASE.VCX", "/app/libs/Base.vcx"},       // "." and empty components
      {"/app/forms", "..\\nowhere\\local.vcx", "/app/forms/local.vcx"},  // the file name beside the holder
      {"/app/forms", "C:\\libs\\base.vcx", ""},                          // a drive: the file name only
      {"/app/libs", "local.vcx", "/app/forms/local.vcx"},                // in the form's folder
      {"/app/forms", "c:\\old\\FAR.vcx", "/app/deep/a/b/far.vcx"},       // in the search folders
      {"/app/forms", "..\\libs\\base.prg", ""},                          // not a library
      {"/app/libs", "folder.vcx", ""},                                   // a folder
      {"/app/forms", "gone.vcx", ""},
  };
  for (const auto& row : rows) {
    const std::string found = *row.found ? NativePath(row.found) : "";
    EXPECT_EQ(cache.FindLibrary(NativePath(row.holder), NativePath("/app/forms"), row.class_location).value_or(""),
              found)
        << row.class_location;
  }
  const LibraryLoad& load = cache.Library(NativePath("/app/libs/Base.vcx"));
  ASSERT_TRUE(load.library) << load.error;
  EXPECT_NE(load.library->FindClass("LBL"), nullptr);
}

// Names found inside files must not make Quorvex open a device, wait on a
// pipe, or go round a loop of links.
TEST(LibraryLocationTest, OnlyRegularFilesAreOpened) {
#ifdef _WIN32
  GTEST_SKIP() << "pipes, devices and symbolic links as POSIX systems have them";
#else
  TempDir dir;
  const fs::path root = dir.path();
  fs::create_directories(root / "sub");
  fs::create_directory_symlink(root, root / "sub" / "up");  // a search that followed it would not end
  ScxWriter().Add(kLabelClass).Build().WriteTo(root / "sub", "real.vcx", "real.vct");
  ScxWriter().Add(kLabelClass).Build().WriteTo(root, "piped.vcx");
  ASSERT_EQ(::mkfifo((root / "piped.vct").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", root / "device.vcx");
  fs::create_symlink(root / "loop.vcx", root / "loop.vcx");
  ClassLibraryCache cache(RealFileSystem(), {root.string()});
  const std::string folder = root.string();
  EXPECT_FALSE(cache.FindLibrary(folder, folder, "device.vcx"));
  EXPECT_FALSE(cache.FindLibrary(folder, folder, "loop.vcx"));
  EXPECT_EQ(cache.FindLibrary(folder, folder, "x:\\REAL.vcx"), (root / "sub" / "real.vcx").string());
  EXPECT_EQ(cache.Library((root / "piped.vcx").string()).error,
            "File " + (root / "piped.vct").string() + " is not a regular file");
  EXPECT_EQ(cache.Library((root / "device.vcx").string()).error,
            "File " + (root / "device.vcx").string() + " is not a regular file");
#endif
}

// A library in a dBASE layout would have its memo read from a .dbt file.
TEST(LibraryLocationTest, ADbaseTableIsNotALibrary) {
  MemoryFileSystem files;
  ScxWriter().Version(0x83).Add(kLabelClass).Build().AddTo(files, "/app/old.vcx", "/app/old.dbt");
  files.AddFile("/app/old.vct", "");
  ClassLibraryCache cache(files, {});
  EXPECT_EQ(cache.Library(NativePath("/app/old.vcx")).error,
            "File " + NativePath("/app/old.vcx") + " is a dBASE table, not a class library");
}

// Counts the opens of each file, to see that a library is read once.
class CountingFileSystem : public MemoryFileSystem {
 public:
  std::unique_ptr<RandomAccessFile> OpenForReading(const std::string& name) override {
    if (name.ends_with(".vcx")) ++table_opens;
    return MemoryFileSystem::OpenForReading(name);
  }
  std::atomic<int> table_opens = 0;
};

TEST(LibraryLocationTest, ALibraryIsReadOnceForAllThreads) {
  CountingFileSystem files;
  AddLibrary(files, "/app/lib", {kLabelClass});
  ClassLibraryCache cache(files, {});
  std::vector<std::thread> threads;
  std::vector<const ClassLibrary*> seen(8);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([&, i] {
      for (int n = 0; n < 20; ++n) {
        const std::string path = cache.FindLibrary(NativePath("/app"), NativePath("/app"), "LIB.vcx").value_or("");
        seen[i] = cache.Library(path).library.get();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(files.table_opens, 1);
  for (const ClassLibrary* library : seen) EXPECT_EQ(library, seen.front());
}

}  // namespace
}  // namespace quorvex::testing
