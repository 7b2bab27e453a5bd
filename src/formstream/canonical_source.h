#pragma once
// The form text a canonicalisation reads: one text as it stands, or a list of
// lines read as JoinLines would join them (every line followed by CR LF)
// without joining them, so that a large DFM text is never held twice. Either
// way the text ends at its first NUL byte.
//
// The text is handed out in segments: the one text, or one segment per line,
// each followed by a CR LF that is not stored. No token spans two segments,
// as the CR LF between them separates tokens.

#include <cstddef>
#include <string_view>

#include "base/text_list.h"

namespace quorvex {

class DfmSource {
 public:
  // The text, or the lines, must outlive the source.
  explicit DfmSource(std::string_view text);
  explicit DfmSource(const TextList& lines);

  // Segment i (0 <= i < Count()) as far as the text reaches; "" beyond.
  std::string_view Segment(std::size_t i) const;
  // Whether a CR LF follows segment i in the text.
  bool BreakAfter(std::size_t i) const;
  std::size_t Count() const { return count_; }

  // The bytes of the text from `offset` in segment i to its end, counted up to
  // one more than `limit` (so a long rest costs no more than a short one).
  std::size_t SizeFrom(std::size_t i, std::size_t offset, std::size_t limit) const;

  // The size of the whole text: a good guess of the canonical text's size.
  std::size_t TotalSize() const { return SizeFrom(0, 0, static_cast<std::size_t>(-2)); }

 private:
  std::string_view text_;
  const TextList* lines_ = nullptr;
  std::size_t count_ = 0;        // segments up to the one the text ends in
  std::size_t cut_segment_ = 0;  // the segment that holds the first NUL, or count_
  std::size_t cut_offset_ = 0;   // where in it
};

}  // namespace quorvex
