#include "table/disk_file.h"

#include <algorithm>

#include "table/errors.h"
#include "table/file_name.h"
#include "table/open_file_registry.h"

namespace quorvex {

DiskFile::DiskFile(FileSystem& files, std::string_view name)
    : files_(files), name_(NormalizeFileName(name)), exists_(files.Exists(name_)) {}

DiskFile::~DiskFile() { Close(); }

void DiskFile::Open() {
  if (handle_) return;
  handle_ = files_.OpenForReading(name_);
  if (!handle_) throw ETableError("Access denied to file " + name_);
  OpenFileRegistry::Instance().Enter(this);
}

std::uint64_t DiskFile::Size() {
  const auto size = handle_ ? handle_->Size() : std::nullopt;
  if (!size) throw ETableError("Error getting FileSize for file " + name_);
  return *size;
}

std::string DiskFile::Read(std::uint64_t offset, std::uint64_t count) {
  const std::uint64_t size = Size();
  if (offset >= size || count == 0) return {};
  // The file's real end bounds the buffer, whatever length the caller took
  // from the file's own fields.
  std::string bytes(static_cast<std::size_t>(std::min(count, size - offset)), '\0');
  const auto read = handle_->ReadAt(offset, bytes);
  if (!read) throw ETableError("Error on Read of file " + name_);
  bytes.resize(std::min(*read, bytes.size()));
  return bytes;
}

void DiskFile::Close() {
  if (!handle_) return;
  OpenFileRegistry::Instance().Remove(this);
  handle_.reset();
}

}  // namespace quorvex
