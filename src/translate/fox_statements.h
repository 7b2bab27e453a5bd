#pragma once
// FoxPro code lines as statements. A line that ends in ";" goes on in the
// next one (a comment line too: FoxPro reads "* text ;" as going on); "&&"
// starts a comment that runs to the end of the line (not inside a string);
// a line that starts with "*", "&&" or the word NOTE is a comment. The lines
// from TEXT to ENDTEXT are text, whatever they hold. Blank lines are no
// statement.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

struct FoxStatement {
  std::size_t first_line = 0;  // index of its first line
  std::size_t line_count = 1;
  // The code, lines joined (each ";" and line break becomes a blank), the
  // comment cut off, blanks trimmed; "" for a comment.
  std::string text;
  bool comment = false;
  // Between TEXT and ENDTEXT (both excluded): text, not code.
  bool text_line = false;
  // Its meaning depends on how FoxPro reads an "&&" comment that ends in ";".
  bool unclear_end = false;
};

std::vector<FoxStatement> SplitStatements(const std::vector<std::string>& lines);

// The first word of `text` (letters, digits, "_"), upper case.
std::string FirstWord(std::string_view text);

}  // namespace quorvex
