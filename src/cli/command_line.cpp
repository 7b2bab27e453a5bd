#include "cli/command_line.h"

#include "cli/cli_options.h"
#include "cli/input_files.h"
#include "cli/stages.h"
#include "cli/terminal_host.h"
#include "run/conversion_run.h"

namespace quorvex {

namespace {

constexpr int kStatusDone = 0;
constexpr int kStatusFailed = 1;
constexpr int kStatusUsage = 2;
constexpr int kStatusWarnings = 3;

int Convert(const CliOptions& options, const CommandStreams& streams) {
  std::vector<std::string> files;
  try {
    files = ExpandInputs(options.inputs, options.recursive);
  } catch (const std::exception& failure) {
    streams.err << "quorvex-convert: " << failure.what() << '\n';
    return kStatusUsage;
  }
  if (files.empty()) {
    streams.err << "quorvex-convert: no .scx files found in the inputs\n";
    return kStatusUsage;
  }
  const std::string output =
      options.output_directory.empty() ? ProposedOutputDirectory(files.front()) : options.output_directory;

  RunOptions run_options{options.keep_going, options.jobs, options.code_page, options.loadable};
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
    return kStatusFailed;
  }
  return run.WarningCount() > 0 ? kStatusWarnings : kStatusDone;
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
