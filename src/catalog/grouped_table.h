#pragma once
// The layout of the loadable mode's data files (published_properties.txt,
// fox_defaults.txt). A line starting with "#" is a comment, blank lines are
// passed over. "NAME:" or "NAME: BASE..." starts a group that begins with
// every row of the groups named after the colon, which come earlier; each
// line after it is a row of that group, keyed by its first word without
// regard to letter case, and a later row replaces an earlier one of the same
// key.

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "base/ascii.h"
#include "base/errors.h"
#include "base/text_list.h"

namespace quorvex {

template <typename Row>
using TableGroup = std::map<std::string, Row, TextLess>;

template <typename Row>
using GroupedTable = std::map<std::string, TableGroup<Row>, TextLess>;

// The row `key` of group `group`, or null.
template <typename Row>
const Row* FindRow(const GroupedTable<Row>& table, std::string_view group, std::string_view key) {
  const auto found_group = table.find(group);
  if (found_group == table.end()) return nullptr;
  const auto row = found_group->second.find(key);
  return row == found_group->second.end() ? nullptr : &row->second;
}

// The first word of `text` (up to a blank), and `text` after it.
std::pair<std::string_view, std::string_view> FirstWord(std::string_view text);

// Reads `text` in the layout above. `read_row(key, rest)` gives the row of a
// row line from its first word and the rest of the line (blanks trimmed), and
// throws Exception for a line it cannot read. Throws Exception("TITLE, line
// N: ...") for any line that cannot be read.
template <typename Row, typename ReadRow>
GroupedTable<Row> ReadGroupedTable(std::string_view text, std::string_view title, ReadRow read_row) {
  GroupedTable<Row> groups;
  TableGroup<Row>* group = nullptr;
  int line_number = 0;
  for (const std::string& line : SplitLines(text)) {
    ++line_number;
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.starts_with('#')) continue;
    try {
      auto [key, rest] = FirstWord(trimmed);
      if (key.ends_with(':')) {
        group = &groups[std::string(key.substr(0, key.size() - 1))];
        while (!rest.empty()) {
          const auto [base_name, more] = FirstWord(rest);
          const auto base = groups.find(base_name);
          if (base == groups.end()) throw Exception("unknown group " + std::string(base_name));
          group->insert(base->second.begin(), base->second.end());
          rest = more;
        }
        continue;
      }
      if (group == nullptr) throw Exception("a row before any group");
      (*group)[std::string(key)] = read_row(key, rest);
    } catch (const Exception& failure) {
      throw Exception(std::string(title) + ", line " + std::to_string(line_number) + ": " + failure.what());
    }
  }
  return groups;
}

// A table of rows looked up by group and key, read from text in the layout
// above; each table of the program derives from it with its own rows.
template <typename Row>
class LookupTable {
 public:
  // The row `key` of group `group` (letter case aside), or null when the
  // table has none.
  const Row* Find(std::string_view group, std::string_view key) const { return FindRow(groups_, group, key); }

 protected:
  template <typename ReadRow>
  LookupTable(std::string_view text, std::string_view title, ReadRow read_row)
      : groups_(ReadGroupedTable<Row>(text, title, read_row)) {}

  GroupedTable<Row> groups_;
};

}  // namespace quorvex
