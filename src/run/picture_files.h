#pragma once
// The picture files a form names in its settings (Picture, DisabledPicture,
// Icon), found on a file system whose names may be case-sensitive. FoxPro
// writes such a name relative to the form's file ("bmp\logo.bmp",
// "..\graphics\x.BMP") or, where the picture lay on another drive, as a full
// path of the machine it was written on ("C:\APP\BMP\LOGO.BMP"), in any
// letter case.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "table/file_system.h"

namespace quorvex {

// The full name of the regular file `name` stands for in the form at
// `form_path`, or nothing: `name` followed from the form's folder with every
// component matched without regard to case (FollowPathNoCase; not for a
// rooted name); else a file of its file name in the form's folder, letter
// case aside; else the first of `known_files` (full names, such as the files
// a project lists) whose file name is the same, letter case aside, and that
// is a regular file.
std::optional<std::string> FindPictureFile(FileSystem& files, const std::string& form_path, std::string_view name,
                                           const std::vector<std::string>& known_files);

// The bytes of the file at `path`, or nothing when it cannot be opened or
// read, or holds more than kMaxPictureFileBytes (picture_data.h).
std::optional<std::string> ReadPictureFile(FileSystem& files, const std::string& path);

}  // namespace quorvex
