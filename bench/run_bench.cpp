// The figures of whole conversions, printed together in one run (medians of
// fifteen repetitions):
//   - the corpus forms converted on one thread, against reading the same
//     input bytes and writing the same output bytes in the plainest way, and
//     the ratio of the two; then two threads against one;
//   - the canonical text of a generated form of 20,000 components through the
//     command line, in MB/s, and against Free Pascal's own form-stream round
//     trip (ObjectTextToBinary + ObjectBinaryToText) when the environment
//     variable QUORVEX_FPC_ROUND_TRIP names that program (bench/run builds it
//     from bench/dfm_round_trip.pas);
//   - time per object and peak resident size of the command line converting
//     generated forms of 1,000, 10,000 and 100,000 objects.
// Without the shared corpus, 200 generated forms of 60 objects stand in for it.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench_inputs.h"
#include "child_process.h"
#include "quiet_host.h"
#include "run/conversion_run.h"

namespace {

namespace fs = std::filesystem;
using namespace quorvex::bench;

// Shared machines are noisy: many short repetitions, their order shuffled so
// that a busy moment does not fall on one benchmark alone, and medians.
constexpr int kRepetitions = 15;
constexpr int kCanonicalComponents = 20000;
constexpr double kMegabyte = 1e6;

fs::path Scratch() { return ScratchFolder("run_bench"); }

// The forms of the corpus run, every file they are read from, and the files
// one conversion of them writes (name, bytes).
struct CorpusFiles {
  std::vector<std::string> forms;
  std::vector<std::string> inputs;
  std::vector<std::pair<std::string, std::string>> outputs;
  std::uint64_t input_bytes = 0;
  std::uint64_t output_bytes = 0;
};

const CorpusFiles& Corpus() {
  static const CorpusFiles corpus = [] {
    CorpusFiles files;
    files.forms = CorpusForms();
    if (files.forms.empty()) files.forms = GeneratedForms(Scratch() / "forms", 200, 60);
    files.inputs = WithMemoFiles(files.forms);
    files.input_bytes = TotalSize(files.inputs);
    const fs::path sample = Scratch() / "sample";
    quorvex::QuietHost host;
    quorvex::ConversionRun(host, {.keep_going = true, .jobs = 1, .code_page = {}}).ConvertSelectedFiles(files.forms, sample.string());
    for (const auto& entry : fs::directory_iterator(sample)) {
      files.outputs.emplace_back(entry.path().filename().string(), FileBytes(entry.path()));
      files.output_bytes += files.outputs.back().second.size();
    }
    std::sort(files.outputs.begin(), files.outputs.end());
    return files;
  }();
  return corpus;
}

// Each iteration writes into an empty folder, made outside the timing, so
// that every iteration creates its files as a first conversion does.
void FreshFolder(benchmark::State& state, const fs::path& folder) {
  state.PauseTiming();
  fs::remove_all(folder);
  fs::create_directories(folder);
  state.ResumeTiming();
}

// The processor time of `work`, all threads, counted as "cpu_ms" per
// iteration: on a shared machine, wall time also counts the waits for a
// processor that other programs hold.
template <typename Work>
void CountCpu(double& cpu, Work&& work) {
  const double start = ProcessCpuSeconds();
  work();
  cpu += ProcessCpuSeconds() - start;
}

void BM_CorpusConversion(benchmark::State& state) {
  const CorpusFiles& corpus = Corpus();
  quorvex::QuietHost host;
  const quorvex::RunOptions options{.keep_going = true, .jobs = static_cast<int>(state.range(0)), .code_page = {}};
  const fs::path out = Scratch() / "out";
  double cpu = 0;
  for (auto _ : state) {
    FreshFolder(state, out);
    CountCpu(cpu, [&] { quorvex::ConversionRun(host, options).ConvertSelectedFiles(corpus.forms, out.string()); });
  }
  state.counters["cpu_ms"] = cpu * 1000 / static_cast<double>(state.iterations());
}

void BM_CorpusReadWrite(benchmark::State& state) {
  const CorpusFiles& corpus = Corpus();
  const fs::path out = Scratch() / "copy";
  std::string buffer;
  double cpu = 0;
  for (auto _ : state) {
    FreshFolder(state, out);
    CountCpu(cpu, [&] {
      for (const std::string& input : corpus.inputs) ReadWholeFile(input, buffer);
      for (const auto& [name, bytes] : corpus.outputs) WriteWholeFile((out / name).string(), bytes);
    });
  }
  state.counters["cpu_ms"] = cpu * 1000 / static_cast<double>(state.iterations());
}

// Times a child process per iteration; counts its peak resident size.
void TimeChild(benchmark::State& state, const std::vector<std::string>& args, const fs::path& out) {
  std::uint64_t peak = 0;
  double cpu = 0;
  for (auto _ : state) {
    const ChildRun run = RunChild(args, out.string());
    if (run.exit_status != 0) {
      state.SkipWithError((args.front() + " exited with status " + std::to_string(run.exit_status)).c_str());
      return;
    }
    state.SetIterationTime(run.seconds);
    peak = std::max(peak, run.peak_bytes);
    cpu += run.cpu_seconds;
  }
  state.counters["peak_MB"] = static_cast<double>(peak) / kMegabyte;
  state.counters["cpu_ms"] = cpu * 1000 / static_cast<double>(state.iterations());
}

const std::string& CanonicalInput() {
  static const std::string path = [] {
    fs::create_directories(Scratch());
    const std::string name = (Scratch() / "generated.dfm").string();
    WriteWholeFile(name, GeneratedDfmText(kCanonicalComponents));
    return name;
  }();
  return path;
}

void BM_CanonicalTextCommandLine(benchmark::State& state) {
  TimeChild(state, {QUORVEX_CONVERT, "--stage", "dfm", "--from", "dfm", CanonicalInput()},
            Scratch() / "canonical.dfm");
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(CanonicalInput())));
}

