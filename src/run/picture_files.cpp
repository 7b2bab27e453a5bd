#include "run/picture_files.h"

#include <memory>
#include <span>

#include "base/ascii.h"
#include "classlib/library_path.h"
#include "loadable/picture_data.h"

namespace quorvex {

std::optional<std::string> FindPictureFile(FileSystem& files, const std::string& form_path, std::string_view name,
                                           const std::vector<std::string>& known_files) {
  const std::string folder = FolderOf(form_path);
  if (!IsRootedPath(name)) {
    if (std::optional<std::string> found = FollowPathNoCase(files, folder, name)) return found;
  }
  const std::string_view file_name = PathFileName(name);
  if (std::optional<std::string> found = FindNameNoCase(files, folder, file_name, WantedKind::kLibrary)) return found;
  for (const std::string& known : known_files) {
    if (!file_name.empty() && SameText(PathFileName(known), file_name) && files.KindOf(known) == PathKind::kFile) {
      return known;
    }
  }
  return std::nullopt;
}

std::optional<std::string> ReadPictureFile(FileSystem& files, const std::string& path) {
  const std::unique_ptr<RandomAccessFile> file = files.OpenForReading(path);
  if (!file) return std::nullopt;
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size > kMaxPictureFileBytes) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(*size), '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const std::optional<std::size_t> read = file->ReadAt(filled, std::span<char>(bytes).subspan(filled));
    if (!read) return std::nullopt;
    if (*read == 0) break;
    filled += *read;
  }
  bytes.resize(filled);
  return bytes;
}

}  // namespace quorvex
