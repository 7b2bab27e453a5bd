#pragma once
// The per-file driver: the steps one input file goes through in a run, with
// their report lines and failure guards. A guarded step's failure is reported
// as a "   Warning: " line and the file goes on, unless a cancel has been
// requested: then the failure leaves the driver and ends the run.

#include <string>

#include "run/file_conversion.h"
#include "base/progress.h"

namespace quorvex {

inline constexpr std::string_view kWarningPrefix = "   Warning: ";
// What a form could not keep but converted anyway: not a warning.
inline constexpr std::string_view kNotePrefix = "   Note: ";

// Where the driver reports: the run's host directly, or a buffer when the file
// is converted on a worker thread and reported later, in input order.
class DriverEvents : public ProgressSink {
 public:
  virtual void AddReportLine(const std::string& text) = 0;
  virtual void SetStatusText(const std::string& text) = 0;
  virtual bool CancelRequested() const = 0;
};

// Everything up to the save: "Converting", pass 1, "Generating" twice, pass 2,
// the unit and the canonical text. Returns false when the table could not be
// opened and `keep_going` turned that into a warning (the file then ends
// here). Throws what ends the run: a table that cannot be opened (without
// `keep_going`), or a guarded step's failure while a cancel is requested.
bool ConvertFileSteps(FileConversion& conversion, const std::string& output_directory, bool keep_going,
                      DriverEvents& events);

// The save step and "Done" (the steps that touch the output directory).
void FinishFile(FileConversion& conversion, const std::string& output_directory, DriverEvents& events);

// In place of FinishFile for a file whose output is not saved: the reason as
// a warning, then "Done", as a save that fails is reported.
void RefuseSave(const std::string& reason, DriverEvents& events);

}  // namespace quorvex
