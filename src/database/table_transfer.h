#pragma once
// One FoxPro table into the SQLite database: its columns, its records (live
// ones into table NAME, deleted ones into NAME_deleted, made only when there
// are some; each row's _recno is its record number), then the indexes its
// tags can be.

#include <string>
#include <vector>

#include "data/database_container.h"
#include "database/database_report.h"
#include "database/index_keys.h"
#include "database/sql_columns.h"
#include "database/sqlite_file.h"
#include "table/file_system.h"

namespace quorvex {

// A table to write and what is known of it.
struct SourceTable {
  std::string path = {};        // the table file
  std::string index_path = {};  // its structural index (.cdx); "" for none
  // Its entry in a database the application has (long field names, keys,
  // rules), or null.
  const DatabaseTable* entry = nullptr;
  int database = -1;  // which of the application's databases holds `entry`
};

struct WrittenIndex {
  MadeIndex made = {};
  IndexKey key = {};
};

// What the SQL text and the foreign keys need of a table written.
struct WrittenTable {
  const SourceTable* source = nullptr;
  TableReport report = {};
  int code_page = 1252;  // of its texts, names and expressions
  std::vector<SqlColumn> columns = {};
  std::vector<WrittenIndex> indexes = {};
};

// The name of the table of `name`'s deleted records: NAME_deleted.
inline constexpr const char* kDeletedSuffix = "_deleted";
std::string DeletedTableName(const std::string& name);

// "CREATE TABLE name (_recno INTEGER PRIMARY KEY, ...)" without its ";".
std::string CreateTableStatement(const std::string& name, const std::vector<SqlColumn>& columns, SqlDialect dialect);

// Writes `source` as table `name`. A table that cannot be read or written
// leaves nothing in the database, and its report's failure says why; a
// structural index that cannot be read leaves the table without indexes,
// with index_failure saying why.
WrittenTable WriteTable(SqliteFile& database, FileSystem& files, const SourceTable& source, const std::string& name);

}  // namespace quorvex
