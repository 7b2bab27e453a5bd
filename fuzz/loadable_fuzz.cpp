// The loadable mode on arbitrary bytes, in the layout of conversion_fuzz (a
// table and its memo file, SplitTableAndMemo). Besides not crashing, it holds
// the mode to its promise: whatever the form, every .dfm text it makes reads
// back unchanged.

#include <cstddef>
#include <cstdint>

#include "fuzz_conversions.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorvex::MemoryFileSystem files;
  if (!quorvex::AddFuzzForm(quorvex::InputBytes(data, size), files)) return 0;
  quorvex::ConvertLoadable(files, quorvex::kFuzzForm);
  return 0;
}
