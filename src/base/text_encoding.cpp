#include "base/text_encoding.h"

#include <algorithm>
#include <iterator>

#include "base/code_page_decoding.h"

namespace quorvex {

namespace {

// The code page marks of a table's header as Visual FoxPro assigns them.
struct Mark {
  int mark;
  int code_page;
};
constexpr Mark kMarks[] = {{0x01, 437},  {0x02, 850},  {0x03, 1252}, {0x04, 10000}, {0x13, 932},  {0x64, 852},
                           {0x65, 866},  {0x66, 865},  {0x67, 861},  {0x6A, 737},   {0x6B, 857},  {0x78, 950},
                           {0x79, 949},  {0x7A, 936},  {0x7B, 932},  {0x7C, 874},   {0x7D, 1255}, {0x7E, 1256},
                           {0xC8, 1250}, {0xC9, 1251}, {0xCA, 1254}, {0xCB, 1253},  {0xCC, 1257}};

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
  const auto found = std::find_if(std::begin(kMarks), std::end(kMarks), [&](const Mark& m) { return m.mark == mark; });
  return found == std::end(kMarks) ? 1252 : found->code_page;
}

std::u16string DecodeText(std::string_view bytes, int code_page) {
  bool ascii = true;
  for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return std::u16string(bytes.begin(), bytes.end());
  const bool known =
      std::any_of(std::begin(kMarks), std::end(kMarks), [&](const Mark& m) { return m.code_page == code_page; });
  return DecodeCodePage(bytes, known ? code_page : 1252);
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
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      AppendUtf8(out, kReplacementCharacter);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

std::string DecodeToUtf8(std::string_view bytes, int code_page) {
  const bool ascii =
      std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii ? std::string(bytes) : Utf8Text(DecodeText(bytes, code_page));
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
