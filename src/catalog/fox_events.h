#pragma once
// FoxPro's events and the Delphi events that carry them, per kind of object.
// The table is the data file fox_events.txt (layout in that file), compiled
// into the program.

#include <string>
#include <string_view>

#include "catalog/grouped_table.h"

namespace quorvex {

// The Delphi event a FoxPro event becomes, and its place among the FoxPro
// events that meet in that Delphi event (1 fires first).
struct EventRoute {
  std::string delphi_event;
  int place = 1;
};

// The kinds of object the table has groups for.
inline constexpr std::string_view kFormEvents = "form";
inline constexpr std::string_view kPageEvents = "page";
inline constexpr std::string_view kControlEvents = "control";

// Find(kind, fox_event) gives the route of a FoxPro event of an object of
// that kind, or null when it has none.
class FoxEvents : public LookupTable<EventRoute> {
 public:
  // The table compiled into the program, read on first use (thread-safe).
  static const FoxEvents& Shared();

  // Reads a table in the data file's layout. Throws Exception("FoxPro
  // events, line N: ...") for a line it cannot read.
  explicit FoxEvents(std::string_view table_text);
};

}  // namespace quorvex
