#pragma once
// A new SQLite database file, written through the SQLite C library: the
// statements the writer runs on it and the rows it reads back.
//
// The file is written as one transaction with no journal file beside it
// (its rollback journal and temporary data stay in memory): it is a new
// file, staged under a temporary name, which nothing else reads before it
// is whole.

#include <string>
#include <string_view>

#include "base/errors.h"
#include "database/sql_value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace quorvex {

struct SqliteFunctions;

// A statement SQLite refused, with its message and result code.
class ESqliteError : public Exception {
 public:
  ESqliteError(const std::string& message, int code) : Exception(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

class SqliteStatement {
 public:
  SqliteStatement(const SqliteFunctions& sqlite, sqlite3* database, std::string_view sql);
  ~SqliteStatement();
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Parameter `index` (from 1) is `value`, which must live until the next Step.
  void Bind(int index, const SqlValue& value);
  // Runs the statement on: true when it gives a row, false when it is done.
  // Throws ESqliteError.
  bool Step();
  // Ready to run again with new parameters.
  void Reset();
  int ColumnCount() const;
  SqlValue Column(int index) const;

 private:
  void Check(int code) const;
  const SqliteFunctions& sqlite_;
  sqlite3* database_;
  sqlite3_stmt* statement_ = nullptr;
};

class SqliteFile {
 public:
  // Creates the database at `path`, where no file may be yet. Throws
  // Exception("Cannot create file " + path + ": " + why) when the system has
  // no SQLite library or the file cannot be made.
  explicit SqliteFile(const std::string& path);
  ~SqliteFile();
  SqliteFile(const SqliteFile&) = delete;
  SqliteFile& operator=(const SqliteFile&) = delete;

  // Runs one or more statements. Throws ESqliteError.
  void Execute(const std::string& sql);
  SqliteStatement Prepare(std::string_view sql) { return SqliteStatement(*sqlite_, database_, sql); }
  // Commits what was written and closes the file. Throws ESqliteError.
  void Finish();

 private:
  const SqliteFunctions* sqlite_ = nullptr;
  sqlite3* database_ = nullptr;
};

}  // namespace quorvex
