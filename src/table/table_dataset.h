#pragma once
// TableDataSet: the one interface through which a conversion reads a form
// file. It opens a table by name, lists its fields, walks the live records
// from first to last, reads a field of the current record as text, comes back
// to a record by number, and closes. It wraps one DbfTable (which owns the
// table's MemoFile).
//
// Its settings are fixed: ReadOnly (both files are opened for reading only),
// not Exclusive (both are shared with other programs), UseDeleted off
// (navigation passes over deleted records), TranslateASCII off (texts are
// handed out byte for byte), LargeIntegerAs asInteger (whole N and F fields
// of width 10 or more are integer fields), no DatabaseName (TableName is used
// as given) and no EncryptionKey.
//
// Field kinds and AsString (the current record's value):
//   C                    kString    the text: trailing bytes 0-32 removed, cut
//                                   at the first NUL, leading blanks kept
//   M                    kMemo      the whole memo entry, byte for byte
//   G; B (not in 0x30)   kBlob      the whole memo entry, byte for byte
//   D                    kDate      YYYY-MM-DD, or "" for no valid date
//   N, F with decimals   kFloat     shortest round-trip decimal, C locale
//                                   ("12.5", "-0.25", "1e+20")
//   N, F otherwise       kSmallInt (width < 5), kInteger (5 and more)
//                                   the value truncated: "-42"
//   I                    kInteger   as above
//   B (0x30)             kFloat     the 8-byte double, as kFloat
//   L                    kBoolean   "True" for T t Y y J j, else "False"
//   T                    kDateTime  0x30: "YYYY-MM-DD HH:MM:SS", "" when all 8
//                                   bytes are 0; other versions: the number
//   Y                    kCurrency  0x30: the exact amount, trailing fraction
//                                   zeros dropped ("12.5", "-3"); other
//                                   versions: the number
// Fields of any other type letter are not listed.
//
// Failures: this layer raises EDatabaseError; the table and memo files'
// failures pass through as their own ETableError. Messages marked "prefixed"
// begin with the component name and ": " ("TableDataSet1: Field 'Parent' not
// found").
//
// One thread uses a TableDataSet; several datasets may be open at once on
// several threads.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "table/dbf_table.h"
#include "table/field_kind.h"
#include "table/file_system.h"

namespace quorvex {

class TableDataSet;

// One listed field. Owned by its TableDataSet; valid while it stays open.
class Field {
 public:
  const std::string& FieldName() const { return descriptor_.name; }  // as stored, e.g. "OBJNAME"
  FieldKind Kind() const { return kind_; }
  int Size() const { return kind_ == FieldKind::kString ? descriptor_.width : 0; }  // the C width
  const FieldDescriptor& Descriptor() const { return descriptor_; }

  // The value in the dataset's current record (see the table above). Memo
  // kinds read the memo file at every call. Throws the memo file's
  // ETableError messages, and ETableError "Invalid numeric value in field
  // ..." for a number field (or decimal memo reference) that holds no number.
  std::string AsString() const;

 private:
  friend class TableDataSet;
  Field(TableDataSet& owner, FieldDescriptor descriptor, FieldKind kind)
      : owner_(owner), descriptor_(std::move(descriptor)), kind_(kind) {}

  TableDataSet& owner_;
  FieldDescriptor descriptor_;
  FieldKind kind_;
};

class TableDataSet {
 public:
  static constexpr bool kReadOnly = true;
  static constexpr bool kExclusive = false;
  static constexpr bool kUseDeleted = false;
  static constexpr bool kTranslateAscii = false;
  // A dataset rejects tables whose records are longer than this.
  static constexpr int kMaxDatasetRecordLength = 65516;

  // Reads the disk.
  explicit TableDataSet(std::string component_name = "TableDataSet1");
  // Reads through files, which must outlive the dataset.
  TableDataSet(std::string component_name, FileSystem& files);
  ~TableDataSet();
  TableDataSet(const TableDataSet&) = delete;
  TableDataSet& operator=(const TableDataSet&) = delete;

  // Throws EDatabaseError "Cannot perform this operation on an open dataset"
  // (prefixed) while open.
  void SetTableName(const std::string& name);
  const std::string& TableName() const { return table_name_; }

  // Opens the table (".DBF" appended when TableName has no extension), builds
  // the field list and makes the first live record current (Eof when none).
  // Throws EDatabaseError "Table name missing", "Cannot find file %s" (the
  // name as tested), "Field name missing" (prefixed; a listed field without
  // name), "A component named %s already exists" (two listed names equal
  // without regard to case; the second one), "Record length %d of table %s
  // is above 65516 bytes"; the table's own ETableError messages. All of these
  // leave the dataset closed and no file open. A failure to read the first
  // record raises "Record request beyond range of table" and leaves it open.
  // Does nothing when already open.
  void Open();
  // Drops the field list and closes both files; does nothing when closed.
  void Close();
  bool Active() const { return table_ != nullptr; }

  // The first field whose name equals name without regard to ASCII case;
  // nullptr when none does (or the dataset is closed).
  Field* FindField(std::string_view name);
  // As FindField; throws EDatabaseError "Field '%s' not found" (prefixed),
  // %s the name asked for.
  Field& FieldByName(std::string_view name);
  const std::vector<std::unique_ptr<Field>>& Fields() const { return fields_; }

  // Navigation over the live records. First makes the first one current,
  // Next the following one; from the last, Next sets Eof and leaves the last
  // record current. Throw EDatabaseError "Record request beyond range of
  // table" when a record cannot be read, "Cannot perform this operation on a
  // closed dataset" when closed.
  void First();
  void Next();
  // True after a forward move found no further record, or when the table has
  // no live record; true while closed.
  bool Eof() const { return eof_; }

  // The current record's physical number (deleted records counted; 0 when no
  // record has been current). Throws EDatabaseError "Cannot perform this
  // operation on a closed dataset" when closed.
  int RecNo() const;
  // Makes record n current, deleted or not, and notifies. n = count + 1 sets
  // Eof and keeps the current record. Throws ETableError "Record number %d is
  // not in table %s" for n < 1 or above count + 1, other table errors as they
  // come, and the closed-dataset error.
  void SetRecNo(int record_number);

  // Header byte 0 and byte 29 of the open table. Throw the closed-dataset error.
  int TableVersion() const;
  int CodePageMark() const;
  // The records of the open table as last counted, deleted ones included.
  // Throws the closed-dataset error.
  int RecordCount() const;

  // Called after every successful Open, First, Next and SetRecNo (the linked
  // controls re-read their field). An empty handler clears it.
  void SetRecordChangedHandler(std::function<void()> handler) { record_changed_ = std::move(handler); }

 private:
  friend class Field;
  std::string FieldAsString(const Field& field) const;
  void BuildFields();
  void Navigate(MoveTarget target);
  void TakeRecord();
  void Notify() const;
  const DbfTable& OpenTable() const;
  std::string Prefixed(std::string_view text) const;

  std::string component_name_;
  FileSystem& files_;
  std::string table_name_;
  std::unique_ptr<DbfTable> table_;
  std::vector<std::unique_ptr<Field>> fields_;
  std::string record_;
  int record_number_ = 0;
  bool eof_ = true;
  std::function<void()> record_changed_;
};

}  // namespace quorvex
