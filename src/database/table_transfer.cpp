#include "database/table_transfer.h"

#include <optional>

#include "base/ascii.h"
#include "base/text_encoding.h"
#include "data/long_field_names.h"
#include "database/sql_names.h"
#include "database/sql_values.h"
#include "database/sqlite_functions.h"
#include "table/data_table.h"

namespace quorvex {

namespace {

std::string InsertStatement(const std::string& name, const std::vector<SqlColumn>& columns) {
  std::string names = QuoteIdentifier(kRecordNumberColumn);
  std::string marks = "?";
  for (const SqlColumn& column : columns) {
    names += ", " + QuoteIdentifier(column.name);
    marks += ", ?";
  }
  return "INSERT INTO " + QuoteIdentifier(name) + " (" + names + ") VALUES (" + marks + ")";
}

std::vector<std::string> FieldNames(DataTable& table, const DatabaseTable* entry) {
  std::vector<std::string> names;
  if (entry != nullptr) {
    names = LongFieldNames(*entry, table.Fields());
  } else {
    for (const DataField& field : table.Fields()) names.push_back(field.descriptor.name);
  }
  for (std::string& name : names) name = DecodeToUtf8(name, table.CodePage());
  return names;
}

bool IsKey(const IndexTag& tag, const DatabaseTable* entry) {
  if (tag.candidate) return true;
  if (entry == nullptr) return false;
  if (SameText(entry->primary_key, tag.name)) return true;
  for (const std::string& key : entry->candidate_keys)
    if (SameText(key, tag.name)) return true;
  return false;
}

// Rows of one table: the live ones, and the deleted ones into a table of
// their own, made when the first comes.
class RowWriter {
 public:
  RowWriter(SqliteFile& database, const std::string& name, const std::vector<SqlColumn>& columns)
      : database_(database), name_(name), columns_(columns), live_(database.Prepare(InsertStatement(name, columns))) {}

  void Write(const DataRecord& record, int code_page, TableReport& report) {
    values_.resize(columns_.size() + 1);
    values_[0].emplace<std::int64_t>(record.number);
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      std::string lost = CarryValue(record.values[i], columns_[i], code_page, values_[i + 1]);
      if (!lost.empty()) report.lost.push_back({record.number, columns_[i].name, std::move(lost)});
    }
    SqliteStatement& statement = record.deleted ? Deleted() : live_;
    for (std::size_t i = 0; i < values_.size(); ++i) statement.Bind(static_cast<int>(i + 1), values_[i]);
    statement.Step();
    statement.Reset();
    ++(record.deleted ? report.deleted_rows : report.rows);
  }

 private:
  SqliteStatement& Deleted() {
    if (!deleted_) {
      const std::string name = DeletedTableName(name_);
      database_.Execute(CreateTableStatement(name, columns_, SqlDialect::kSqlite));
      deleted_.emplace(database_.Prepare(InsertStatement(name, columns_)));
    }
    return *deleted_;
  }

  SqliteFile& database_;
  const std::string& name_;
  const std::vector<SqlColumn>& columns_;
  SqliteStatement live_;
  std::optional<SqliteStatement> deleted_;
  std::vector<SqlValue> values_;
};

// The index of one tag, unique for a key whose data allows it.
void MakeIndex(SqliteFile& database, const IndexTag& tag, IndexKey key, bool is_key, WrittenTable& table) {
  const std::string& name = table.report.name;
  WrittenIndex index{{.name = name + "." + AsciiLowerCopy(tag.name), .tag = tag.name, .unique = is_key},
                     std::move(key)};
  std::string terms;
  for (const std::string& term : index.key.terms) terms += (terms.empty() ? "" : ", ") + term;
  const std::string on =
      " INDEX " + QuoteIdentifier(index.made.name) + " ON " + QuoteIdentifier(name) + " (" + terms + ")";
  try {
    try {
      database.Execute("CREATE" + std::string(is_key ? " UNIQUE" : "") + on);
    } catch (const ESqliteError& failure) {
      if (!is_key || failure.Code() != kSqliteConstraint) throw;
      database.Execute("CREATE" + on);
      index.made.unique = false;
      index.made.repeats = true;
    }
  } catch (const ESqliteError& failure) {
    table.report.left_out.push_back({tag.name, failure.what()});
    return;
  }
  table.report.indexes.push_back(index.made);
  table.indexes.push_back(std::move(index));
}

void MakeIndexes(SqliteFile& database, FileSystem& files, const std::vector<DataField>& fields, WrittenTable& table) {
  const SourceTable& source = *table.source;
  if (source.index_path.empty()) return;
  std::vector<IndexTag> tags;
  try {
    tags = ReadCompoundIndex(files, source.index_path);
  } catch (const ETableError& failure) {
    table.report.index_failure = failure.what();
    return;
  }
  for (IndexTag& tag : tags) {
    tag.name = DecodeToUtf8(tag.name, table.code_page);
    IndexKey key = IndexKeyOf(tag, fields, table.columns);
    if (!key.reason.empty()) {
      table.report.left_out.push_back({tag.name, DecodeToUtf8(key.reason, table.code_page)});
    } else {
      MakeIndex(database, tag, std::move(key), IsKey(tag, source.entry), table);
    }
  }
}

void WriteRows(SqliteFile& database, DataTable& table, WrittenTable& written) {
  written.report.columns = static_cast<int>(written.columns.size());
  database.Execute(CreateTableStatement(written.report.name, written.columns, SqlDialect::kSqlite));
  RowWriter rows(database, written.report.name, written.columns);
  for (int number = 1; number <= table.RecordCount(); ++number)
    rows.Write(table.ReadRecord(number), table.CodePage(), written.report);
}

}  // namespace

std::string DeletedTableName(const std::string& name) { return name + kDeletedSuffix; }

std::string CreateTableStatement(const std::string& name, const std::vector<SqlColumn>& columns, SqlDialect dialect) {
  std::string statement = "CREATE TABLE " + QuoteIdentifier(name) + " (\n  " + QuoteIdentifier(kRecordNumberColumn) +
                          " INTEGER PRIMARY KEY";
  for (const SqlColumn& column : columns)
    statement += ",\n  " + QuoteIdentifier(column.name) + " " + TypeDeclaration(column, dialect);
  return statement + "\n)";
}

WrittenTable WriteTable(SqliteFile& database, FileSystem& files, const SourceTable& source, const std::string& name) {
  WrittenTable written{.source = &source, .report = {.source = source.path, .name = name}};
  database.Execute("SAVEPOINT table_written");
  try {
    DataTable table(files);
    table.Open(source.path);
    written.code_page = table.CodePage();
    written.columns = TableColumns(table.Fields(), FieldNames(table, source.entry));
    WriteRows(database, table, written);
    MakeIndexes(database, files, table.Fields(), written);
  } catch (const Exception& failure) {
    // Nothing of a table that cannot be read whole stays: half a table would pass for all of it.
    database.Execute("ROLLBACK TO table_written");
    written = {.source = &source, .report = {.source = source.path, .name = name, .failure = failure.what()}};
  }
  database.Execute("RELEASE table_written");
  return written;
}

}  // namespace quorvex
