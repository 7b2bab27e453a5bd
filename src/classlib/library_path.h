#pragma once
// Paths to class libraries as FoxPro writes them, followed on a file system
// whose names may be case-sensitive. A CLASSLOC such as "..\Libs\Base.VCX"
// uses "\" between components and was written on a system that ignores
// letter case, so every component is matched without regard to ASCII case.
//
// Only regular files are ever taken as libraries: a device, a pipe, a folder
// or a loop of symbolic links under a library's name is passed over as if the
// name were absent.

#include <optional>
#include <string>
#include <string_view>

#include "table/file_system.h"

namespace quorvex {

// What a matched name must be.
enum class WantedKind {
  kFolder,   // a folder, or a symbolic link to one
  kLibrary,  // a regular file
};

// Looks for `name` in `folder`: the name as written first (where names count
// letter case); then, among the entries the folder lists that are equal to it
// without regard to case, the one spelt as `name`, then the others in byte
// order; last, in a folder that cannot be listed, the name as written. Gives
// the full name of the first of the wanted kind, with the folder's own
// spelling, or nothing.
std::optional<std::string> FindNameNoCase(FileSystem& files, const std::string& folder, std::string_view name,
                                          WantedKind wanted);

// Follows `path` from `folder`. Components are separated by "\" or "/"; ".."
// goes up one folder (the root stays the root), "." and empty components are
// passed over, every other component is matched by FindNameNoCase, as a
// folder but for the last, which must be a regular file. Gives its full
// name, or nothing when some component is not found.
std::optional<std::string> FollowPathNoCase(FileSystem& files, const std::string& folder, std::string_view path);

// True for a path that does not start from a folder of its own: a drive
// ("C:..."), a network share or a leading separator. Such paths were written
// on another machine and are found by their file name only.
bool IsRootedPath(std::string_view path);

// The last component of a path written with "\" or "/": "..\libs\base.vcx"
// gives "base.vcx".
std::string_view PathFileName(std::string_view path);

// True when the name ends in ".vcx", letter case aside.
bool HasLibraryExtension(std::string_view name);

// The folder of a full file name: "/forms/main.scx" gives "/forms".
std::string FolderOf(std::string_view file_name);

// `folder` and `name` joined with the system's delimiter ("/"; "\" on Windows).
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace quorvex
