#include "run/conversion_run.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "run/class_library_expansion.h"
#include "run/file_driver.h"
#include "run/lookup_files.h"
#include "run/output_file.h"
#include "run/picture_files.h"
#include "run/temporary_files.h"
#include "base/errors.h"
#include "base/file_path.h"

namespace quorvex {

// Reports straight to the host, on the run's own thread.
class HostEvents final : public DriverEvents {
 public:
  explicit HostEvents(ConversionRun& run) : run_(run) {}

  void AddReportLine(const std::string& text) override {
    if (text.starts_with(kWarningPrefix)) {
      ++run_.warning_count_;
      run_.results_[run_.current_].warnings.push_back(text.substr(kWarningPrefix.size()));
    } else if (text.starts_with(kNotePrefix)) {
      run_.results_[run_.current_].notes.push_back(text.substr(kNotePrefix.size()));
    }
    run_.host_.AddReportLine(text);
  }
  void SetStatusText(const std::string& text) override { run_.host_.SetStatusText(text); }
  bool CancelRequested() const override { return run_.CancelRequested(); }
  void SetRange(int maximum) override { run_.host_.SetProgressMaximum(maximum); }

  // The one place where a run lets the host handle input, and so the one place
  // where a cancel takes effect.
  void ReportProgress(int position) override {
    run_.host_.SetProgressPosition(position);
    run_.host_.ProcessPendingEvents();
    if (run_.CancelRequested()) throw Exception("Canceled by user");
  }

 private:
  ConversionRun& run_;
};

namespace {

// Keeps a worker's report lines until the file's turn comes; sees a cancel
// through the run's flag, which the reporting thread sets from the host.
class BufferedEvents final : public DriverEvents {
 public:
  explicit BufferedEvents(const std::atomic<bool>& cancel) : cancel_(cancel) {}

