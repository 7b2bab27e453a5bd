// Where the loadable road's time and memory go, printed together in one run:
//   - each pass of it (records, class libraries, model, binding, pictures,
//     rules, fonts, methods, translation, writing), in process: its share of
//     the time and the allocations it makes, over the corpus forms (read with
//     class libraries and pictures as a run reads them) and over one generated
//     form of 100,000 objects;
//   - the whole command line, --loadable against the default conversion of
//     the same inputs: wall and processor time, their ratio, and the peak
//     resident size against the input's size.
// Without the shared corpus, 200 generated forms of 60 objects stand in for it.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "allocation_count.h"
#include "base/pass_clock.h"
#include "bench_inputs.h"
#include "child_process.h"
#include "loadable/loadable_conversion.h"
#include "run/class_library_expansion.h"
#include "run/lookup_files.h"
#include "run/picture_files.h"
#include "table/table_dataset.h"

namespace {

namespace fs = std::filesystem;
using namespace quorvex::bench;

constexpr int kPassRepetitions = 3;
constexpr int kProcessRepetitions = 5;
constexpr int kGeneratedObjects = 100000;
constexpr double kMegabyte = 1e6;

fs::path Scratch() { return ScratchFolder("loadable_bench"); }

const std::vector<std::string>& CorpusInputs() {
  static const std::vector<std::string> forms = [] {
    std::vector<std::string> found = CorpusForms();
    return found.empty() ? GeneratedForms(Scratch() / "forms", 200, 60) : found;
  }();
  return forms;
}

const std::vector<std::string>& GeneratedInput() {
  static const std::vector<std::string> form{GeneratedForm(Scratch() / "generated", kGeneratedObjects)};
  return form;
}

const std::vector<std::string>& Inputs(int which) { return which == 0 ? CorpusInputs() : GeneratedInput(); }
const char* InputName(int which) { return which == 0 ? "corpus" : "generated"; }

struct PassTotals {
  double seconds = 0;
  std::uint64_t allocations = 0;
  std::uint64_t bytes = 0;
};

// Adds the time and allocations since the last pass began to that pass.
class CountingClock final : public quorvex::PassClock {
 public:
  void Enter(std::string_view pass) override {
    const auto now = std::chrono::steady_clock::now();
    const std::uint64_t count = AllocationCount();
    const std::uint64_t bytes = AllocatedBytes();
    if (!current_.empty()) {
      PassTotals& totals = Of(current_);
      totals.seconds += std::chrono::duration<double>(now - started_).count();
      totals.allocations += count - count_at_start_;
      totals.bytes += bytes - bytes_at_start_;
    }
    current_ = pass;
    started_ = now;
    count_at_start_ = count;
    bytes_at_start_ = bytes;
  }
  // The passes in the order they first began.
  const std::vector<std::pair<std::string, PassTotals>>& Totals() const { return totals_; }

 private:
  PassTotals& Of(const std::string& pass) {
    for (auto& [name, totals] : totals_) {
      if (name == pass) return totals;
    }
    return totals_.emplace_back(pass, PassTotals()).second;
  }

  std::string current_;
  std::chrono::steady_clock::time_point started_;
  std::uint64_t count_at_start_ = 0;
  std::uint64_t bytes_at_start_ = 0;
  std::vector<std::pair<std::string, PassTotals>> totals_;
};

// One form through the loadable road as a run takes it, its files not written.
void ConvertLoadable(const std::string& form, const quorvex::RecordExpansion& expansion,
                     const quorvex::PictureSource& pictures, CountingClock& clock) {
  quorvex::LoadableConversion conversion(form, {.code_page = {}, .expand_records = expansion,
                                                .pictures = pictures, .clock = &clock});
  quorvex::TableDataSet dataset;
  dataset.SetTableName(form);
  try {
    dataset.Open();
    conversion.ReadRecords(dataset);
    conversion.Generate();
  } catch (const std::exception&) {
    // A damaged form of the corpus costs what it cost until it failed.
  }
  clock.Enter("");
}

std::map<std::string, std::vector<std::pair<std::string, PassTotals>>> pass_figures;

void BM_LoadablePasses(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const std::vector<std::string>& forms = Inputs(which);
  CountingClock clock;
  for (auto _ : state) {
    // Each iteration lists folders and reads class libraries afresh, as each run does.
    const std::shared_ptr<quorvex::FileSystem> files = quorvex::LookupFileSystem({});
    const quorvex::RecordExpansion expansion = quorvex::ClassLibraryExpansion(quorvex::MakeClassLibraryCache(files, {}));
    const quorvex::PictureSource pictures = quorvex::FilePictureSource(files);
    for (const std::string& form : forms) ConvertLoadable(form, expansion, pictures, clock);
  }
  for (auto& [pass, totals] : pass_figures[InputName(which)] = clock.Totals()) {
    totals.seconds /= static_cast<double>(state.iterations());
    totals.allocations /= static_cast<std::uint64_t>(state.iterations());
    totals.bytes /= static_cast<std::uint64_t>(state.iterations());
  }
}

// The command line on the inputs, --loadable (1) or not (0), timed from outside.
void BM_Process(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const bool loadable = state.range(1) != 0;
  const fs::path out = Scratch() / (std::string("out_") + InputName(which) + (loadable ? "_loadable" : ""));
  std::vector<std::string> args{QUORVEX_CONVERT, "-q", "-k", "-o", out.string()};
  if (loadable) args.push_back("--loadable");
  args.insert(args.end(), Inputs(which).begin(), Inputs(which).end());
  std::uint64_t peak = 0;
  double cpu = 0;
  for (auto _ : state) {
    fs::remove_all(out);
    const ChildRun run = RunChild(args, "/dev/null");
    state.SetIterationTime(run.seconds);
    peak = std::max(peak, run.peak_bytes);
    cpu += run.cpu_seconds;
  }
  state.counters["peak_MB"] = static_cast<double>(peak) / kMegabyte;
  state.counters["cpu_ms"] = cpu * 1000 / static_cast<double>(state.iterations());
  state.counters["input_MB"] = static_cast<double>(TotalSize(WithMemoFiles(Inputs(which)))) / kMegabyte;
}

BENCHMARK(BM_LoadablePasses)->ArgName("input")->Arg(0)->Arg(1)->Iterations(kPassRepetitions)
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Process)->ArgNames({"input", "loadable"})->ArgsProduct({{0, 1}, {0, 1}})->Iterations(1)
    ->Repetitions(kProcessRepetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)->UseManualTime();

class FiguresReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && !run.error_occurred)
        medians_[run.run_name.function_name + "/" + run.run_name.args] = run;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* input : {"corpus", "generated"}) {
      PrintPasses(input);
      PrintProcesses(input);
    }
    std::fflush(stdout);
  }

 private:
  static void PrintPasses(const std::string& input) {
    const auto found = pass_figures.find(input);
    if (found == pass_figures.end()) return;
    PassTotals all;
    for (const auto& [pass, totals] : found->second) {
      all.seconds += totals.seconds;
      all.allocations += totals.allocations;
      all.bytes += totals.bytes;
    }
    std::printf("\n%s, the loadable road in process, by pass (mean of %d runs):\n", input.c_str(), kPassRepetitions);
    std::printf("  %-16s %10s %7s %13s %7s %12s\n", "pass", "ms", "time", "allocations", "count", "MB allocated");
    for (const auto& [pass, totals] : found->second) {
      std::printf("  %-16s %10.1f %6.1f%% %13llu %6.1f%% %12.1f\n", pass.c_str(), totals.seconds * 1000,
                  100 * totals.seconds / all.seconds, static_cast<unsigned long long>(totals.allocations),
                  100 * static_cast<double>(totals.allocations) / static_cast<double>(all.allocations),
                  static_cast<double>(totals.bytes) / kMegabyte);
    }
    std::printf("  %-16s %10.1f %7s %13llu %7s %12.1f\n", "all", all.seconds * 1000, "",
                static_cast<unsigned long long>(all.allocations), "", static_cast<double>(all.bytes) / kMegabyte);
  }

  void PrintProcesses(const std::string& input) const {
    const int which = input == "corpus" ? 0 : 1;
    const auto name = [&](int loadable) {
      return "BM_Process/input:" + std::to_string(which) + "/loadable:" + std::to_string(loadable);
    };
    const auto plain = medians_.find(name(0));
    const auto loadable = medians_.find(name(1));
    if (plain == medians_.end() || loadable == medians_.end()) return;
    std::printf("%s through the command line (medians of %d runs), input %.2f MB:\n", input.c_str(),
                kProcessRepetitions, loadable->second.counters.at("input_MB").value);
    for (const auto& [label, run] : {std::pair{"default", &plain->second}, std::pair{"--loadable", &loadable->second}}) {
      const double peak = run->counters.at("peak_MB").value;
      std::printf("  %-10s wall %9.1f ms, processor %9.1f ms, peak %7.1f MB (%.1fx the input)\n", label,
                  run->GetAdjustedRealTime(), run->counters.at("cpu_ms").value, peak,
                  peak / run->counters.at("input_MB").value);
    }
    std::printf("  --loadable / default: wall %.2fx, processor %.2fx\n",
                loadable->second.GetAdjustedRealTime() / plain->second.GetAdjustedRealTime(),
                loadable->second.counters.at("cpu_ms").value / plain->second.counters.at("cpu_ms").value);
  }

  std::map<std::string, Run> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  int launcher_status = 0;
  if (RunAsLauncher(argc, argv, launcher_status)) return launcher_status;
  benchmark::Initialize(&argc, argv);
  FiguresReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  fs::remove_all(Scratch());
  return 0;
}
