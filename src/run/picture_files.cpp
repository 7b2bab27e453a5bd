#include "run/picture_files.h"

#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <tuple>
#include <unordered_map>

#include "classlib/library_path.h"
#include "pictures/picture_data.h"

namespace quorvex {

std::optional<std::string> FindPictureFile(FileSystem& files, const std::string& form_folder,
                                           std::string_view library_folder, std::string_view name) {
  const std::string holder = library_folder.empty() ? form_folder : std::string(library_folder);
  if (!IsRootedPath(name)) {
    if (std::optional<std::string> found = FollowPathNoCase(files, holder, name)) return found;
  }
  const std::string_view file_name = PathFileName(name);
  if (file_name.empty()) return std::nullopt;
  if (std::optional<std::string> found = FindNameNoCase(files, holder, file_name, WantedKind::kLibrary)) return found;
  if (holder == form_folder) return std::nullopt;
  return FindNameNoCase(files, form_folder, file_name, WantedKind::kLibrary);
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

PictureSource FilePictureSource(std::shared_ptr<FileSystem> files) {
  struct Found {
    std::mutex mutex;
    std::unordered_map<std::string, std::string> form_folders;  // form -> its folder, worked out once
    // (form folder, library folder, name) -> the file, "" for none
    std::map<std::tuple<std::string, std::string, std::string>, std::string> paths;

    std::string FormFolder(const std::string& form_path) {
      const std::lock_guard lock(mutex);
      auto known = form_folders.find(form_path);
      if (known == form_folders.end()) known = form_folders.emplace(form_path, FolderOf(form_path)).first;
      return known->second;
    }
  };
  auto found = std::make_shared<Found>();
  return [files = std::move(files), found](std::string_view name, std::string_view library_folder,
                                           const std::string& form_path) {
    const std::string form_folder = found->FormFolder(form_path);
    const auto key = std::make_tuple(form_folder, std::string(library_folder), std::string(name));
    std::optional<std::string> path;
    {
      const std::lock_guard lock(found->mutex);
      const auto known = found->paths.find(key);
      if (known != found->paths.end()) path = known->second;
    }
    if (!path) {
      path = FindPictureFile(*files, form_folder, library_folder, name).value_or("");
      const std::lock_guard lock(found->mutex);
      found->paths.emplace(key, *path);
    }
    PictureFile file{*path, std::nullopt};
    if (!file.path.empty()) file.bytes = ReadPictureFile(*files, file.path);
    return file;
  };
}

}  // namespace quorvex
