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
  ReadWhole();
}

// A size that cannot be told or a read that fails is not reported here: the
// file is then read at each access, and the access that meets the fault
// reports it, as it would have without the whole read.
void DiskFile::ReadWhole() {
  const auto size = handle_->Size();
  if (!size || *size > files_.WholeReadLimit()) return;
  contents_.resize(static_cast<std::size_t>(*size));
  const auto read = handle_->ReadAt(0, contents_);
  if (!read) {
    std::string().swap(contents_);
    return;
  }
  contents_.resize(std::min(*read, contents_.size()));
  known_size_ = contents_.size();
}

std::uint64_t DiskFile::Size() {
  const auto size = handle_ ? handle_->Size() : std::nullopt;
  if (!size) throw ETableError("Error getting FileSize for file " + name_);
  known_size_ = *size;
  return *size;
}

std::string DiskFile::Read(std::uint64_t offset, std::uint64_t count) { return std::string(View(offset, count)); }

std::string_view DiskFile::View(std::uint64_t offset, std::uint64_t count) {
  if (offset <= contents_.size() && count <= contents_.size() - offset) {
    return std::string_view(contents_).substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(count));
  }
  // The size is asked again only when the read reaches past the size known:
  // a file that grew since shows its new bytes, and one that shrank makes the
  // read return fewer bytes, so no read ever returns a byte not in the file.
  const bool within_known = offset <= known_size_ && count <= known_size_ - offset;
  const std::uint64_t size = within_known ? known_size_ : Size();
  if (offset >= size || count == 0) return {};
  // The file's real end bounds the buffer, whatever length the caller took
  // from the file's own fields.
  scratch_.resize(static_cast<std::size_t>(std::min(count, size - offset)));
  const auto read = handle_->ReadAt(offset, scratch_);
  if (!read) throw ETableError("Error on Read of file " + name_);
  scratch_.resize(std::min(*read, scratch_.size()));
  return scratch_;
}

void DiskFile::Close() {
  if (!handle_) return;
  OpenFileRegistry::Instance().Remove(this);
  handle_.reset();
  known_size_ = 0;
  std::string().swap(contents_);
  std::string().swap(scratch_);
}

}  // namespace quorvex
