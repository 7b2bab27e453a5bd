#include "vocabulary/quoted_text.h"

namespace quorvex {

QuotedText ReadQuotedText(std::string_view value) {
  QuotedText quoted;
  for (std::size_t at = 1; at < value.size(); ++at) {
    if (value[at] != '"') {
      quoted.text += value[at];
    } else if (at + 1 < value.size() && value[at + 1] == '"') {
      quoted.text += '"';
      ++at;
    } else {
      quoted.closed = true;
      break;
    }
  }
  return quoted;
}

}  // namespace quorvex
