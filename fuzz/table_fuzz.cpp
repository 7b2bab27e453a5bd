// Reads arbitrary bytes as a table and its memo file (SplitTableAndMemo).
// Every record is visited forward, backward and by number and every field is
// read; failures the reader reports as its own exceptions are fine, anything
// else (a crash, a sanitizer report, another exception) is a fault.

#include <cstddef>
#include <cstdint>

#include "base/errors.h"
#include "fuzz_input.h"
#include "table/dbf_table.h"
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
  quorvex::TableAndMemo parts;
  if (!quorvex::SplitTableAndMemo(quorvex::InputBytes(data, size), parts)) return 0;
  quorvex::MemoryFileSystem files;
  files.AddFile(kTable, parts.table);
  files.AddFile("/fuzz/form.sct", parts.memo);  // FoxPro memo files
  files.AddFile("/fuzz/form.dbt", parts.memo);  // dBASE memo files
  WalkDataset(files);
  WalkBackward(files);
  return 0;
}
