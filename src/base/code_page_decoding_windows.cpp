#include <windows.h>

#include <algorithm>
#include <iterator>

#include "base/code_page_decoding.h"

namespace quorvex {

namespace {

// Windows' tables give a character to some bytes that iconv (which decodes on
// other systems) reads as none of the code page: undefined single bytes become
// C1 controls, and the user-defined double-byte areas private-use characters.
// Those are no character here either, so that a form's text is the same on
// every system; but for the private-use areas that iconv reads too.
bool IconvReadsAsCharacter(int code_page, wchar_t unit) {
  const bool c1 = unit >= 0x80 && unit <= 0x9F;
  const bool private_use = unit >= 0xE000 && unit <= 0xF8FF;
  if (!c1 && !private_use) return true;
  if (code_page == 932) return unit >= 0xE000 && unit <= 0xE757;                    // F040 to F9FC
  if (code_page == 950) return unit == 0x80 || (unit >= 0xF6B1 && unit <= 0xF848);  // C6A1 to C8FE
  return false;
}

// The single bytes that the two read as different characters.
struct IconvReading {
  int code_page;
  unsigned char byte;
  char16_t unit;
};
constexpr IconvReading kIconvReadings[] = {
    {10000, 0xBD, 0x03A9}, {10000, 0xC6, 0x0394}, {10000, 0xF0, 0xE01E}, {1255, 0xCA, kReplacementCharacter}};

const IconvReading* IconvReadingOf(int code_page, unsigned char byte) {
  const auto found = std::find_if(std::begin(kIconvReadings), std::end(kIconvReadings),
                                  [&](const IconvReading& r) { return r.code_page == code_page && r.byte == byte; });
  return found == std::end(kIconvReadings) ? nullptr : found;
}

}  // namespace

// One character at a time, so that a byte sequence that is not a character of
// the code page becomes U+FFFD and decoding goes on after its first byte, as
// with iconv; MultiByteToWideChar would drop or replace the whole sequence.
std::u16string DecodeCodePage(std::string_view bytes, int code_page) {
  const auto page = static_cast<UINT>(code_page);
  std::u16string text;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (const IconvReading* reading = IconvReadingOf(code_page, byte)) {
      text += reading->unit;
      ++at;
      continue;
    }
    const bool lead = IsDBCSLeadByteEx(page, byte);
    const std::size_t length = lead && at + 1 < bytes.size() ? 2 : 1;
    wchar_t units[2];
    const int count =
        MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data() + at, static_cast<int>(length), units, 2);
    if (count <= 0 || (lead && length == 1) || !IconvReadsAsCharacter(code_page, units[0])) {
      text += kReplacementCharacter;
      ++at;
      continue;
    }
    text.append(units, units + count);
    at += length;
  }
  return text;
}

}  // namespace quorvex
