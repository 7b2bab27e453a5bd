// A whole default conversion of arbitrary bytes: the input is a table and
// its memo file (SplitTableAndMemo), run through the object tree, the object
// text, the DFM text, the unit and the canonical text. Seeded with real forms
// so that mutations reach the passes.

#include <cstddef>
#include <cstdint>

#include "fuzz_conversions.h"
#include "fuzz_input.h"
#include "table/memory_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorvex::TableAndMemo parts;
  if (!quorvex::SplitTableAndMemo(quorvex::InputBytes(data, size), parts)) return 0;
  quorvex::MemoryFileSystem files;
  files.AddFile("/fuzz/form.scx", parts.table);
  files.AddFile("/fuzz/form.sct", parts.memo);
  quorvex::ConvertDefault(files, "/fuzz/form.scx");
  return 0;
}
