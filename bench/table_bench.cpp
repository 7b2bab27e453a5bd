// Speed of reading a form file: open, walk every record and read the fields a
// conversion reads, from memory (the reader alone) and from disk (with the
// system's reads). Forms of 10, 100 and 1000 objects with 64-byte blocks.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "fixtures/scx_writer.h"
#include "table/memory_file_system.h"
#include "table/table_dataset.h"

namespace {

using quorvex::fixtures::PropertyLines;
using quorvex::fixtures::ScxWriter;

ScxWriter Form(int objects) {
  ScxWriter writer;
  writer.AddVersionComment().Add({.objname = "Form1", .baseclass = "form", .class_name = "form",
                                  .properties = PropertyLines({"Height = 250", "Width = 375", "Name = \"Form1\""})});
  for (int i = 1; i < objects; ++i) {
    const std::string name = "Text" + std::to_string(i);
    writer.Add({.objname = name, .parent = "Form1", .baseclass = "textbox", .class_name = "textbox",
                .properties = PropertyLines({"Left = 10", "Top = " + std::to_string(i * 20), "Name = \"" + name + "\""}),
                .methods = "PROCEDURE Click\r\nThisform.Release()\r\nENDPROC\r\n"});
  }
  return writer;
}

std::size_t ReadForm(quorvex::TableDataSet& dataset, const std::string& name) {
  dataset.SetTableName(name);
  dataset.Open();
  std::size_t bytes = 0;
  for (dataset.First(); !dataset.Eof(); dataset.Next()) {
    for (const char* field : {"PLATFORM", "OBJNAME", "PARENT", "CLASS", "BASECLASS", "PROPERTIES"}) {
      bytes += dataset.FieldByName(field).AsString().size();
    }
  }
  dataset.Close();
  return bytes;
}

void BM_ReadFormFromMemory(benchmark::State& state) {
  quorvex::MemoryFileSystem files;
  const std::string name = Form(static_cast<int>(state.range(0))).AddTo(files, "/bench/form");
  quorvex::TableDataSet dataset("TableDataSet1", files);
  for (auto _ : state) benchmark::DoNotOptimize(ReadForm(dataset, name));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadFormFromMemory)->Arg(10)->Arg(100)->Arg(1000);

void BM_ReadFormFromDisk(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / ("quorvex_table_bench_" + std::to_string(state.range(0)));
  const std::string name = Form(static_cast<int>(state.range(0))).WriteTo(folder, "form").string();
  quorvex::TableDataSet dataset;
  for (auto _ : state) benchmark::DoNotOptimize(ReadForm(dataset, name));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ReadFormFromDisk)->Arg(10)->Arg(100)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
