// Throughput of canonicalising a big generated form: 20,000 components with
// 8 properties each (strings, sets, hexadecimal colours, integers).

#include <benchmark/benchmark.h>

#include <string>

#include "bench_inputs.h"
#include "formstream/canonical_dfm.h"

namespace {

void BM_CanonicaliseGeneratedForm(benchmark::State& state) {
  const std::string text = quorvex::bench::GeneratedDfmText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::string canonical = quorvex::CanonicaliseDfmText(text);
    benchmark::DoNotOptimize(canonical.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_CanonicaliseGeneratedForm)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
