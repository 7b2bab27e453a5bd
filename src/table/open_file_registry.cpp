#include "table/open_file_registry.h"

#include <algorithm>

#include "table/disk_file.h"

namespace quorvex {

OpenFileRegistry& OpenFileRegistry::Instance() {
  // The one program-wide registry; its own mutex guards it.
  static OpenFileRegistry registry;
  return registry;
}

OpenFileRegistry::~OpenFileRegistry() { CloseAll(); }

void OpenFileRegistry::Enter(DiskFile* file) {
  std::lock_guard lock(mutex_);
  files_.push_back(file);
}

void OpenFileRegistry::Remove(DiskFile* file) {
  std::lock_guard lock(mutex_);
  files_.erase(std::remove(files_.begin(), files_.end(), file), files_.end());
}

std::size_t OpenFileRegistry::OpenCount() const {
  std::lock_guard lock(mutex_);
  return files_.size();
}

std::vector<std::string> OpenFileRegistry::OpenFileNames() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> names;
  for (const DiskFile* file : files_) names.push_back(file->FileName());
  return names;
}

void OpenFileRegistry::CloseAll() {
  std::vector<DiskFile*> files;
  {
    std::lock_guard lock(mutex_);
    files.swap(files_);
  }
  // Outside the lock: a file's release does not come back to the registry.
  for (DiskFile* file : files) file->ReleaseHandle();
}

}  // namespace quorvex
