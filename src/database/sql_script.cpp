#include "database/sql_script.h"

#include <charconv>

#include "base/ascii.h"
#include "base/text_encoding.h"
#include "database/sql_names.h"

namespace quorvex {

namespace {

constexpr std::size_t kRowsPerInsert = 200;
constexpr const char* kBytesLost = "bytes have no SQL text that SQLite and PostgreSQL read alike: NULL";
constexpr const char* kNulLost = "PostgreSQL texts hold no NUL character: written without them";

// `text` fit for a comment line: one line, and UTF-8, as PostgreSQL wants
// all of its input (a byte that is not is '?').
std::string CommentText(std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80         ? 1
                               : (lead >> 5) == 6  ? 2
                               : (lead >> 4) == 14 ? 3
                               : (lead >> 3) == 30 ? 4
                                                   : 0;
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) valid = (static_cast<unsigned char>(text[i + k]) >> 6) == 2;
    if (!valid) {
      line += '?';
      ++i;
    } else {
      for (std::size_t k = 0; k < length; ++k) line += (text[i + k] == '\r' || text[i + k] == '\n') ? ' ' : text[i + k];
      i += length;
    }
  }
  return line;
}

std::string TextLiteral(std::string_view text) {
  std::string literal = "'";
  for (const char c : text) {
    if (c == '\'') literal += '\'';
    if (c != '\0') literal += c;
  }
  return literal + "'";
}

std::string Literal(const SqlValue& value, SqlType type, bool& lost) {
  if (const auto* integer = std::get_if<std::int64_t>(&value)) {
    if (type == SqlType::kBoolean) return *integer != 0 ? "TRUE" : "FALSE";
    return std::to_string(*integer);
  }
  if (const auto* real = std::get_if<double>(&value)) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, *real).ptr;
    return std::string(digits, end);
  }
  if (const auto* text = std::get_if<std::string>(&value)) {
    lost = text->find('\0') != std::string::npos;
    return TextLiteral(*text);
  }
  if (const auto* blob = std::get_if<SqlBlob>(&value)) lost = !blob->bytes.empty();
  return "NULL";
}

class ScriptWriter {
 public:
  ScriptWriter(SqliteFile& database, std::vector<WrittenTable>& tables) : database_(database), tables_(tables) {}

  std::string Write(const std::vector<std::size_t>& order, const std::vector<const ForeignKey*>& keys) {
    text_ = "-- An application's FoxPro data as SQL that SQLite and PostgreSQL both run.\nBEGIN;\n";
    for (const std::size_t table : order) Table(tables_[table], keys);
    text_ += "\nCOMMIT;\n";
    return std::move(text_);
  }

 private:
  void Table(WrittenTable& table, const std::vector<const ForeignKey*>& keys) {
    const std::string& name = table.report.name;
    text_ += "\n-- " + CommentText(name + ": " + table.report.source) + "\n";
    Comments(table);
    std::string create = CreateTableStatement(name, table.columns, SqlDialect::kPortable);
    create.resize(create.size() - 2);  // the closing "\n)"
    for (const ForeignKey* key : keys) {
      if (&tables_[key->child] != &table) continue;
      create += ",\n  FOREIGN KEY (" + Names(key->child_columns) + ") REFERENCES " +
                QuoteIdentifier(tables_[key->parent].report.name) + " (" + Names(key->parent_columns) + ")";
    }
    text_ += create + "\n);\n";
    Indexes(table, true);
    Rows(name, table);
    if (table.report.deleted_rows > 0) {
      text_ += CreateTableStatement(DeletedTableName(name), table.columns, SqlDialect::kPortable) + ";\n";
      Rows(DeletedTableName(name), table);
    }
    Indexes(table, false);
    for (const LeftOutIndex& left : table.report.left_out)
      text_ += "-- index tag " + CommentText(left.tag + " left out: " + left.reason) + "\n";
  }

  static std::string Names(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + QuoteIdentifier(name);
    return list;
  }

  void Comment(const WrittenTable& table, const std::string& label, const std::string& text) {
    if (!text.empty()) text_ += "-- " + CommentText(label + DecodeToUtf8(text, table.code_page)) + "\n";
  }

