// Hashing without regard to ASCII letter case.

#include "base/ascii.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvex {
namespace {

TEST(TextHashTest, EqualForTextsThatDifferOnlyInAsciiCase) {
  const TextHash hash;
  for (int byte = 0; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    const char lower = AsciiLower(c);
    // Each position of an eight-byte word, and the tail after it.
    for (std::size_t at : {0, 3, 7, 8, 12}) {
      std::string text(13, 'q');
      text[at] = c;
      std::string folded = text;
      folded[at] = lower;
      EXPECT_EQ(hash(text), hash(folded)) << byte << " at " << at;
      // Bytes 0x20 apart that are not a letter's two cases must not be folded together.
      std::string other = text;
      other[at] = static_cast<char>(byte ^ 0x20);
      if (!SameText(other, text)) {
        EXPECT_NE(hash(other), hash(text)) << byte << " at " << at;
      }
    }
  }
  EXPECT_EQ(hash("ButtonCount"), hash("BUTTONCOUNT"));
  EXPECT_NE(hash("Text1"), hash("Text1 "));
}

}  // namespace
}  // namespace quorvex