void BM_CanonicalTextFreePascal(benchmark::State& state) {
  const char* program = std::getenv("QUORVEX_FPC_ROUND_TRIP");
  if (program == nullptr || *program == '\0') {
    state.SkipWithError("QUORVEX_FPC_ROUND_TRIP does not name the Free Pascal round-trip program");
    return;
  }
  TimeChild(state, {program, CanonicalInput()}, Scratch() / "fpc.dfm");
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(CanonicalInput())));
}

void BM_GeneratedForm(benchmark::State& state) {
  const int objects = static_cast<int>(state.range(0));
  const std::string form = GeneratedForm(Scratch() / "generated", objects);
  const fs::path out = Scratch() / ("generated_out_" + std::to_string(objects));
  TimeChild(state, {QUORVEX_CONVERT, "-q", "-o", out.string(), form}, "/dev/null");
  state.counters["input_MB"] = static_cast<double>(TotalSize(WithMemoFiles({form}))) / kMegabyte;
}

void Settings(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_CorpusConversion)->ArgName("jobs")->Arg(1)->Arg(2)->Apply(Settings)->UseRealTime();
BENCHMARK(BM_CorpusReadWrite)->Apply(Settings)->UseRealTime();
BENCHMARK(BM_CanonicalTextCommandLine)->Apply(Settings)->UseManualTime();
BENCHMARK(BM_CanonicalTextFreePascal)->Apply(Settings)->UseManualTime();
BENCHMARK(BM_GeneratedForm)->ArgName("objects")->Arg(1000)->Arg(10000)->Arg(100000)->Apply(Settings)->UseManualTime();

