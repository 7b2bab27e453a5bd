// A database's relations as foreign keys of the SQL text: only where every
// child row has its parent, and the parent table written first.

#include <gtest/gtest.h>

#include "data/database_container.h"
#include "database/application_database.h"
#include "database/sqlite_functions.h"
#include "fixtures/database_writer.h"
#include "fixtures/index_writer.h"
#include "support/golden.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;
using fixtures::DbcText;

// folder/NAME.dbf of one integer field FIELD holding `values`, with a tag of the field's name.
std::string Table(const fs::path& folder, const std::string& name, const std::string& field,
                  std::initializer_list<int> values, int tag_options) {
  std::vector<fixtures::RecordSpec> records;
  for (const int value : values) records.push_back({{{field, fixtures::Int32Bytes(value)}}});
  fixtures::BuildTable({.table_flags = 0x01}, {{field, 'I', 4}}, records).WriteTo(folder, name + ".dbf");
  WriteFileBytes(folder / (name + ".cdx"), fixtures::BuildCompoundIndex({{field, field, "", tag_options}}).bytes);
  return Utf8Name(folder / (name + ".dbf"));
}

fixtures::DbcObjectSpec Relation(int id, int child, const std::string& parent_table) {
  return {.id = id,
          .parent = child,
          .type = "Relation",
          .name = "Relation " + std::to_string(id),
          .properties = {{13, DbcText("CUSTID")}, {18, DbcText(parent_table)}, {19, DbcText("ID")}}};
}

TEST(ForeignKeys, ARelationIsAForeignKeyWhereEveryChildRowHasItsParent) {
  std::string why;
  if (SqliteLibrary(why) == nullptr) GTEST_SKIP() << why << ": skipped";
  TempDir temp;
  const fs::path folder = temp.path();
  const std::string orders = Table(folder, "orders", "CUSTID", {1, 2, 1}, 0x60);
  const std::string lines = Table(folder, "lines", "CUSTID", {1, 9}, 0x60);
  const std::string cust = Table(folder, "cust", "ID", {1, 2}, 0x64);
  fixtures::BuildDatabase(
      {{.id = 1, .parent = 1, .type = "Database", .name = "Database"},
       {.id = 2, .parent = 1, .type = "Table", .name = "orders", .properties = {{1, DbcText("orders.dbf")}}},
       {.id = 3, .parent = 1, .type = "Table", .name = "lines", .properties = {{1, DbcText("lines.dbf")}}},
       {.id = 4,
        .parent = 1,
        .type = "Table",
        .name = "cust",
        .properties = {{1, DbcText("cust.dbf")}, {20, DbcText("ID")}}},
       Relation(5, 2, "cust"),
       Relation(6, 3, "cust")})
      .WriteTo(folder, "app.dbc", "app.dct");
  ApplicationData data{.databases = {ReadDatabase(RealFileSystem(), Utf8Name(folder / "app.dbc"))}};
  const std::vector<DatabaseTable>& entries = data.databases[0].tables;
  for (const auto& [path, entry] : {std::pair{orders, 0}, {lines, 1}, {cust, 2}})
    data.tables.push_back({.path = path,
                           .index_path = path.substr(0, path.size() - 3) + "cdx",
                           .entry = &entries[static_cast<std::size_t>(entry)],
                           .database = 0});

  const DatabaseOutput output = WriteApplicationDatabase(RealFileSystem(), data, Utf8Name(folder / "app.sqlite"));
  EXPECT_EQ(output.report.foreign_keys, 1);
  EXPECT_EQ(output.report.relations_left_out,
            std::vector<std::string>{"relation of lines (CUSTID) to cust (ID) in " + Utf8Name(folder / "app.dbc") +
                                     ": some child rows have no parent row"});
  const std::string& sql = output.sql_text;
  const std::size_t parent = sql.find("CREATE UNIQUE INDEX \"cust.id\" ON \"cust\" (\"id\");");
  const std::size_t child = sql.find("  FOREIGN KEY (\"custid\") REFERENCES \"cust\" (\"id\")\n);");
  EXPECT_LT(parent, child) << sql;
  EXPECT_NE(child, std::string::npos) << sql;
}

}  // namespace
}  // namespace quorvex::testing
