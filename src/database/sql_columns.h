#pragma once
// The SQL column each FoxPro field becomes, declared with a type that the
// Lazarus (SQLdb) and Delphi (FireDAC) datasets map to the field class of
// the FoxPro type: character fields VARCHAR(width), so that the width
// survives (binary ones too: FoxPro's code reads them as texts, only never
// translated to another code page); N and F NUMERIC(precision, scale), currency NUMERIC(19,4) (exact,
// as FoxPro keeps it); I INTEGER; B DOUBLE PRECISION; D DATE; T DATETIME; L
// BOOLEAN; memos TEXT; what FoxPro keeps as bytes (binary memos, general,
// blob, varbinary) BLOB. The SQL text, which
// PostgreSQL reads too, calls the last two TIMESTAMP and BYTEA, the only
// names that differ.

#include <string>
#include <vector>

#include "table/data_field.h"

namespace quorvex {

enum class SqlType { kVarchar, kText, kNumeric, kInteger, kDouble, kDate, kDateTime, kBoolean, kBlob };

// Where a declaration goes: the SQLite file, or the SQL text that SQLite and
// PostgreSQL both load.
enum class SqlDialect { kSqlite, kPortable };

struct SqlColumn {
  std::string name = {};  // UTF-8, lower case, unique in its table
  SqlType type = SqlType::kVarchar;
  int width = 0;      // kVarchar
  int precision = 0;  // kNumeric
  int scale = 0;      // kNumeric
};

// The column of the record number, which every table has first: its rowid in
// SQLite (INTEGER PRIMARY KEY, which VACUUM keeps), an ordinary key column
// in PostgreSQL.
inline constexpr const char* kRecordNumberColumn = "_recno";

// `field` as a column named `name` (not yet made unique).
SqlColumn ColumnOf(const DataField& field, const std::string& name);

// "VARCHAR(20)", "NUMERIC(10,2)", ...
std::string TypeDeclaration(const SqlColumn& column, SqlDialect dialect);

// The columns of a table's fields: each named as `names` says (the
// database's long names or the fields' own, UTF-8), in lower case and made
// unique, kRecordNumberColumn being taken; an empty name is "field" and the
// field's place (from 1).
std::vector<SqlColumn> TableColumns(const std::vector<DataField>& fields, const std::vector<std::string>& names);

}  // namespace quorvex
