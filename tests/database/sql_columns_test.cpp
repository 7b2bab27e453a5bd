// The columns of a table: names unique without regard to case, and the
// declared types of each FoxPro type in both files.

#include <gtest/gtest.h>

#include "database/sql_columns.h"

namespace quorvex::testing {
namespace {

DataField Field(DataType type, int width = 0, int decimals = 0) {
  DataField field;
  field.type = type;
  field.descriptor.length = static_cast<std::uint8_t>(width);
  field.descriptor.width = width;
  field.descriptor.decimals = static_cast<std::uint8_t>(decimals);
  return field;
}

TEST(SqlColumns, NamesAreLowerCaseUniqueAndNeverEmptyOrTheRecordNumbers) {
  const std::vector<DataField> fields(4, Field(DataType::kInteger));
  std::vector<std::string> names;
  for (const SqlColumn& column : TableColumns(fields, {"", "_RECNO", "Amount", "AMOUNT"})) names.push_back(column.name);
  EXPECT_EQ(names, (std::vector<std::string>{"field1", "_recno_2", "amount", "amount_2"}));
}

TEST(SqlColumns, EachTypeIsDeclaredAsTheDatasetsMapItAndAsPostgreSqlReadsIt) {
  const auto both = [](const DataField& field) {
    const SqlColumn column = ColumnOf(field, "x");
    return TypeDeclaration(column, SqlDialect::kSqlite) + " " + TypeDeclaration(column, SqlDialect::kPortable);
  };
  EXPECT_EQ(both(Field(DataType::kCharacter, 300)), "VARCHAR(300) VARCHAR(300)");
  EXPECT_EQ(both(Field(DataType::kNumeric, 10, 2)), "NUMERIC(9,2) NUMERIC(9,2)");
  EXPECT_EQ(both(Field(DataType::kNumeric, 5)), "NUMERIC(5,0) NUMERIC(5,0)");
  EXPECT_EQ(both(Field(DataType::kCurrency, 8)), "NUMERIC(19,4) NUMERIC(19,4)");
  EXPECT_EQ(both(Field(DataType::kDateTime, 8)), "DATETIME TIMESTAMP");
  EXPECT_EQ(both(Field(DataType::kGeneral, 4)), "BLOB BYTEA");
  EXPECT_EQ(both(Field(DataType::kLogical, 1)), "BOOLEAN BOOLEAN");
  EXPECT_EQ(both(Field(DataType::kMemo, 4)), "TEXT TEXT");
  DataField binary_memo = Field(DataType::kMemo, 4);
  binary_memo.binary = true;
  EXPECT_EQ(both(binary_memo), "BLOB BYTEA");
}

}  // namespace
}  // namespace quorvex::testing
