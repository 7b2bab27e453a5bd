// Lines packed into one buffer, and lines cut without copies.

#include "base/packed_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvex {
namespace {

using namespace std::string_literals;

TEST(PackedLinesTest, GivesBackTheSameLinesByteForByte) {
  const TextList original = {"object Form1=TForm1", "", "  a\r\nb", "\0x"s, "", "end"};
  TextList lines = original;
  const PackedLines packed(std::move(lines));
  EXPECT_TRUE(lines.empty());
  ASSERT_EQ(packed.size(), original.size());
  for (std::size_t i = 0; i < original.size(); ++i) EXPECT_EQ(packed[i], original[i]) << i;
  EXPECT_EQ(packed.ToList(), original);
  EXPECT_TRUE(PackedLines(TextList{}).empty());
}

TEST(ForEachLineTest, CutsAsSplitLines) {
  const std::string text = "a\r\nb\rc\n\r\n\nd\r";
  TextList seen;
  ForEachLine(text, [&](std::string_view line) { seen.emplace_back(line); });
  EXPECT_EQ(seen, (TextList{"a", "b", "c", "", "", "d"}));
  EXPECT_EQ(SplitLines(text), seen);
  EXPECT_EQ(JoinedSize(seen), JoinLines(seen).size());
}

}  // namespace
}  // namespace quorvex
