#pragma once
// Byte-text helpers shared by every layer. Text is 8-bit and never re-encoded:
// letter case folds ASCII A-Z only, and "blanks" are the bytes 0 to 32 (the
// space and every control character), which is what the formats trim.

#include <string>
#include <string_view>

namespace quorvex {

constexpr bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string_view TrimBlanks(std::string_view text);
std::string_view TrimLeftBlanks(std::string_view text);
std::string_view TrimRightBlanks(std::string_view text);

std::string AsciiLowerCopy(std::string_view text);
std::string AsciiUpperCopy(std::string_view text);

// Equal without regard to ASCII letter case.
bool SameText(std::string_view a, std::string_view b);

// Three-way comparison without regard to ASCII letter case (<0, 0, >0), bytes
// compared unsigned; the order of the case-insensitive sorted lists.
int CompareText(std::string_view a, std::string_view b);

// Orders strings by CompareText, for ordered containers keyed without case.
struct TextLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return CompareText(a, b) < 0; }
};

// Hashes and compares without regard to ASCII letter case, for unordered
// containers keyed without case; both take views, so a lookup copies nothing.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const;
};
struct TextEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

}  // namespace quorvex
