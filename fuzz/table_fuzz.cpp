// Reads arbitrary bytes as a table and its memo file: the first 4 bytes
// (little-endian) give the table's length, the table bytes follow and the
// rest is the memo file. Every record is visited forward, backward and by
// number and every field is read; failures the reader reports as its own
// exceptions are fine, anything else (a crash, a sanitizer report, another
// exception) is a fault.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "table/dbf_table.h"
#include "base/errors.h"
#include "table/memory_file_system.h"
#include "table/table_dataset.h"

namespace {

constexpr const char* kTable = "/fuzz/form.scx";

void ReadAllFields(quorvex::TableDataSet& dataset) {
  for (const auto& field : dataset.Fields()) {
    try {
      field->AsString();
    } catch (const quorvex::Exception&) {
    }
  }
}

void WalkDataset(quorvex::MemoryFileSystem& files) {
  quorvex::TableDataSet dataset("TableDataSet1", files);
  dataset.SetTableName(kTable);
  try {
    dataset.Open();
    for (dataset.First(); !dataset.Eof(); dataset.Next()) ReadAllFields(dataset);
    dataset.SetRecNo(1);
    ReadAllFields(dataset);
  } catch (const quorvex::Exception&) {
  }
}

void WalkBackward(quorvex::MemoryFileSystem& files) {
  quorvex::DbfTable table(files);
  try {
    table.Open(kTable, {}, /*use_deleted=*/true);
    for (table.Move(quorvex::MoveTarget::kLast); !table.AtStart() && !table.AtEnd();
         table.Move(quorvex::MoveTarget::kPrior)) {
      for (const auto& field : table.Fields()) {
        try {
          table.NumericValue(field, table.RecordBuffer());
        } catch (const quorvex::Exception&) {
        }
      }
    }
  } catch (const quorvex::Exception&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.size() < 4) return 0;
  const std::size_t stated = static_cast<std::size_t>(data[0]) | static_cast<std::size_t>(data[1]) << 8 |
                             static_cast<std::size_t>(data[2]) << 16 | static_cast<std::size_t>(data[3]) << 24;
  const std::string_view rest = input.substr(4);
  const std::string_view table = rest.substr(0, stated);
  const std::string_view memo = rest.substr(table.size());

  quorvex::MemoryFileSystem files;
  files.AddFile(kTable, table);
  files.AddFile("/fuzz/form.sct", memo);  // FoxPro memo files
  files.AddFile("/fuzz/form.dbt", memo);  // dBASE memo files
  WalkDataset(files);
  WalkBackward(files);
  return 0;
}
