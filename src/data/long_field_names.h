#pragma once
// The names a database gives the fields of one of its tables. A table file
// keeps 10 characters of a name; the database keeps the whole name, one Field
// object per field in the table's order. Databases and tables of real
// applications are often out of step (a field added to the table since, or
// the container copied from another version), so the database's names are
// taken only when they agree with the table.

#include <string>
#include <vector>

#include "data/database_container.h"
#include "table/data_field.h"

namespace quorvex {

// For each of `fields` (a DataTable's), its name in `table`, or its own name
// when the database is out of step with the table. In step means: as many
// names as fields, and each name either equals the field's own name, letter
// case aside, or is longer than the 10 characters a table file keeps (whose
// own name is then FoxPro's shortening of it, "DEVICELOG2" for
// "devicelognumber").
std::vector<std::string> LongFieldNames(const DatabaseTable& table, const std::vector<DataField>& fields);

}  // namespace quorvex
