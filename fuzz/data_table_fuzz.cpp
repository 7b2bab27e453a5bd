// Reads arbitrary bytes as a data table and its memo file (SplitTableAndMemo)
// the way the data's reader does: every record by number, every value typed.
// A table the reader refuses with its own exception is fine; anything else (a
// crash, a sanitizer report, another exception) is a fault.

#include <cstddef>
#include <cstdint>

#include "base/errors.h"
#include "fuzz_input.h"
#include "table/data_table.h"
#include "table/memory_file_system.h"

namespace {

constexpr const char* kTable = "/fuzz/data.dbf";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorvex::TableAndMemo parts;
  if (!quorvex::SplitTableAndMemo(quorvex::InputBytes(data, size), parts)) return 0;
  quorvex::MemoryFileSystem files;
  files.AddFile(kTable, parts.table);
  files.AddFile("/fuzz/data.fpt", parts.memo);  // FoxPro memo files
  files.AddFile("/fuzz/data.dbt", parts.memo);  // dBASE memo files
  quorvex::DataTable table(files);
  try {
    table.Open(kTable);
    table.DatabaseBacklink();
    for (int number = 1; number <= table.RecordCount(); ++number) table.ReadRecord(number);
  } catch (const quorvex::Exception&) {
  }
  return 0;
}
