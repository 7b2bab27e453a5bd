#include "run/database_lines.h"

#include <map>

namespace quorvex {

namespace {

constexpr std::size_t kRecordsNamed = 5;

std::string Count(std::size_t count, const std::string& thing) {
  return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

std::string Indexes(const TableReport& table) {
  std::string text;
  for (const MadeIndex& index : table.indexes) {
    text += (text.empty() ? "; indexes " : ", ") + index.name;
    if (index.unique) text += " (unique)";
    if (index.repeats) text += " (a key whose values repeat in the data: not unique)";
  }
  std::string left;
  for (const LeftOutIndex& index : table.left_out)
    left += (left.empty() ? "; left out: " : ", ") + index.tag + " (" + index.reason + ")";
  return text + left;
}

// One line per column and reason: how many, the first records, why.
void AddLost(const std::string& table, const std::vector<LostValue>& lost, const std::string& how,
             std::vector<std::string>& lines) {
  std::map<std::pair<std::string, std::string>, std::vector<int>> groups;
  std::vector<std::pair<std::string, std::string>> order;
  for (const LostValue& value : lost) {
    auto& records = groups[{value.column, value.reason}];
    if (records.empty()) order.emplace_back(value.column, value.reason);
    records.push_back(value.record);
  }
  for (const auto& group : order) {
    const std::vector<int>& records = groups[group];
    std::string numbers;
    for (std::size_t i = 0; i < records.size() && i < kRecordsNamed; ++i)
      numbers += (i == 0 ? "" : ", ") + std::to_string(records[i]);
    if (records.size() > kRecordsNamed) numbers += ", ...";
    lines.push_back("table " + table + ": " + Count(records.size(), "value") + " of column " + group.first + " " + how +
                    " (" + (records.size() == 1 ? "record " : "records ") + numbers + "): " + group.second);
  }
}

}  // namespace

DataLines TableLines(const TableReport& table, const std::string& sql_file) {
  DataLines lines;
  if (!table.failure.empty()) {
    lines.warnings.push_back("table " + table.name + " (" + table.source + ") not written: " + table.failure);
    return lines;
  }
  lines.notes.push_back("table " + table.name + " (" + table.source + "): " + Count(table.rows, "row") + ", " +
                        std::to_string(table.deleted_rows) + " deleted, " + Count(table.columns, "column") +
                        Indexes(table));
  if (!table.wanted_name.empty())
    lines.notes.push_back("table " + table.name + " is so named as another table is " + table.wanted_name);
  if (!table.index_failure.empty())
    lines.notes.push_back("table " + table.name + ": its index file could not be read: " + table.index_failure);
  AddLost(table.name, table.lost, "not carried", lines.notes);
  AddLost(table.name, table.lost_in_text, "written otherwise in " + sql_file, lines.notes);
  return lines;
}

}  // namespace quorvex
