#include "cli/command_line.h"

#include "base/errors.h"
#include "cli/cli_options.h"
#include "cli/input_files.h"
#include "cli/run_report.h"
#include "cli/stages.h"
#include "cli/terminal_host.h"
#include "run/conversion_run.h"
#include "run/output_file.h"

namespace quorvex {

namespace {

// The input of the form at which a run ended, or "" when it ended before any.
std::string EndedAt(const ConversionRun& run) {
  for (const FormResult& result : run.Results()) {
    if (result.outcome == FormOutcome::kEndedRun) return result.input;
  }
  return {};
}

constexpr int kStatusDone = 0;
constexpr int kStatusFailed = 1;
constexpr int kStatusUsage = 2;
constexpr int kStatusWarnings = 3;

// The summary on stderr and the JSON report, once the run is over. Returns
// the exit status, 1 when the JSON report cannot be written.
int TellOutcome(const CliOptions& options, const CommandStreams& streams, const ConversionRun& run,
                const RunEnd& end, const std::string& output, int status) {
  if (!options.quiet) streams.err << RunSummary(run.Results(), end, output) << '\n';
  if (options.report_json.empty()) return status;
  try {
    const auto& data = run.ApplicationData();
    SaveTextToFile(RunReportJson(run.Results(), end, output, status, options.loadable, data ? &*data : nullptr),
                   options.report_json);
  } catch (const std::exception& failure) {
    streams.err << "quorvex-convert: " << failure.what() << '\n';
    return kStatusFailed;
  }
  return status;
}

int Convert(const CliOptions& options, const CommandStreams& streams) {
  ExpandedInputs expanded;
  try {
    expanded = ExpandInputs(options.inputs, options.recursive);
  } catch (const ETableError& failure) {  // a project file that cannot be read
    streams.err << "quorvex-convert: " << failure.what() << '\n';
    return kStatusFailed;
  } catch (const EDatabaseError& failure) {
    streams.err << "quorvex-convert: " << failure.what() << '\n';
    return kStatusFailed;
  } catch (const std::exception& failure) {
    streams.err << "quorvex-convert: " << failure.what() << '\n';
    return kStatusUsage;
  }
  const std::vector<RunInput>& files = expanded.forms;
  if (files.empty()) {
    streams.err << "quorvex-convert: no .scx files found in the inputs\n";
    return kStatusUsage;
  }
  const std::string output =
      options.output_directory.empty() ? ProposedOutputDirectory(files.front().path) : options.output_directory;
  const std::string shown_output = WithTrailingDelimiter(output);
  if (const auto clash = FindOutputClash(files, output, options.loadable)) {
    streams.err << "quorvex-convert: " << clash->first_input << " and " << clash->second_input
                << " would both be saved as " << clash->output << "; nothing was converted\n";
    return kStatusUsage;
  }

  RunOptions run_options{options.keep_going, options.jobs,          options.code_page,
                         options.loadable,   options.library_folders, expanded.library_files,
                         expanded.project};
  if (!options.project.empty()) {
    run_options.project = ProjectOutput{options.project, expanded.project ? expanded.project->main_input : ""};
  }
  ConversionRun* run_pointer = nullptr;
  TerminalHost host(streams.out, streams.err, options.quiet, streams.err_is_terminal, streams.interrupted,
                    [&run_pointer] { run_pointer->RequestCancel(); });
  ConversionRun run(host, run_options);
  run_pointer = &run;
  try {
    run.ConvertSelectedFiles(files, output);
  } catch (const std::exception& failure) {
    host.FileProgress(1, 1, {});
    host.AddFailureLine(failure.what());
    streams.err << failure.what() << '\n';
    return TellOutcome(options, streams, run, {failure.what(), EndedAt(run)}, shown_output, kStatusFailed);
  }
  return TellOutcome(options, streams, run, {}, shown_output,
                     run.WarningCount() > 0 ? kStatusWarnings : kStatusDone);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, const CommandStreams& streams) {
  const ParsedCommandLine parsed = ParseCommandLine(args, streams.out, streams.err);
  if (!parsed.options) return parsed.exit_status;
  const CliOptions& options = *parsed.options;
  if (!options.stage.empty()) return RunStage(options, streams.out, streams.err);
  return Convert(options, streams);
}

}  // namespace quorvex
