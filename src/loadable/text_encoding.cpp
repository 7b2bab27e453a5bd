#include "loadable/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <map>

namespace quorvex {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

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
  return Converter(code_page).Decode(bytes);
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
