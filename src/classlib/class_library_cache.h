#pragma once
// The class libraries of one conversion run: where each CLASSLOC leads, and
// each library read at most once, whatever number of forms and threads use it.

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "classlib/class_library.h"
#include "classlib/library_search.h"
#include "table/file_system.h"

namespace quorvex {

// A library as read: the library, or the message of the failure that kept it
// from being read.
struct LibraryLoad {
  std::shared_ptr<const ClassLibrary> library;
  std::string error;
};

// Safe to use from several threads at once. The file system must outlive it.
class ClassLibraryCache {
 public:
  // `search_folders`: the folders given with -L, searched recursively.
  // `known_files`: libraries known by their full names (those a project file
  // lists), found by their file names before the search folders.
  ClassLibraryCache(FileSystem& files, std::vector<std::string> search_folders,
                    const std::vector<std::string>& known_files = {});

  // The full name of the library that a record's CLASSLOC names, tried in
  // this order:
  //   1. CLASSLOC followed from `holder_folder`, the folder of the file that
  //      holds the record (the form, or a library for its own records), with
  //      every component matched without regard to case (FollowPathNoCase);
  //      passed over for a rooted path ("C:\...");
  //   2. CLASSLOC's file name in `holder_folder`, then in `form_folder`;
  //   3. the file name among the known files, the first given first;
  //   4. the file name in the search folders (LibrarySearchIndex).
  // Only a regular file with the extension ".vcx" is ever given. Nothing when
  // no rule finds one. The answer for the same arguments is worked out once.
  std::optional<std::string> FindLibrary(const std::string& holder_folder, const std::string& form_folder,
                                         std::string_view class_location);

  // The library at `path` (a name FindLibrary gave), read by ReadClassLibrary
  // at the first call; later calls get the same. Never throws: a failure is
  // kept as its message.
  const LibraryLoad& Library(const std::string& path);

 private:
  struct Entry {
    std::once_flag read;
    LibraryLoad load;
  };

  std::optional<std::string> Locate(const std::string& holder_folder, const std::string& form_folder,
                                    std::string_view class_location);
  LibraryLoad Load(const std::string& path);

  FileSystem& files_;
  LibrarySearchIndex search_;
  std::map<std::string, std::string> known_by_name_;  // lower-case file name -> full name
  std::mutex mutex_;
  std::map<std::tuple<std::string, std::string, std::string>, std::optional<std::string>> found_;
  std::map<std::string, std::unique_ptr<Entry>> libraries_;
};

}  // namespace quorvex
