#include "cli/run_report.h"

#include <nlohmann/json.hpp>

namespace quorvex {

namespace {

const char* OutcomeName(FormOutcome outcome) {
  switch (outcome) {
    case FormOutcome::kConverted: return "converted";
    case FormOutcome::kWithWarnings: return "warnings";
    case FormOutcome::kNotOpened: return "not_opened";
    case FormOutcome::kEndedRun: return "ended_run";
    case FormOutcome::kMissing: return "missing";
    case FormOutcome::kNotReached: break;
  }
  return "not_reached";
}

// A unit's data sources and the components bound to them.
nlohmann::ordered_json DataJson(const WrittenUnit& unit) {
  nlohmann::ordered_json sources = nlohmann::ordered_json::array();
  for (const DataSourceMade& source : unit.data_sources) {
    sources.push_back(
        {{"name", source.identifier}, {"alias", source.alias}, {"opened_in_code", source.opened_in_code}});
  }
  nlohmann::ordered_json bound = nlohmann::ordered_json::array();
  for (const BoundControl& control : unit.bound) {
    nlohmann::ordered_json entry = {{"control", control.identifier}, {"data_source", control.data_source}};
    if (!control.field.empty()) entry["field"] = control.field;
    if (!control.columns.empty()) entry["columns"] = control.columns;
    bound.push_back(std::move(entry));
  }
  return {{"unit", unit.unit_name}, {"data_sources", std::move(sources)}, {"bound", std::move(bound)}};
}

nlohmann::ordered_json FormJson(const FormResult& result, bool with_notes) {
  nlohmann::ordered_json form = {{"input", result.input},
                                 {"outcome", OutcomeName(result.outcome)},
                                 {"outputs", result.outputs},
                                 {"warnings", result.warnings}};
  if (with_notes) {
    form["notes"] = result.notes;
    const TranslationCounts& translation = result.translation;
    form["methods_translated"] = {{"fully", translation.full},
                                  {"partly", translation.partial},
                                  {"not_at_all", translation.none},
                                  {"code_lines", translation.lines},
                                  {"code_lines_translated", translation.translated_lines}};
    form["data"] = nlohmann::ordered_json::array();
    for (const WrittenUnit& unit : result.units) form["data"].push_back(DataJson(unit));
  }
  return form;
}

nlohmann::ordered_json LostJson(const std::vector<LostValue>& values) {
  nlohmann::ordered_json lost = nlohmann::ordered_json::array();
  for (const LostValue& value : values)
    lost.push_back({{"record", value.record}, {"column", value.column}, {"reason", value.reason}});
  return lost;
}

nlohmann::ordered_json TableJson(const TableReport& table) {
  nlohmann::ordered_json indexes = nlohmann::ordered_json::array();
  for (const MadeIndex& index : table.indexes)
    indexes.push_back({{"name", index.name}, {"tag", index.tag}, {"unique", index.unique}, {"repeats", index.repeats}});
  nlohmann::ordered_json left_out = nlohmann::ordered_json::array();
  for (const LeftOutIndex& index : table.left_out) left_out.push_back({{"tag", index.tag}, {"reason", index.reason}});
  return {{"source", table.source},
          {"name", table.name},
          {"failure", table.failure.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(table.failure)},
          {"rows", table.rows},
          {"deleted_rows", table.deleted_rows},
          {"columns", table.columns},
          {"indexes", std::move(indexes)},
          {"indexes_left_out", std::move(left_out)},
          {"values_not_carried", LostJson(table.lost)},
          {"values_otherwise_in_sql", LostJson(table.lost_in_text)}};
}

nlohmann::ordered_json ApplicationDataJson(const ApplicationDataResult& data) {
  nlohmann::ordered_json tables = nlohmann::ordered_json::array();
  for (const TableReport& table : data.report.tables) tables.push_back(TableJson(table));
  return {{"files", data.files},
          {"tables", std::move(tables)},
          {"foreign_keys", data.report.foreign_keys},
          {"notes", data.notes},
          {"warnings", data.warnings}};
}

}  // namespace

RunCounts CountResults(const std::vector<FormResult>& results) {
  RunCounts counts;
  counts.forms = static_cast<int>(results.size());
  for (const FormResult& result : results) {
    switch (result.outcome) {
      case FormOutcome::kConverted: ++counts.converted; break;
      case FormOutcome::kWithWarnings: ++counts.with_warnings; break;
      case FormOutcome::kNotOpened: ++counts.not_opened; break;
      case FormOutcome::kMissing: ++counts.missing; break;
      case FormOutcome::kEndedRun:
      case FormOutcome::kNotReached: ++counts.not_converted; break;
    }
  }
  return counts;
}

std::string RunSummary(const std::vector<FormResult>& results, const RunEnd& end, const std::string& output_directory) {
  const RunCounts counts = CountResults(results);
  std::string summary = std::to_string(counts.forms) + (counts.forms == 1 ? " form: " : " forms: ") +
                        std::to_string(counts.converted) + " converted, " + std::to_string(counts.with_warnings) +
                        " with warnings";
  if (counts.not_opened > 0) summary += ", " + std::to_string(counts.not_opened) + " not opened";
  if (counts.missing > 0) summary += ", " + std::to_string(counts.missing) + " missing";
  if (!end.message.empty()) {
    summary += "; ended early";
    if (!end.at_input.empty()) summary += " at " + end.at_input;
    summary += ", " + std::to_string(counts.not_converted) + " not converted";
  }
  return summary + "; output in " + output_directory;
}

std::string RunReportJson(const std::vector<FormResult>& results, const RunEnd& end,
                          const std::string& output_directory, int exit_status, bool with_notes,
                          const ApplicationDataResult* data) {
  const RunCounts counts = CountResults(results);
  nlohmann::ordered_json forms = nlohmann::ordered_json::array();
  for (const FormResult& result : results) forms.push_back(FormJson(result, with_notes));
  nlohmann::ordered_json report = {
      {"exit_status", exit_status},
      {"output_directory", output_directory},
      {"ended_early", !end.message.empty()},
      {"failure", end.message.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(end.message)},
      {"counts",
       {{"forms", counts.forms},
        {"converted", counts.converted},
        {"with_warnings", counts.with_warnings},
        {"not_opened", counts.not_opened},
        {"missing", counts.missing},
        {"not_converted", counts.not_converted}}},
      {"forms", std::move(forms)},
  };
  if (data != nullptr) report["application_data"] = ApplicationDataJson(*data);
  return report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace quorvex
