#include "run/file_driver.h"

#include <exception>

namespace quorvex {

namespace {

constexpr const char* kDoneLine = "   Done\r\n";

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

// "dsCustomer (customer), dsOrders (orders, opened in code)".
std::string DataSourceList(const std::vector<DataSourceMade>& sources) {
  std::string list;
  for (const DataSourceMade& source : sources) {
    if (!list.empty()) list += ", ";
    list += source.identifier + " (" + source.alias + (source.opened_in_code ? ", opened in code)" : ")");
  }
  return list;
}

// The loadable mode's steps after the table is open: its records (pass 1),
// then every form's texts (pass 2), each form's files, its picture files not
// carried and its kept settings reported by name.
void ConvertLoadableSteps(FileConversion& conversion, const std::string& output_directory, DriverEvents& events) {
  Guarded(events, [&] { conversion.WriteObjectText(events); });
  for (const std::string& note : conversion.Loadable()->Notes()) events.AddReportLine(note);
  events.SetStatusText("Pass 2");
  Guarded(events, [&] { conversion.GenerateDfm(events); });
  for (const LoadableOutput& output : conversion.Loadable()->Outputs()) {
    events.AddReportLine("   Generating: " + output_directory + output.unit_name + ".dfm");
    events.AddReportLine("   Generating: " + output_directory + output.unit_name + ".pas");
    for (const std::string& note : output.notes) events.AddReportLine(note);
    if (output.kept_count > 0) {
      events.AddReportLine(std::string(kNotePrefix) + std::to_string(output.kept_count) +
                           " settings kept as comments in " + output.unit_name + ".pas");
    }
    if (output.method_count > 0) {
      events.AddReportLine(std::string(kNotePrefix) + std::to_string(output.method_count) + " methods in " +
                           output.unit_name + ".pas, " + std::to_string(output.handled_count) +
                           " of them in event handlers");
    }
    const TranslationCounts& translation = output.translation;
    if (translation.full + translation.partial + translation.none > 0) {
      events.AddReportLine(std::string(kNotePrefix) + "FoxPro code in " + output.unit_name + ".pas: " +
                           std::to_string(translation.full) + " methods translated fully, " +
                           std::to_string(translation.partial) + " partly, " + std::to_string(translation.none) +
                           " not at all (" + std::to_string(translation.translated_lines) + " of " +
                           std::to_string(translation.lines) + " lines of code)");
    }
    if (!output.data_sources.empty()) {
      events.AddReportLine(std::string(kNotePrefix) + "data sources in " + output.unit_name +
                           ".pas: " + DataSourceList(output.data_sources) + "; " +
                           std::to_string(output.bound.size()) + " controls bound");
    }
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
  if (conversion.Loadable() != nullptr) {
    ConvertLoadableSteps(conversion, output_directory, events);
    return true;
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
  events.AddReportLine(kDoneLine);
}

void RefuseSave(const std::string& reason, DriverEvents& events) {
  events.AddReportLine(std::string(kWarningPrefix) + reason);
  events.AddReportLine(kDoneLine);
}

}  // namespace quorvex
