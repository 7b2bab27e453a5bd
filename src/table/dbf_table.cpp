#include "table/dbf_table.h"

#include <limits>

#include "table/byte_order.h"
#include "base/errors.h"
#include "table/field_value.h"

namespace quorvex {

namespace {

constexpr int kMaxRecordCount = std::numeric_limits<int>::max();

// The fixed parts a header length must cover: header and terminator, and
// for Visual FoxPro tables the backlink area.
std::size_t FixedHeaderParts(int version) {
  return kHeaderSize + kTerminatorSize + (IsVisualFoxProVersion(version) ? kBacklinkSize : 0);
}

}  // namespace

bool IsAcceptedVersion(int version, TableUse use) {
  switch (version) {
    case kVersionDbase3:
    case kVersionNoMemo:
    case kVersionVisualFoxPro:
    case kVersionDbase3Memo:
    case kVersionDbase4Memo:
    case kVersionFoxPro2Memo:
      return true;
    case kVersionVisualFoxProAutoIncrement:
    case kVersionVisualFoxProVarchar:
      return use == TableUse::kData;
    default:
      return false;
  }
}

bool IsVisualFoxProVersion(int version) {
  return version == kVersionVisualFoxPro || version == kVersionVisualFoxProAutoIncrement ||
         version == kVersionVisualFoxProVarchar;
}

bool ReadsMemoFields(int version, int table_flags) {
  if (IsVisualFoxProVersion(version)) return (table_flags & kFlagHasMemo) != 0;
  switch (version) {
    case kVersionDbase3Memo:
    case kVersionDbase4Memo:
    case kVersionFoxPro2Memo:
      return true;
    default:
      return false;
  }
}

DbfTable::DbfTable(FileSystem& files, TableUse use) : files_(files), use_(use) {}

DbfTable::~DbfTable() { Close(); }

const std::string& DbfTable::FileName() const {
  static const std::string kNoFile;
  return file_ ? file_->FileName() : kNoFile;
}

void DbfTable::Open(std::string_view file_name, std::string_view password, bool use_deleted) {
  Close();
  auto file = std::make_unique<DiskFile>(files_, file_name);
  if (!file->Exists()) throw ETableError("File " + file->FileName() + " could not be found");
  file->Open();
  file_ = std::move(file);
  try {
    ReadHeader();
    const std::string& name = FileName();
    if (encrypted_ && password.empty()) throw ETableEncryption("No Password for encrypted file " + name);
    if (!encrypted_ && !password.empty()) throw ETableEncryption("A Password is included for unencrypted file " + name);
    // The engine's cipher is not part of this reader; reading enciphered
    // bytes as plain ones would hand out garbage as if it were data.
    if (encrypted_) throw ETableEncryption("Encrypted table " + name + " cannot be deciphered");
    reads_memo_ = quorvex::ReadsMemoFields(version_, table_flags_);
    ComputeRecordCount();
    ReadDescriptors();
  } catch (...) {
    Close();
    throw;
  }
  use_deleted_ = use_deleted;
  record_.assign(static_cast<std::size_t>(record_length_), ' ');
  record_number_ = 0;
  at_start_ = true;
  at_end_ = false;
}

std::string DbfTable::HeaderBytes() {
  std::string header = file_->Read(0, kHeaderSize);
  if (header.size() < kHeaderSize) throw ETableError("Error on Read of file " + FileName());
  return header;
}

void DbfTable::ReadHeader() {
  const std::string header = HeaderBytes();
  version_ = static_cast<unsigned char>(header[kHeaderVersion]);
  if (!IsAcceptedVersion(version_, use_)) throw ETableError("Table Header for " + FileName() + " is invalid");
  header_length_ = LittleEndian16(header, kHeaderLength);
  record_length_ = LittleEndian16(header, kHeaderRecordLength);
  encrypted_ = header[kHeaderEncrypted] != 0;
  table_flags_ = static_cast<unsigned char>(header[kHeaderTableFlags]);
  code_page_mark_ = static_cast<unsigned char>(header[kHeaderCodePageMark]);
  if (static_cast<std::size_t>(header_length_) < FixedHeaderParts(version_)) {
    throw ETableError("Header length " + std::to_string(header_length_) + " is invalid in table " + FileName());
  }
  if (record_length_ == 0 || record_length_ > kMaxRecordLength) {
    throw ETableError("Record length " + std::to_string(record_length_) + " is invalid in table " + FileName());
  }
}

void DbfTable::ComputeRecordCount() {
  const std::uint64_t size = file_->Size();
  // A file shorter than its header length simply has no records.
  const std::uint64_t start = static_cast<std::uint64_t>(header_length_);
  const std::uint64_t count = size > start ? (size - start) / static_cast<std::uint64_t>(record_length_) : 0;
  record_count_ = static_cast<int>(std::min<std::uint64_t>(count, kMaxRecordCount));
}

void DbfTable::ReadDescriptors() {
  // The descriptor area is sized by the header length alone; a remainder
  // below 32 bytes is ignored and the 0x0D terminator is not searched for.
  const std::size_t area = static_cast<std::size_t>(header_length_) - FixedHeaderParts(version_);
  const std::size_t count = area / kDescriptorSize;
  const std::string bytes = file_->Read(kHeaderSize, count * kDescriptorSize);
  if (bytes.size() < count * kDescriptorSize) throw ETableError("Error on Read of file " + FileName());
  fields_.clear();
  int offset = 1;  // after the deletion flag
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view descriptor = std::string_view(bytes).substr(i * kDescriptorSize, kDescriptorSize);
    const std::string_view name = descriptor.substr(kDescriptorName, kDescriptorNameSize);
    FieldDescriptor field;
    field.name = std::string(name.substr(0, name.find('\0')));
    field.type = descriptor[kDescriptorType];
    field.length = static_cast<std::uint8_t>(descriptor[kDescriptorLength]);
    field.decimals = static_cast<std::uint8_t>(descriptor[kDescriptorDecimals]);
    // The decimal byte of a character field is the high byte of its width.
    field.width = field.type == 'C' ? field.length + 256 * field.decimals : field.length;
    field.offset = offset;
    field.number = static_cast<int>(i) + 1;
    field.flags = static_cast<std::uint8_t>(descriptor[kDescriptorFlags]);
    field.next_value = LittleEndian32(descriptor, kDescriptorNextValue);
    field.step = static_cast<std::uint8_t>(descriptor[kDescriptorStep]);
    offset += field.width;
    fields_.push_back(std::move(field));
  }
}

