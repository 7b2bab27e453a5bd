#pragma once
// Lines kept in one buffer: the same lines as a TextList in far less room, as
// there is no string object and no allocation per line. For a list that is
// only read once it is complete, such as a large form's object text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_list.h"

namespace quorvex {

class PackedLines {
 public:
  PackedLines() = default;
  // Takes the lines over and leaves `lines` empty, releasing each line once
  // it is packed, so that the list and the buffer are never both held whole.
  // Throws std::length_error for lines of 4 GiB or more in all.
  explicit PackedLines(TextList&& lines);

  // Adds a line at the end. Throws std::length_error once the lines reach
  // 4 GiB in all.
  void emplace_back(std::string_view line);
  // Gives back the room that growing line by line left unused.
  void ShrinkToFit();

  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  // Line i, a view valid while this object lives unchanged.
  std::string_view operator[](std::size_t i) const {
    const std::size_t start = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(start, ends_[i] - start);
  }

  // The lines as a list again, byte for byte.
  TextList ToList() const;

 private:
  std::string bytes_;               // the lines one after the other
  std::vector<std::uint32_t> ends_;  // where each line ends in bytes_
};

}  // namespace quorvex
