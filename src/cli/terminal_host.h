#pragma once
// The command line's host of a run: report lines on one stream with the time
// in front, a one-line progress display on the terminal, and Ctrl+C as Cancel.

#include <atomic>
#include <functional>
#include <ostream>
#include <string>

#include "run/run_host.h"

namespace quorvex {

class TerminalHost final : public RunHost {
 public:
  // `report` receives the report lines unless `quiet`; `progress` (stderr) the
  // progress display when `show_progress`. `interrupted` is the flag a Ctrl+C
  // sets; seeing it, the host calls `request_cancel` once.
  TerminalHost(std::ostream& report, std::ostream& progress, bool quiet, bool show_progress,
               const std::atomic<bool>& interrupted, std::function<void()> request_cancel);

  void AddReportLine(const std::string& text) override;
  void SetProgressMaximum(int) override {}
  void SetProgressPosition(int) override {}
  void SetStatusText(const std::string&) override {}
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override;
  void FileProgress(int files_done, int files_total, const std::string& current_file) override;

  // The line a failure that ends the run gets: time, three spaces, message.
  void AddFailureLine(const std::string& message);

 private:
  void ClearProgress();
  void DrawProgress();

  std::ostream& report_;
  std::ostream& progress_;
  bool quiet_;
  bool show_progress_;
  const std::atomic<bool>& interrupted_;
  std::function<void()> request_cancel_;
  bool cancel_sent_ = false;
  std::string progress_line_;
};

// The time of day as HH:MM:SS (24-hour), local time.
std::string TimeOfDay();

}  // namespace quorvex
