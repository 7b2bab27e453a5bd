// A whole default conversion of arbitrary bytes: the input is a table and
// its memo file (SplitTableAndMemo), run through the object tree, the object
// text, the DFM text, the unit and the canonical text. Seeded with real forms
// so that mutations reach the passes.

#include <cstddef>
#include <cstdint>

#include "fuzz_conversions.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorvex::MemoryFileSystem files;
  if (!quorvex::AddFuzzForm(quorvex::InputBytes(data, size), files)) return 0;
  quorvex::ConvertDefault(files, quorvex::kFuzzForm);
  return 0;
}
