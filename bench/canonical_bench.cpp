// Throughput of canonicalising a big generated form: 20,000 components with
// 8 properties each (strings, sets, hexadecimal colours, integers).

#include <benchmark/benchmark.h>

#include <string>

#include "formstream/canonical_dfm.h"

namespace {

std::string GeneratedForm(int components) {
  std::string text = "object Form1: TForm1\r\n  Caption = 'Generated'\r\n";
  for (int i = 0; i < components; ++i) {
    const std::string n = std::to_string(i);
    text += "  object Edit" + n + ": TEdit\r\n";
    text += "    Left = " + std::to_string(8 + i % 500) + "\r\n";
    text += "    Top = " + std::to_string(16 + i % 300) + "\r\n";
    text += "    Color = $00C0DCC0\r\n";
    text += "    Font.Color = $000000FF\r\n";
    text += "    Font.Style = [fsBold, fsItalic]\r\n";
    text += "    Anchors = [akLeft, akTop, akRight]\r\n";
    text += "    Text = 'Field ''" + n + "'' of the customer record'\r\n";
    text += "    Hint = 'A hint long enough to be cut over two lines of the canonical text, number " + n + "'\r\n";
    text += "  end\r\n";
  }
  return text + "end\r\n";
}

void BM_CanonicaliseGeneratedForm(benchmark::State& state) {
  const std::string text = GeneratedForm(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::string canonical = quorvex::CanonicaliseDfmText(text);
    benchmark::DoNotOptimize(canonical.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_CanonicaliseGeneratedForm)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
