#pragma once
// DataTable reads one of an application's data tables (.dbf with its .fpt or
// .dbt memo file, or a database container .dbc with its .dct) as typed
// values: every Visual FoxPro field type (data_field.h) in tables of the
// versions 0x30 to 0x32, and the FoxPro 2 and dBASE III tables (0x03, 0x83,
// 0xF5). It reads through the same DbfTable as a form's table, opened for
// data use.
//
// Records are read by number, deleted ones too: a record says whether it is
// deleted. The memo file is opened with the table, when the table has memo
// fields; one that cannot be opened leaves the table readable, and every
// memo value that needs it is an InvalidValue saying why.
//
// Example:
//   DataTable table(RealFileSystem());
//   table.Open("/app/data/customer.dbf");
//   for (int n = 1; n <= table.RecordCount(); ++n) {
//     const DataRecord record = table.ReadRecord(n);
//     ... record.values[i] is the value of table.Fields()[i]
//   }

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "table/data_field.h"
#include "table/data_record.h"
#include "table/dbf_table.h"
#include "table/file_system.h"

namespace quorvex {

class DataTable {
 public:
  // The file system must outlive the table.
  explicit DataTable(FileSystem& files);

  // Opens the table and types its fields. Throws ETableError as DbfTable::Open
  // (the data use: versions 0x31 and 0x32 are read too) and LayoutOf;
  // ETableEncryption for an encrypted table. Nothing is open after a failure.
  void Open(std::string_view file_name);
  void Close();
  bool IsOpen() const { return table_.IsOpen(); }

  const std::string& FileName() const { return table_.FileName(); }
  int Version() const { return table_.Version(); }
  // Header byte 29, and the Windows code page it stands for (CodePageOfMark).
  int CodePageMark() const { return table_.CodePageMark(); }
  int CodePage() const;
  // Header byte 28 says the table has a structural index (NAME.cdx).
  bool HasStructuralIndex() const;
  // The database it belongs to (DbfTable::DatabaseBacklink).
  std::string DatabaseBacklink() { return table_.DatabaseBacklink(); }

  // The columns, system fields left out.
  const std::vector<DataField>& Fields() const { return layout_.fields; }
  const DataLayout& Layout() const { return layout_; }
  // Why the memo file could not be opened; "" when it is open or not needed.
  const std::string& MemoFailure() const { return memo_failure_; }

  // Whole records in the file, deleted ones included.
  int RecordCount() const { return table_.RecordCount(); }
  // Record `number` (1 to RecordCount()). Throws ETableError "Record number %d
  // is not in table %s", and "Error on Read of file %s" when it is cut short.
  DataRecord ReadRecord(int number);

 private:
  void OpenMemo();

  DbfTable table_;
  DataLayout layout_;
  MemoFile* memo_ = nullptr;  // owned by table_; null when not opened
  std::string memo_failure_;
};

}  // namespace quorvex
