#include "classlib/class_library_cache.h"

#include <exception>

#include "base/ascii.h"
#include "classlib/library_path.h"

namespace quorvex {

ClassLibraryCache::ClassLibraryCache(FileSystem& files, std::vector<std::string> search_folders,
                                     const std::vector<std::string>& known_files)
    : files_(files), search_(files, std::move(search_folders)) {
  for (const std::string& path : known_files) known_by_name_.try_emplace(AsciiLowerCopy(PathFileName(path)), path);
}

std::optional<std::string> ClassLibraryCache::FindLibrary(const std::string& holder_folder,
                                                          const std::string& form_folder,
                                                          std::string_view class_location) {
  auto key = std::make_tuple(holder_folder, form_folder, std::string(class_location));
  {
    std::lock_guard lock(mutex_);
    if (auto found = found_.find(key); found != found_.end()) return found->second;
  }
  std::optional<std::string> path = Locate(holder_folder, form_folder, class_location);
  std::lock_guard lock(mutex_);
  return found_.try_emplace(std::move(key), std::move(path)).first->second;
}

std::optional<std::string> ClassLibraryCache::Locate(const std::string& holder_folder,
                                                     const std::string& form_folder,
                                                     std::string_view class_location) {
  const std::string_view file_name = PathFileName(class_location);
  if (!HasLibraryExtension(file_name)) return std::nullopt;
  if (!IsRootedPath(class_location)) {
    if (auto path = FollowPathNoCase(files_, holder_folder, class_location)) return path;
  }
  if (auto path = FindNameNoCase(files_, holder_folder, file_name, WantedKind::kLibrary)) return path;
  if (auto path = FindNameNoCase(files_, form_folder, file_name, WantedKind::kLibrary)) return path;
  if (auto known = known_by_name_.find(AsciiLowerCopy(file_name)); known != known_by_name_.end())
    return known->second;
  return search_.Find(file_name);
}

const LibraryLoad& ClassLibraryCache::Library(const std::string& path) {
  Entry* entry = nullptr;
  {
    std::lock_guard lock(mutex_);
    std::unique_ptr<Entry>& slot = libraries_[path];
    if (!slot) slot = std::make_unique<Entry>();
    entry = slot.get();
  }
  std::call_once(entry->read, [&] { entry->load = Load(path); });
  return entry->load;
}

LibraryLoad ClassLibraryCache::Load(const std::string& path) {
  try {
    return {ReadClassLibrary(files_, path), {}};
  } catch (const std::exception& failure) {
    return {nullptr, failure.what()};
  }
}

}  // namespace quorvex
