#pragma once
// What a conversion run needs from the program that hosts it: the window, the
// command line or a test. The run calls these from the thread that started it.

#include <string>

namespace quorvex {

class RunHost {
 public:
  virtual ~RunHost() = default;

  // One report line; the host puts the time of day in front. A text may end in
  // CR LF ("   Done"), which shows as an empty line after it.
  virtual void AddReportLine(const std::string& text) = 0;

  // The progress bar of the pass under way: position back to 0, new maximum.
  virtual void SetProgressMaximum(int maximum) = 0;
  virtual void SetProgressPosition(int position) = 0;

  // "Pass 1", "Pass 2", or empty.
  virtual void SetStatusText(const std::string& text) = 0;

  // The busy (hourglass) cursor on or off.
  virtual void SetBusy(bool busy) = 0;

  // Lets the host handle input that arrived meanwhile (a Cancel press, Ctrl+C);
  // the host answers a cancel by calling ConversionRun::RequestCancel.
  virtual void ProcessPendingEvents() = 0;

  // Files whose conversion has ended, of all chosen, and the one being worked on.
  virtual void FileProgress(int files_done, int files_total, const std::string& current_file) {
    (void)files_done, (void)files_total, (void)current_file;
  }
};

}  // namespace quorvex
