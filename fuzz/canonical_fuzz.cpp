// Fuzz target: any bytes either canonicalise or fail with EParserError, their
// lines read without joining them give the same result or fault, and
// canonical text canonicalises to itself. The first byte picks the code page
// (single-byte, or one of the double-byte pages with their lead-byte ranges).
// Canonical text canonicalises to itself except where a line grows past the
// reader's window or a wide string's first cut line is all 8-bit
// (IsWideStringContinuation).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text_list.h"
#include "formstream/canonical_dfm.h"
#include "fuzz_conversions.h"

namespace {

constexpr int kCodePages[] = {0, 932, 936, 949, 950};

// The reader's window: printing may join what stood on several lines (a long
// set, a dotted name) into one line too long to read again.
bool HasLineLongerThanWindow(std::string_view text) {
  constexpr std::size_t kWindow = 4096;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::size_t length = (end == std::string_view::npos ? text.size() : end + 1) - start;
    if (length > kWindow) return true;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return false;
}

template <typename Text>
std::string Outcome(const Text& text, int code_page) {
  try {
    return quorvex::CanonicaliseDfmText(text, code_page);
  } catch (const quorvex::EParserError& error) {
    return std::string("fault: ") + error.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int code_page = kCodePages[data[0] % std::size(kCodePages)];
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const quorvex::TextList lines = quorvex::SplitLines(text);
  if (Outcome(lines, code_page) != Outcome(quorvex::JoinLines(lines), code_page)) std::abort();
  std::string canonical;
  try {
    canonical = quorvex::CanonicaliseDfmText(text, code_page);
  } catch (const quorvex::EParserError&) {
    return 0;
  }
  try {
    if (quorvex::CanonicaliseDfmText(canonical, code_page) != canonical) std::abort();
  } catch (const quorvex::EParserError& error) {
    if (!HasLineLongerThanWindow(canonical) && !quorvex::IsWideStringContinuation(canonical, error.what())) std::abort();
  }
  return 0;
}
