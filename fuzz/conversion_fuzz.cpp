// A whole conversion of arbitrary bytes: the input is a form file in the
// table fuzzer's layout (4 bytes little-endian giving the table's length, the
// table, then the memo file), run through the object tree, the object text,
// the DFM text, the unit and the canonical text. Seed it with real forms
// (fuzz/make_seeds.sh) so that mutations reach the passes. The system's own
// exceptions are fine; a crash, a sanitizer report or any other exception is
// a fault.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formstream/canonical_dfm.h"
#include "dfm/convert_dfm.h"
#include "dfm/convert_pas.h"
#include "scx/object_text.h"
#include "scx/scx_object_tree.h"
#include "base/errors.h"
#include "table/memory_file_system.h"
#include "table/table_dataset.h"

namespace {

constexpr const char* kForm = "/fuzz/form.scx";

void Convert(quorvex::MemoryFileSystem& files) {
  quorvex::TableDataSet dataset("TableDataSet1", files);
  quorvex::ScxObjectTree tree;
  quorvex::TextList object_text, dfm, pas;
  try {
    quorvex::OpenScxFile(dataset, kForm, tree);
    quorvex::WriteObjectText(dataset, tree, object_text, quorvex::NullProgress());
  } catch (const quorvex::Exception&) {
    return;
  }
  try {
    quorvex::ConvertToDfm(object_text, dfm, quorvex::NullProgress());
  } catch (const quorvex::Exception&) {
  }
  quorvex::ConvertToPas(dfm, pas, "form.scx");
  try {
    const std::string canonical = quorvex::CanonicaliseDfmText(quorvex::JoinLines(dfm), 932);
    quorvex::CanonicaliseDfmText(canonical, 932);
  } catch (const quorvex::Exception&) {
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
