#pragma once
// An application's data as one SQLite database and one SQL text: every table
// of `ApplicationData`, each FoxPro table one SQL table (table_transfer.h)
// named after its file, in lower case ("Data\Customer.DBF" gives customer),
// a name taken before getting "_2", "_3", ... (SqlNames), together with the
// name of its deleted records' table (NAME_deleted).
//
// Example:
//   ApplicationData data{.databases = {ReadDatabase(files, "app/data/sales.dbc")}};
//   data.tables.push_back({.path = "app/data/customer.dbf", .index_path = "app/data/customer.cdx",
//                          .entry = &data.databases[0].tables[0], .database = 0});
//   const DatabaseOutput output = WriteApplicationDatabase(files, data, "out/.app.sqlite.tmp");
//   ... output.sql_text is app.sql; output.report says what each table became

#include <string>
#include <vector>

#include "base/progress.h"
#include "data/database_container.h"
#include "database/database_report.h"
#include "database/table_transfer.h"
#include "table/file_system.h"

namespace quorvex {

struct ApplicationData {
  std::vector<Database> databases = {};  // those the tables' entries point into
  std::vector<SourceTable> tables = {};  // in the order written, each file once
};

struct DatabaseOutput {
  DatabaseReport report = {};
  std::string sql_text = {};
};

// Writes the database at `sqlite_path`, where no file may be yet. A table
// that cannot be read or written is left out, its report saying why (the
// run goes on); throws Exception("Cannot create file ...") when the file
// cannot be made, ESqliteError when it cannot be written, and what
// `progress` throws, which is told of each table before it is written.
DatabaseOutput WriteApplicationDatabase(FileSystem& files, const ApplicationData& data, const std::string& sqlite_path,
                                        ProgressSink& progress = NullProgress());

}  // namespace quorvex
