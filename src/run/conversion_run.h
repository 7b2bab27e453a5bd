#pragma once
// A conversion run: the chosen .scx files, in order, into one output directory,
// reported through a RunHost. Files may be converted on several threads; the
// report and every output file are the same as when they are converted one
// after the other, because files are reported and saved in input order and a
// run that ends at a file saves nothing of the files after it.

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "run/file_conversion.h"
#include "run/run_host.h"

namespace quorvex {

struct RunOptions {
  // A table that cannot be opened becomes a warning line instead of ending the run.
  bool keep_going = false;
  // Files converted at once (1 = one after the other, on the calling thread).
  int jobs = 1;
  // Overrides every table's code page mark for the canonical text (0 = single-byte);
  // in the loadable mode, the code page strings are decoded from.
  std::optional<int> code_page;
  // Forms are written so that a form designer loads them (LoadableConversion).
  bool loadable = false;
  // In the loadable mode, what a form's records become before conversion
  // (class libraries); none when empty. Called on worker threads at once with -j.
  RecordExpansion expand_records = {};
};

class ConversionRun {
 public:
  explicit ConversionRun(RunHost& host, RunOptions options = {});

  // Creates the output directory (as typed; a trailing delimiter is added for
  // the output names) and converts each file. Throws what ends the run, after
  // the host's cursor is back to normal: "Cannot create " + directory, a table
  // that cannot be opened, "Canceled by user", or any failure while a cancel
  // is requested. Clears a cancel request left from an earlier run first.
  void ConvertSelectedFiles(const std::vector<std::string>& files, const std::string& output_directory);

  // Asks the run to stop at its next progress report. Safe from any thread.
  void RequestCancel() { cancel_requested_ = true; }
  bool CancelRequested() const { return cancel_requested_; }

  // The output directory of the latest run, with its trailing delimiter.
  const std::string& OutputDirectory() const { return output_directory_; }

  // "   Warning: " lines the latest run wrote.
  int WarningCount() const { return warning_count_; }

  // The file the latest run worked on last, with its three text lists (for
  // the preview window); null before the first file.
  const FileConversion* LastConversion() const { return last_conversion_.get(); }

 private:
  friend class HostEvents;
  void ConvertInOrder(const std::vector<std::string>& files);
  void ConvertInParallel(const std::vector<std::string>& files);
  std::unique_ptr<FileConversion> MakeConversion(const std::string& file) const;

  RunHost& host_;
  RunOptions options_;
  std::atomic<bool> cancel_requested_{false};
  std::string output_directory_;
  int warning_count_ = 0;
  std::unique_ptr<FileConversion> last_conversion_;
};

}  // namespace quorvex
