#include "database/sqlite_file.h"

#include <climits>
#include <utility>

#include "database/sqlite_functions.h"

namespace quorvex {

namespace {

// SQLITE_STATIC: the bound bytes are the caller's and outlive the step.
void (*const kStatic)(void*) = nullptr;

int Length(const std::string& bytes) {
  if (bytes.size() > INT_MAX)
    throw ESqliteError("A value of " + std::to_string(bytes.size()) + " bytes is too long", 18);
  return static_cast<int>(bytes.size());
}

}  // namespace

SqliteStatement::SqliteStatement(const SqliteFunctions& sqlite, sqlite3* database, std::string_view sql)
    : sqlite_(sqlite), database_(database) {
  Check(sqlite_.prepare_v2(database_, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr));
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : sqlite_(other.sqlite_), database_(other.database_), statement_(std::exchange(other.statement_, nullptr)) {}

// Finalizing no statement (one moved from) does nothing.
SqliteStatement::~SqliteStatement() { sqlite_.finalize(statement_); }

void SqliteStatement::Check(int code) const {
  if (code != kSqliteOk) throw ESqliteError(sqlite_.errmsg(database_), code);
}

void SqliteStatement::Bind(int index, const SqlValue& value) {
  if (const auto* integer = std::get_if<std::int64_t>(&value)) {
    Check(sqlite_.bind_int64(statement_, index, *integer));
  } else if (const auto* real = std::get_if<double>(&value)) {
    Check(sqlite_.bind_double(statement_, index, *real));
  } else if (const auto* text = std::get_if<std::string>(&value)) {
    Check(sqlite_.bind_text(statement_, index, text->data(), Length(*text), kStatic));
  } else if (const auto* blob = std::get_if<SqlBlob>(&value)) {
    Check(sqlite_.bind_blob(statement_, index, blob->bytes.data(), Length(blob->bytes), kStatic));
  } else {
    Check(sqlite_.bind_null(statement_, index));
  }
}

bool SqliteStatement::Step() {
  const int code = sqlite_.step(statement_);
  if (code == kSqliteRow) return true;
  if (code == kSqliteDone) return false;
  // The statement's own code: step gives it, reset tells it again.
  sqlite_.reset(statement_);
  throw ESqliteError(sqlite_.errmsg(database_), code);
}

void SqliteStatement::Reset() { sqlite_.reset(statement_); }

int SqliteStatement::ColumnCount() const { return sqlite_.column_count(statement_); }

SqlValue SqliteStatement::Column(int index) const {
  switch (sqlite_.column_type(statement_, index)) {
    case kSqliteInteger: return static_cast<std::int64_t>(sqlite_.column_int64(statement_, index));
    case kSqliteFloat: return sqlite_.column_double(statement_, index);
    case kSqliteText: {
      const auto* text = reinterpret_cast<const char*>(sqlite_.column_text(statement_, index));
      return std::string(text, static_cast<std::size_t>(sqlite_.column_bytes(statement_, index)));
    }
    case kSqliteBlob: {
      const auto* bytes = static_cast<const char*>(sqlite_.column_blob(statement_, index));
      const auto size = static_cast<std::size_t>(sqlite_.column_bytes(statement_, index));
      return SqlBlob{size == 0 ? std::string() : std::string(bytes, size)};
    }
    default: return std::monostate{};
  }
}

SqliteFile::SqliteFile(const std::string& path) {
  std::string why;
  sqlite_ = SqliteLibrary(why);
  if (sqlite_ == nullptr) throw Exception("Cannot create file " + path + ": " + why);
  const int code = sqlite_->open_v2(path.c_str(), &database_, kSqliteOpenReadWrite | kSqliteOpenCreate, nullptr);
  if (code != kSqliteOk) {
    why = database_ != nullptr ? sqlite_->errmsg(database_) : "out of memory";
    sqlite_->close(database_);
    throw Exception("Cannot create file " + path + ": " + why);
  }
  try {
    Execute("PRAGMA journal_mode = MEMORY; PRAGMA temp_store = MEMORY; PRAGMA synchronous = OFF; BEGIN");
  } catch (const ESqliteError& failure) {
    sqlite_->close(database_);
    throw Exception("Cannot create file " + path + ": " + failure.what());
  }
}

SqliteFile::~SqliteFile() {
  if (database_ != nullptr) sqlite_->close(database_);
}

void SqliteFile::Execute(const std::string& sql) {
  const int code = sqlite_->exec(database_, sql.c_str(), nullptr, nullptr, nullptr);
  if (code != kSqliteOk) throw ESqliteError(sqlite_->errmsg(database_), code);
}

void SqliteFile::Finish() {
  Execute("COMMIT");
  const int code = sqlite_->close(database_);
  if (code != kSqliteOk) throw ESqliteError(sqlite_->errmsg(database_), code);
  database_ = nullptr;
}

}  // namespace quorvex
