#pragma once
// Text lists: the object text, the DFM text and the unit text are ordered lists
// of 8-bit lines. A list is shown and saved with CR LF after every entry.

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

using TextList = std::vector<std::string>;

// Every entry followed by CR LF, bytes unchanged.
std::string JoinLines(const TextList& lines);

// Splits at CR LF, a lone CR or a lone LF; a break at the very end adds no
// empty line, and the empty text gives no lines.
TextList SplitLines(std::string_view text);

}  // namespace quorvex
