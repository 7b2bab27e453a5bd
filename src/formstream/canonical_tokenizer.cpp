#include "formstream/canonical_tokenizer.h"

#include <algorithm>
#include <cstring>

#include "formstream/canonical_dfm.h"
#include "formstream/canonical_number.h"
#include "base/ascii.h"

namespace quorvex {

namespace {

// The original reader holds this many bytes of text at a time and needs a
// whole line, line feed included, to fit.
constexpr std::size_t kReadWindow = 4096;
constexpr char32_t kMaxCharacterCode = 0xFFFF;
constexpr char32_t kFirstWideCode = 0x100;

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
constexpr bool IsIdentifierChar(char c) { return IsLetter(c) || IsDigit(c); }
// What may follow the digits of a number and makes it floating-point.
constexpr bool IsFloatRunChar(char c) { return IsDigit(c) || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-'; }

constexpr int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

DfmFloatKind FloatSuffix(char c) {
  switch (c) {
    case 's':
    case 'S':
      return DfmFloatKind::kSingle;
    case 'c':
    case 'C':
      return DfmFloatKind::kCurrency;
    case 'd':
    case 'D':
      return DfmFloatKind::kDate;
    default:
      return DfmFloatKind::kPlain;
  }
}

}  // namespace

DfmTokenizer::DfmTokenizer(const DfmSource& source) : source_(source) {
  EnterSegment(0);
  CheckLineLength();
  Next();
}

bool DfmTokenizer::IsKeyword(std::string_view word) const {
  return kind_ == DfmTokenKind::kIdentifier && SameText(text_, word);
}

void DfmTokenizer::Fail(std::string_view fault) const { FailAt(fault, token_line_); }

void DfmTokenizer::FailAt(std::string_view fault, int line) const {
  std::string message(fault);
  message += " on line ";
  message += std::to_string(line);
  throw EParserError(message);
}

void DfmTokenizer::EnterSegment(std::size_t segment) {
  segment_ = segment;
  text_of_segment_ = source_.Segment(segment);
  pos_ = 0;
}

// The line starting at pos_ fits when its line feed lies within the window:
// one inside the segment, or the one of the CR LF after it; or when the rest
// of the text fits the window whole.
void DfmTokenizer::CheckLineLength() const {
  const std::string_view rest = text_of_segment_.substr(pos_);
  if (rest.size() + 1 < kReadWindow && source_.BreakAfter(segment_)) return;
  if (!rest.empty() && std::memchr(rest.data(), '\n', std::min(rest.size(), kReadWindow)) != nullptr) return;
  if (source_.SizeFrom(segment_, pos_, kReadWindow) <= kReadWindow) return;
  FailAt("Line too long", line_);
}

void DfmTokenizer::SkipBlanks() {
  while (true) {
    while (pos_ < text_of_segment_.size()) {
      const char c = text_of_segment_[pos_];
      if (!IsBlank(c)) return;
      ++pos_;
      if (c == '\n') {
        ++line_;
        CheckLineLength();
      }
    }
    if (!source_.BreakAfter(segment_)) return;  // the end of the text
    // The CR LF after the segment, then the next segment.
    ++line_;
    EnterSegment(segment_ + 1);
    CheckLineLength();
  }
}

void DfmTokenizer::Next() {
  SkipBlanks();
  token_line_ = line_;
  float_kind_ = DfmFloatKind::kPlain;
  if (pos_ == text_of_segment_.size()) {
    kind_ = DfmTokenKind::kEnd;
    text_ = {};
    return;
  }
  const char c = text_of_segment_[pos_];
  if (IsLetter(c)) {
    ReadIdentifier();
  } else if (c == '\'' || c == '#') {
    ReadString();
  } else if (c == '$') {
    const std::size_t start = pos_++;
    while (pos_ < text_of_segment_.size() && HexValue(text_of_segment_[pos_]) >= 0) ++pos_;
    kind_ = DfmTokenKind::kInteger;
    text_ = text_of_segment_.substr(start, pos_ - start);
  } else if (c == '-' || IsDigit(c)) {
    ReadNumber();
  } else {
    kind_ = DfmTokenKind::kSymbol;
    text_ = text_of_segment_.substr(pos_++, 1);
  }
}

void DfmTokenizer::ReadIdentifier() {
  const std::size_t start = pos_++;
  while (pos_ < text_of_segment_.size() && IsIdentifierChar(text_of_segment_[pos_])) ++pos_;
  kind_ = DfmTokenKind::kIdentifier;
  text_ = text_of_segment_.substr(start, pos_ - start);
}

void DfmTokenizer::ReadNumber() {
  const std::size_t start = pos_++;
  while (pos_ < text_of_segment_.size() && IsDigit(text_of_segment_[pos_])) ++pos_;
  kind_ = DfmTokenKind::kInteger;
  while (pos_ < text_of_segment_.size() && IsFloatRunChar(text_of_segment_[pos_])) {
    ++pos_;
    kind_ = DfmTokenKind::kFloat;
  }
  text_ = text_of_segment_.substr(start, pos_ - start);
  if (pos_ < text_of_segment_.size()) {
    float_kind_ = FloatSuffix(text_of_segment_[pos_]);
    if (float_kind_ != DfmFloatKind::kPlain) {
      kind_ = DfmTokenKind::kFloat;
      ++pos_;
    }
  }
}

// A run of quoted pieces and #codes with nothing between them. The token
// starts as an 8-bit string and turns wide at the first code of 256 or more.
void DfmTokenizer::ReadString() {
  const std::size_t start = pos_;
  kind_ = DfmTokenKind::kString;
  bytes_.clear();
  while (pos_ < text_of_segment_.size()) {
    if (text_of_segment_[pos_] == '#') {
      ReadCharacterCode();
    } else if (text_of_segment_[pos_] == '\'') {
      ReadQuotedPiece();
    } else {
      break;
    }
  }
  text_ = text_of_segment_.substr(start, pos_ - start);
}

void DfmTokenizer::ReadCharacterCode() {
  const std::size_t digits = ++pos_;
  char32_t code = 0;
  bool too_big = false;
  while (pos_ < text_of_segment_.size() && IsDigit(text_of_segment_[pos_])) {
    if (!too_big) code = code * 10 + static_cast<char32_t>(text_of_segment_[pos_] - '0');
    too_big = too_big || code > kMaxCharacterCode;
    ++pos_;
  }
  if (pos_ == digits || too_big) FailAt("Invalid string constant", line_);
  AppendCode(code);
}

void DfmTokenizer::ReadQuotedPiece() {
  ++pos_;
  while (true) {
    std::size_t run_end = pos_;
    while (run_end < text_of_segment_.size()) {
      const char c = text_of_segment_[run_end];
      if (c == '\'' || c == '\n' || c == '\r') break;
      ++run_end;
    }
    if (kind_ == DfmTokenKind::kString) {
      bytes_.append(text_of_segment_.substr(pos_, run_end - pos_));
    } else {
      for (std::size_t i = pos_; i < run_end; ++i) wide_.push_back(static_cast<unsigned char>(text_of_segment_[i]));
    }
    pos_ = run_end;
    if (pos_ == text_of_segment_.size() || text_of_segment_[pos_] != '\'') FailAt("Invalid string constant", line_);
    ++pos_;
    if (pos_ == text_of_segment_.size() || text_of_segment_[pos_] != '\'') return;
    // Two apostrophes stand for one; the piece goes on after them.
    AppendCode(U'\'');
    ++pos_;
  }
}

void DfmTokenizer::AppendCode(char32_t code) {
  if (kind_ == DfmTokenKind::kString && code < kFirstWideCode) {
    bytes_.push_back(static_cast<char>(code));
    return;
  }
  if (kind_ == DfmTokenKind::kString) {
    kind_ = DfmTokenKind::kWideString;
    wide_.clear();
    for (char byte : bytes_) wide_.push_back(static_cast<unsigned char>(byte));
  }
  wide_.push_back(static_cast<char16_t>(code));
}

std::int64_t DfmTokenizer::IntegerValue() const {
  const auto value = ParseDfmInteger(text_);
  if (!value) Fail("'" + std::string(text_) + "' is not a valid integer value");
  return *value;
}

DfmFloat DfmTokenizer::FloatValue() const {
  const auto value = ParseDfmFloat(text_);
  if (!value) Fail("'" + std::string(text_) + "' is not a valid floating point value");
  return DfmFloat{*value, float_kind_};
}

std::string_view DfmTokenizer::ReadBinary() {
  binary_.clear();
  SkipBlanks();
  while (pos_ < text_of_segment_.size() && text_of_segment_[pos_] != '}') {
    const std::size_t group = pos_;
    while (pos_ + 1 < text_of_segment_.size()) {
      const int high = HexValue(text_of_segment_[pos_]);
      const int low = HexValue(text_of_segment_[pos_ + 1]);
      if (high < 0 || low < 0) break;
      binary_.push_back(static_cast<char>(high * 16 + low));
      pos_ += 2;
    }
    if (pos_ == group) FailAt("Invalid binary value", line_);
    SkipBlanks();
  }
  if (pos_ == text_of_segment_.size()) FailAt("Invalid binary value", line_);
  ++pos_;
  Next();
  return binary_;
}

}  // namespace quorvex
