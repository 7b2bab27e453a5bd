#pragma once
// Splits form text into tokens, one at a time and only as far as the parser
// asks: bytes 1 to 32 separate tokens (line feeds are counted for error
// lines), a NUL byte ends the text, and a line longer than the reader's
// 4096-byte window is an error once the reader reaches it. Token texts are
// views into the source, valid as long as it is.

#include <cstdint>
#include <string>
#include <string_view>

#include "formstream/canonical_source.h"
#include "formstream/canonical_tree.h"

namespace quorvex {

enum class DfmTokenKind {
  kEnd,         // end of the text
  kSymbol,      // any other single byte
  kIdentifier,  // ASCII letter or "_", then letters, digits and "_"
  kString,      // quoted pieces and #codes, all codes below 256
  kWideString,  // the same with at least one code of 256 or more
  kInteger,     // "$" hex digits, or "-"/digit and digits
  kFloat,       // a number followed by + - . digits E e, or a suffix s c d
};

class DfmTokenizer {
 public:
  // The source must outlive the tokenizer. Reads the first token; throws
  // EParserError as Next does.
  explicit DfmTokenizer(const DfmSource& source);

  // Reads the next token. Throws EParserError "Invalid string constant" (a
  // quoted piece meeting a line break or the end, "#" without digits or with a
  // code above 65535) and "Line too long".
  void Next();

  DfmTokenKind kind() const { return kind_; }
  // The token as written: identifier, symbol, or a number without its suffix.
  std::string_view text() const { return text_; }
  // Line of the current token, counted from 1.
  int line() const { return token_line_; }

  bool IsSymbol(char symbol) const { return kind_ == DfmTokenKind::kSymbol && text_[0] == symbol; }
  // An identifier equal to `word` without regard to ASCII case.
  bool IsKeyword(std::string_view word) const;

  // The decoded bytes of a kString token, the characters of a kWideString.
  const std::string& string_value() const { return bytes_; }
  const std::u16string& wide_value() const { return wide_; }

  // The value of a kInteger token; "'<text>' is not a valid integer value"
  // when it does not convert.
  std::int64_t IntegerValue() const;
  // The value of a kInteger or kFloat token and its suffix;
  // "'<text>' is not a valid floating point value" when it does not convert.
  DfmFloat FloatValue() const;

  // With the current token "{": the bytes written as pairs of hex digits up
  // to "}" (blanks and line breaks allowed between pairs), then reads the
  // token after "}". Throws "Invalid binary value" on any other byte. The
  // view is valid until the next ReadBinary.
  std::string_view ReadBinary();

  // Throws EParserError "<fault> on line <n>" for the current token's line.
  [[noreturn]] void Fail(std::string_view fault) const;

 private:
  [[noreturn]] void FailAt(std::string_view fault, int line) const;
  void SkipBlanks();
  // At the start of a line: fails when the line does not fit the window.
  void CheckLineLength() const;
  void EnterSegment(std::size_t segment);
  void ReadIdentifier();
  void ReadString();
  void ReadCharacterCode();
  void ReadQuotedPiece();
  void AppendCode(char32_t code);
  void ReadNumber();

  const DfmSource& source_;
  std::size_t segment_ = 0;
  std::string_view text_of_segment_;
  std::size_t pos_ = 0;  // in text_of_segment_
  int line_ = 1;

  DfmTokenKind kind_ = DfmTokenKind::kEnd;
  std::string_view text_;
  int token_line_ = 1;
  DfmFloatKind float_kind_ = DfmFloatKind::kPlain;
  std::string bytes_;
  std::u16string wide_;
  std::string binary_;
};

}  // namespace quorvex
