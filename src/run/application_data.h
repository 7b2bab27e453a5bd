#pragma once
// Which tables of an application a project run writes into its database: the
// databases and free tables the project files list, then the tables the
// converted forms' data environments open, each file once, in that order.
// A table of a database (every table of a database listed, or one a cursor
// opens through its Database) gets the database's long field names, keys
// and rules.
//
// Names are followed as FoxPro wrote them, without regard to letter case: a
// database's tables from its folder; a cursor's CursorSource and Database
// from its form's folder, and a CursorSource of a table the project lists
// by that table's file name too (applications open their tables by name
// along FoxPro's path). A name not found, or a database that cannot be read,
// is a line for the report, and the rest goes on.

#include <string>
#include <vector>

#include "database/application_database.h"
#include "run/conversion_run.h"
#include "table/file_system.h"

namespace quorvex {

// The table file a form's cursor was found to open: results_[form].tables[cursor].
struct CursorPlace {
  std::size_t form;
  std::size_t cursor;
  std::string path;
};

struct GatheredData {
  ApplicationData data;
  std::vector<CursorPlace> cursors;  // each cursor whose table was found
  std::vector<std::string> notes;     // names not found (after "   Note: ")
  std::vector<std::string> warnings;  // databases that cannot be read (after "   Warning: ")
};

GatheredData GatherApplicationData(FileSystem& files, const ProjectOutput& project,
                                   const std::vector<FormResult>& forms);

}  // namespace quorvex
