#include "database/foreign_keys.h"

#include <optional>

#include "base/ascii.h"
#include "database/sql_names.h"

namespace quorvex {

namespace {

std::optional<std::size_t> TableNamed(const std::vector<WrittenTable>& tables, int database, const std::string& name) {
  for (std::size_t i = 0; i < tables.size(); ++i) {
    const SourceTable& source = *tables[i].source;
    if (source.database == database && source.entry != nullptr && SameText(source.entry->name, name) &&
        tables[i].report.failure.empty())
      return i;
  }
  return std::nullopt;
}

const WrittenIndex* IndexOfTag(const WrittenTable& table, const std::string& tag) {
  for (const WrittenIndex& index : table.indexes)
    if (SameText(index.made.tag, tag)) return &index;
  return nullptr;
}

// The columns an index is over, when every term is a column in ascending order.
std::optional<std::vector<int>> PlainColumns(const WrittenIndex& index) {
  for (std::size_t i = 0; i < index.key.columns.size(); ++i)
    if (index.key.columns[i] < 0 || index.key.terms[i].ends_with(" DESC")) return std::nullopt;
  return index.key.columns;
}

class KeyFinder {
 public:
  KeyFinder(SqliteFile& database, const std::vector<WrittenTable>& tables) : database_(database), tables_(tables) {}

  // The foreign key of `relation`, or why there is none.
  std::string Find(int database, const DatabaseRelation& relation, ForeignKey& key) {
    const auto child = TableNamed(tables_, database, relation.child_table);
    const auto parent = TableNamed(tables_, database, relation.parent_table);
    if (!child || !parent) return "a table of it is not in the database";
    const WrittenIndex* child_index = IndexOfTag(tables_[*child], relation.child_tag);
    const WrittenIndex* parent_index = IndexOfTag(tables_[*parent], relation.parent_tag);
    if (child_index == nullptr || parent_index == nullptr) return "a tag of it is no index of the database";
    if (!parent_index->made.unique) return "the parent's tag is no unique index";
    const auto child_columns = PlainColumns(*child_index);
    const auto parent_columns = PlainColumns(*parent_index);
    if (!child_columns || !parent_columns || child_columns->size() != parent_columns->size())
      return "its tags are not over the same number of plain columns";
    key = {.child = *child, .parent = *parent};
    for (std::size_t i = 0; i < child_columns->size(); ++i) {
      const SqlColumn& from = tables_[*child].columns[static_cast<std::size_t>((*child_columns)[i])];
      const SqlColumn& to = tables_[*parent].columns[static_cast<std::size_t>((*parent_columns)[i])];
      if (from.type != to.type) return "its columns " + from.name + " and " + to.name + " are of different types";
      key.child_columns.push_back(from.name);
      key.parent_columns.push_back(to.name);
    }
    if (HasOrphans(key)) return "some child rows have no parent row";
    return {};
  }

 private:
  bool HasOrphans(const ForeignKey& key) {
    std::string present, matched;
    for (std::size_t i = 0; i < key.child_columns.size(); ++i) {
      const std::string child_column = "c." + QuoteIdentifier(key.child_columns[i]);
      present += (i == 0 ? "" : " AND ") + child_column + " IS NOT NULL";
      matched += (i == 0 ? "" : " AND ") + ("p." + QuoteIdentifier(key.parent_columns[i])) + " = " + child_column;
    }
    SqliteStatement query =
        database_.Prepare("SELECT 1 FROM " + QuoteIdentifier(tables_[key.child].report.name) + " c WHERE " + present +
                          " AND NOT EXISTS (SELECT 1 FROM " + QuoteIdentifier(tables_[key.parent].report.name) +
                          " p WHERE " + matched + ") LIMIT 1");
    return query.Step();
  }

  SqliteFile& database_;
  const std::vector<WrittenTable>& tables_;
};

}  // namespace

std::vector<ForeignKey> ForeignKeysOf(SqliteFile& database, const std::vector<Database>& databases,
                                      const std::vector<WrittenTable>& tables, DatabaseReport& report) {
  std::vector<ForeignKey> keys;
  KeyFinder finder(database, tables);
  for (std::size_t d = 0; d < databases.size(); ++d) {
    for (const DatabaseRelation& relation : databases[d].relations) {
      ForeignKey key;
      const std::string reason = finder.Find(static_cast<int>(d), relation, key);
      if (reason.empty()) {
        keys.push_back(std::move(key));
      } else {
        report.relations_left_out.push_back("relation of " + relation.child_table + " (" + relation.child_tag +
                                            ") to " + relation.parent_table + " (" + relation.parent_tag + ") in " +
                                            databases[d].file_name + ": " + reason);
      }
    }
  }
  report.foreign_keys = static_cast<int>(keys.size());
  return keys;
}

}  // namespace quorvex
