#pragma once
// How the loadable mode carries a FoxPro setting, per Delphi class, where the
// vocabulary gives it no place or not the right one for the class. The table
// is the data file setting_rules.txt (layout in that file), compiled into the
// program.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalog/grouped_table.h"

namespace quorvex {

struct SettingRule {
  enum class Kind {
    kProperty,   // becomes `dfm_property`
    kKept,       // no counterpart: kept as a comment
    kComponent,  // carried by a rule of the component as a whole
    kDelphiLook,  // the values listed look as Delphi's control always does
    kRuntime,     // the values listed are made by a procedure of FoxRuntime
  };
  Kind kind = Kind::kKept;
  std::string dfm_property;  // for kRuntime the procedure of FoxRuntime
  // FoxPro value -> DFM value; empty: the value converts by its own form.
  // For kDelphiLook and kRuntime the FoxPro values alone.
  std::vector<std::pair<std::string, std::string>> values;
  std::string converter;  // "@anchors" ..., or ""
};

// Find(delphi_class, property) gives the rule for a FoxPro property on a
// Delphi class, or null when the table has none.
class SettingRules : public LookupTable<SettingRule> {
 public:
  // The table compiled into the program, read on first use (thread-safe).
  static const SettingRules& Shared();

  // Reads a table in the data file's layout. Throws Exception("Setting
  // rules, line N: ...") for a line it cannot read.
  explicit SettingRules(std::string_view table_text);
};

}  // namespace quorvex
