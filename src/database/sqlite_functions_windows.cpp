#include "database/sqlite_functions.h"

#include <windows.h>

namespace quorvex {

namespace {

struct Loaded {
  SqliteFunctions functions{};
  std::string failure;
};

class Exports {
 public:
  explicit Exports(HMODULE library) : library_(library) {}

  // Sets `slot` to the function exported as `name`; false when there is none.
  template <typename Function>
  bool Take(const char* name, Function& slot) {
    const FARPROC found = GetProcAddress(library_, name);
    if (found == nullptr) missing_ = name;
    // Through void (*)(), the one function type GCC lets any other be cast to.
    slot = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
    return found != nullptr;
  }
  const char* Missing() const { return missing_; }

 private:
  HMODULE library_;
  const char* missing_ = "";
};

bool TakeAll(Exports& exports, SqliteFunctions& f) {
  return exports.Take("sqlite3_open_v2", f.open_v2) && exports.Take("sqlite3_close", f.close) &&
         exports.Take("sqlite3_errmsg", f.errmsg) && exports.Take("sqlite3_exec", f.exec) &&
         exports.Take("sqlite3_prepare_v2", f.prepare_v2) && exports.Take("sqlite3_step", f.step) &&
         exports.Take("sqlite3_reset", f.reset) && exports.Take("sqlite3_finalize", f.finalize) &&
         exports.Take("sqlite3_bind_null", f.bind_null) && exports.Take("sqlite3_bind_int64", f.bind_int64) &&
         exports.Take("sqlite3_bind_double", f.bind_double) && exports.Take("sqlite3_bind_text", f.bind_text) &&
         exports.Take("sqlite3_bind_blob", f.bind_blob) && exports.Take("sqlite3_column_count", f.column_count) &&
         exports.Take("sqlite3_column_type", f.column_type) && exports.Take("sqlite3_column_int64", f.column_int64) &&
         exports.Take("sqlite3_column_double", f.column_double) && exports.Take("sqlite3_column_text", f.column_text) &&
         exports.Take("sqlite3_column_blob", f.column_blob) && exports.Take("sqlite3_column_bytes", f.column_bytes);
}

// winsqlite3.dll is part of Windows from Windows 10 on; from the system
// folder only, so that no file beside the program stands in for it.
Loaded Load() {
  Loaded loaded;
  const HMODULE library = LoadLibraryExW(L"winsqlite3.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library == nullptr) {
    loaded.failure = "the system has no SQLite library (winsqlite3.dll)";
    return loaded;
  }
  Exports exports(library);
  if (!TakeAll(exports, loaded.functions))
    loaded.failure = std::string("the system's SQLite library (winsqlite3.dll) lacks ") + exports.Missing();
  return loaded;
}

}  // namespace

const SqliteFunctions* SqliteLibrary(std::string& why) {
  static const Loaded loaded = Load();
  why = loaded.failure;
  return loaded.failure.empty() ? &loaded.functions : nullptr;
}

}  // namespace quorvex
