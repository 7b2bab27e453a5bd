#pragma once
// The memo file of a table: the companion file that holds the text of memo
// fields, whose records keep only a block number. Three formats are read:
//
//   FoxPro (tables 0x30-0x32,   header: block size big-endian at bytes 6-7;
//           0xF5)               entry: type (0 picture, 1 text, 2 OLE object)
//                               and data length, both big-endian, then the data
//   dBASE IV (table 0x8B)       header: block size little-endian at bytes 20-23;
//                               entry: FF FF, 2 bytes, length little-endian
//                               (the 8 header bytes included), then the data
//   dBASE III (table 0x83)      blocks of 512 bytes, no entry header; the data
//                               ends at the first 0x1A (at most 65,519 bytes)
//
// Entry n starts at n * block size; block 0 means "no entry". docs/formats.md
// describes the layouts in full. Every read goes through DiskFile, so an entry
// whose stated length runs past the end of the file is cut at the file's end.
// Failures raise ETableError naming the memo file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "table/dbf_format.h"
#include "table/disk_file.h"
#include "table/file_system.h"

namespace quorvex {

enum class MemoFormat { kFoxPro, kDbase3, kDbase4 };

// A memo reference read as a number, as a block number: truncated; values no
// file could hold become the largest block number, so the memo read reports a
// bad entry.
std::int64_t MemoBlockNumber(double reference);

// The memo format of a table version (0x83 dBASE III, 0x8B dBASE IV, else FoxPro).
MemoFormat MemoFormatOf(int table_version);

// The memo file name of a table: for dBASE tables (0x83, 0x8B) the extension
// ".dbt"; for FoxPro tables the table's extension, cut to its first four
// characters (dot included), is looked up without regard to case in
// .scx/.vcx/.dbc/.frx/.lbx/.mnx/.pjx, giving .sct/.vct/.dct/.frt/.lbt/.mnt/.pjt,
// and ".fpt" for anything else. The new extension replaces the whole old one.
std::string MemoFileName(std::string_view table_file_name, int table_version);

// The memo file's data-length limit and header sizes.
inline constexpr std::size_t kMemoHeaderReadSize = 32;
inline constexpr std::size_t kFoxProBlockSizeAt = 6;        // 2 bytes, big-endian
inline constexpr std::size_t kDbase4BlockSizeAt = 20;       // 4 bytes, little-endian
inline constexpr std::uint64_t kDbase3BlockSize = 512;
inline constexpr std::size_t kMemoEntryHeaderSize = 8;      // FoxPro and dBASE IV
inline constexpr std::uint32_t kFoxProPictureEntry = 0;     // FoxPro entry types
inline constexpr std::uint32_t kFoxProTextEntry = 1;
inline constexpr std::uint32_t kFoxProObjectEntry = 2;
inline constexpr std::uint64_t kDbase3MaxLength = 65519;
inline constexpr char kDbase3EntryEnd = 0x1A;

class MemoFile {
 public:
  // Finds and opens the memo file: the derived name, or else a file in the
  // same folder whose name equals it without regard to ASCII letter case
  // (the first in byte order when several do).
  // Throws ETableError "File %s could not be found" (the derived name),
  // "Access denied to file %s", "Error on Read of file %s" (a header shorter
  // than 32 bytes), "Memo block size is 0 in %s". The memo file of a data table
  // may hold OLE objects (the entries of G fields); a form's never does, and an
  // entry of that type in one is a bad entry.
  MemoFile(FileSystem& files, std::string_view derived_name, MemoFormat format, TableUse use = TableUse::kForm);

  const std::string& FileName() const { return file_.FileName(); }

  // The data length of entry block (0 for block 0; may be 0 or negative for a
  // dBASE IV entry whose length is below its header's).
  // Throws "Memo record is bad in %s" when the entry header is not in the file
  // or its type is not allowed; "Invalid memo block number %d in %s" for a
  // negative block.
  std::int64_t EntryLength(std::int64_t block);

  // The first count bytes of the entry's data (fewer when the file ends first;
  // count is cut to the stored length). Throws as EntryLength.
  std::string ReadEntry(std::int64_t block, std::int64_t count);

  // The whole text of entry block: "" for block 0 and for a length of 0 or less.
  std::string EntryText(std::int64_t block);

 private:
  // Offset of the entry, or nothing when no file could hold it.
  std::optional<std::uint64_t> EntryOffset(std::int64_t block) const;
  std::uint64_t HeaderSize() const;
  // The data length stated by an entry header of the FoxPro or dBASE IV
  // format; throws "Memo record is bad in %s" as EntryLength.
  std::int64_t StoredLength(std::string_view head) const;

  DiskFile file_;
  MemoFormat format_;
  TableUse use_;
  std::uint64_t block_size_ = 0;
};

}  // namespace quorvex
