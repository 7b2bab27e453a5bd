#pragma once
// The file-system seam under DiskFile. Tables and memo files are read only
// through this interface, so tests and fuzz targets can serve them from memory
// (MemoryFileSystem) while the program reads the disk (RealFileSystem()).
//
// Names handed to a FileSystem are full names as DiskFile normalises them
// (see NormalizeFileName); implementations compare them byte for byte.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// One open file, read at explicit offsets. Used by one thread at a time.
class RandomAccessFile {
 public:
  virtual ~RandomAccessFile() = default;

  // The file's present size in bytes, or nothing when it cannot be determined.
  virtual std::optional<std::uint64_t> Size() = 0;

  // Copies up to buffer.size() bytes starting at offset into buffer and returns
  // how many were copied (fewer at the end of the file, 0 beyond it), or
  // nothing when the system reports a failure.
  virtual std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<char> buffer) = 0;
};

// Files up to this size are read whole when DiskFile opens them; every real
// form file is far smaller.
inline constexpr std::uint64_t kDefaultWholeReadLimit = 64u << 20;

// What a name stands for, symbolic links followed to their end.
enum class PathKind {
  kMissing,       // nothing, a dangling link, or a loop of links
  kFile,          // a regular file
  kFolder,        // a folder reached without a symbolic link at its end
  kLinkedFolder,  // a symbolic link that ends at a folder
  kOther,         // a device, pipe or socket
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when a file (not a folder) of that name exists.
  virtual bool Exists(const std::string& name) = 0;

  // Opens the file for reading, shared with other programs (other readers and
  // writers are not locked out). Nothing when the system refuses.
  virtual std::unique_ptr<RandomAccessFile> OpenForReading(const std::string& name) = 0;

  // The names (without folder) of the entries of a folder, in no particular
  // order; empty when the folder cannot be listed.
  virtual std::vector<std::string> FolderEntries(const std::string& folder) = 0;

  // The entries of a folder equal to `name` without regard to ASCII case, in
  // byte order; empty when the folder cannot be listed. Lookups of names as
  // FoxPro wrote them go through here, so that a file system that keeps
  // listings can answer them without a listing each.
  virtual std::vector<std::string> EntriesNamedNoCase(const std::string& folder, std::string_view name);

  // The largest file DiskFile reads whole when it opens it (and serves from
  // memory afterwards); larger files are read at each access.
  virtual std::uint64_t WholeReadLimit() const { return kDefaultWholeReadLimit; }

  // The kind of the name. Readers of names found inside other files use it to
  // open regular files only, and folder searches to keep out of linked folders,
  // which may lead back up the tree. This default suits file systems that hold
  // regular files and nothing else.
  virtual PathKind KindOf(const std::string& name) { return Exists(name) ? PathKind::kFile : PathKind::kMissing; }
};

// The disk, through the standard library. Stateless and safe to share between
// threads; lives for the whole program.
FileSystem& RealFileSystem();

}  // namespace quorvex
