#pragma once
// The picture files a form names in its settings (Picture, DisabledPicture,
// Icon), found on a file system whose names may be case-sensitive. FoxPro
// writes such a name relative to the file that holds the setting, the form
// or a class library ("bmp\logo.bmp", "..\graphics\x.BMP"), or, where the
// picture lay on another drive, as a full path of the machine it was written
// on ("C:\APP\BMP\LOGO.BMP"), in any letter case.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "pictures/picture_source.h"
#include "table/file_system.h"

namespace quorvex {

// The full name of the regular file `name` stands for, or nothing: `name`
// followed from the folder of the file that holds the setting (the class
// library's `library_folder`, or the form's when that is "") with every
// component matched without regard to case (FollowPathNoCase; not for a
// rooted name); else a file of its file name in that folder, then in
// `form_folder`, letter case aside.
std::optional<std::string> FindPictureFile(FileSystem& files, const std::string& form_folder,
                                           std::string_view library_folder, std::string_view name);

// The bytes of the file at `path`, or nothing when it cannot be opened or
// read, or holds more than kMaxPictureFileBytes (picture_data.h).
std::optional<std::string> ReadPictureFile(FileSystem& files, const std::string& path);

// The loadable mode's pictures from `files`, which the source keeps alive:
// FindPictureFile, then ReadPictureFile. Where a name leads is worked out
// once per form folder and library folder (forms of one application name
// the same pictures), and each form's folder once; copies of the source
// share that, and may be used from several threads at once.
PictureSource FilePictureSource(std::shared_ptr<FileSystem> files);

}  // namespace quorvex
