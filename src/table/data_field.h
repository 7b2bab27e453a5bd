#pragma once
// The columns of an application's data table: each field descriptor with the
// FoxPro type its letter stands for in the table's version, and the bits of
// the _NullFlags field that tell whether it is null and, for V and Q fields,
// how long its value is.
//
// _NullFlags is a hidden system field (type 0) at the end of a Visual FoxPro
// record. Its bits, from the lowest bit of its first byte up, are given out to
// the fields in descriptor order: a V or Q field takes one bit saying its
// value is shorter than the field (its length is then the field's last byte),
// and a nullable field one bit saying it is null, after its length bit.

#include <optional>
#include <string_view>
#include <vector>

#include "table/dbf_format.h"

namespace quorvex {

enum class DataType {
  kCharacter,   // C
  kVarchar,     // V
  kVarbinary,   // Q
  kMemo,        // M
  kGeneral,     // G: an OLE object in the memo file
  kBlob,        // W
  kPicture,     // P (FoxPro 2)
  kBinaryMemo,  // B of dBASE tables: bytes in the memo file
  kNumeric,     // N
  kFloat,       // F
  kDouble,      // B of Visual FoxPro tables
  kInteger,     // I
  kCurrency,    // Y
  kDate,        // D
  kDateTime,    // T
  kLogical,     // L
};

struct DataField {
  FieldDescriptor descriptor;  // as stored: name, type letter, width, decimals, flags
  DataType type = DataType::kCharacter;
  bool nullable = false;
  bool binary = false;          // C, V, M: bytes, not text of the table's code page
  bool auto_increment = false;  // I: numbered by the table (descriptor's next_value, step)
  int null_bit = -1;            // the _NullFlags bit set when null; -1 when not nullable
  int length_bit = -1;          // V, Q: the bit set when the last byte holds the length
};

// The table's columns in descriptor order, system fields left out.
struct DataLayout {
  std::vector<DataField> fields = {};
  std::optional<FieldDescriptor> null_flags = {};  // the _NullFlags field, when the table has one
};

// Types the descriptors of a table of `version` and gives out the _NullFlags
// bits. Throws ETableError naming the table:
//   "Type %s of field %s is unknown in table %s" (a letter the version does
//     not have, escaped as EscapeBytes does),
//   "Width %d of field %s is invalid in table %s" (a width its type cannot
//     have: I not 4; B, Y, T not 8; D not 8; L not 1; a Visual FoxPro memo
//     reference not 4; any field 0),
//   "Fields of table %s need %d bytes but its records have %d",
//   "Table %s has no _NullFlags field for its %d flags", "Field _NullFlags of
//     table %s holds %d flags, not %d".
DataLayout LayoutOf(const std::vector<FieldDescriptor>& descriptors, int version, int record_length,
                    std::string_view table_file_name);

}  // namespace quorvex
