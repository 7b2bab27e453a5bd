#pragma once
// The report's lines of an application's data written, after the project
// files: per table one line of what it became, then a line per kind of value
// not carried and one per thing renamed or not read; a table that could not
// be written is a warning.
//
//   table customer (app/data/customer.dbf): 91 rows, 2 deleted, 11 columns;
//     indexes customer.custid (unique), customer.company; left out: NAMEUP
//     (its key calls ALLTRIM(), which no SQL orders the same way)
//   table orders: 3 values of column notes not carried (records 4, 9, 12):
//     File app/data/orders.fpt could not be found

#include <string>
#include <vector>

#include "database/database_report.h"

namespace quorvex {

struct DataLines {
  std::vector<std::string> notes;
  std::vector<std::string> warnings;
};

// `sql_file` names the SQL text (NAME.sql) in the lines of values it holds
// otherwise.
DataLines TableLines(const TableReport& table, const std::string& sql_file);

}  // namespace quorvex
