#include "table/memo_file.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <vector>

#include "base/ascii.h"
#include "table/byte_order.h"
#include "table/dbf_format.h"
#include "base/errors.h"
#include "base/file_path.h"
#include "table/file_name.h"

namespace quorvex {

namespace {

struct ExtensionPair {
  std::string_view table;
  std::string_view memo;
};

constexpr ExtensionPair kFoxProMemoExtensions[] = {
    {".scx", ".sct"}, {".vcx", ".vct"}, {".dbc", ".dct"}, {".frx", ".frt"},
    {".lbx", ".lbt"}, {".mnx", ".mnt"}, {".pjx", ".pjt"},
};
constexpr std::string_view kFoxProDefaultExtension = ".fpt";
constexpr std::string_view kDbaseExtension = ".dbt";

// The derived name when it exists, where names count letter case; otherwise
// the name of the same folder that equals it without regard to case, the
// derived spelling first and then in byte order, so that FORM.SCT is found
// for FORM.scx where case counts, and the name is the folder's own spelling
// where it does not; last, in a folder that cannot be listed, the derived
// name itself.
std::string ResolveMemoName(FileSystem& files, std::string_view derived_name) {
  const std::string derived = NormalizeFileName(derived_name);
  if (!kNamesIgnoreCase && files.Exists(derived)) return derived;
  const std::filesystem::path path = PathOf(derived);
  const std::string wanted = PathText(path.filename());
  std::vector<std::string> matches = files.EntriesNamedNoCase(PathText(path.parent_path()), wanted);
  std::stable_partition(matches.begin(), matches.end(), [&](const std::string& match) { return match == wanted; });
  for (const std::string& match : matches) {
    const std::string candidate = PathText(path.parent_path() / PathOf(match));
    if (files.Exists(candidate)) return candidate;
  }
  if (files.Exists(derived)) return derived;
  throw ETableError("File " + derived + " could not be found");
}

}  // namespace

std::int64_t MemoBlockNumber(double reference) {
  constexpr double kLimit = 9.0e18;
  if (std::isnan(reference) || reference >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (reference <= -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(reference);
}

MemoFormat MemoFormatOf(int table_version) {
  if (table_version == kVersionDbase3Memo) return MemoFormat::kDbase3;
  if (table_version == kVersionDbase4Memo) return MemoFormat::kDbase4;
  return MemoFormat::kFoxPro;
}

std::string MemoFileName(std::string_view table_file_name, int table_version) {
  if (MemoFormatOf(table_version) != MemoFormat::kFoxPro) return ReplaceFileExtension(table_file_name, kDbaseExtension);
  const std::string_view extension = FileExtension(table_file_name).substr(0, 4);
  std::string_view memo_extension = kFoxProDefaultExtension;
  for (const ExtensionPair& pair : kFoxProMemoExtensions) {
    if (SameText(extension, pair.table)) {
      memo_extension = pair.memo;
      break;
    }
  }
  return ReplaceFileExtension(table_file_name, memo_extension);
}

MemoFile::MemoFile(FileSystem& files, std::string_view derived_name, MemoFormat format, TableUse use)
    : file_(files, ResolveMemoName(files, derived_name)), format_(format), use_(use) {
  file_.Open();
  if (format_ == MemoFormat::kDbase3) {
    block_size_ = kDbase3BlockSize;
    return;
  }
  const std::string_view header = file_.View(0, kMemoHeaderReadSize);
  if (header.size() < kMemoHeaderReadSize) throw ETableError("Error on Read of file " + FileName());
  block_size_ = format_ == MemoFormat::kFoxPro ? BigEndian16(header, kFoxProBlockSizeAt)
                                               : LittleEndian32(header, kDbase4BlockSizeAt);
  if (block_size_ == 0) throw ETableError("Memo block size is 0 in " + FileName());
}

std::uint64_t MemoFile::HeaderSize() const { return format_ == MemoFormat::kDbase3 ? 0 : kMemoEntryHeaderSize; }

std::optional<std::uint64_t> MemoFile::EntryOffset(std::int64_t block) const {
  if (block < 0) throw ETableError("Invalid memo block number " + std::to_string(block) + " in " + FileName());
  const auto number = static_cast<std::uint64_t>(block);
  constexpr std::uint64_t kLimit = std::numeric_limits<std::uint64_t>::max() - kMemoEntryHeaderSize;
  if (number > kLimit / block_size_) return std::nullopt;
  return number * block_size_;
}

std::int64_t MemoFile::EntryLength(std::int64_t block) {
  if (block == 0) return 0;
  const auto offset = EntryOffset(block);
  if (format_ == MemoFormat::kDbase3) {
    if (!offset) return 0;
    const std::string_view data = file_.View(*offset, kDbase3MaxLength);
    return static_cast<std::int64_t>(std::min(data.find(kDbase3EntryEnd), data.size()));
  }
  return StoredLength(offset ? file_.View(*offset, kMemoEntryHeaderSize) : std::string_view());
}

std::int64_t MemoFile::StoredLength(std::string_view head) const {
  if (head.size() < kMemoEntryHeaderSize) throw ETableError("Memo record is bad in " + FileName());
  if (format_ == MemoFormat::kFoxPro) {
    const std::uint32_t type = BigEndian32(head, 0);
    const bool object = type == kFoxProObjectEntry && use_ == TableUse::kData;
    if (type != kFoxProPictureEntry && type != kFoxProTextEntry && !object) {
      throw ETableError("Memo record is bad in " + FileName());
    }
    return BigEndian32(head, 4);
  }
  if (head[0] != '\xFF' || head[1] != '\xFF') throw ETableError("Memo record is bad in " + FileName());
  return static_cast<std::int64_t>(LittleEndian32(head, 4)) - static_cast<std::int64_t>(kMemoEntryHeaderSize);
}

std::string MemoFile::ReadEntry(std::int64_t block, std::int64_t count) {
  if (count <= 0 || block == 0) return {};
  count = std::min(count, EntryLength(block));
  if (count <= 0) return {};
  // No limit on the blocks an entry spans: the read is bounded by the file's
  // real size, and real forms hold method code far above 65,535 bytes in
  // entries of 1-byte blocks. EntryLength has checked that the entry's offset
  // is representable.
  return file_.Read(*EntryOffset(block) + HeaderSize(), static_cast<std::uint64_t>(count));
}

std::string MemoFile::EntryText(std::int64_t block) {
  if (block == 0 || format_ == MemoFormat::kDbase3) return ReadEntry(block, EntryLength(block));
  const auto offset = EntryOffset(block);
  const std::int64_t length = StoredLength(offset ? file_.View(*offset, kMemoEntryHeaderSize) : std::string_view());
  if (length <= 0) return {};
  return std::string(file_.View(*offset + kMemoEntryHeaderSize, static_cast<std::uint64_t>(length)));
}

}  // namespace quorvex
