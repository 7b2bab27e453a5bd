#pragma once
// The SQL text of an application's data: the tables, rows and indexes of the
// SQLite database just written (read back from it, so that the two hold the
// same), as statements that SQLite and PostgreSQL both run: identifiers in
// double quotes, the types of sql_columns.h in their portable names, rows
// as INSERTs in one transaction, the relations that can be as foreign keys,
// a parent table before its children, with its unique indexes made before
// its rows. What has no SQL (tags left out, rules, defaults, triggers) is
// kept as comments.
//
// Two kinds of value have no text both read the same: bytes (SQLite writes
// X'...', PostgreSQL '\x...'), written as NULL, and texts holding NUL
// characters, which PostgreSQL's texts cannot hold, written without them.
// Each such value is in its table's report, lost_in_text.

#include <string>
#include <vector>

#include "database/foreign_keys.h"
#include "database/sqlite_file.h"
#include "database/table_transfer.h"

namespace quorvex {

// The text of `tables` (those written without failure) from `database`. A
// foreign key that would close a cycle (a table its own parent, at least)
// is left out, with a line in report.relations_left_out.
std::string SqlScript(SqliteFile& database, std::vector<WrittenTable>& tables, const std::vector<ForeignKey>& keys,
                      DatabaseReport& report);

}  // namespace quorvex
