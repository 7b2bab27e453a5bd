#pragma once
// Text as characters: a form's 8-bit strings decoded from its code page, and
// written back as a form reader expects them (printable ASCII as it is, every
// other character as a #code of its Unicode value) or as UTF-8 for a unit.

#include <string>
#include <string_view>

namespace quorvex {

// The Windows code page of a table's code page mark (header byte 29), as
// Visual FoxPro assigns them; 1252 for 0 and for marks it does not know.
int CodePageOfMark(int mark);

// `bytes` decoded from Windows code page `code_page` into UTF-16 by the
// platform's converter (code_page_decoding.h), the same text on every system.
// A byte sequence that is not a character of the code page becomes U+FFFD and
// decoding goes on after its first byte; a code page that CodePageOfMark
// never gives is read as 1252.
std::u16string DecodeText(std::string_view bytes, int code_page);

// `text` as a DFM string: runs of printable ASCII (32 to 126, apostrophes
// doubled) in apostrophes, every other UTF-16 unit as # and its decimal
// value; '' for the empty text.
std::string DfmStringLiteral(std::u16string_view text);

// `text` in UTF-8 (an unpaired surrogate becomes U+FFFD).
std::string Utf8Text(std::u16string_view text);

// `bytes` of code page `code_page` in UTF-8: Utf8Text(DecodeText(...)),
// without the detour for the ASCII text most of a form holds.
std::string DecodeToUtf8(std::string_view bytes, int code_page);

// The bytes that a DFM string literal as the conversion writes it stands for:
// 'It''s' gives It's. Whatever follows the closing apostrophe is ignored.
std::string DfmLiteralBytes(std::string_view literal);

}  // namespace quorvex
