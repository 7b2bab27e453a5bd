#include "table/file_system.h"

#include <algorithm>
#include <filesystem>

#include "base/ascii.h"
#include "base/file_path.h"
#include "table/real_file.h"

namespace quorvex {

namespace {

namespace fs = std::filesystem;

class RealFileSystemImpl : public FileSystem {
 public:
  bool Exists(const std::string& name) override {
    std::error_code ec;
    const fs::file_status status = fs::status(PathOf(name), ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
  }

  std::unique_ptr<RandomAccessFile> OpenForReading(const std::string& name) override {
    return OpenRealFile(name);
  }

  std::vector<std::string> FolderEntries(const std::string& folder) override {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(PathOf(folder), ec), end; !ec && it != end; it.increment(ec)) {
      names.push_back(PathText(it->path().filename()));
    }
    return names;
  }

  PathKind KindOf(const std::string& name) override {
    std::error_code ec;
    const fs::path path = PathOf(name);
    const fs::file_status target = fs::status(path, ec);  // a loop of links fails here (ELOOP)
    if (ec || !fs::exists(target)) return PathKind::kMissing;
    if (fs::is_regular_file(target)) return PathKind::kFile;
    if (!fs::is_directory(target)) return PathKind::kOther;
    const fs::file_status self = fs::symlink_status(path, ec);
    return !ec && fs::is_symlink(self) ? PathKind::kLinkedFolder : PathKind::kFolder;
  }
};

}  // namespace

std::vector<std::string> FileSystem::EntriesNamedNoCase(const std::string& folder, std::string_view name) {
  std::vector<std::string> matches;
  for (std::string& entry : FolderEntries(folder)) {
    if (SameText(entry, name)) matches.push_back(std::move(entry));
  }
  std::sort(matches.begin(), matches.end());
  return matches;
}

FileSystem& RealFileSystem() {
  static RealFileSystemImpl files;  // stateless: every call works on the disk
  return files;
}

}  // namespace quorvex
