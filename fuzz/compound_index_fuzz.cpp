// Reads arbitrary bytes as a compound index file (.cdx) and lists its tags.
// A file the reader refuses with its own exception is fine; anything else (a
// crash, a sanitizer report, another exception, a walk that never ends) is a
// fault.

#include <cstddef>
#include <cstdint>

#include "base/errors.h"
#include "data/compound_index.h"
#include "fuzz_input.h"
#include "table/memory_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorvex::MemoryFileSystem files;
  files.AddFile("/fuzz/data.cdx", quorvex::InputBytes(data, size));
  try {
    quorvex::ReadCompoundIndex(files, "/fuzz/data.cdx");
  } catch (const quorvex::Exception&) {
  }
  return 0;
}
