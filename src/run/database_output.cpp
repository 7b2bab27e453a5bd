// The application's data a run that writes a project writes last.

#include <algorithm>

#include "base/errors.h"
#include "database/sqlite_file.h"
#include "run/application_data.h"
#include "run/conversion_run.h"
#include "run/database_lines.h"
#include "run/file_driver.h"
#include "run/output_file.h"
#include "run/staged_files.h"

namespace quorvex {

namespace {

// Lets a cancel end the run between two tables, as it does between forms.
class TableProgress final : public ProgressSink {
 public:
  TableProgress(const ConversionRun& run, RunHost& host) : run_(run), host_(host) {}
  void SetRange(int maximum) override { host_.SetProgressMaximum(maximum); }
  void ReportProgress(int position) override {
    host_.SetProgressPosition(position);
    host_.ProcessPendingEvents();
    if (run_.CancelRequested()) throw Exception("Canceled by user");
  }

 private:
  const ConversionRun& run_;
  RunHost& host_;
};

}  // namespace

void ConversionRun::AddRunLine(std::string_view prefix, const std::string& text, std::vector<std::string>& kept) {
  if (prefix == kWarningPrefix) ++warning_count_;
  kept.push_back(text);
  host_.AddReportLine(std::string(prefix) + text);
}

void ConversionRun::WriteDatabaseFiles() {
  GatheredData gathered = GatherApplicationData(*lookup_files_, *options_.project, results_);
  if (gathered.data.tables.empty() && gathered.notes.empty() && gathered.warnings.empty()) return;
  ApplicationDataResult& result = data_.emplace();
  for (const std::string& note : gathered.notes) AddRunLine(kNotePrefix, note, result.notes);
  for (const std::string& warning : gathered.warnings) AddRunLine(kWarningPrefix, warning, result.warnings);
  if (gathered.data.tables.empty()) return;

  const std::string base = output_directory_ + program_;
  const std::string sql_file = ExtractFileName(base + ".sql");
  StagedFiles staged;
  DatabaseOutput output;
  try {
    host_.AddReportLine("   Generating: " + base + ".sqlite");
    staged.AddWritten(base + ".sqlite", [&](const std::string& temporary) {
      try {
        TableProgress progress(*this, host_);
        output = WriteApplicationDatabase(*lookup_files_, gathered.data, temporary, progress);
      } catch (const ESqliteError& failure) {
        throw Exception("Cannot create file " + base + ".sqlite: " + failure.what());
      }
    });
    host_.AddReportLine("   Generating: " + base + ".sql");
    staged.Add({base + ".sql", output.sql_text});
    staged.Commit(result.files);
  } catch (const Exception& failure) {
    if (CancelRequested()) throw;
    AddRunLine(kWarningPrefix, failure.what(), result.warnings);
    return;
  }
  for (const TableReport& table : output.report.tables) {
    const DataLines lines = TableLines(table, sql_file);
    for (const std::string& note : lines.notes) AddRunLine(kNotePrefix, note, result.notes);
    for (const std::string& warning : lines.warnings) AddRunLine(kWarningPrefix, warning, result.warnings);
  }
  for (const std::string& relation : output.report.relations_left_out) AddRunLine(kNotePrefix, relation, result.notes);
  NoteRenamedTables(gathered.cursors, output.report);
  result.report = std::move(output.report);
}

void ConversionRun::NoteRenamedTables(const std::vector<CursorPlace>& cursors, const DatabaseReport& report) {
  for (const CursorPlace& cursor : cursors) {
    const auto table = std::find_if(report.tables.begin(), report.tables.end(), [&](const TableReport& written) {
      return written.source == cursor.path && written.failure.empty();
    });
    const FormResult& form = results_[cursor.form];
    const std::string& wanted = form.tables[cursor.cursor].table;
    if (table == report.tables.end() || table->name == wanted) continue;
    for (const WrittenUnit& unit : form.units) {
      RenamedTable renamed{unit.unit_name, wanted, table->name};
      const auto same = [&](const RenamedTable& known) {
        return known.unit_name == renamed.unit_name && known.wanted == renamed.wanted;
      };
      if (std::none_of(renamed_tables_.begin(), renamed_tables_.end(), same)) renamed_tables_.push_back(renamed);
    }
  }
}

}  // namespace quorvex
