#pragma once
// The disk as the loadable mode looks up class libraries and pictures on it.

#include <memory>
#include <string>
#include <vector>

#include "table/file_system.h"

namespace quorvex {

// The real file system with each folder listed once (FolderListingCache),
// but for `written_folders` and all below them, which the caller writes into
// while it looks names up: output inside an input folder must be seen as it
// grows. A folder is taken to be below one of them when it is once links are
// followed, so that a link into the output is no way round; one whose place
// cannot be worked out is taken to be so. One per run, shared by its threads.
std::shared_ptr<FileSystem> LookupFileSystem(const std::vector<std::string>& written_folders);

}  // namespace quorvex
