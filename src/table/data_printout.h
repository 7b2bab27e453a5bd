#pragma once
// The "data" inspection stage: a data table as its typed values.

#include <ostream>

#include "table/data_table.h"

namespace quorvex {

// Prints the table's version, code page and record count on one line
// ("version 0x30, code page 1252, 3 records"), then
// one line per field: "field NAME TYPE(WIDTH,DECIMALS)" and " null",
// " binary", " autoincrement" where they apply; then per record "#" and its
// number (" deleted" after it when it is) and one line NAME=VALUE per field,
// VALUE being:
//   null .NULL.          blank (nothing)         text, bytes: EscapeBytes
//   decimal as stored    double shortest text    integer
//   currency 4 decimals  date YYYY-MM-DD         datetime YYYY-MM-DD HH:MM:SS.mmm
//   logical .T. or .F.   invalid "!" and the message
// Every line ends with LF. Failures of the table propagate.
void PrintDataTable(DataTable& table, std::ostream& out);

}  // namespace quorvex
