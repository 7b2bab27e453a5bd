// Reading a form's lines without joining them, and reading a form into a tree.

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "formstream/canonical_dfm.h"
#include "formstream/canonical_parser.h"

namespace quorvex {
namespace {

template <typename Canonicalise>
std::string Outcome(Canonicalise&& canonicalise) {
  try {
    return canonicalise();
  } catch (const EParserError& error) {
    return std::string("fault: ") + error.what();
  }
}

// The lines give what their joined text gives: the same canonical text, or
// the same fault on the same line.
TEST(CanonicalLinesTest, LinesReadAsTheirJoinedText) {
  const std::string long_caption = "  Caption = '" + std::string(4080, 'x') + "'";  // 4094 bytes
  const struct {
    TextList lines;
    std::string outcome;  // of both, where it matters which
  } rows[] = {
      {{"object Form1: TForm1", "  Left = $10", "  Font.Style = [fsBold]", "end"}, ""},
      {{"object A: TA", "  B = {0A", "0B}", "end"}, ""},
      {{"object A: TA", "  B = {0", "A}", "end"}, "fault: Invalid binary value on line 2"},
      {{"object A: TA", "  Caption = 'open", "end"}, "fault: Invalid string constant on line 2"},
      {{"object A: TA", std::string("  S = 'a\0b'", 11), "end"}, "fault: Invalid string constant on line 2"},
      {{"object A: TA", std::string("end\0", 4), "garbage"}, "object A: TA\r\nend\r\n"},
      {{"object A: TA", std::string("  P = 1\0", 8), "end"}, "fault: Identifier expected on line 2"},
      {{"object A: TA\n  Left = 1\r", "  P = (", "end"}, "fault: Invalid property value on line 5"},
      {{"object A: TA", long_caption, "end"}, ""},
      {{"object A: TA", long_caption + "x", "end"}, "fault: Line too long on line 2"},
      {{"object A: TA", "end" + std::string(4091, ' ')}, "object A: TA\r\nend\r\n"},
      {{"object A: TA", "end" + std::string(4092, ' ')}, "fault: Line too long on line 2"},
      {{"object A: TA", "  P ="}, "fault: Invalid property value on line 3"},
      {{}, "fault: 'object' expected on line 1"},
  };
  for (const auto& row : rows) {
    const std::string from_lines = Outcome([&] { return CanonicaliseDfmText(row.lines); });
    EXPECT_EQ(from_lines, Outcome([&] { return CanonicaliseDfmText(JoinLines(row.lines)); })) << JoinLines(row.lines);
    if (!row.outcome.empty()) {
      EXPECT_EQ(from_lines, row.outcome) << JoinLines(row.lines);
    }
  }
}

TEST(ParseDfmTextTest, TreeOfObjectsPropertiesAndValues) {
  const DfmObject form = ParseDfmText(
      "object Form1: TForm1\r\n  Font.Style = [fsBold, 2]\r\n  L = (1 'a'+'b' <item [3] X = nil end>)\r\n"
      "  W = #8364\r\n  B = {0AFF}\r\n  inherited Child: TPanel [2]\r\n    V = 1.5s\r\n  end\r\nend\r\n");
  EXPECT_EQ(form.name, "Form1");
  ASSERT_EQ(form.properties.size(), 4u);
  EXPECT_EQ(form.properties[0].name, "Font.Style");
  EXPECT_EQ(std::get<DfmSet>(form.properties[0].value.data).elements, (std::vector<std::string>{"fsBold", "2"}));
  const auto& list = std::get<DfmList>(form.properties[1].value.data).values;
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(std::get<std::int64_t>(list[0].data), 1);
  EXPECT_EQ(std::get<DfmString>(list[1].data).bytes, "ab");
  const auto& items = std::get<DfmCollection>(list[2].data).items;
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].index, 3);
  EXPECT_EQ(std::get<DfmSpecial>(items[0].properties.at(0).value.data), DfmSpecial::kNil);
  EXPECT_EQ(std::get<DfmWideString>(form.properties[2].value.data).chars, u"\u20AC");
  EXPECT_EQ(std::get<DfmBinary>(form.properties[3].value.data).bytes, "\x0A\xFF");
  ASSERT_EQ(form.children.size(), 1u);
  EXPECT_EQ(form.children[0].kind, DfmObjectKind::kInherited);
  EXPECT_EQ(form.children[0].child_position, 2);
  EXPECT_EQ(std::get<DfmFloat>(form.children[0].properties.at(0).value.data).kind, DfmFloatKind::kSingle);
}

}  // namespace
}  // namespace quorvex
