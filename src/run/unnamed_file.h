#pragma once
// A file written before it has a name, named only once complete, the
// system's own way (unnamed_file_posix.cpp, unnamed_file_windows.cpp): on
// Linux a file made with O_TMPFILE in its target's folder, which the system
// removes with the process however the process ends, so that a killed run
// leaves no temporary file behind. Other systems, and file systems without
// such files, have none: there the temporary file has a name from the start
// (new_file.h).

#include <filesystem>
#include <string_view>
#include <utility>

namespace quorvex {

class UnnamedFile {
 public:
  UnnamedFile() = default;  // none
  UnnamedFile(UnnamedFile&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
  UnnamedFile& operator=(UnnamedFile&& other) noexcept {
    if (this != &other) {
      Close();
      descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
  }
  ~UnnamedFile() { Close(); }

  // Writes `text`, bytes unchanged, into a new file without a name in
  // `folder`, held open until it is placed. None where the system or the
  // folder's file system makes no such files, where this process holds many
  // already (each is an open descriptor), or when it cannot be written.
  static UnnamedFile Write(const std::filesystem::path& folder, std::string_view text);

  explicit operator bool() const { return descriptor_ >= 0; }

  // Gives the file the name `target`, replacing a file of that name in one
  // step: where no file has the name, the file is linked as `target`; where
  // one has, it is linked as `temporary` (a new name beside it) and renamed
  // over it, so that a name of its own exists only for that instant. False
  // when it cannot, with `target` as it was and `temporary` gone; the file
  // stays unnamed and open.
  bool Place(const std::filesystem::path& target, const std::filesystem::path& temporary);

 private:
  explicit UnnamedFile(int descriptor) : descriptor_(descriptor) {}
  void Close() noexcept;

  int descriptor_ = -1;
};

}  // namespace quorvex
