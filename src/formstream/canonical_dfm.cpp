#include "formstream/canonical_dfm.h"

#include "formstream/canonical_parser.h"
#include "formstream/canonical_printer.h"

namespace quorvex {

namespace {

// Printed as it is parsed, into one buffer: the canonical text is about as
// long as the generated one, and a little more room saves the copies of a
// late reallocation.
std::string Canonicalise(const DfmSource& source, int code_page, DfmStrings strings) {
  const std::size_t size = source.TotalSize();
  DfmPrinter printer(code_page, strings, size + size / 8);
  ParseDfm(source, printer);
  return printer.Take();
}

}  // namespace

std::string CanonicaliseDfmText(std::string_view text, int code_page, DfmStrings strings) {
  return Canonicalise(DfmSource(text), code_page, strings);
}

std::string CanonicaliseDfmText(const TextList& lines, int code_page, DfmStrings strings) {
  return Canonicalise(DfmSource(lines), code_page, strings);
}

}  // namespace quorvex
