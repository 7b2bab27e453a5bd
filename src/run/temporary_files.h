#pragma once
// The names of the temporary files that outputs are written under before
// they are renamed over their targets, and the removal of those that a
// process left behind when it ended before renaming them (killed, or its
// machine stopped).
//
// A name is ".TARGET.PID-TAG-N.tmp": the target's file name after a dot (a
// hidden file on POSIX systems), the id of the process writing it, a random
// number that process drew when it started, and a count. The process id
// tells a file that a running process may still rename from one that no
// process will: only a file whose process has ended is removed, so two runs
// into one folder at once, and the threads of one run, never lose a file to
// each other. The random number tells this process's files from those of an
// ended process whose id this one now has.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace quorvex {

// Who wrote a temporary file.
struct TemporaryFileWriter {
  std::uint64_t process = 0;
  std::uint64_t tag = 0;
  bool operator==(const TemporaryFileWriter&) const = default;
};

// This process, as the writer of its temporary files.
const TemporaryFileWriter& ThisWriter();

// A new name beside `target`, one that no other file of this or another
// process is given.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target);

// The writer named by a file name of the form above; nothing for any other
// name (among them the names earlier versions gave, which name no process).
std::optional<TemporaryFileWriter> WriterOfTemporaryName(std::string_view file_name);

// True when `file_name` is a temporary file left behind: one of the form
// above written neither by `self` nor by a running process
// (`process_ended` tells whether a process id's process has ended). A file
// of self's process id but another tag is one that an ended process left.
bool IsStaleTemporaryFile(std::string_view file_name, const TemporaryFileWriter& self,
                          const std::function<bool(std::uint64_t)>& process_ended);

// Removes the stale temporary files directly in `folder` (regular files
// only, none of its subfolders'; an empty path is the current folder), for
// this process on this system. Nothing
// else is touched; a folder that cannot be listed, or a file that cannot be
// removed, is left as it is.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

}  // namespace quorvex
