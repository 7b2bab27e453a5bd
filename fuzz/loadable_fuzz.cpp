// The loadable mode on arbitrary bytes, in the layout of conversion_fuzz (a
// table and its memo file, SplitTableAndMemo). Besides not crashing, it holds
// the mode to its promise: whatever the form, every .dfm text it makes reads
// back unchanged.

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
  quorvex::ConvertLoadable(files, "/fuzz/form.scx");
  return 0;
}
