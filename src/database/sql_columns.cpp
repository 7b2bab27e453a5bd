#include "database/sql_columns.h"

#include <algorithm>

#include "database/sql_names.h"

namespace quorvex {

namespace {

// A number of `width` characters with `decimals` after the point has one
// digit fewer than its width, the point taking a place; a sign takes one too,
// which only narrows what it holds.
SqlColumn Numeric(const DataField& field, const std::string& name) {
  const int width = field.descriptor.length;
  const int scale = field.descriptor.decimals;
  const int precision = std::max({1, width - (scale > 0 ? 1 : 0), scale});
  return {.name = name, .type = SqlType::kNumeric, .precision = precision, .scale = scale};
}

}  // namespace

SqlColumn ColumnOf(const DataField& field, const std::string& name) {
  switch (field.type) {
    case DataType::kCharacter:
    case DataType::kVarchar:
      return {.name = name, .type = SqlType::kVarchar, .width = std::max(1, field.descriptor.width)};
    case DataType::kMemo: return {.name = name, .type = field.binary ? SqlType::kBlob : SqlType::kText};
    case DataType::kVarbinary:
    case DataType::kGeneral:
    case DataType::kBlob:
    case DataType::kPicture:
    case DataType::kBinaryMemo: return {.name = name, .type = SqlType::kBlob};
    case DataType::kNumeric:
    case DataType::kFloat: return Numeric(field, name);
    case DataType::kCurrency: return {.name = name, .type = SqlType::kNumeric, .precision = 19, .scale = 4};
    case DataType::kDouble: return {.name = name, .type = SqlType::kDouble};
    case DataType::kInteger: return {.name = name, .type = SqlType::kInteger};
    case DataType::kDate: return {.name = name, .type = SqlType::kDate};
    case DataType::kDateTime: return {.name = name, .type = SqlType::kDateTime};
    case DataType::kLogical: return {.name = name, .type = SqlType::kBoolean};
  }
  return {.name = name, .type = SqlType::kBlob};
}

std::string TypeDeclaration(const SqlColumn& column, SqlDialect dialect) {
  const bool portable = dialect == SqlDialect::kPortable;
  switch (column.type) {
    case SqlType::kVarchar: return "VARCHAR(" + std::to_string(column.width) + ")";
    case SqlType::kText: return "TEXT";
    case SqlType::kNumeric:
      return "NUMERIC(" + std::to_string(column.precision) + "," + std::to_string(column.scale) + ")";
    case SqlType::kInteger: return "INTEGER";
    case SqlType::kDouble: return "DOUBLE PRECISION";
    case SqlType::kDate: return "DATE";
    case SqlType::kDateTime: return portable ? "TIMESTAMP" : "DATETIME";
    case SqlType::kBoolean: return "BOOLEAN";
    case SqlType::kBlob: return portable ? "BYTEA" : "BLOB";
  }
  return "BLOB";
}

std::vector<SqlColumn> TableColumns(const std::vector<DataField>& fields, const std::vector<std::string>& names) {
  SqlNames taken;
  taken.Reserve(kRecordNumberColumn);
  std::vector<SqlColumn> columns;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    // No SQL name is empty: a field without one is named by its place.
    const std::string wanted = names[i].empty() ? "field" + std::to_string(i + 1) : names[i];
    columns.push_back(ColumnOf(fields[i], taken.Take(wanted)));
  }
  return columns;
}

}  // namespace quorvex
