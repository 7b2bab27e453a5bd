#pragma once
// DbfTable reads one table in the DBF file format (the layout is in
// dbf_format.h) record by record, for reading only. It checks and decodes the
// header and the field descriptors at open, computes the record count from the
// file size (the count stored in the header is not trusted), and moves a
// current-record position over the table, one read of DiskFile per record
// (served from the bytes read at open), passing over deleted records unless
// use-deleted is on. It owns the table's
// MemoFile, opened by the first memo read.
//
// Every failure raises ETableError whose message names the table's normalised
// full name (ETableEncryption for the two password checks); memo failures name
// the memo file. After a failed Open nothing is open; after a failed move the
// table stays open.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "table/dbf_format.h"
#include "table/disk_file.h"
#include "table/file_system.h"
#include "table/memo_file.h"

namespace quorvex {

enum class MoveTarget { kFirst, kLast, kNext, kPrior, kCurrent };

class DbfTable {
 public:
  // The file system must outlive the table. A data table also accepts the
  // versions 0x31 and 0x32 and memo entries of OLE objects (IsAcceptedVersion,
  // MemoFile).
  explicit DbfTable(FileSystem& files, TableUse use = TableUse::kForm);
  ~DbfTable();
  DbfTable(const DbfTable&) = delete;
  DbfTable& operator=(const DbfTable&) = delete;

  // Opens the table for shared reading and decodes header and descriptors; no
  // record is current afterwards (at-start set). Throws ETableError:
  //   "File %s could not be found", "Access denied to file %s",
  //   "Error on Read of file %s" (header or descriptors short),
  //   "Table Header for %s is invalid" (version byte not accepted for the use),
  //   "Header length %d is invalid in table %s" (below the fixed parts),
  //   "Record length %d is invalid in table %s" (0 or above 65,519),
  //   "Error getting FileSize for file %s";
  // and ETableEncryption "No Password for encrypted file %s",
  //   "A Password is included for unencrypted file %s",
  //   "Encrypted table %s cannot be deciphered" (encrypted tables are not read).
  void Open(std::string_view file_name, std::string_view password = {}, bool use_deleted = false);

  // Closes the memo file (if opened) and the table; does nothing when closed.
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  const std::string& FileName() const;  // normalised full name
  int Version() const { return version_; }
  int HeaderLength() const { return header_length_; }
  int RecordLength() const { return record_length_; }
  int TableFlags() const { return table_flags_; }
  int CodePageMark() const { return code_page_mark_; }
  bool Encrypted() const { return encrypted_; }
  // Records in the file as last computed (whole records only, capped at the
  // largest int).
  int RecordCount() const { return record_count_; }

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  // number: 1 ... FieldCount().
  const FieldDescriptor& Field(int number) const { return fields_.at(static_cast<std::size_t>(number - 1)); }
  const std::vector<FieldDescriptor>& Fields() const { return fields_; }

  // Navigation. First, Next and Current move forward and Last and Prior
  // backward over deleted records (unless use-deleted is on); Next from the
  // last live record sets at-end, Prior from the first sets at-start.
  // Throws "Error on Read of file %s" when a record cannot be read whole.
  void Move(MoveTarget target);
  // Makes record n current, deleted or not; n = count + 1 sets at-end.
  // Throws "Record number %d is not in table %s" for n < 1 or n > count + 1.
  void MoveTo(int record_number);

  int RecordNumber() const { return record_number_; }  // 0 before the first move
  bool AtEnd() const { return at_end_; }
  bool AtStart() const { return at_start_; }
  // The current record's bytes; blanks while no record has been read.
  std::string_view RecordBuffer() const { return record_; }
  bool RecordDeleted() const { return !record_.empty() && record_[0] == kDeletedFlag; }

  // Values of a field in a record's bytes (field_value.h); the record
  // defaults to the current one.
  std::string_view FieldBytes(int number) const;
  std::string FieldText(int number) const;
  double NumericValue(const FieldDescriptor& field, std::string_view record) const;

  // The backlink of a Visual FoxPro table: the path of the database (.dbc)
  // it belongs to, relative to the table's folder, as the last 263 bytes of
  // the header hold it up to the first NUL; "" for a free table and for the
  // older versions. Throws "Error on Read of file %s" when the bytes are not
  // in the file.
  std::string DatabaseBacklink();

  // Whether memo fields are read at all (by version and the 0x02 flag).
  bool ReadsMemoFields() const { return reads_memo_; }
  // The memo file, opened on first use; nullptr when memo fields are not read.
  // Throws as MemoFile's constructor; nothing is kept after a failure.
  MemoFile* Memo();
  // The whole memo entry a memo field of record refers to ("" for none, and
  // always "" when memo fields are not read). Throws as Memo(), NumericValue
  // and MemoFile::EntryText.
  std::string MemoText(const FieldDescriptor& field, std::string_view record);

 private:
  // The 32 header bytes; throws "Error on Read of file %s" when fewer are there.
  std::string HeaderBytes();
  void ReadHeader();
  void ReadDescriptors();
  void ComputeRecordCount();
  void Refresh();
  bool Step(MoveTarget target);
  bool ReadRecord(std::int64_t record_number);

  FileSystem& files_;
  TableUse use_;
  std::unique_ptr<DiskFile> file_;
  std::unique_ptr<MemoFile> memo_;
  int version_ = 0;
  int header_length_ = 0;
  int record_length_ = 0;
  int table_flags_ = 0;
  int code_page_mark_ = 0;
  bool encrypted_ = false;
  bool reads_memo_ = false;
  bool use_deleted_ = false;
  int record_count_ = 0;
  std::vector<FieldDescriptor> fields_;
  int record_number_ = 0;
  bool at_end_ = false;
  bool at_start_ = true;
  std::string record_;
};

}  // namespace quorvex
