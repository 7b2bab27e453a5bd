#pragma once
// Which FoxPro index tags an SQL index can stand for. A tag orders its table
// by its key expression; an SQL index over columns or expressions orders by
// them, one after the other. The two orders are the same for certain where
// the key is a field, UPPER() of a character field, DTOS() of a date field,
// STR() of a number field, BINTOC() of an integer field, TTOC(..., 1) of a
// datetime field, or these joined with "+": each part one term of the
// index, in the order written (the parts of a FoxPro key have fixed widths,
// so joining them orders as the terms do one after the other). A tag that
// admits only some records (FOR) is left out, but for FOR !DELETED(): the
// deleted records are in a table of their own.

#include <string>
#include <vector>

#include "data/compound_index.h"
#include "database/sql_columns.h"
#include "table/data_field.h"

namespace quorvex {

struct IndexKey {
  std::vector<std::string> terms = {};  // SQL, each ending in " DESC" for a descending tag
  // Per term, the column it is when it is the column itself, else -1: a
  // foreign key may refer to plain columns only.
  std::vector<int> columns = {};
  std::string reason = {};  // why no SQL index stands for the tag; "" when one does
};

// The SQL index of `tag` over a table of `fields` made `columns` (bytes of
// the table's code page in the tag's expressions).
IndexKey IndexKeyOf(const IndexTag& tag, const std::vector<DataField>& fields, const std::vector<SqlColumn>& columns);

}  // namespace quorvex
