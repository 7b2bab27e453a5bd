#include "base/text_list.h"

namespace quorvex {

std::size_t JoinedSize(const TextList& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  return size;
}

std::string JoinLines(const TextList& lines) {
  std::string text;
  text.reserve(JoinedSize(lines));
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

TextList SplitLines(std::string_view text) {
  TextList lines;
  ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

}  // namespace quorvex