  void AddReportLine(const std::string& text) override { lines_.push_back(text); }
  void SetStatusText(const std::string&) override {}
  bool CancelRequested() const override { return cancel_; }
  void SetRange(int) override {}
  void ReportProgress(int) override {
    if (cancel_) throw Exception("Canceled by user");
  }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  const std::atomic<bool>& cancel_;
  std::vector<std::string> lines_;
};

// One file converted on a worker: its conversion, buffered report and outcome.
struct FileSlot {
  explicit FileSlot(const std::atomic<bool>& cancel) : events(cancel) {}
  std::unique_ptr<FileConversion> conversion;
  BufferedEvents events;
  bool opened = false;
  std::exception_ptr failure;
  bool ready = false;
  std::size_t worker = 0;  // which worker converted it
};

// Ends a worker's turn on a form that is not there.
struct MissingInput {};

class BusyCursor {
 public:
  explicit BusyCursor(RunHost& host) : host_(host) { host_.SetBusy(true); }
  ~BusyCursor() { host_.SetBusy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  RunHost& host_;
};

}  // namespace

ConversionRun::ConversionRun(RunHost& host, RunOptions options) : host_(host), options_(std::move(options)) {}

std::unique_ptr<FileConversion> ConversionRun::MakeConversion(const std::string& file) const {
  auto conversion = std::make_unique<FileConversion>(file, options_.code_page);
  if (options_.loadable) conversion->SetLoadable(ClassLibraryExpansion(libraries_), pictures_);
  return conversion;
}

void ConversionRun::ConvertSelectedFiles(const std::vector<std::string>& files, const std::string& output_directory) {
  std::vector<RunInput> inputs;
  inputs.reserve(files.size());
  for (const auto& file : files) inputs.push_back({file, {}});
  ConvertSelectedFiles(inputs, output_directory);
}

void ConversionRun::ConvertSelectedFiles(const std::vector<RunInput>& inputs, const std::string& output_directory) {
  cancel_requested_ = false;
  warning_count_ = 0;
  results_.assign(inputs.size(), {});
  written_by_.clear();
  for (std::size_t i = 0; i < inputs.size(); ++i) results_[i].input = inputs[i].path;
  current_ = 0;
  program_names_.Clear();
  project_files_.clear();
  data_.reset();
  BusyCursor busy(host_);
  ForceOutputDirectory(output_directory);
  output_directory_ = WithTrailingDelimiter(output_directory);
  swept_folders_.clear();
  RemoveStaleFiles(output_directory_);
  if (options_.loadable) {
    lookup_files_ = LookupFileSystem({output_directory_});
    libraries_ = MakeClassLibraryCache(lookup_files_, options_.library_folders, options_.library_files);
    pictures_ = FilePictureSource(lookup_files_);
  }
  try {
    if (options_.jobs > 1 && inputs.size() > 1) {
      ConvertInParallel(inputs);
    } else {
      ConvertInOrder(inputs);
    }
  } catch (...) {
    if (current_ < results_.size()) results_[current_].outcome = FormOutcome::kEndedRun;
    throw;
  }
  if (options_.loadable && options_.project) {
    // The program opens the database, when there is one, under the names it
    // gave the tables.
    ProjectTexts project = ProjectUnits();
    WriteDatabaseFiles();
    WriteProjectFiles(std::move(project));
  }
}

bool ConversionRun::ReportMissing(const RunInput& input, DriverEvents& events) {
  if (input.missing_from.empty()) return false;
  events.AddReportLine(std::string(kWarningPrefix) + input.path + " listed in " + input.missing_from + " is missing");
  results_[current_].outcome = FormOutcome::kMissing;
  return true;
}

std::string ConversionRun::FormOutputDirectory(const RunInput& input) const {
  return output_directory_ + input.output_subfolder;
}

std::string ConversionRun::EarlierOutput(const FileConversion& conversion, const std::string& directory) const {
  for (const std::string& path : conversion.OutputPaths(directory)) {
    if (written_by_.contains(path)) return path;
  }
  return {};
}

// A run killed before it put its files in place may have left temporary
// files in the folders it wrote to, where the file system gives every file a
// name from the start (temporary_files.h says which are removed, and why no
// other run's). One look per folder and run.
void ConversionRun::RemoveStaleFiles(const std::string& directory) {
  if (swept_folders_.insert(directory).second) RemoveStaleTemporaryFiles(PathOf(directory));
}

void ConversionRun::SaveForm(FileConversion& conversion, const RunInput& input, DriverEvents& events) {
  const std::string directory = FormOutputDirectory(input);
  if (!input.output_subfolder.empty()) {
    try {
      ForceOutputDirectory(directory);
    } catch (const Exception&) {
      // Left to the save step, which reports the file it cannot create.
    }
  }
  RemoveStaleFiles(directory);
  FormResult& result = results_[current_];
  // In input order, so that the names are the same whatever the number of
  // threads. A program needs its units' names unique too.
  conversion.ClaimProgramNames(program_names_, options_.project.has_value());
  if (const std::string clash = EarlierOutput(conversion, directory); !clash.empty()) {
    conversion.DiscardStagedFiles();
    RefuseSave("Cannot create file " + clash + ": it was written for " + written_by_[clash] + " in this run", events);
  } else {
    std::vector<std::string> runtime;
    WriteRuntimeUnit(conversion, directory, events, runtime);
    FinishFile(conversion, directory, events);
    result.outputs = conversion.WrittenFiles();
    result.outputs.insert(result.outputs.end(), runtime.begin(), runtime.end());
    for (const std::string& path : result.outputs) written_by_.emplace(path, input.path);
    if (const LoadableConversion* loadable = conversion.Loadable()) {
      if (options_.project) result.tables =
            CursorTables(ReadDataEnvironment(loadable->Records(), loadable->Tree()), loadable->CodePage());
      for (const LoadableOutput& output : loadable->Outputs()) {
        const std::string pas = directory + output.unit_name + ".pas";
        if (written_by_.contains(pas))
          result.units.push_back({output.unit_name, pas, output.form_class, output.form_variable,
                                  output.data_sources, output.bound});
        result.translation.full += output.translation.full;
        result.translation.partial += output.translation.partial;
        result.translation.none += output.translation.none;
        result.translation.lines += output.translation.lines;
        result.translation.translated_lines += output.translation.translated_lines;
      }
    }
  }
  result.outcome = result.warnings.empty() ? FormOutcome::kConverted : FormOutcome::kWithWarnings;
}

void ConversionRun::ConvertInOrder(const std::vector<RunInput>& inputs) {
  HostEvents events(*this);
  const int total = static_cast<int>(inputs.size());
  for (int i = 0; i < total; ++i) {
    current_ = static_cast<std::size_t>(i);
    const RunInput& input = inputs[current_];
    host_.FileProgress(i, total, input.path);
    if (ReportMissing(input, events)) continue;
    last_conversion_ = MakeConversion(input.path);
    if (ConvertFileSteps(*last_conversion_, FormOutputDirectory(input), options_.keep_going, events)) {
      SaveForm(*last_conversion_, input, events);
    } else {
      results_[current_].outcome = FormOutcome::kNotOpened;
    }
  }
  host_.FileProgress(total, total, {});
}

// Workers take files in input order, convert them and write their files under
// temporary names beside the targets; this thread reports them and renames
// their files into place strictly in input order, serving the host while it
// waits. Workers stay at most a few files ahead, so memory stays bounded, and
// a run that ends at a file stops them: nothing after it is renamed, and the
// temporary files of the later files go with their conversions. A cancel ends
// the run at the first file whose conversion saw it; files converted before
// it are saved, as a file whose last progress report came before the press
// still finishes when converted one after the other.
void ConversionRun::ConvertInParallel(const std::vector<RunInput>& inputs) {
  const std::size_t total = inputs.size();
  const auto jobs = static_cast<std::size_t>(options_.jobs);
  // Forms differ in size many times over; with room for four per worker, a
  // large form being converted does not leave the other workers idle.
  const std::size_t window = 4 * jobs;
  std::vector<std::unique_ptr<FileSlot>> slots;
  for (std::size_t i = 0; i < total; ++i) slots.push_back(std::make_unique<FileSlot>(cancel_requested_));

  std::mutex mutex;
  std::condition_variable slot_done;  // the main thread waits for its next form
  std::condition_variable room;       // workers wait to be within the window
  std::size_t next = 0;
  std::size_t reported = 0;
  bool stop = false;
  // Conversions are freed by the worker that made them, in its own memory:
  // freed on this thread, their many small blocks would contend with the
  // worker's allocations for the allocator's lock.
  std::vector<std::vector<std::unique_ptr<FileConversion>>> retired(jobs);

  const auto work = [&](std::size_t worker) {
    for (;;) {
      std::size_t index = 0;
      std::vector<std::unique_ptr<FileConversion>> to_free;
      {
        std::unique_lock lock(mutex);
        room.wait(lock, [&] { return stop || next >= total || next < reported + window; });
        to_free.swap(retired[worker]);
        if (stop || next >= total) return;
        index = next++;
      }
      to_free.clear();
      FileSlot& slot = *slots[index];
      slot.worker = worker;
      try {
        if (!inputs[index].missing_from.empty()) throw MissingInput();
        slot.conversion = MakeConversion(inputs[index].path);
        const std::string directory = FormOutputDirectory(inputs[index]);
        slot.opened = ConvertFileSteps(*slot.conversion, directory, options_.keep_going, slot.events);
        if (slot.opened) slot.conversion->StageOutputFiles(directory);
      } catch (const MissingInput&) {
        // Reported by this run's thread in its turn.
      } catch (...) {
        slot.failure = std::current_exception();
      }
      bool awaited = false;
      {
        std::lock_guard lock(mutex);
        slot.ready = true;
        awaited = index == reported;
      }
      if (awaited) slot_done.notify_one();
    }
  };

  std::vector<std::jthread> workers;
  const auto stop_workers = [&] {
    {
      std::lock_guard lock(mutex);
      stop = true;
    }
    room.notify_all();
    workers.clear();  // joins
  };
  for (std::size_t j = 0; j < jobs; ++j) workers.emplace_back(work, j);

  std::optional<std::size_t> last_worker;  // of last_conversion_, when this run made it
  HostEvents events(*this);
  try {
    for (std::size_t i = 0; i < total; ++i) {
      current_ = i;
      host_.FileProgress(static_cast<int>(i), static_cast<int>(total), inputs[i].path);
      // Served once per file even when the workers are ahead, so that a
      // cancel reaches them; they see it at their next progress report.
      host_.ProcessPendingEvents();
      std::unique_lock lock(mutex);
      while (!slots[i]->ready) {
        slot_done.wait_for(lock, std::chrono::milliseconds(50));
        lock.unlock();
        host_.ProcessPendingEvents();
        lock.lock();
      }
      lock.unlock();
      FileSlot& slot = *slots[i];
      ReportMissing(inputs[i], events);
      for (const auto& line : slot.events.Lines()) events.AddReportLine(line);
      std::unique_ptr<FileConversion> previous;
      std::optional<std::size_t> previous_worker;
      if (slot.conversion) {
        previous = std::exchange(last_conversion_, std::move(slot.conversion));
        previous_worker = std::exchange(last_worker, slot.worker);
      }
      if (slot.failure) std::rethrow_exception(slot.failure);
      if (slot.opened) {
        SaveForm(*last_conversion_, inputs[i], events);
      } else if (inputs[i].missing_from.empty()) {
        results_[i].outcome = FormOutcome::kNotOpened;
      }
      slots[i].reset();
      lock.lock();
      reported = i + 1;
      if (previous && previous_worker) retired[*previous_worker].push_back(std::move(previous));
      lock.unlock();
      room.notify_all();
    }
  } catch (...) {
    stop_workers();
    throw;
  }
  stop_workers();
  host_.FileProgress(static_cast<int>(total), static_cast<int>(total), {});
}

}  // namespace quorvex
