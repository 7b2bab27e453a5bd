#include "catalog/grouped_table.h"

namespace quorvex {

std::pair<std::string_view, std::string_view> FirstWord(std::string_view text) {
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  return {text.substr(0, end), TrimBlanks(text.substr(end))};
}

}  // namespace quorvex