  void Comments(const WrittenTable& table) {
    const DatabaseTable* entry = table.source->entry;
    if (entry == nullptr) return;
    Comment(table, "table of the database: ", entry->name);
    Comment(table, "comment: ", entry->comment);
    Comment(table, "rule: ", entry->rule_expression);
    Comment(table, "rule's message: ", entry->rule_text);
    Comment(table, "insert trigger: ", entry->insert_trigger);
    Comment(table, "update trigger: ", entry->update_trigger);
    Comment(table, "delete trigger: ", entry->delete_trigger);
    for (const DatabaseField& field : entry->fields) {
      const std::string column = AsciiLowerCopy(DecodeToUtf8(field.name, table.code_page));
      Comment(table, "column " + column + " default: ", field.default_value);
      Comment(table, "column " + column + " rule: ", field.rule_expression);
      Comment(table, "column " + column + " rule's message: ", field.rule_text);
    }
  }

  void Indexes(const WrittenTable& table, bool unique) {
    for (const WrittenIndex& index : table.indexes) {
      if (index.made.unique != unique) continue;
      std::string terms;
      for (const std::string& term : index.key.terms) terms += (terms.empty() ? "" : ", ") + term;
      text_ += std::string(unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + QuoteIdentifier(index.made.name) +
               " ON " + QuoteIdentifier(table.report.name) + " (" + terms + ");\n";
    }
  }

  void Rows(const std::string& name, WrittenTable& table) {
    SqliteStatement rows = database_.Prepare("SELECT * FROM " + QuoteIdentifier(name) + " ORDER BY " +
                                             QuoteIdentifier(kRecordNumberColumn));
    const std::string insert = "INSERT INTO " + QuoteIdentifier(name) + " VALUES\n";
    std::size_t count = 0;
    for (; rows.Step(); ++count) {
      if (count % kRowsPerInsert != 0) {
        text_ += ",\n";
      } else {
        text_ += (count == 0 ? "" : ";\n") + insert;
      }
      Row(rows, table);
    }
    if (count > 0) text_ += ";\n";
  }

  void Row(const SqliteStatement& rows, WrittenTable& table) {
    const SqlValue number = rows.Column(0);
    text_ += "(" + std::to_string(std::get<std::int64_t>(number));
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
      bool lost = false;
      text_ += ", " + Literal(rows.Column(static_cast<int>(i + 1)), table.columns[i].type, lost);
      if (lost) {
        const bool bytes = table.columns[i].type == SqlType::kBlob;
        table.report.lost_in_text.push_back(
            {static_cast<int>(std::get<std::int64_t>(number)), table.columns[i].name, bytes ? kBytesLost : kNulLost});
      }
    }
    text_ += ")";
  }

  SqliteFile& database_;
  std::vector<WrittenTable>& tables_;
  std::string text_;
};

// Parents before their children, else in the order written.
class TableOrder {
 public:
  TableOrder(const std::vector<WrittenTable>& tables, const std::vector<ForeignKey>& keys, DatabaseReport& report)
      : tables_(tables), keys_(keys), report_(report), state_(tables.size(), kNew) {
    for (std::size_t i = 0; i < tables.size(); ++i)
      if (tables[i].report.failure.empty()) Visit(i);
  }
  std::vector<std::size_t> order;
  std::vector<const ForeignKey*> kept;

 private:
  enum State { kNew, kVisiting, kDone };

  void Visit(std::size_t table) {
    if (state_[table] != kNew) return;
    state_[table] = kVisiting;
    for (const ForeignKey& key : keys_) {
      if (key.child != table) continue;
      if (state_[key.parent] == kVisiting) {
        --report_.foreign_keys;
        report_.relations_left_out.push_back("relation of " + tables_[key.child].report.name + " to " +
                                             tables_[key.parent].report.name + ": it closes a cycle of relations");
        continue;
      }
      Visit(key.parent);
      kept.push_back(&key);
    }
    state_[table] = kDone;
    order.push_back(table);
  }

  const std::vector<WrittenTable>& tables_;
  const std::vector<ForeignKey>& keys_;
  DatabaseReport& report_;
  std::vector<State> state_;
};

}  // namespace

std::string SqlScript(SqliteFile& database, std::vector<WrittenTable>& tables, const std::vector<ForeignKey>& keys,
                      DatabaseReport& report) {
  const TableOrder order(tables, keys, report);
  return ScriptWriter(database, tables).Write(order.order, order.kept);
}

}  // namespace quorvex
