#pragma once
// How the loadable mode gets the picture files that a form's settings name:
// through a function the run gives it (run/picture_files.h looks on the
// run's file system), so that this stage reads no disk of its own.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

// What a lookup found.
struct PictureFile {
  std::string path;                  // the file found; "" when none was
  std::optional<std::string> bytes;  // its bytes; nothing when they could not be read
};

// Looks up `name`, a setting's value as FoxPro wrote it ("bmp\logo.bmp"),
// for the form at `form_path`; `library_folder` is the folder of the class
// library whose record set it, "" for the form's own setting. May be called
// from several conversions' threads at once.
using PictureSource =
    std::function<PictureFile(std::string_view name, std::string_view library_folder, const std::string& form_path)>;

}  // namespace quorvex
