#include "run/output_file.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <random>

#include "base/errors.h"

namespace quorvex {

namespace fs = std::filesystem;

namespace {

bool IsDelimiter(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

// A name no other writer uses: the target's name, the process's random tag
// and a counter, so parallel conversions into one folder never collide.
fs::path TemporaryNameFor(const fs::path& target) {
  static const unsigned tag = std::random_device{}();
  static std::atomic<unsigned> counter{0};
  fs::path name = target;
  name.replace_filename("." + target.filename().string() + "." + std::to_string(tag) + "-" +
                        std::to_string(counter++) + ".tmp");
  return name;
}

bool IsReadOnlyFile(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::is_regular_file(status)) return false;
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

bool WriteAll(std::FILE* file, const TextList& lines) {
  for (const auto& line : lines) {
    if (std::fwrite(line.data(), 1, line.size(), file) != line.size()) return false;
    if (std::fwrite("\r\n", 1, 2, file) != 2) return false;
  }
  return true;
}

// Writes through `write` into a temporary file beside `path`, then renames it
// over `path`; see SaveLinesToFile.
template <typename Write>
void SaveAtomically(const std::string& path, Write&& write) {
  const fs::path target(path);
  const auto fail = [&] { return Exception("Cannot create file " + path); };
  if (IsReadOnlyFile(target)) throw fail();
  const fs::path temporary = TemporaryNameFor(target);
  // "x": never open an existing file, so a stale name cannot be clobbered.
  std::FILE* file = std::fopen(temporary.string().c_str(), "wbx");
  if (!file) throw fail();
  const bool written = write(file) && std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  std::error_code ec;
  if (written && closed) fs::rename(temporary, target, ec);
  if (!written || !closed || ec) {
    fs::remove(temporary, ec);
    throw fail();
  }
}

}  // namespace

void ForceOutputDirectory(const std::string& directory) {
  std::string trimmed = directory;
  while (trimmed.size() > 1 && IsDelimiter(trimmed.back())) trimmed.pop_back();
  std::error_code ec;
  if (!trimmed.empty()) fs::create_directories(fs::path(trimmed), ec);
  if (trimmed.empty() || !fs::is_directory(fs::path(trimmed), ec)) {
    throw Exception("Cannot create " + directory);
  }
}

std::string WithTrailingDelimiter(std::string directory) {
  if (directory.empty() || !IsDelimiter(directory.back())) directory += static_cast<char>(fs::path::preferred_separator);
  return directory;
}

std::string ExtractFileName(std::string_view path) {
  std::size_t start = path.size();
  while (start > 0 && !IsDelimiter(path[start - 1])) --start;
  return std::string(path.substr(start));
}

std::string ChangeFileExt(std::string_view name, std::string_view extension) {
  const std::size_t base = name.size() - ExtractFileName(name).size();
  const std::size_t dot = name.rfind('.');
  std::string result(dot == std::string_view::npos || dot < base ? name : name.substr(0, dot));
  result += extension;
  return result;
}

void SaveLinesToFile(const TextList& lines, const std::string& path) {
  SaveAtomically(path, [&](std::FILE* file) { return WriteAll(file, lines); });
}

void SaveTextToFile(std::string_view text, const std::string& path) {
  SaveAtomically(path, [&](std::FILE* file) { return std::fwrite(text.data(), 1, text.size(), file) == text.size(); });
}

}  // namespace quorvex
