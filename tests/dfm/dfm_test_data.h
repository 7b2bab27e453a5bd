#pragma once
// The hand-made cases beside these tests: for each NAME, NAME.objtext (the
// object text), NAME.rawdfm (its DFM text) and NAME.pas (the unit for NAME.scx).

#include <filesystem>
#include <string_view>

#include "base/text_list.h"
#include "support/golden.h"

namespace quorvex::testing {

inline std::filesystem::path Pass2DataDir() { return std::filesystem::path(__FILE__).parent_path() / "data"; }

// The lines of one data file.
inline TextList ReadDataLines(std::string_view file_name) {
  return SplitLines(ReadFileBytes(Pass2DataDir() / file_name));
}

}  // namespace quorvex::testing
