#include "formstream/canonical_dfm.h"

#include "formstream/canonical_parser.h"
#include "formstream/canonical_printer.h"

namespace quorvex {

std::string CanonicaliseDfmText(std::string_view text, int code_page, DfmStrings strings) {
  const DfmObject form = ParseDfmText(text);
  // The canonical text is about as long as the generated one; a little more
  // room saves the copies of a late reallocation.
  return PrintDfmText(form, code_page, text.size() + text.size() / 8, strings);
}

}  // namespace quorvex
