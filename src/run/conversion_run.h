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
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "binding/data_environment.h"
#include "classlib/class_library_cache.h"
#include "database/database_report.h"
#include "run/file_conversion.h"
#include "run/program_names.h"
#include "run/project_texts.h"
#include "run/file_driver.h"
#include "run/run_host.h"

namespace quorvex {

struct CursorPlace;  // application_data.h

// One form to convert and where its files go: `output_subfolder` is relative
// to the run's output directory, empty or ending in a path delimiter, and is
// created when the form's files are saved.
struct RunInput {
  std::string path;
  std::string output_subfolder;
  // The project file that lists this form, when it is missing: the run
  // reports it and goes on.
  std::string missing_from = {};
};

// How a form's conversion ended, as the run reported it.
enum class FormOutcome {
  kNotReached,    // the run ended before this form
  kConverted,     // saved, no warning
  kWithWarnings,  // saved, with one or more "   Warning: " lines
  kNotOpened,     // its table could not be opened and the run went on (keep_going)
  kEndedRun,      // the failure that ended the run happened at this form
  kMissing,       // a project lists it, but it is not there
};

// A unit the loadable mode wrote: its name, the .pas file, the form class it
// declares and that class's variable, its data sources and the components
// bound to them.
struct WrittenUnit {
  std::string unit_name;
  std::string pas_path;
  std::string form_class;
  std::string form_variable;
  std::vector<DataSourceMade> data_sources = {};
  std::vector<BoundControl> bound = {};
};

// One form of a run, in input order.
struct FormResult {
  std::string input;
  FormOutcome outcome = FormOutcome::kNotReached;
  std::vector<std::string> outputs;   // files written, in the order written
  std::vector<std::string> warnings;  // the messages after "   Warning: "
  std::vector<std::string> notes;     // the texts after "   Note: " (loadable mode)
  std::vector<WrittenUnit> units;     // the units saved (loadable mode)
  // The FoxPro methods of its units by how much of their code is translated
  // (loadable mode).
  TranslationCounts translation = {};
  // The tables its data environment opens (loadable mode, in a run that
  // writes a project).
  std::vector<CursorTable> tables = {};
};

// A database or free table a project file lists.
struct ProjectDataFile {
  std::string listed;     // NAME without its NUL ("data\sales.dbc")
  std::string path;       // the file found on disk; "" when it is missing
  bool database = false;  // TYPE d: a database container; else D, a table
  std::string project;    // the project file that lists it
};

// The project files a loadable run writes besides the forms' (NAME.lpr,
// NAME.lpi, NAME.dpr in the output directory), listing every unit it wrote,
// and the application's data as NAME.sqlite and NAME.sql.
struct ProjectOutput {
  std::string name;
  // The input whose (first) form the program creates at start; "" or an
  // input that wrote no unit: the first unit written.
  std::string main_input = {};
  // The data the project files list; the forms' data environments add theirs.
  std::vector<ProjectDataFile> data = {};
};

// What a run that writes a project wrote of the application's data.
struct ApplicationDataResult {
  std::vector<std::string> files;  // NAME.sqlite and NAME.sql, once in place
  DatabaseReport report;
  std::vector<std::string> notes;     // the texts after "   Note: "
  std::vector<std::string> warnings;  // the texts after "   Warning: "
};

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
  // In the loadable mode, the folders searched (with their subfolders) for a
  // class library that no CLASSLOC leads to (-L). Each run reads its
  // libraries afresh, each one once, whatever number of forms use it.
  std::vector<std::string> library_folders = {};
  // In the loadable mode, class libraries known by their full names (those a
  // project file lists), found by their file names before the -L folders.
  std::vector<std::string> library_files = {};
  // In the loadable mode, the project files to write once every form is.
  std::optional<ProjectOutput> project = {};
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
  // As above, each form's files going to its own subfolder.
  void ConvertSelectedFiles(const std::vector<RunInput>& inputs, const std::string& output_directory);

  // The options of the next run. Set them between runs, never during one.
  const RunOptions& Options() const { return options_; }
  void SetOptions(RunOptions options) { options_ = std::move(options); }

