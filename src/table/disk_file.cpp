#include "table/disk_file.h"

#include <algorithm>

#include "base/errors.h"
#include "table/file_name.h"
#include "table/open_file_registry.h"

namespace quorvex {

DiskFile::DiskFile(FileSystem& files, std::string_view name)
    : files_(files), name_(NormalizeFileName(name)), exists_(files.Exists(name_)) {}

DiskFile::~DiskFile() { Close(); }

void DiskFile::Open() {
  if (handle_) return;
  handle_ = files_.OpenForReading(name_);
  known_size_ = 0;
  if (!handle_) throw ETableError("Access denied to file " + name_);
  OpenFileRegistry::Instance().Enter(this);
}

std::uint64_t DiskFile::Size() {
  const auto size = handle_ ? handle_->Size() : std::nullopt;
  if (!size) throw ETableError("Error getting FileSize for file " + name_);
  known_size_ = *size;
  return *size;
}

std::string DiskFile::Read(std::uint64_t offset, std::uint64_t count) {
  // The size is asked again only when the read reaches past the size known:
  // a file that grew since shows its new bytes, and one that shrank makes the
  // read return fewer bytes, so no read ever returns a byte not in the file.
  const bool within_known = offset <= known_size_ && count <= known_size_ - offset;
  const std::uint64_t size = within_known ? known_size_ : Size();
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
