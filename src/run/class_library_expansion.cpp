#include "run/class_library_expansion.h"

#include "classlib/class_expansion.h"

namespace quorvex {

std::shared_ptr<ClassLibraryCache> MakeClassLibraryCache(std::shared_ptr<FileSystem> files,
                                                         std::vector<std::string> library_folders,
                                                         const std::vector<std::string>& library_files) {
  // The cache and the file system it reads, freed together.
  struct Owner {
    Owner(std::shared_ptr<FileSystem> held, std::vector<std::string> folders, const std::vector<std::string>& known)
        : files(std::move(held)), cache(*files, std::move(folders), known) {}
    std::shared_ptr<FileSystem> files;
    ClassLibraryCache cache;
  };
  auto owner = std::make_shared<Owner>(std::move(files), std::move(library_folders), library_files);
  return {owner, &owner->cache};
}

RecordExpansion ClassLibraryExpansion(std::shared_ptr<ClassLibraryCache> cache) {
  return [cache = std::move(cache)](std::vector<FormRecord> records, const std::string& form_path,
                                    std::vector<std::string>& notes) {
    ClassExpansion expansion = ExpandClassInstances(std::move(records), form_path, *cache);
    notes.insert(notes.end(), expansion.notes.begin(), expansion.notes.end());
    return std::move(expansion.records);
  };
}

}  // namespace quorvex
