#include "run/new_file.h"

#include <cstdio>

namespace quorvex {

// One unbuffered write of the whole text: no copy through a stream buffer.
bool WriteNewFile(const std::filesystem::path& path, std::string_view text) {
  // "x": never open an existing file.
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (file == nullptr) return false;
  std::setvbuf(file, nullptr, _IONBF, 0);
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

// rename(2) replaces the target in one step.
bool MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  return !ec;
}

}  // namespace quorvex
