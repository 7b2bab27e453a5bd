#pragma once
// What writing an application's data did, table by table: for the run's
// report and its JSON report.

#include <string>
#include <vector>

namespace quorvex {

// A value FoxPro holds that the database holds as NULL.
struct LostValue {
  int record = 0;           // its record number
  std::string column = {};  // its column's name
  std::string reason = {};
};

struct MadeIndex {
  std::string name = {};  // the SQL index: "TABLE.TAG"
  std::string tag = {};   // the FoxPro tag, as the index file names it
  bool unique = false;
  // A primary or candidate key whose keys repeat in the data: a plain index.
  bool repeats = false;
};

struct LeftOutIndex {
  std::string tag;
  std::string reason = {};
};

struct TableReport {
  std::string source = {};  // the table file
  std::string name = {};    // its SQL table
  // The name it would have had, when another table had it first; else "".
  std::string wanted_name = {};
  // Why it could not be read or written; it is then not in the database.
  std::string failure = {};
  int rows = 0;          // live records, in table NAME
  int deleted_rows = 0;  // deleted records, in table NAME_deleted
  int columns = 0;       // its fields (the record number column left out)
  std::vector<MadeIndex> indexes = {};
  std::vector<LeftOutIndex> left_out = {};
  std::vector<LostValue> lost = {};
  // Values the SQL text holds otherwise than the database (sql_script.h).
  std::vector<LostValue> lost_in_text = {};
  // Why its structural index could not be read; "" when it was, or there is none.
  std::string index_failure = {};
};

struct DatabaseReport {
  std::vector<TableReport> tables = {};
  int foreign_keys = 0;  // relations carried into the SQL text
  // Relations of the databases that are not foreign keys there, each with why.
  std::vector<std::string> relations_left_out = {};
};

}  // namespace quorvex
