#pragma once
// Helpers for the canonical text tests: wrap one value or a few properties in
// a form, canonicalise, and cut out what the test looks at.

#include <string>
#include <string_view>

#include "formstream/canonical_dfm.h"

namespace quorvex::testing {

// "object Form1: TForm1" CR LF, the body as given, "end" CR LF.
inline std::string FormWith(std::string_view body) {
  return "object Form1: TForm1\r\n" + std::string(body) + "end\r\n";
}

// The canonical text of a property "P = <value>" from after "P = " up to the
// CR LF that ends the property (inner line breaks kept).
inline std::string CanonicalValue(std::string_view value, int code_page = 0) {
  const std::string text = CanonicaliseDfmText(FormWith("  P = " + std::string(value) + "\r\n"), code_page);
  const std::string_view printed(text);
  const std::size_t start = printed.find("  P = ") + 6;
  const std::size_t end = printed.rfind("\r\nend\r\n");
  return std::string(printed.substr(start, end - start));
}

// The message of the parse failure of `text`, or "parsed" when it parses.
inline std::string ParseFailure(std::string_view text) {
  try {
    CanonicaliseDfmText(text);
  } catch (const EParserError& error) {
    return error.what();
  }
  return "parsed";
}

}  // namespace quorvex::testing