void DbfTable::Close() {
  memo_.reset();
  file_.reset();
  fields_.clear();
  record_.clear();
  record_count_ = 0;
  record_number_ = 0;
  at_end_ = false;
  at_start_ = true;
}

void DbfTable::Refresh() {
  // Another program may have appended records since the open. The header is
  // read again so that a file cut below it fails as it would at the open.
  HeaderBytes();
  ComputeRecordCount();
}

bool DbfTable::ReadRecord(std::int64_t record_number) {
  if (record_number > record_count_) {
    Refresh();
    if (record_number > record_count_) {
      if (record_number == std::int64_t{record_count_} + 1) {
        at_end_ = true;
        return false;
      }
      throw ETableError("Record number " + std::to_string(record_number) + " is not in table " + FileName());
    }
  }
  const auto length = static_cast<std::uint64_t>(record_length_);
  const auto offset = static_cast<std::uint64_t>(header_length_) + static_cast<std::uint64_t>(record_number - 1) * length;
  const std::string_view bytes = file_->View(offset, length);
  if (bytes.size() < length) throw ETableError("Error on Read of file " + FileName());
  record_.assign(bytes);
  record_number_ = static_cast<int>(record_number);
  return true;
}

bool DbfTable::Step(MoveTarget target) {
  if (record_count_ == 0) {
    Refresh();
    if (record_count_ == 0) {
      at_end_ = at_start_ = true;
      return false;
    }
  }
  at_end_ = at_start_ = false;
  std::int64_t record_number = record_number_;
  switch (target) {
    case MoveTarget::kFirst: record_number = 1; break;
    case MoveTarget::kLast: record_number = record_count_; break;
    case MoveTarget::kNext: record_number = std::int64_t{record_number_} + 1; break;
    case MoveTarget::kPrior: record_number = std::int64_t{record_number_} - 1; break;
    case MoveTarget::kCurrent: break;
  }
  // Prior from record 1, and Current before any record was read.
  if (record_number < 1) {
    at_start_ = true;
    return false;
  }
  return ReadRecord(record_number);
}

void DbfTable::Move(MoveTarget target) {
  const bool forward = target == MoveTarget::kFirst || target == MoveTarget::kNext || target == MoveTarget::kCurrent;
  bool read = Step(target);
  while (read && !use_deleted_ && RecordDeleted()) read = Step(forward ? MoveTarget::kNext : MoveTarget::kPrior);
}

void DbfTable::MoveTo(int record_number) {
  if (record_number < 1) {
    throw ETableError("Record number " + std::to_string(record_number) + " is not in table " + FileName());
  }
  if (record_count_ == 0) {
    Refresh();
    if (record_count_ == 0) {
      at_end_ = at_start_ = true;
      return;
    }
  }
  at_end_ = at_start_ = false;
  ReadRecord(record_number);
}

std::string_view DbfTable::FieldBytes(int number) const { return quorvex::FieldBytes(Field(number), record_); }

std::string DbfTable::FieldText(int number) const { return quorvex::FieldText(Field(number), record_); }

double DbfTable::NumericValue(const FieldDescriptor& field, std::string_view record) const {
  return quorvex::NumericValue(field, record, version_, FileName());
}

std::string DbfTable::DatabaseBacklink() {
  if (!IsVisualFoxProVersion(version_)) return {};
  const auto at = static_cast<std::uint64_t>(header_length_) - kBacklinkSize;
  const std::string_view bytes = file_->View(at, kBacklinkSize);
  if (bytes.size() < kBacklinkSize) throw ETableError("Error on Read of file " + FileName());
  return std::string(bytes.substr(0, bytes.find('\0')));
}

MemoFile* DbfTable::Memo() {
  if (!reads_memo_) return nullptr;
  if (!memo_) {
    memo_ = std::make_unique<MemoFile>(files_, MemoFileName(FileName(), version_), MemoFormatOf(version_), use_);
  }
  return memo_.get();
}

std::string DbfTable::MemoText(const FieldDescriptor& field, std::string_view record) {
  MemoFile* memo = Memo();
  if (!memo) return {};
  return memo->EntryText(MemoBlockNumber(NumericValue(field, record)));
}

}  // namespace quorvex
