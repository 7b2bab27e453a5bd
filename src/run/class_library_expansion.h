#pragma once
// The loadable mode's record expansion through class libraries: what
// RunOptions::library_folders turns into for a run, and what the --stage
// printer uses for its one form.

#include <memory>
#include <string>
#include <vector>

#include "classlib/class_library_cache.h"
#include "loadable/loadable_conversion.h"
#include "table/file_system.h"

namespace quorvex {

// A cache of class libraries on `files`, which it keeps alive, knowing
// `library_files` (those projects list) by name and searching
// `library_folders` (-L) as the last rule. One per run: every form and worker
// thread of the run shares it, so each library is read once.
std::shared_ptr<ClassLibraryCache> MakeClassLibraryCache(std::shared_ptr<FileSystem> files,
                                                         std::vector<std::string> library_folders,
                                                         const std::vector<std::string>& library_files = {});

// Spells out a form's class-library instances with ExpandClassInstances;
// the expansion's notes follow the notes the form already has. The
// expansion keeps the cache alive and may be called from several threads at
// once. Throws EFormTooLarge as ExpandClassInstances does.
RecordExpansion ClassLibraryExpansion(std::shared_ptr<ClassLibraryCache> cache);

}  // namespace quorvex