// The usual table, then the figures worked out from its medians.
class FiguresReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" || run.error_occurred) continue;
      const std::string& args = run.run_name.args;
      medians_[run.run_name.function_name + (args.empty() ? "" : "/" + args)] = run;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    if (medians_.empty()) return;
    std::printf("\nMedians of %d runs\n", kRepetitions);
    PrintCorpus();
    PrintCanonical();
    PrintObjects();
    std::fflush(stdout);
  }

 private:
  const Run* Find(const std::string& name) const {
    const auto found = medians_.find(name);
    return found == medians_.end() ? nullptr : &found->second;
  }
  double Milliseconds(const std::string& name) const { return Find(name)->GetAdjustedRealTime(); }
  double Counter(const std::string& name, const std::string& counter) const {
    return Find(name)->counters.at(counter).value;
  }

  double Cpu(const std::string& name) const { return Counter(name, "cpu_ms"); }

  // Wall time, with the processor time in brackets: on a shared machine the
  // wall time also holds the waits for a processor that others hold.
  void PrintCorpus() const {
    if (!Find("BM_CorpusConversion/jobs:1") || !Find("BM_CorpusReadWrite")) return;
    const CorpusFiles& corpus = Corpus();
    const std::string one = "BM_CorpusConversion/jobs:1";
    const std::string copy = "BM_CorpusReadWrite";
    std::printf("corpus: %zu forms, %.2f MB read, %.2f MB written; wall (processor) time\n", corpus.forms.size(),
                static_cast<double>(corpus.input_bytes) / kMegabyte, static_cast<double>(corpus.output_bytes) / kMegabyte);
    std::printf("  conversion on 1 thread            %9.1f ms (%.1f ms)\n", Milliseconds(one), Cpu(one));
    std::printf("  reading + writing the same bytes  %9.1f ms (%.1f ms)\n", Milliseconds(copy), Cpu(copy));
    std::printf("  conversion / (reading + writing)  %9.2fx (%.2fx)\n", Milliseconds(one) / Milliseconds(copy),
                Cpu(one) / Cpu(copy));
    const std::string two = "BM_CorpusConversion/jobs:2";
    if (Find(two)) {
      std::printf("  conversion on 2 threads           %9.1f ms (%.1f ms), %.2fx the speed of 1 thread\n",
                  Milliseconds(two), Cpu(two), Milliseconds(one) / Milliseconds(two));
    }
  }

  void PrintCanonical() const {
    const std::string ours = "BM_CanonicalTextCommandLine";
    if (!Find(ours)) return;
    const double megabytes = static_cast<double>(fs::file_size(CanonicalInput())) / kMegabyte;
    std::printf("canonical text of %d components (%.2f MB) through the command line: %.1f ms (%.1f ms), %.1f MB/s\n",
                kCanonicalComponents, megabytes, Milliseconds(ours), Cpu(ours), megabytes / (Milliseconds(ours) / 1000));
    const std::string fpc = "BM_CanonicalTextFreePascal";
    if (Find(fpc)) {
      std::printf("  Free Pascal form-stream round trip: %.1f ms (%.1f ms), %.1f MB/s; %.1fx faster (%.1fx)\n",
                  Milliseconds(fpc), Cpu(fpc), megabytes / (Milliseconds(fpc) / 1000),
                  Milliseconds(fpc) / Milliseconds(ours), Cpu(fpc) / Cpu(ours));
    }
  }

  void PrintObjects() const {
    const auto name = [](int objects) { return "BM_GeneratedForm/objects:" + std::to_string(objects); };
    if (!Find(name(1000)) && !Find(name(10000)) && !Find(name(100000))) return;
    std::printf("generated forms through the command line:\n");
    std::printf("  %9s %9s %9s %9s %10s %9s %11s\n", "objects", "input MB", "ms", "cpu ms", "us/object", "peak MB",
                "peak/input");
    for (const int objects : {1000, 10000, 100000}) {
      if (!Find(name(objects))) continue;
      const double ms = Milliseconds(name(objects));
      const double input = Counter(name(objects), "input_MB");
      const double peak = Counter(name(objects), "peak_MB");
      std::printf("  %9d %9.2f %9.1f %9.1f %10.2f %9.1f %10.1fx\n", objects, input, ms, Cpu(name(objects)),
                  ms * 1000 / objects, peak, peak / input);
    }
    if (Find(name(10000)) && Find(name(100000))) {
      std::printf("  time per object, 100,000 objects against 10,000: %.2fx (%.2fx)\n",
                  Milliseconds(name(100000)) / 10 / Milliseconds(name(10000)),
                  Cpu(name(100000)) / 10 / Cpu(name(10000)));
    }
  }

  std::map<std::string, Run> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  int launcher_status = 0;
  if (RunAsLauncher(argc, argv, launcher_status)) return launcher_status;
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);  // a later flag of the caller's wins
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  FiguresReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  fs::remove_all(Scratch());
  return 0;
}
