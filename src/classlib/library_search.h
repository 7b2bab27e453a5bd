#pragma once
// The folders given with -L, searched for class libraries by file name: the
// last way of finding a library whose CLASSLOC leads nowhere (a path from the
// machine it was written on, or a library that moved within the application).

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "table/file_system.h"

namespace quorvex {

// Bounds on one search, far above any real application's tree, so that a
// huge or hostile folder cannot hold a run up for long.
inline constexpr int kMaxSearchDepth = 32;
inline constexpr std::size_t kMaxSearchFolders = 100000;

// Safe to use from several threads; the file system must outlive it.
class LibrarySearchIndex {
 public:
  LibrarySearchIndex(FileSystem& files, std::vector<std::string> folders);

  // The full name of the first regular ".vcx" file named `file_name` without
  // regard to case: the folders in the order given, each searched breadth
  // first (its own files before its subfolders' files, entries in byte
  // order), down to kMaxSearchDepth levels and kMaxSearchFolders folders in
  // all. Symbolic links to folders are not followed, so a link back up the
  // tree cannot send the search round. The folders are listed once, at the
  // first call that needs them.
  std::optional<std::string> Find(std::string_view file_name);

 private:
  void Build();
  void AddFolderTree(const std::string& root, std::size_t& folders_seen);

  FileSystem& files_;
  std::vector<std::string> folders_;
  std::once_flag built_;
  std::unordered_map<std::string, std::string> first_by_name_;  // lower-case file name -> full name
};

}  // namespace quorvex
