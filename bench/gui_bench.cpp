// What the window's event handling costs a run: the corpus forms converted by
// the run alone (a host that does nothing), and through the window handling
// pending events (and drawing) at every progress report (interval 0), about
// 60 times a second (the window's own pace), and only once (100 s: what the
// window's bookkeeping alone costs). Prints each one's cost over the run
// alone. Drawn off screen unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include "gui/dialogs.h"
#include "gui/event_pacer.h"
#include "gui/form_convert.h"
#include "gui/gui_text.h"
#include "quiet_host.h"
#include "run/conversion_run.h"
#include "table/table_dataset.h"

namespace {

namespace fs = std::filesystem;

// Every box is answered at once; a run that ends early shows on stderr.
class NoDialogs final : public quorvex::Dialogs {
 public:
  QStringList ChooseFiles(QWidget*, const QString&) override { return {}; }
  std::optional<QString> BrowseForFolder(QWidget*, const QString&) override { return std::nullopt; }
  void ShowMessage(const QString& text) override { std::cerr << text.toStdString() << '\n'; }
  void ShowError(QWidget*, const QString& text) override { std::cerr << text.toStdString() << '\n'; }
  void OpenAddress(const QString&) override {}
};

// In memory where there is such a file system, so that the disk's noise does
// not hide the window's cost.
fs::path OutFolder() {
  std::error_code ec;
  const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  return base / "quorvex_gui_bench";
}

// The window's run ends at a table that cannot be opened (the corpus holds a
// few damaged ones), so those are left out.
bool Opens(const std::string& form) {
  try {
    quorvex::TableDataSet dataset;
    dataset.SetTableName(form);
    dataset.Open();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

const std::vector<std::string>& CorpusForms() {
  static const std::vector<std::string> forms = [] {
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(QUORVEX_SHARED_DIR) / "corpus" / "forms", ec)) {
      if (entry.path().extension() == ".scx" && Opens(entry.path().string())) found.push_back(entry.path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
  }();
  return forms;
}

void BM_RunAlone(benchmark::State& state) {
  quorvex::QuietHost host;
  for (auto _ : state) {
    quorvex::ConversionRun run(host);  // as the window runs: one thread
    run.ConvertSelectedFiles(CorpusForms(), OutFolder().string());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(CorpusForms().size()));
  state.SetLabel(std::to_string(CorpusForms().size()) + " forms");
}

// Arg: the least time between two rounds of event handling, in microseconds.
void BM_RunInWindow(benchmark::State& state) {
  NoDialogs dialogs;
  quorvex::TfrmConvert window(dialogs);
  window.SetEventInterval(std::chrono::microseconds(state.range(0)));
  window.show();
  QStringList files;
  for (const auto& form : CorpusForms()) files << quorvex::PathText(form);
  window.SelectFiles(files);
  window.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(quorvex::PathText(OutFolder().string()));
  auto* convert = window.findChild<QPushButton*>(QStringLiteral("btnConvert"));
  for (auto _ : state) convert->click();
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(CorpusForms().size()));
}

BENCHMARK(BM_RunAlone)->MinTime(2)->Repetitions(3)->ReportAggregatesOnly()->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunInWindow)
    ->Arg(0)
    ->Arg(std::chrono::duration_cast<std::chrono::microseconds>(quorvex::EventPacer::kDefaultInterval).count())
    ->Arg(100000000)
    ->ArgName("interval_us")
    ->MinTime(2)
    ->MeasureProcessCPUTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The usual table, then each window run's median times over the run alone's.
// The CPU time (of the whole process, the paint threads included) is the
// steadier figure on a busy machine.
class CostReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs) {
      if (run.aggregate_name == "median") {
        times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto alone = std::find_if(times_.begin(), times_.end(),
                                    [](const auto& entry) { return entry.first.starts_with("BM_RunAlone"); });
    if (alone == times_.end()) return;
    const auto [alone_real, alone_cpu] = alone->second;
    for (const auto& [name, time] : times_) {
      if (name == alone->first) continue;
      std::cout << "cost of the window " << name << ": " << 100.0 * (time.first - alone_real) / alone_real
                << "% real time, " << 100.0 * (time.second - alone_cpu) / alone_cpu << "% CPU time\n";
    }
  }

 private:
  std::map<std::string, std::pair<double, double>> times_;  // real, CPU (process)
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (CorpusForms().empty()) {
    std::cerr << "no corpus forms in " << QUORVEX_SHARED_DIR << "/corpus/forms\n";
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  CostReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  fs::remove_all(OutFolder());
  return 0;
}