  // Asks the run to stop at its next progress report. Safe from any thread.
  void RequestCancel() { cancel_requested_ = true; }
  bool CancelRequested() const { return cancel_requested_; }

  // The output directory of the latest run, with its trailing delimiter.
  const std::string& OutputDirectory() const { return output_directory_; }

  // "   Warning: " lines the latest run wrote.
  int WarningCount() const { return warning_count_; }

  // The project files the latest run wrote (RunOptions::project).
  const std::vector<std::string>& ProjectFiles() const { return project_files_; }

  // The application's data the latest run wrote (RunOptions::project), when
  // the project or its forms name any.
  const std::optional<ApplicationDataResult>& ApplicationData() const { return data_; }

  // One result per input of the latest run, in input order, also when the run
  // ended early (the forms after the one that ended it are kNotReached).
  const std::vector<FormResult>& Results() const { return results_; }

  // The file the latest run worked on last, with its three text lists (for
  // the preview window); null before the first file.
  const FileConversion* LastConversion() const { return last_conversion_.get(); }

 private:
  friend class HostEvents;
  void ConvertInOrder(const std::vector<RunInput>& inputs);
  void ConvertInParallel(const std::vector<RunInput>& inputs);
  std::string FormOutputDirectory(const RunInput& input) const;
  // Removes the temporary files that ended runs left in `directory`, the
  // first time this run writes there.
  void RemoveStaleFiles(const std::string& directory);
  // The save step into the form's folder (made when missing), and its result.
  void SaveForm(FileConversion& conversion, const RunInput& input, DriverEvents& events);
  // The first of the conversion's output files that this run has already put
  // in place for another input, or "" when there is none.
  std::string EarlierOutput(const FileConversion& conversion, const std::string& directory) const;
  std::unique_ptr<FileConversion> MakeConversion(const std::string& file) const;
  // For a form that a project lists but that is not there: its report line
  // and result; false for any other input.
  bool ReportMissing(const RunInput& input, DriverEvents& events);
  // The units of the project of RunOptions::project, its program named
  // (project_output.cpp).
  ProjectTexts ProjectUnits();
  // Writes the project files of those units, once the database is written.
  void WriteProjectFiles(ProjectTexts project);
  // Writes the application's data of RunOptions::project as NAME.sqlite and
  // NAME.sql (database_output.cpp).
  void WriteDatabaseFiles();
  // The tables the database holds under other names than the forms ask for.
  void NoteRenamedTables(const std::vector<CursorPlace>& cursors, const DatabaseReport& report);
  // A report line of the run's own, after its forms: a warning counts.
  void AddRunLine(std::string_view prefix, const std::string& text, std::vector<std::string>& kept);
  // Writes FoxRuntime.pas into `directory` for a form whose units use it,
  // once per folder in a run (runtime_output.cpp); its path goes to `written`.
  void WriteRuntimeUnit(const FileConversion& conversion, const std::string& directory, DriverEvents& events,
                        std::vector<std::string>& written);

  RunHost& host_;
  RunOptions options_;
  std::atomic<bool> cancel_requested_{false};
  std::string output_directory_;
  int warning_count_ = 0;
  std::vector<FormResult> results_;
  std::size_t current_ = 0;  // the result the report lines go to
  std::unique_ptr<FileConversion> last_conversion_;
  std::shared_ptr<ClassLibraryCache> libraries_;  // of the latest loadable run
  PictureSource pictures_;                         // of the latest loadable run
  // Every file this run has put in place, with the input it came from: a form
  // set's units are named only once converted, and may take the name of
  // another input's output, which is then never replaced.
  std::unordered_map<std::string, std::string> written_by_;
  ProgramNames program_names_;  // given out in input order, whatever the number of threads
  std::vector<std::string> project_files_;
  std::string program_;  // the project's program name, which its files are called by
  std::optional<ApplicationDataResult> data_;
  std::vector<RenamedTable> renamed_tables_;  // of the database written, for the program
  std::shared_ptr<FileSystem> lookup_files_;  // of the latest loadable run
  // The FoxRuntime.pas files this run has written, one per folder, in order.
  std::vector<std::string> runtime_files_;
  std::unordered_set<std::string> swept_folders_;  // by RemoveStaleFiles, in this run
};

}  // namespace quorvex
