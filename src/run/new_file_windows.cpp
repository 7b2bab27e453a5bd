#include "run/new_file.h"

#include <windows.h>

#include <algorithm>

namespace quorvex {

// CreateFileW, since the C library's fopen takes names in the ANSI code page
// and, in the msvcrt.dll of MinGW-w64, knows no "x": CREATE_NEW instead.
// WriteFile counts in 32 bits, so a larger text takes several writes.
bool WriteNewFile(const std::filesystem::path& path, std::string_view text) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  constexpr std::size_t kMaxWrite = 1u << 30;
  bool written = true;
  for (std::size_t done = 0; written && done < text.size();) {
    DWORD put = 0;
    const auto count = static_cast<DWORD>(std::min(text.size() - done, kMaxWrite));
    written = WriteFile(file, text.data() + done, count, &put, nullptr) && put == count;
    done += put;
  }
  return CloseHandle(file) && written;
}

// MoveFileExW with MOVEFILE_REPLACE_EXISTING replaces the target in one step.
// GCC's std::filesystem::rename allows a copy (MOVEFILE_COPY_ALLOWED), which
// is not one step. A target that another program holds open without sharing
// its deletion cannot be replaced: the call fails and the target stays.
bool MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace quorvex
