#include "run/picture_files.h"

#include <memory>
#include <span>

#include "classlib/library_path.h"
#include "loadable/picture_data.h"

namespace quorvex {

std::optional<std::string> FindPictureFile(FileSystem& files, const std::string& form_path,
                                           std::string_view library_folder, std::string_view name) {
  const std::string form_folder = FolderOf(form_path);
  const std::string holder = library_folder.empty() ? form_folder : std::string(library_folder);
  if (!IsRootedPath(name)) {
    if (std::optional<std::string> found = FollowPathNoCase(files, holder, name)) return found;
  }
  const std::string_view file_name = PathFileName(name);
  if (file_name.empty()) return std::nullopt;
  for (const std::string& folder : {holder, form_folder}) {
    if (std::optional<std::string> found = FindNameNoCase(files, folder, file_name, WantedKind::kLibrary)) return found;
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

PictureSource FilePictureSource(FileSystem& files) {
  return [&files](std::string_view name, std::string_view library_folder, const std::string& form_path) {
    PictureFile file;
    file.path = FindPictureFile(files, form_path, library_folder, name).value_or("");
    if (!file.path.empty()) file.bytes = ReadPictureFile(files, file.path);
    return file;
  };
}

}  // namespace quorvex
