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
                          const std::string& output_directory, int exit_status, bool with_notes) {
  const RunCounts counts = CountResults(results);
  nlohmann::ordered_json forms = nlohmann::ordered_json::array();
  for (const FormResult& result : results) forms.push_back(FormJson(result, with_notes));
  const nlohmann::ordered_json report = {
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
  return report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace quorvex
