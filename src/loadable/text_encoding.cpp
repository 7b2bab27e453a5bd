#include "loadable/text_encoding.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <iterator>
#else
#include <iconv.h>

#include <cerrno>
#endif
#include <map>

namespace quorvex {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

#ifdef _WIN32
// Windows' tables give a character to some bytes that iconv (which decodes on
// other systems) reads as none of the code page: undefined single bytes become
// C1 controls, and the user-defined double-byte areas private-use characters.
// Those are no character here either, so that a form's text is the same on
// every system; but for the private-use areas that iconv reads too.
bool IconvReadsAsCharacter(int code_page, wchar_t unit) {
  const bool c1 = unit >= 0x80 && unit <= 0x9F;
  const bool private_use = unit >= 0xE000 && unit <= 0xF8FF;
  if (!c1 && !private_use) return true;
  if (code_page == 932) return unit >= 0xE000 && unit <= 0xE757;                 // F040 to F9FC
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
    {10000, 0xBD, 0x03A9}, {10000, 0xC6, 0x0394}, {10000, 0xF0, 0xE01E}, {1255, 0xCA, kReplacement}};

// Windows has no iconv: MultiByteToWideChar decodes, one character at a time,
// so that a byte sequence that is not a character of the code page becomes
// U+FFFD and decoding goes on after its first byte, as with iconv.
std::u16string DecodeBytes(std::string_view bytes, int code_page) {
  if (!IsValidCodePage(static_cast<UINT>(code_page))) code_page = 1252;
  std::u16string text;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    const auto reading = std::find_if(std::begin(kIconvReadings), std::end(kIconvReadings),
                                      [&](const IconvReading& r) { return r.code_page == code_page && r.byte == byte; });
    if (reading != std::end(kIconvReadings)) {
      text += reading->unit;
      ++at;
      continue;
    }
    const bool lead = IsDBCSLeadByteEx(static_cast<UINT>(code_page), byte);
    const std::size_t length = lead && at + 1 < bytes.size() ? 2 : 1;
    wchar_t units[2];
    const int count = MultiByteToWideChar(static_cast<UINT>(code_page), MB_ERR_INVALID_CHARS, bytes.data() + at,
                                          static_cast<int>(length), units, 2);
    if (count <= 0 || (lead && length == 1) || !IconvReadsAsCharacter(code_page, units[0])) {
      text += kReplacement;
      ++at;
      continue;
    }
    text.append(units, units + count);
    at += length;
  }
  return text;
}
#else
// One iconv conversion descriptor, closed when done.
class Converter {
 public:
  explicit Converter(int code_page) {
    handle_ = iconv_open("UTF-16LE", IconvName(code_page).c_str());
    if (handle_ == Invalid()) handle_ = iconv_open("UTF-16LE", "CP1252");
  }
  ~Converter() {
    if (handle_ != Invalid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::u16string Decode(std::string_view bytes) {
    std::u16string text;
    if (handle_ == Invalid()) return std::u16string(bytes.begin(), bytes.end());
    std::string in(bytes);
    char* in_at = in.data();
    std::size_t in_left = in.size();
    std::string out(in.size() * 4 + 8, '\0');
    while (in_left > 0) {
      char* out_at = out.data();
      std::size_t out_left = out.size();
      const std::size_t done = iconv(handle_, &in_at, &in_left, &out_at, &out_left);
      AppendUnits(text, out.data(), out_at);
      if (done != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a character cut off at the end): one byte is lost
      // to a replacement character, and the state starts afresh.
      text += kReplacement;
      ++in_at;
      --in_left;
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }
    return text;
  }

 private:
  static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }

  static std::string IconvName(int code_page) {
    if (code_page == 10000) return "MACINTOSH";
    return "CP" + std::to_string(code_page);
  }

  static void AppendUnits(std::u16string& text, const char* begin, const char* end) {
    for (const char* at = begin; at + 1 < end; at += 2) {
      text += static_cast<char16_t>(static_cast<unsigned char>(at[0]) | (static_cast<unsigned char>(at[1]) << 8));
    }
  }

  iconv_t handle_;
};

std::u16string DecodeBytes(std::string_view bytes, int code_page) { return Converter(code_page).Decode(bytes); }
#endif

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

int CodePageOfMark(int mark) {
  static const std::map<int, int> kMarks = {
      {0x01, 437},  {0x02, 850},  {0x03, 1252}, {0x04, 10000}, {0x13, 932},  {0x64, 852},  {0x65, 866},
      {0x66, 865},  {0x67, 861},  {0x6A, 737},  {0x6B, 857},   {0x78, 950},  {0x79, 949},  {0x7A, 936},
      {0x7B, 932},  {0x7C, 874},  {0x7D, 1255}, {0x7E, 1256},  {0xC8, 1250}, {0xC9, 1251}, {0xCA, 1254},
      {0xCB, 1253}, {0xCC, 1257}};
  const auto found = kMarks.find(mark);
  return found == kMarks.end() ? 1252 : found->second;
}

std::u16string DecodeText(std::string_view bytes, int code_page) {
  bool ascii = true;
  for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return std::u16string(bytes.begin(), bytes.end());
  return DecodeBytes(bytes, code_page);
}

std::string DfmStringLiteral(std::u16string_view text) {
  if (text.empty()) return "''";
  std::string literal;
  bool quoted = false;
  for (const char16_t c : text) {
    const bool printable = c >= 32 && c <= 126;
    if (printable != quoted) literal += '\'';
    quoted = printable;
    if (printable) {
      literal += static_cast<char>(c);
      if (c == '\'') literal += '\'';
    } else {
      literal += '#';
      literal += std::to_string(static_cast<unsigned>(c));
    }
  }
  if (quoted) literal += '\'';
  return literal;
}

std::string Utf8Text(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

std::string DfmLiteralBytes(std::string_view literal) {
  std::string bytes;
  if (literal.empty() || literal.front() != '\'') return bytes;
  for (std::size_t i = 1; i < literal.size(); ++i) {
    if (literal[i] != '\'') {
      bytes += literal[i];
    } else if (i + 1 < literal.size() && literal[i + 1] == '\'') {
      bytes += '\'';
      ++i;
    } else {
      break;
    }
  }
  return bytes;
}

}  // namespace quorvex
