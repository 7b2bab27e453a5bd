#pragma once
// Visual FoxPro's quoted texts in property values: "Form1", "say ""hi""".

#include <string>
#include <string_view>

namespace quorvex {

struct QuotedText {
  std::string text;     // between the quotes, each doubled quote as one
  bool closed = false;  // a lone quote ended it (what follows is not read)
};

// Reads the quoted text that `value` opens with its first byte (a double
// quote): up to the first lone double quote, or to the end of `value` when
// none closes it.
QuotedText ReadQuotedText(std::string_view value);

}  // namespace quorvex
