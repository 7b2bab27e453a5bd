#pragma once
// A FileSystem held in memory, for tests and fuzz targets: files are byte
// strings under full names; the folders are those that the names imply. Open files see later changes of their file (as a
// table opened shared sees records another program appends), and keep their
// bytes when the file is removed. Failures of the real system can be staged
// per file: a refused open, an unknown size, failing reads.
//
// All members are safe to call from several threads at once.
//
// Example:
//   MemoryFileSystem files;
//   files.AddFile("/forms/form1.scx", table_bytes);
//   files.AddFile("/forms/form1.sct", memo_bytes);
//   TableDataSet dataset("TableDataSet1", files);
//   dataset.SetTableName("/forms/form1.scx");
//   dataset.Open();

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "table/file_system.h"

namespace quorvex {

class MemoryFileSystem : public FileSystem {
 public:
  MemoryFileSystem();

  // Creates or replaces a file. Relative names are normalised like DiskFile's
  // (made absolute against the current directory), so either form finds it.
  void AddFile(std::string_view name, std::string_view bytes);
  void RemoveFile(std::string_view name);
  // Adds bytes at the end of an existing file (does nothing when absent).
  void AppendToFile(std::string_view name, std::string_view bytes);
  // Cuts an existing file to size bytes (does nothing when it is shorter).
  void TruncateFile(std::string_view name, std::uint64_t size);
  // The file's present bytes, or nothing when absent.
  std::optional<std::string> FileBytes(std::string_view name) const;

  // Staged failures, kept with the file until it is replaced or removed.
  void RefuseOpen(std::string_view name);
  void FailSize(std::string_view name);
  // Every read that touches a byte at or after offset fails.
  void FailReadsFrom(std::string_view name, std::uint64_t offset);
  // Files above `limit` bytes are read at each access, not whole at open
  // (0: every file is), so a test can change a file under an open reader.
  void SetWholeReadLimit(std::uint64_t limit);

  bool Exists(const std::string& name) override;
  std::unique_ptr<RandomAccessFile> OpenForReading(const std::string& name) override;
  // The files and implied subfolders directly in the folder.
  std::vector<std::string> FolderEntries(const std::string& folder) override;
  std::uint64_t WholeReadLimit() const override;
  PathKind KindOf(const std::string& name) override;

  // Implementation: one file's bytes and staged failures, and the table of
  // files, shared with the open files.
  struct Entry;
  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace quorvex
