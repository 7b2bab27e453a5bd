#include "run/output_file.h"

#include <filesystem>
#include <vector>

#include "base/errors.h"
#include "base/file_path.h"
#include "run/staged_files.h"
#include "run/temporary_files.h"

namespace quorvex {

namespace fs = std::filesystem;

void ForceOutputDirectory(const std::string& directory) {
  std::string trimmed = directory;
  while (trimmed.size() > 1 && IsPathDelimiter(trimmed.back())) trimmed.pop_back();
  std::error_code ec;
  if (!trimmed.empty()) fs::create_directories(PathOf(trimmed), ec);
  if (trimmed.empty() || !fs::is_directory(PathOf(trimmed), ec)) {
    throw Exception("Cannot create " + directory);
  }
}

std::string WithTrailingDelimiter(std::string directory) {
  if (directory.empty() || !IsPathDelimiter(directory.back())) directory += static_cast<char>(fs::path::preferred_separator);
  return directory;
}

std::string ExtractFileName(std::string_view path) {
  std::size_t start = path.size();
  while (start > 0 && !IsPathDelimiter(path[start - 1])) --start;
  return std::string(path.substr(start));
}

std::string ChangeFileExt(std::string_view name, std::string_view extension) {
  const std::size_t base = name.size() - ExtractFileName(name).size();
  const std::size_t dot = name.rfind('.');
  std::string result(dot == std::string_view::npos || dot < base ? name : name.substr(0, dot));
  result += extension;
  return result;
}

void SaveLinesToFile(const TextList& lines, const std::string& path) { SaveTextToFile(JoinLines(lines), path); }

void SaveTextToFile(std::string_view text, const std::string& path) {
  RemoveStaleTemporaryFiles(PathOf(path).parent_path());
  StagedFiles staged;
  staged.Add({path, text});
  std::vector<std::string> renamed;
  staged.Commit(renamed);
}

}  // namespace quorvex
