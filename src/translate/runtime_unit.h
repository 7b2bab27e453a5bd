#pragma once
// FoxRuntime, the Pascal unit that translated code calls (runtime/FoxRuntime.pas,
// compiled into the program): written once into each output
// folder that holds a unit using it.

#include <string_view>

#include "base/text_list.h"

namespace quorvex {

inline constexpr std::string_view kFoxRuntimeUnit = "FoxRuntime";

// The unit's lines.
TextList FoxRuntimeUnit();

// FoxData (runtime/FoxData.pas), the unit through which converted forms open
// their tables in the application's database, written like FoxRuntime
// beside the units that use it.
inline constexpr std::string_view kFoxDataUnit = "FoxData";
TextList FoxDataUnit();

}  // namespace quorvex
