#pragma once
// The two steps of an atomic save, the system's own way: C stdio and rename
// on POSIX systems (new_file_posix.cpp), the wide Windows API on Windows
// (new_file_windows.cpp).

#include <filesystem>
#include <string_view>

namespace quorvex {

// Creates `path`, which must not exist yet (a stale name is never
// clobbered), and writes `text` into it unchanged. False when the file cannot
// be created or written; a file it created may then be left behind.
bool WriteNewFile(const std::filesystem::path& path, std::string_view text);

// Renames `from` to `to` in one step, replacing a file `to` names: a reader
// sees the old file or the new one, never a part of either. False when it
// cannot, with both files left as they were.
bool MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace quorvex
