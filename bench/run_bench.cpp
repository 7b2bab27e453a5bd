// Whole conversion runs: forms per second with 1, 2 and 4 threads, and the
// speed-up over one thread. Uses the shared corpus when it is there (real
// forms), else 200 generated forms of 60 objects.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include "run/conversion_run.h"
#include "fixtures/scx_writer.h"

namespace {

namespace fs = std::filesystem;
using quorvex::fixtures::PropertyLines;

class QuietHost final : public quorvex::RunHost {
 public:
  void AddReportLine(const std::string&) override {}
  void SetProgressMaximum(int) override {}
  void SetProgressPosition(int) override {}
  void SetStatusText(const std::string&) override {}
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override {}
};

fs::path BenchFolder() { return fs::temp_directory_path() / "quorvex_run_bench"; }

std::vector<std::string> GeneratedForms() {
  std::vector<std::string> forms;
  for (int f = 0; f < 200; ++f) {
    quorvex::fixtures::ScxWriter writer;
    writer.AddVersionComment().Add({.objname = "Form1", .baseclass = "form", .class_name = "form",
                                    .properties = PropertyLines({"Caption = \"Form\"", "Name = \"Form1\""})});
    for (int i = 1; i < 60; ++i) {
      const std::string name = "Text" + std::to_string(i);
      writer.Add({.objname = name, .parent = "Form1", .baseclass = "textbox", .class_name = "textbox",
                  .properties = PropertyLines({"FontName = \"Tahoma\"", "BackColor = 255,255,192",
                                               "Top = " + std::to_string(i * 20), "Name = \"" + name + "\""})});
    }
    forms.push_back(writer.WriteTo(BenchFolder() / "in", "form" + std::to_string(f)).string());
  }
  return forms;
}

const std::vector<std::string>& Forms() {
  static const std::vector<std::string> forms = [] {
    std::vector<std::string> found;
    const fs::path corpus = fs::path(QUORVEX_SHARED_DIR) / "corpus" / "forms";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(corpus, ec)) {
      if (entry.path().extension() == ".scx") found.push_back(entry.path().string());
    }
    std::sort(found.begin(), found.end());
    return found.empty() ? GeneratedForms() : found;
  }();
  return forms;
}

void BM_ConvertRun(benchmark::State& state) {
  QuietHost host;
  const quorvex::RunOptions options{.keep_going = true, .jobs = static_cast<int>(state.range(0)), .code_page = {}};
  for (auto _ : state) {
    quorvex::ConversionRun run(host, options);
    run.ConvertSelectedFiles(Forms(), (BenchFolder() / "out").string());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Forms().size()));
  state.SetLabel(std::to_string(Forms().size()) + " forms");
}
BENCHMARK(BM_ConvertRun)->Arg(1)->Arg(2)->Arg(4)->ArgName("jobs")->UseRealTime()->Unit(benchmark::kMillisecond);

// Prints the usual table, then each thread count's speed-up over one thread.
class SpeedUpReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs) {
      if (run.run_type == Run::RT_Iteration) seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto one = seconds_.find("BM_ConvertRun/jobs:1/real_time");
    if (one == seconds_.end()) return;
    for (const auto& [name, time] : seconds_) {
      std::cout << "speed-up " << name << ": " << one->second / time << "x\n";
    }
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SpeedUpReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  fs::remove_all(BenchFolder());
  return 0;
}
