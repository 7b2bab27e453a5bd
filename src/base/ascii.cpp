#include "base/ascii.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quorvex {

std::string_view TrimLeftBlanks(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  return text.substr(start);
}

std::string_view TrimRightBlanks(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string_view TrimBlanks(std::string_view text) { return TrimRightBlanks(TrimLeftBlanks(text)); }

std::string AsciiLowerCopy(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
  return result;
}

std::string AsciiUpperCopy(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
  return result;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

int CompareText(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(AsciiLower(a[i]));
    const auto y = static_cast<unsigned char>(AsciiLower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;

// The eight bytes of `word` with ASCII capitals made small, all at once: a
// byte's high bit tells whether it is at least "A", above "Z", or not ASCII.
std::uint64_t FoldCase(std::uint64_t word) {
  const std::uint64_t low7 = word & (0x7F * kEveryByte);
  const std::uint64_t from_a = low7 + (0x80 - 'A') * kEveryByte;
  const std::uint64_t past_z = low7 + (0x7F - 'Z') * kEveryByte;
  const std::uint64_t capitals = from_a & ~past_z & ~word & (0x80 * kEveryByte);
  return word | (capitals >> 2);  // 0x20 in each capital
}

std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) { return (hash ^ word) * 0x9E3779B97F4A7C15ULL; }

// Spreads every bit over the low ones that pick a table slot (MurmurHash3's
// final step): keys that differ only in their last bytes, such as numbered
// names, would otherwise share their low bits.
std::uint64_t Finish(std::uint64_t hash) {
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCDULL;
  hash ^= hash >> 33;
  hash *= 0xC4CEB9FE1A85EC53ULL;
  return hash ^ (hash >> 33);
}

}  // namespace

std::size_t TextHash::operator()(std::string_view text) const {
  // Eight bytes at a time: vocabulary keys and object names are hashed for
  // every property line and object.
  std::uint64_t hash = text.size();
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + at, 8);
    hash = Mix(hash, FoldCase(word));
  }
  if (at < text.size()) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + at, text.size() - at);
    hash = Mix(hash, FoldCase(word));
  }
  return static_cast<std::size_t>(Finish(hash));
}

}  // namespace quorvex
