#pragma once
// A Windows code page decoded into UTF-16 by the platform's own converter:
// iconv on POSIX systems (code_page_decoding_posix.cpp), MultiByteToWideChar
// on Windows (code_page_decoding_windows.cpp). The two give the same text for
// the code pages Visual FoxPro marks tables with.

#include <string>
#include <string_view>

namespace quorvex {

inline constexpr char16_t kReplacementCharacter = 0xFFFD;

// `bytes` decoded from `code_page`, which is one of the code pages of
// CodePageOfMark. A byte sequence that is not a character of the code page
// becomes U+FFFD, and decoding goes on after its first byte.
std::u16string DecodeCodePage(std::string_view bytes, int code_page);

}  // namespace quorvex
