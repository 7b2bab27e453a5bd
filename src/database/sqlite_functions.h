#pragma once
// The functions of the SQLite C library that the database writer calls,
// reached through one table: on POSIX systems the library the program links
// (sqlite_functions_posix.cpp, which checks every signature against
// sqlite3.h), on Windows those of the system's own winsqlite3.dll, loaded
// when first asked for (sqlite_functions_windows.cpp), as no SQLite library
// for Windows comes with the program.

#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace quorvex {

// sqlite3.h's values of the codes and flags used.
inline constexpr int kSqliteOk = 0;
inline constexpr int kSqliteConstraint = 19;
inline constexpr int kSqliteRow = 100;
inline constexpr int kSqliteDone = 101;
inline constexpr int kSqliteOpenReadWrite = 0x02;
inline constexpr int kSqliteOpenCreate = 0x04;
inline constexpr int kSqliteInteger = 1;
inline constexpr int kSqliteFloat = 2;
inline constexpr int kSqliteText = 3;
inline constexpr int kSqliteBlob = 4;

struct SqliteFunctions {
  int (*open_v2)(const char*, sqlite3**, int, const char*);
  int (*close)(sqlite3*);
  const char* (*errmsg)(sqlite3*);
  int (*exec)(sqlite3*, const char*, int (*)(void*, int, char**, char**), void*, char**);
  int (*prepare_v2)(sqlite3*, const char*, int, sqlite3_stmt**, const char**);
  int (*step)(sqlite3_stmt*);
  int (*reset)(sqlite3_stmt*);
  int (*finalize)(sqlite3_stmt*);
  int (*bind_null)(sqlite3_stmt*, int);
  int (*bind_int64)(sqlite3_stmt*, int, long long);
  int (*bind_double)(sqlite3_stmt*, int, double);
  int (*bind_text)(sqlite3_stmt*, int, const char*, int, void (*)(void*));
  int (*bind_blob)(sqlite3_stmt*, int, const void*, int, void (*)(void*));
  int (*column_count)(sqlite3_stmt*);
  int (*column_type)(sqlite3_stmt*, int);
  long long (*column_int64)(sqlite3_stmt*, int);
  double (*column_double)(sqlite3_stmt*, int);
  const unsigned char* (*column_text)(sqlite3_stmt*, int);
  const void* (*column_blob)(sqlite3_stmt*, int);
  int (*column_bytes)(sqlite3_stmt*, int);
};

// The library's functions, or null when the system has no SQLite library to
// offer; `why` then says so. Safe from any thread.
const SqliteFunctions* SqliteLibrary(std::string& why);

}  // namespace quorvex
