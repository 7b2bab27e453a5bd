#pragma once
// Output files written in two steps: each file's text goes to a temporary file
// beside its target, and later all of them are renamed over their targets in
// order. A conversion on a worker thread writes its files so, and the run's
// own thread only renames them, in input order; a run that ends early
// discards what the forms after it staged. No half-written file ever stands
// in place of a good one. Where the file system allows it, a temporary file
// has no name until it is put in place (unnamed_file.h), so that a killed run
// leaves none behind; elsewhere it is named as temporary_files.h says, and
// the next run into its folder removes it.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "run/unnamed_file.h"

namespace quorvex {

// One file of a conversion's output: where it goes and all it holds. The text
// is a view; whoever makes the list keeps the text alive while it is used.
struct OutputFile {
  std::string path;
  std::string_view text;
};

class StagedFiles {
 public:
  StagedFiles() = default;
  ~StagedFiles() { Discard(); }
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;

  // Creates the directory and its missing parents, remembering the ones it
  // made so that Discard removes them again when they are empty. A directory
  // that cannot be made is left to Add, which then cannot write into it.
  void MakeFolder(const std::string& directory);

  // Writes the file's text, bytes unchanged, to a new temporary file beside
  // its path (without a name where the file system allows it). Throws
  // Exception("Cannot create file " + path), with nothing of this file left
  // behind, when the target is a read-only file or the temporary file cannot
  // be created or written.
  void Add(const OutputFile& file);

  // Stages a file that a library writes itself (an SQLite database):
  // `write` makes it at the temporary path it is given, where no file is
  // yet. What `write` throws passes on, and nothing is left at that path.
  void AddWritten(const std::string& path, const std::function<void(const std::string& temporary)>& write);

  // Puts the staged files in place over their targets in the order added,
  // each replacing its target in one step, appending each target to
  // `renamed` once it is in place. At the first that fails, removes the
  // temporary files left and throws Exception("Cannot create file " + path).
  // Nothing is staged afterwards.
  void Commit(std::vector<std::string>& renamed);

  // Removes the temporary files not renamed, and the folders MakeFolder made
  // that are empty.
  void Discard() noexcept;

  bool Empty() const { return files_.empty(); }

 private:
  struct Staged {
    UnnamedFile unnamed;  // the text, where the file system keeps it without a name until placed
    std::filesystem::path temporary;
    std::string target;
  };
  std::vector<Staged> files_;
  std::vector<std::filesystem::path> made_folders_;  // parents before children
};

}  // namespace quorvex
