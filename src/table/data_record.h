#pragma once
// Decoding a data table's record into typed values (data_value.h), field by
// field as data_field.h lays them out.
//
// A value that cannot be read is an InvalidValue carrying the failure's
// message, not an exception: one bad field (a number overflowed into "****",
// a memo entry the memo file lost) leaves the rest of its record and its
// table readable. Texts of the messages, TABLE being the table's file name
// without folder and extension:
//   "Invalid numeric value in field TABLE->FIELD (TEXT)" (N, F; a decimal
//     memo reference),
//   "Invalid date value in field TABLE->FIELD (TEXT)",
//   "Invalid logical value in field TABLE->FIELD (TEXT)",
//   "Length %d of field TABLE->FIELD is above its width %d" (V, Q),
//   "Table %s has no memo file for block %lld of field FIELD",
//   and the memo file's own ETableError messages (memo_file.h).

#include <string_view>
#include <vector>

#include "table/data_field.h"
#include "table/data_value.h"
#include "table/memo_file.h"

namespace quorvex {

struct DataRecord {
  int number = 0;                      // the record's number in the table, from 1
  bool deleted = false;                // its deletion flag is "*"
  std::vector<DataValue> values = {};  // one per DataLayout field, in order
};

// What the values of one record are read from.
struct RecordSource {
  std::string_view record;  // the record's bytes, deletion flag first
  int version = 0;          // the table's version byte
  std::string_view table_file_name;
  MemoFile* memo = nullptr;       // the memo file, when it is open
  std::string_view memo_failure;  // else why it could not be opened ("" when the table reads no memo)
};

DataValue DecodeValue(const DataField& field, const DataLayout& layout, const RecordSource& source);

DataRecord DecodeRecord(const DataLayout& layout, int number, const RecordSource& source);

}  // namespace quorvex
