#include "run/file_driver.h"

#include <exception>

namespace quorvex {

namespace {

// A failure that the steps' guards pass over is still reported, one line per
// failed step, so that a file with lost parts never reads like a clean one.
template <typename Step>
void Guarded(DriverEvents& events, Step&& step) {
  try {
    step();
  } catch (const std::exception& failure) {
    if (events.CancelRequested()) throw;
    events.AddReportLine(std::string(kWarningPrefix) + failure.what());
  }
}

}  // namespace

bool ConvertFileSteps(FileConversion& conversion, const std::string& output_directory, bool keep_going,
                      DriverEvents& events) {
  events.AddReportLine("   Converting: " + conversion.InputPath());
  events.SetStatusText("Pass 1");
  try {
    conversion.OpenTable();
  } catch (const std::exception& failure) {
    if (!keep_going) throw;
    events.AddReportLine(std::string(kWarningPrefix) + failure.what());
    return false;
  }
  Guarded(events, [&] { conversion.WriteObjectText(events); });
  events.SetStatusText("Pass 2");
  events.AddReportLine("   Generating: " + output_directory + conversion.OutputName(".dfm"));
  Guarded(events, [&] { conversion.GenerateDfm(events); });
  events.AddReportLine("   Generating: " + output_directory + conversion.OutputName(".pas"));
  Guarded(events, [&] { conversion.GeneratePas(); });
  conversion.PrepareCanonicalDfm();
  return true;
}

void FinishFile(FileConversion& conversion, const std::string& output_directory, DriverEvents& events) {
  Guarded(events, [&] { conversion.Save(output_directory); });
  // The report pane shows the CR LF as an empty line after "Done".
  events.AddReportLine("   Done\r\n");
}

}  // namespace quorvex
