#pragma once
// One table or memo file opened for reading. Every byte the table layer reads
// comes through DiskFile::Read or View, which bound the read by the file's
// real end before they allocate anything, so no length field of a file can
// make the reader allocate or return more than the file holds.
//
// A file no larger than its file system's WholeReadLimit() is read whole, in
// one read, when it is opened, and reads within those bytes are served from
// memory: a form's walk makes thousands of small reads. So a file changed by
// another program after it was opened is read as it was then, but bytes
// appended to it are read from the file, so records appended meanwhile become
// visible. A larger file, or one whose whole read fails, is read at each
// access, and its faults are reported by the access that meets them.
//
// Files are only ever opened for reading and shared with other programs; there
// is no write path. An open DiskFile is entered in OpenFileRegistry.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "table/file_system.h"

namespace quorvex {

class DiskFile {
 public:
  // Normalises the name (NormalizeFileName) and notes whether the file exists
  // now. The file system must outlive the DiskFile.
  DiskFile(FileSystem& files, std::string_view name);
  ~DiskFile();  // closes the file
  DiskFile(const DiskFile&) = delete;
  DiskFile& operator=(const DiskFile&) = delete;

  const std::string& FileName() const { return name_; }
  bool Exists() const { return exists_; }
  bool IsOpen() const { return handle_ != nullptr; }

  // Opens for shared reading, enters the registry and reads the file whole
  // when it is small enough. Throws ETableError "Access denied to file %s"
  // when the system refuses.
  void Open();

  // Up to count bytes from offset: fewer when the file ends first, none from
  // beyond its end. Throws ETableError "Error on Read of file %s" when the
  // system fails, "Error getting FileSize for file %s" when the size is unknown.
  std::string Read(std::uint64_t offset, std::uint64_t count);

  // The same bytes as Read, without a copy of their own: the view stays valid
  // until the next Read, View or Close of this file.
  std::string_view View(std::uint64_t offset, std::uint64_t count);

  // The present size. Throws ETableError "Error getting FileSize for file %s".
  std::uint64_t Size();

  // Closes and leaves the registry; does nothing when not open.
  void Close();

  // Drops the handle without touching the registry (used by the registry itself).
  void ReleaseHandle() { handle_.reset(); }

 private:
  void ReadWhole();

  FileSystem& files_;
  std::string name_;
  bool exists_;
  std::unique_ptr<RandomAccessFile> handle_;
  std::uint64_t known_size_ = 0;  // the size last asked; reads within it need not ask again
  std::string contents_;          // the bytes read whole at open; empty when not read so
  std::string scratch_;           // the bytes of the latest View beyond contents_
};

}  // namespace quorvex
