// Reads arbitrary bytes as a database container and its memo file
// (SplitTableAndMemo: the .dbc, then the .dct) into its tables, fields, keys
// and relations, and matches each table's long field names against the
// container's own fields. A container the reader refuses with its own
// exception is fine; anything else (a crash, a sanitizer report, another
// exception) is a fault.

#include <cstddef>
#include <cstdint>

#include "base/errors.h"
#include "data/database_container.h"
#include "data/long_field_names.h"
#include "fuzz_input.h"
#include "table/data_table.h"
#include "table/memory_file_system.h"

namespace {

constexpr const char* kDatabase = "/fuzz/app.dbc";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorvex::TableAndMemo parts;
  if (!quorvex::SplitTableAndMemo(quorvex::InputBytes(data, size), parts)) return 0;
  quorvex::MemoryFileSystem files;
  files.AddFile(kDatabase, parts.table);
  files.AddFile("/fuzz/app.dct", parts.memo);
  try {
    const quorvex::Database database = quorvex::ReadDatabase(files, kDatabase);
    quorvex::DataTable container(files);
    container.Open(kDatabase);
    for (const quorvex::DatabaseTable& table : database.tables) quorvex::LongFieldNames(table, container.Fields());
  } catch (const quorvex::Exception&) {
  }
  return 0;
}
