#pragma once
// FoxPro's own defaults per base class: the value an object has for a
// property its record does not store. The table is the data file
// fox_defaults.txt (in the layout of grouped_table.h, each row
// "Property = value" with the value as a record stores it), compiled into
// the program.

#include <string>
#include <string_view>

#include "catalog/grouped_table.h"

namespace quorvex {

class FoxDefaults {
 public:
  // Property name -> value as a record stores it ("Arial" in quotes, 9, .F.,
  // 0,0,0), or the Delphi name of a system color (clBtnFace).
  using Rows = TableGroup<std::string>;

  // The table compiled into the program, read on first use (thread-safe).
  static const FoxDefaults& Shared();

  // Reads a table in the data file's layout. Throws Exception("FoxPro
  // defaults, line N: ...") for a line it cannot read.
  explicit FoxDefaults(std::string_view table_text);

  // The defaults of FoxPro base class `base_class` (letter case aside), or
  // null for a class the table does not list.
  const Rows* Find(std::string_view base_class) const;

 private:
  GroupedTable<std::string> groups_;
};

}  // namespace quorvex
