#pragma once
// A form's data environment as the loadable mode reads it: the cursors it
// opens (a table or view each, under an alias; a cursor adapter counts as
// one) and the relations between them. Its records lie outside every form:
// a form set's data environment serves all of the set's forms.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_list.h"
#include "scx/form_record.h"
#include "scx/scx_object_tree.h"

namespace quorvex {

struct FoxCursor {
  std::string name;   // the cursor object's Name: "Cursor1"
  std::string alias;  // the stored Alias, else the name of the table it opens
  // Its property lines as stored, but for its Name and its box in the data
  // environment's window (Left, Top, Width, Height).
  TextList settings;
};

struct FoxRelation {
  std::string name;
  std::string parent_alias;
  std::string child_alias;
  TextList settings;  // as a cursor's
};

struct DataEnvironment {
  std::string name;  // the object's Name: "Dataenvironment"; "" when the form has none
  TextList settings;  // its own property lines, as a cursor's
  std::vector<FoxCursor> cursors;
  std::vector<FoxRelation> relations;

  // The cursor of `alias` (letter case aside), the first where two share it
  // (FoxPro cannot open the second under the alias in use), or null.
  const FoxCursor* FindCursor(std::string_view alias) const;

  // The alias a name without one stands for a field of: the only cursor's.
  // FoxPro looks such a name up in the alias selected (InitialSelectedAlias,
  // else the first cursor opened) and then among the variables; a form that
  // opens several tables names their fields with their aliases, and the
  // names it leaves bare are its variables ("fech1", "K"). "" when there is
  // not exactly one cursor.
  std::string BareNameAlias() const;
};

// A table a cursor opens, as its settings name it: CursorSource, a table's
// file ("data\customer.dbf", "customer") or, with Database set, the name of
// a table in that database (a .dbc file); and the SQL table the converted
// form asks the application's database for (CursorTableName).
struct CursorTable {
  std::string source;
  std::string database = {};
  std::string table = {};
};

// The tables the cursors of `environment` open, in their order; cursors
// that name none (cursor adapters) left out.
std::vector<CursorTable> CursorTables(const DataEnvironment& environment, int code_page);

// The SQL table a converted form opens for a cursor's CursorSource: the
// table's name without folder, extension or database, in UTF-8 and lower
// case, as the application's database names a table after its file. Where
// the database gave the table another name, the program says so (FoxData's
// NameTable).
std::string CursorTableName(std::string_view source, int code_page);

// The data environment among `records` (the tree built from them as
// BuildRecordTree does), the first where a damaged form holds more; empty
// when there is none.
DataEnvironment ReadDataEnvironment(const std::vector<FormRecord>& records, const ScxObjectTree& tree);

// The alias FoxPro opens a table under when given none: its name without
// the folder, the extension or the database ("data\customer.dbf",
// "sales!customer" give "customer").
std::string TableAlias(std::string_view source);

// A character value as a record stores it: in double quotes or bare.
std::string StoredText(std::string_view value);

// The value of the last of `lines` that sets `property` (letter case aside),
// trimmed of blanks, or nullopt.
std::optional<std::string> StoredValue(const TextList& lines, std::string_view property);

}  // namespace quorvex
