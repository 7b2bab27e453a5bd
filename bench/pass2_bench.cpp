// Pass 2 speed: object text to raw DFM text, and DFM text to the unit.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dfm/convert_dfm.h"
#include "dfm/convert_pas.h"
#include "base/progress.h"
#include "base/text_list.h"

namespace quorvex {
namespace {

// A form with `objects` labels, each with the properties real forms carry;
// `distinct_names` false names them all Label1 (every name needs a suffix).
TextList SyntheticForm(int objects, bool distinct_names) {
  TextList text = {"object Form1=TForm1", "  Caption = \"Form1\"", "  Name = \"Form1\""};
  for (int i = 0; i < objects; ++i) {
    const std::string name = distinct_names ? "Label" + std::to_string(i) : "Label1";
    text.insert(text.end(), {"  object " + name + "=label", "    FontBold = .T.", "    FontItalic = .T.",
                             "    FontName = \"Tahoma\"", "    Caption = \"\\<Name:\"", "    BackColor = 192,220,192",
                             "    ForeColor = 0,0,128", "    TabIndex = 3", "    Name = \"" + name + "\"", "  end"});
  }
  text.push_back("end");
  return text;
}

void BM_ConvertToDfm(benchmark::State& state) {
  const TextList text = SyntheticForm(static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    TextList dfm;
    ConvertToDfm(text, dfm, NullProgress());
    benchmark::DoNotOptimize(dfm.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ConvertToDfm)->ArgsProduct({{100, 10000}, {1, 0}});

// One object with `flags` true font flags: all gather in one style line, so
// the time per line shows whether each flag rescans the object.
void BM_ManyFontFlags(benchmark::State& state) {
  TextList text = {"object Form1=TForm1", "  object Label1=label"};
  for (int64_t i = 0; i < state.range(0); ++i) text.insert(text.end(), {"    FontBold = .T.", "    Top = 1"});
  text.insert(text.end(), {"  end", "end"});
  for (auto _ : state) {
    TextList dfm;
    ConvertToDfm(text, dfm, NullProgress());
    benchmark::DoNotOptimize(dfm.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ManyFontFlags)->Arg(1000)->Arg(10000)->Arg(100000);

void BM_ConvertToPas(benchmark::State& state) {
  TextList dfm;
  ConvertToDfm(SyntheticForm(static_cast<int>(state.range(0)), true), dfm, NullProgress());
  for (auto _ : state) {
    TextList pas;
    ConvertToPas(dfm, pas, "main.scx");
    benchmark::DoNotOptimize(pas.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(dfm.size()));
}
BENCHMARK(BM_ConvertToPas)->Arg(100)->Arg(10000);

// Every object text of the shared corpus, when it is present.
void BM_CorpusObjectTexts(benchmark::State& state) {
  std::vector<TextList> texts;
  std::error_code error;
  const auto dir = std::filesystem::path(QUORVEX_SHARED_DIR) / "corpus" / "expected";
  for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
    if (entry.path().extension() != ".objtext") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    texts.push_back(SplitLines(bytes.str()));
  }
  if (texts.empty()) {
    state.SkipWithError("shared corpus not found");
    return;
  }
  int64_t lines = 0;
  for (auto _ : state) {
    for (const auto& text : texts) {
      TextList dfm;
      TextList pas;
      ConvertToDfm(text, dfm, NullProgress());
      ConvertToPas(dfm, pas, "form.scx");
      lines += static_cast<int64_t>(text.size());
      benchmark::DoNotOptimize(pas.data());
    }
  }
  state.SetItemsProcessed(lines);
  state.counters["forms"] = static_cast<double>(texts.size());
}
BENCHMARK(BM_CorpusObjectTexts);

}  // namespace
}  // namespace quorvex

BENCHMARK_MAIN();
