#pragma once
// A database's persistent relations as foreign keys of the SQL text. FoxPro
// relates a child table's tag to a parent table's tag; SQL relates columns,
// and PostgreSQL checks every row against them. So a relation is a foreign
// key only where both tags are indexes over plain columns of the same types,
// the parent's unique, and every child row's key is in the parent table.

#include <string>
#include <vector>

#include "data/database_container.h"
#include "database/database_report.h"
#include "database/sqlite_file.h"
#include "database/table_transfer.h"

namespace quorvex {

struct ForeignKey {
  std::size_t child = 0;  // of the tables written
  std::size_t parent = 0;
  std::vector<std::string> child_columns = {};
  std::vector<std::string> parent_columns = {};
};

// The foreign keys of the relations of `databases` among `tables`, in the
// databases' order; each relation that is none gets a line in
// `report.relations_left_out`.
std::vector<ForeignKey> ForeignKeysOf(SqliteFile& database, const std::vector<Database>& databases,
                                      const std::vector<WrittenTable>& tables, DatabaseReport& report);

}  // namespace quorvex
