#pragma once
// A file of the disk opened for reading, the system's own way: a descriptor
// on POSIX systems (real_file_posix.cpp), a handle of the wide API on Windows
// (real_file_windows.cpp).

#include <memory>
#include <string>

#include "table/file_system.h"

namespace quorvex {

// `name` (UTF-8) opened read-only, never locking other programs out of it;
// null when it cannot be opened. Each read is one positioned read, with no
// shared file position, so that threads may read one file at once.
std::unique_ptr<RandomAccessFile> OpenRealFile(const std::string& name);

}  // namespace quorvex
