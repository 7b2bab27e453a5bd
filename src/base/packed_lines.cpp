#include "base/packed_lines.h"

#include <limits>
#include <stdexcept>

namespace quorvex {

PackedLines::PackedLines(TextList&& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size();
  if (size > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("PackedLines: 4 GiB of text or more");
  bytes_.reserve(size);
  ends_.reserve(lines.size());
  for (std::string& line : lines) {
    bytes_ += line;
    ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
    std::string().swap(line);
  }
  TextList().swap(lines);
}

void PackedLines::emplace_back(std::string_view line) {
  if (line.size() > std::numeric_limits<std::uint32_t>::max() - bytes_.size()) {
    throw std::length_error("PackedLines: 4 GiB of text or more");
  }
  bytes_ += line;
  ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
}

void PackedLines::ShrinkToFit() {
  bytes_.shrink_to_fit();
  ends_.shrink_to_fit();
}

TextList PackedLines::ToList() const {
  TextList lines;
  lines.reserve(size());
  for (std::size_t i = 0; i < size(); ++i) lines.emplace_back((*this)[i]);
  return lines;
}

}  // namespace quorvex
