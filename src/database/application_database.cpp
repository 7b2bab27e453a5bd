#include "database/application_database.h"

#include "base/ascii.h"
#include "base/file_path.h"
#include "database/foreign_keys.h"
#include "database/sql_names.h"
#include "database/sql_script.h"
#include "database/sqlite_file.h"

namespace quorvex {

namespace {

// The SQL name a table file asks for: its file name without folder and
// extension, in lower case.
std::string WantedTableName(const std::string& path) { return AsciiLowerCopy(PathText(PathOf(path).stem())); }

}  // namespace

DatabaseOutput WriteApplicationDatabase(FileSystem& files, const ApplicationData& data, const std::string& sqlite_path,
                                        ProgressSink& progress) {
  SqliteFile database(sqlite_path);
  SqlNames names;
  std::vector<WrittenTable> tables;
  progress.SetRange(static_cast<int>(data.tables.size()));
  for (const SourceTable& source : data.tables) {
    progress.ReportProgress(static_cast<int>(tables.size()));
    const std::string wanted = WantedTableName(source.path);
    const std::string name = names.Take(wanted, kDeletedSuffix);
    tables.push_back(WriteTable(database, files, source, name));
    if (name != wanted) tables.back().report.wanted_name = wanted;
  }
  DatabaseOutput output;
  const std::vector<ForeignKey> keys = ForeignKeysOf(database, data.databases, tables, output.report);
  output.sql_text = SqlScript(database, tables, keys, output.report);
  database.Finish();
  for (WrittenTable& table : tables) output.report.tables.push_back(std::move(table.report));
  return output;
}

}  // namespace quorvex
