#include "formstream/canonical_source.h"

#include <algorithm>
#include <cstring>

namespace quorvex {

DfmSource::DfmSource(std::string_view text) : text_(text.substr(0, text.find('\0'))), count_(1), cut_segment_(1) {}

DfmSource::DfmSource(const TextList& lines) : lines_(&lines), count_(lines.size()), cut_segment_(lines.size()) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const void* nul = std::memchr(lines[i].data(), '\0', lines[i].size());
    if (nul == nullptr) continue;
    count_ = i + 1;
    cut_segment_ = i;
    cut_offset_ = static_cast<std::size_t>(static_cast<const char*>(nul) - lines[i].data());
    break;
  }
}

std::string_view DfmSource::Segment(std::size_t i) const {
  if (i >= count_) return {};
  if (lines_ == nullptr) return text_;
  const std::string_view line = (*lines_)[i];
  return i == cut_segment_ ? line.substr(0, cut_offset_) : line;
}

bool DfmSource::BreakAfter(std::size_t i) const { return lines_ != nullptr && i < count_ && i != cut_segment_; }

std::size_t DfmSource::SizeFrom(std::size_t i, std::size_t offset, std::size_t limit) const {
  std::size_t size = 0;
  for (std::size_t j = i; j < count_ && size <= limit; ++j) {
    size += Segment(j).size() - (j == i ? offset : 0) + (BreakAfter(j) ? 2 : 0);
  }
  return std::min(size, limit + 1);
}

}  // namespace quorvex
