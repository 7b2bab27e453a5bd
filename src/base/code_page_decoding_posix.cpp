#include <iconv.h>

#include <cerrno>

#include "base/code_page_decoding.h"

namespace quorvex {

namespace {

std::string IconvName(int code_page) {
  if (code_page == 10000) return "MACINTOSH";
  return "CP" + std::to_string(code_page);
}

void AppendUnits(std::u16string& text, const char* begin, const char* end) {
  for (const char* at = begin; at + 1 < end; at += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(at[0]) | (static_cast<unsigned char>(at[1]) << 8));
  }
}

// glibc's decoder of CP949 (UHC) reports A2 E8, a pair no character has, as
// not a character after stepping past it, where every other failure leaves
// the input at the sequence that failed. `consumed` is what one call of iconv
// read: it starts at a character, and E8 is never a character alone, so a
// read that ends in A2 E8 ended with that pair.
bool SteppedPastFailure(int code_page, std::string_view consumed) {
  return code_page == 949 && consumed.ends_with("\xA2\xE8");
}

// One iconv conversion descriptor, closed when done.
class Converter {
 public:
  explicit Converter(int code_page) : code_page_(code_page) {
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
      const char* const call_start = in_at;
      const std::size_t done = iconv(handle_, &in_at, &in_left, &out_at, &out_left);
      AppendUnits(text, out.data(), out_at);
      if (done != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      if (SteppedPastFailure(code_page_, std::string_view(call_start, static_cast<std::size_t>(in_at - call_start)))) {
        in_at -= 2;
        in_left += 2;
      }
      // EILSEQ or EINVAL (a character cut off at the end): what the decoder
      // holds is handed over, one byte is lost to a replacement character,
      // and the state starts afresh.
      Flush(text, out);
      text += kReplacementCharacter;
      ++in_at;
      --in_left;
    }
    Flush(text, out);
    return text;
  }

 private:
  static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }

  // Hands over what a stateful decoder holds and starts its state afresh:
  // glibc's CP1255 holds a letter back until it knows that no combining mark
  // follows, which only the next character or the end of the text tells.
  void Flush(std::u16string& text, std::string& out) {
    char* out_at = out.data();
    std::size_t out_left = out.size();
    iconv(handle_, nullptr, nullptr, &out_at, &out_left);
    AppendUnits(text, out.data(), out_at);
  }

  int code_page_;
  iconv_t handle_;
};

}  // namespace

std::u16string DecodeCodePage(std::string_view bytes, int code_page) {
  Converter converter(code_page);
  if (code_page != 1255) return converter.Decode(bytes);
  // glibc's CP1255 joins a letter and its points into one precomposed
  // character (U+05D0 U+05B7 into U+FB2E), which Windows does not: each byte
  // of this single-byte code page is decoded alone.
  std::u16string text;
  for (std::size_t at = 0; at < bytes.size(); ++at) text += converter.Decode(bytes.substr(at, 1));
  return text;
}

}  // namespace quorvex
