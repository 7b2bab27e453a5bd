// Tables into one SQLite database and its SQL text: live and deleted rows
// apart under their record numbers, indexes of the tags that can be, tables of
// one name made unique, and a table that cannot be read passed over.

#include "database/application_database.h"

#include <gtest/gtest.h>

#include "database/sqlite_file.h"
#include "database/sqlite_functions.h"
#include "fixtures/index_writer.h"
#include "fixtures/table_writer.h"
#include "support/golden.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;
using fixtures::Int32Bytes;
using fixtures::Int64Bytes;

// The rows a query gives, read through the library the writer uses.
std::vector<std::vector<SqlValue>> Query(const fs::path& file, const std::string& sql) {
  std::string why;
  const SqliteFunctions& sqlite = *SqliteLibrary(why);
  sqlite3* database = nullptr;
  sqlite.open_v2(Utf8Name(file).c_str(), &database, 0x01 /* read only */, nullptr);
  std::vector<std::vector<SqlValue>> rows;
  {
    SqliteStatement statement(sqlite, database, sql);
    while (statement.Step()) {
      rows.emplace_back();
      for (int i = 0; i < statement.ColumnCount(); ++i) rows.back().push_back(statement.Column(i));
    }
  }
  sqlite.close(database);
  return rows;
}

class ApplicationDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (SqliteLibrary(why) == nullptr) GTEST_SKIP() << why << ": skipped";
  }

  // folder/orders.dbf with .fpt and .cdx: record 2 deleted; tag CUST a
  // candidate key whose values repeat.
  std::string Orders(const fs::path& folder) {
    const fixtures::TableFiles table = fixtures::BuildTable(
        {}, {{"ID", 'I', 4}, {"CUST", 'C', 10}, {"AMOUNT", 'Y', 8}, {"NOTES", 'M'}},
        {{{{"ID", Int32Bytes(1)}, {"CUST", "ann"}, {"AMOUNT", Int64Bytes(12345)}, {"NOTES", "first"}}},
         {{{"ID", Int32Bytes(2)}, {"CUST", "bob"}}, /*deleted=*/true},
         {{{"ID", Int32Bytes(3)}, {"CUST", "ann"}, {"AMOUNT", Int64Bytes(-5)}}}});
    WriteFileBytes(
        folder / "orders.cdx",
        fixtures::BuildCompoundIndex({{"ID", "id", "", 0x64}, {"CUST", "cust", "", 0x64}, {"TRIMMED", "ALLTRIM(cust)"}})
            .bytes);
    return Utf8Name(table.WriteTo(folder, "orders.dbf", "orders.fpt"));
  }

  TempDir temp_;
};

TEST_F(ApplicationDatabaseTest, RowsKeepTheirRecordNumbersAndTheDeletedOnesATableOfTheirOwn) {
  const std::string orders = Orders(temp_.path() / "data");
  const std::string other = Orders(temp_.path() / "other");
  WriteFileBytes(temp_.path() / "bad.dbf", "not a table");
  const fs::path file = temp_.path() / "app.sqlite";
  const ApplicationData data{.tables = {{.path = orders, .index_path = Utf8Name(temp_.path() / "data" / "orders.cdx")},
                                        {.path = Utf8Name(temp_.path() / "bad.dbf")},
                                        {.path = other}}};
  const DatabaseOutput output = WriteApplicationDatabase(RealFileSystem(), data, Utf8Name(file));

  const std::vector<TableReport>& tables = output.report.tables;
  ASSERT_EQ(tables.size(), 3u);
  EXPECT_EQ(tables[0].name, "orders");
  EXPECT_EQ(tables[0].rows, 2);
  EXPECT_EQ(tables[0].deleted_rows, 1);
  ASSERT_EQ(tables[0].indexes.size(), 2u);
  EXPECT_EQ(tables[0].indexes[0].name, "orders.cust");
  EXPECT_TRUE(tables[0].indexes[0].repeats);
  EXPECT_FALSE(tables[0].indexes[0].unique);
  EXPECT_EQ(tables[0].indexes[1].name, "orders.id");
  EXPECT_TRUE(tables[0].indexes[1].unique);
  ASSERT_EQ(tables[0].left_out.size(), 1u);
  EXPECT_EQ(tables[0].left_out[0].tag, "TRIMMED");
  EXPECT_EQ(tables[1].failure, "Error on Read of file " + Utf8Name(temp_.path() / "bad.dbf"));
  EXPECT_EQ(tables[2].name, "orders_2");
  EXPECT_EQ(tables[2].wanted_name, "orders");

  using Row = std::vector<SqlValue>;
  EXPECT_EQ(Query(file, "SELECT _recno, cust, amount, notes FROM orders ORDER BY 1"),
            (std::vector<Row>{{std::int64_t{1}, std::string("ann"), 1.2345, std::string("first")},
                              {std::int64_t{3}, std::string("ann"), -0.0005, std::string()}}));
  EXPECT_EQ(Query(file, "SELECT _recno, id FROM orders_deleted"),
            (std::vector<Row>{{std::int64_t{2}, std::int64_t{2}}}));
  EXPECT_EQ(Query(file, "SELECT COUNT(*) FROM sqlite_master WHERE name IN ('bad', 'bad_deleted')"),
            (std::vector<Row>{{std::int64_t{0}}}));

  // The SQL text: portable types, a unique index before the rows it guards.
  const std::string& sql = output.sql_text;
  EXPECT_NE(sql.find("\"amount\" NUMERIC(19,4)"), std::string::npos) << sql;
  const std::size_t unique = sql.find("CREATE UNIQUE INDEX \"orders.id\" ON \"orders\" (\"id\");");
  const std::size_t rows =
      sql.find("INSERT INTO \"orders\" VALUES\n(1, 1, 'ann', 1.2345, 'first'),\n(3, 3, 'ann', -5e-04, '');");
  EXPECT_LT(unique, rows) << sql;
  EXPECT_NE(rows, std::string::npos) << sql;
  EXPECT_NE(sql.find("-- index tag TRIMMED left out: its key calls ALLTRIM()"), std::string::npos) << sql;
}

TEST_F(ApplicationDatabaseTest, AFileThatCannotBeMadeIsAFailureNamingIt) {
  const std::string path = Utf8Name(temp_.path() / "missing" / "app.sqlite");
  try {
    WriteApplicationDatabase(RealFileSystem(), {}, path);
    FAIL() << "written";
  } catch (const Exception& failure) {
    EXPECT_EQ(std::string(failure.what()).rfind("Cannot create file " + path + ": ", 0), 0u) << failure.what();
  }
}

}  // namespace
}  // namespace quorvex::testing
