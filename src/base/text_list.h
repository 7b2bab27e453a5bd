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

// The size of JoinLines(lines), without joining them.
std::size_t JoinedSize(const TextList& lines);

// Splits at CR LF, a lone CR or a lone LF; a break at the very end adds no
// empty line, and the empty text gives no lines.
TextList SplitLines(std::string_view text);

// Calls each(line) for every line of `text` as SplitLines cuts it, each line a
// view into `text`: for readers that only look at the lines.
template <typename Each>
void ForEachLine(std::string_view text, Each&& each) {
  const char* const data = text.data();
  const std::size_t size = text.size();
  std::size_t start = 0;
  while (start < size) {
    std::size_t end = start;
    while (end < size && data[end] != '\r' && data[end] != '\n') ++end;
    each(text.substr(start, end - start));
    if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

}  // namespace quorvex
