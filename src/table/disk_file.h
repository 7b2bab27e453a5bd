#pragma once
// One table or memo file opened for reading. Every byte the table layer reads
// comes through DiskFile::Read, which bounds the read by the file's real end
// before it allocates anything, so no length field of a file can make the
// reader allocate or return more than the file holds.
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

  // Opens for shared reading and enters the registry.
  // Throws ETableError "Access denied to file %s" when the system refuses.
  void Open();

  // Up to count bytes from offset: fewer when the file ends first, none from
  // beyond its end. Throws ETableError "Error on Read of file %s" when the
  // system fails, "Error getting FileSize for file %s" when the size is unknown.
  std::string Read(std::uint64_t offset, std::uint64_t count);

  // The present size. Throws ETableError "Error getting FileSize for file %s".
  std::uint64_t Size();

  // Closes and leaves the registry; does nothing when not open.
  void Close();

  // Drops the handle without touching the registry (used by the registry itself).
  void ReleaseHandle() { handle_.reset(); }

 private:
  FileSystem& files_;
  std::string name_;
  bool exists_;
  std::unique_ptr<RandomAccessFile> handle_;
};

}  // namespace quorvex
