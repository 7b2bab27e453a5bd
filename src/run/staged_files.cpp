#include "run/staged_files.h"

#include "base/errors.h"
#include "base/file_path.h"
#include "run/new_file.h"
#include "run/temporary_files.h"

namespace quorvex {

namespace fs = std::filesystem;

namespace {

bool IsReadOnlyFile(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::is_regular_file(status)) return false;
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

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
  UnnamedFile unnamed = UnnamedFile::Write(target.parent_path(), file.text);
  if (!unnamed && !WriteNewFile(temporary, file.text)) {
    std::error_code ec;
    fs::remove(temporary, ec);
    throw Exception("Cannot create file " + file.path);
  }
  files_.push_back({std::move(unnamed), std::move(temporary), file.path});
}

void StagedFiles::AddWritten(const std::string& path,
                             const std::function<void(const std::string& temporary)>& write) {
  const fs::path target = PathOf(path);
  if (IsReadOnlyFile(target)) throw Exception("Cannot create file " + path);
  fs::path temporary = TemporaryNameFor(target);
  try {
    write(PathText(temporary));
  } catch (...) {
    std::error_code ec;
    fs::remove(temporary, ec);
    throw;
  }
  // A library writes by name: such a file is named from the start, and a
  // later run removes it should this one be killed.
  files_.push_back({UnnamedFile(), std::move(temporary), path});
}

void StagedFiles::Commit(std::vector<std::string>& renamed) {
  std::vector<Staged> files = std::move(files_);
  files_.clear();
  made_folders_.clear();
  for (std::size_t i = 0; i < files.size(); ++i) {
    Staged& file = files[i];
    const fs::path target = PathOf(file.target);
    if (!(file.unnamed ? file.unnamed.Place(target, file.temporary) : MoveIntoPlace(file.temporary, target))) {
      std::error_code ec;
      for (std::size_t j = i; j < files.size(); ++j) fs::remove(files[j].temporary, ec);
      throw Exception("Cannot create file " + file.target);
    }
    renamed.push_back(file.target);
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
