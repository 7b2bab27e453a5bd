#include "run/class_library_expansion.h"

#include "classlib/class_expansion.h"
#include "table/file_system.h"

namespace quorvex {

std::shared_ptr<ClassLibraryCache> MakeClassLibraryCache(std::vector<std::string> library_folders,
                                                         const std::vector<std::string>& library_files) {
  return std::make_shared<ClassLibraryCache>(RealFileSystem(), std::move(library_folders), library_files);
}

RecordExpansion ClassLibraryExpansion(std::shared_ptr<ClassLibraryCache> cache) {
  return [cache = std::move(cache)](std::vector<FormRecord> records, const std::string& form_path,
                                    std::vector<std::string>& notes) {
    ClassExpansion expansion = ExpandClassInstances(records, form_path, *cache);
    notes.insert(notes.end(), expansion.notes.begin(), expansion.notes.end());
    return std::move(expansion.records);
  };
}

}  // namespace quorvex
