#pragma once
// A database container (.dbc with its .dct memo file): the tables of an
// application's database, their fields' long names and settings, their keys,
// and the relations between them.
//
// The container is itself a Visual FoxPro table with one record per object:
// ObjectID, ParentID (the object it belongs to), ObjectType ("Database",
// "Table", "Field", "Index", "Relation", "View", "Connection"), ObjectName,
// and its Property memo (dbc_properties.h). A table's fields, indexes and
// relations have the table as their parent; a relation belongs to its child
// table. Deleted records are not read, nor objects whose parent is not a
// table; views and connections are passed over.
//
// Texts are bytes in the container's code page. Failures raise ETableError:
// the table's own (DataTable::Open), and
//   "Field %s is missing from database %s" (OBJECTID, PARENTID, OBJECTTYPE,
//     OBJECTNAME, PROPERTY), "Field %s of database %s is not of type %s",
//   a Property memo that cannot be read: its InvalidValue's message, or
//     ParseDbcProperties's.

#include <string>
#include <string_view>
#include <vector>

#include "table/file_system.h"

namespace quorvex {

struct DatabaseField {
  std::string name = {};  // the long name (up to 128 characters; the table file keeps 10)
  std::string caption = {};
  std::string comment = {};
  std::string default_value = {};    // a FoxPro expression
  std::string rule_expression = {};  // validation: a FoxPro expression that must be true
  std::string rule_text = {};        // the message when it is not (an expression too)
  std::string input_mask = {};
  std::string format = {};
};

struct DatabaseTable {
  std::string name = {};  // the table's name in the database
  std::string path = {};  // its file, relative to the database's folder, as stored ("data\cust.dbf")
  std::string comment = {};
  std::string primary_key = {};                  // a tag name; "" when none
  std::vector<std::string> candidate_keys = {};  // the other tags that are keys
  std::string rule_expression = {};
  std::string rule_text = {};
  std::string insert_trigger = {};
  std::string update_trigger = {};
  std::string delete_trigger = {};
  std::vector<DatabaseField> fields = {};  // in the container's order, normally the table's
};

// A persistent relation: each child record's child_tag key refers to the
// parent table's record of the same parent_tag key.
struct DatabaseRelation {
  std::string child_table = {};
  std::string child_tag = {};
  std::string parent_table = {};
  std::string parent_tag = {};
  // Referential integrity as the RI builder stored it (RIINFO): update,
  // delete, insert rule, each C(ascade), R(estrict) or I(gnore); "" for none.
  std::string integrity = {};
};

struct Database {
  std::string file_name = {};  // the container's normalised full name
  std::string comment = {};
  std::vector<DatabaseTable> tables = {};  // in the container's order
  std::vector<DatabaseRelation> relations = {};
};

Database ReadDatabase(FileSystem& files, std::string_view file_name);

}  // namespace quorvex
