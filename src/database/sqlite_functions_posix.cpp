#include "database/sqlite_functions.h"

#include <sqlite3.h>

namespace quorvex {

static_assert(kSqliteOk == SQLITE_OK && kSqliteConstraint == SQLITE_CONSTRAINT && kSqliteRow == SQLITE_ROW &&
              kSqliteDone == SQLITE_DONE);
static_assert(kSqliteOpenReadWrite == SQLITE_OPEN_READWRITE && kSqliteOpenCreate == SQLITE_OPEN_CREATE);
static_assert(kSqliteInteger == SQLITE_INTEGER && kSqliteFloat == SQLITE_FLOAT && kSqliteText == SQLITE_TEXT &&
              kSqliteBlob == SQLITE_BLOB);

const SqliteFunctions* SqliteLibrary(std::string&) {
  static const SqliteFunctions functions{
      sqlite3_open_v2,      sqlite3_close,         sqlite3_errmsg,      sqlite3_exec,         sqlite3_prepare_v2,
      sqlite3_step,         sqlite3_reset,         sqlite3_finalize,    sqlite3_bind_null,    sqlite3_bind_int64,
      sqlite3_bind_double,  sqlite3_bind_text,     sqlite3_bind_blob,   sqlite3_column_count, sqlite3_column_type,
      sqlite3_column_int64, sqlite3_column_double, sqlite3_column_text, sqlite3_column_blob,  sqlite3_column_bytes};
  return &functions;
}

}  // namespace quorvex
