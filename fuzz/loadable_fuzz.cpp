// The loadable mode on arbitrary bytes, in the layout of conversion_fuzz (4
// bytes little-endian giving the table's length, the table, then the memo
// file). Besides not crashing, it holds the mode to its promise: whatever the
// form, every .dfm text it makes parses again unchanged. The system's own
// exceptions before that are fine; a crash, a sanitizer report, any other
// exception or a text that does not read back is a fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/errors.h"
#include "formstream/canonical_dfm.h"
#include "loadable/loadable_conversion.h"
#include "table/memory_file_system.h"
#include "table/table_dataset.h"

namespace {

constexpr const char* kForm = "/fuzz/form.scx";

void Convert(quorvex::MemoryFileSystem& files) {
  quorvex::TableDataSet dataset("TableDataSet1", files);
  quorvex::LoadableConversion conversion(kForm, {});
  try {
    dataset.SetTableName(kForm);
    dataset.Open();
    conversion.ReadRecords(dataset);
    conversion.Generate();
  } catch (const quorvex::Exception&) {
    return;
  }
  for (const quorvex::LoadableOutput& output : conversion.Outputs()) {
    const std::string text = quorvex::JoinLines(output.dfm);
    if (quorvex::CanonicaliseDfmText(text, 0, quorvex::DfmStrings::kAsciiOnly) != text) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t stated = static_cast<std::size_t>(data[0]) | static_cast<std::size_t>(data[1]) << 8 |
                             static_cast<std::size_t>(data[2]) << 16 | static_cast<std::size_t>(data[3]) << 24;
  const std::string_view table = input.substr(4).substr(0, stated);
  quorvex::MemoryFileSystem files;
  files.AddFile(kForm, table);
  files.AddFile("/fuzz/form.sct", input.substr(4 + table.size()));
  Convert(files);
  return 0;
}
