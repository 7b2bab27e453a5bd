#include "run/staged_files.h"

#include <atomic>
#include <cstdio>
#include <random>

#include "base/errors.h"
#include "base/file_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorvex {

namespace fs = std::filesystem;

namespace {

// A name no other writer uses: the target's name, the process's random tag
// and a counter, so parallel conversions into one folder never collide.
fs::path TemporaryNameFor(const fs::path& target) {
  static const unsigned tag = std::random_device{}();
  static std::atomic<unsigned> counter{0};
  fs::path name = target;
  name.replace_filename(PathOf("." + PathText(target.filename()) + "." + std::to_string(tag) + "-" +
                               std::to_string(counter++) + ".tmp"));
  return name;
}

bool IsReadOnlyFile(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::is_regular_file(status)) return false;
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

#ifdef _WIN32
// CreateFileW, since the C library's fopen takes names in the ANSI code page
// and, in the msvcrt.dll of MinGW-w64, knows no "x". CREATE_NEW: never open
// an existing file, so a stale name cannot be clobbered.
bool WriteNewFile(const fs::path& path, std::string_view text) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  constexpr std::size_t kMaxWrite = 1u << 30;  // WriteFile counts in 32 bits
  bool written = true;
  for (std::size_t done = 0; written && done < text.size();) {
    DWORD put = 0;
    const DWORD count = static_cast<DWORD>(std::min(text.size() - done, kMaxWrite));
    written = WriteFile(file, text.data() + done, count, &put, nullptr) && put == count;
    done += put;
  }
  return CloseHandle(file) && written;
}

// MoveFileExW replaces the target in one step. std::filesystem::rename of
// GCC's library allows a copy (MOVEFILE_COPY_ALLOWED), which is not one step.
bool MoveIntoPlace(const fs::path& from, const std::string& to) {
  return MoveFileExW(from.c_str(), PathOf(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}
#else
// One unbuffered write of the whole text: no copy through a stream buffer.
bool WriteNewFile(const fs::path& path, std::string_view text) {
  // "x": never open an existing file, so a stale name cannot be clobbered.
  std::FILE* file = std::fopen(path.string().c_str(), "wbx");
  if (file == nullptr) return false;
  std::setvbuf(file, nullptr, _IONBF, 0);
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

bool MoveIntoPlace(const fs::path& from, const std::string& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}
#endif

}  // namespace

void StagedFiles::MakeFolder(const std::string& directory) {
  std::error_code ec;
  fs::path folder = PathOf(directory);
  if (!folder.has_filename()) folder = folder.parent_path();  // a trailing delimiter
  std::vector<fs::path> missing;
  while (!folder.empty() && !fs::exists(folder, ec)) {
    missing.push_back(folder);
    const fs::path parent = folder.parent_path();
    if (parent == folder) break;
    folder = parent;
  }
  // Another thread may make the same folder meanwhile; then it is not ours.
  for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
    if (fs::create_directory(*level, ec)) {
      made_folders_.push_back(*level);
    } else if (!fs::is_directory(*level, ec)) {
      return;
    }
  }
}

void StagedFiles::Add(const OutputFile& file) {
  const fs::path target = PathOf(file.path);
  if (IsReadOnlyFile(target)) throw Exception("Cannot create file " + file.path);
  fs::path temporary = TemporaryNameFor(target);
  if (!WriteNewFile(temporary, file.text)) {
    std::error_code ec;
    fs::remove(temporary, ec);
    throw Exception("Cannot create file " + file.path);
  }
  files_.push_back({std::move(temporary), file.path});
}

void StagedFiles::Commit(std::vector<std::string>& renamed) {
  std::vector<Staged> files = std::move(files_);
  files_.clear();
  made_folders_.clear();
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!MoveIntoPlace(files[i].temporary, files[i].target)) {
      std::error_code ec;
      for (std::size_t j = i; j < files.size(); ++j) fs::remove(files[j].temporary, ec);
      throw Exception("Cannot create file " + files[i].target);
    }
    renamed.push_back(files[i].target);
  }
}

void StagedFiles::Discard() noexcept {
  std::error_code ec;
  for (const Staged& file : files_) fs::remove(file.temporary, ec);
  files_.clear();
  // Children first; a folder something else was put in stays.
  for (auto folder = made_folders_.rbegin(); folder != made_folders_.rend(); ++folder) fs::remove(*folder, ec);
  made_folders_.clear();
}

}  // namespace quorvex
