// The reader's limits and the text as a whole: line length, the end of the
// text, nesting depth, canonical text as a fixed point, concurrent use.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "canonical_test_util.h"
#include "formstream/canonical_parser.h"

namespace quorvex {
namespace {

using testing::FormWith;
using testing::ParseFailure;

// A form whose second line is `length` bytes before its CR LF.
std::string FormWithLine(std::size_t length) {
  const std::string prefix = "  Caption = '";
  return FormWith(prefix + std::string(length - prefix.size() - 1, 'x') + "'\r\n");
}

TEST(CanonicalStructureTest, ALineMustFitTheReadersWindow) {
  // 4094 bytes, CR and LF fill the 4096-byte window exactly.
  EXPECT_EQ(ParseFailure(FormWithLine(4094)), "parsed");
  EXPECT_EQ(ParseFailure(FormWithLine(4095)), "Line too long on line 2");
  EXPECT_EQ(ParseFailure("object Form1: TForm1\r\n" + std::string(1 << 20, '(')), "Line too long on line 2");
  // The last line has no line feed to hold.
  const std::string last_line = "end" + std::string(4093, ' ');
  EXPECT_EQ(ParseFailure("object Form1: TForm1\n" + last_line), "parsed");
  EXPECT_EQ(ParseFailure("object Form1: TForm1\n" + last_line + " "), "Line too long on line 2");
}

TEST(CanonicalStructureTest, NothingAfterTheOutermostEndIsRead) {
  const std::string form = FormWith("  Left = 1\r\n");
  const std::string canonical = CanonicaliseDfmText(form);
  EXPECT_EQ(CanonicaliseDfmText(form + "'unterminated"), canonical);
  EXPECT_EQ(CanonicaliseDfmText(form + std::string(10000, 'x')), canonical);
  EXPECT_EQ(CanonicaliseDfmText(form + "\r\n" + std::string(10000, 'x')), canonical);
  EXPECT_EQ(CanonicaliseDfmText("object Form1: TForm1 end"), "object Form1: TForm1\r\nend\r\n");
}

TEST(CanonicalStructureTest, ANulByteEndsTheText) {
  EXPECT_EQ(CanonicaliseDfmText(std::string("object A: TA\r\nend", 17) + std::string("\0 garbage", 9)),
            "object A: TA\r\nend\r\n");
  EXPECT_EQ(ParseFailure(std::string("object A: TA\r\n  S = 'a\0b'\r\nend\r\n", 30)),
            "Invalid string constant on line 2");
  EXPECT_EQ(ParseFailure(std::string("object A: TA\r\n\0end\r\n", 20)), "Identifier expected on line 2");
}

TEST(CanonicalStructureTest, NestingIsLimitedNotFatal) {
  const int lists = kMaxDfmNesting - 1;  // inside the form object
  const std::string deepest = "object A: TA\r\n  P = " + std::string(lists, '(') + std::string(lists, ')') + "\r\nend\r\n";
  const std::string printed = CanonicaliseDfmText(deepest);
  EXPECT_NE(printed.find("\r\n" + std::string(2 * lists, ' ') + "()))"), std::string::npos);
  EXPECT_EQ(ParseFailure("object A: TA\r\n  P = " + std::string(lists + 1, '(') + std::string(lists + 1, ')') +
                         "\r\nend\r\n"),
            "Nesting too deep on line 2");

  // A megabyte of "(" lines: the 1000th one (line 1001) is one level too many.
  std::string many_lines = "object A: TA\r\n  P =";
  for (int i = 0; i < 350000; ++i) many_lines += " (\r\n";
  EXPECT_EQ(ParseFailure(many_lines), "Nesting too deep on line 1001");

  std::string objects;
  for (int i = 0; i <= kMaxDfmNesting; ++i) objects += "object A: TA\n";
  EXPECT_EQ(ParseFailure(objects), "Nesting too deep on line 1001");

  std::string collections = "object A: TA\r\n  P = ";
  for (int i = 0; i < kMaxDfmNesting; ++i) collections += "<item P =\n";
  EXPECT_EQ(ParseFailure(collections), "Nesting too deep on line 1001");
}

TEST(CanonicalStructureTest, CanonicalTextIsAFixedPoint) {
  const std::string body =
      "  I = $7F\r\n  F = 1.50e1s\r\n  G = 0.000001\r\n  S = 'a''b'#13#10'" + std::string(150, 'z') +
      "'\r\n  W = #8364'" + std::string(70, 'w') + "'\r\n  D = '" + std::string(63, 'a') + "\x82\xA0" +
      "tail'\r\n  Set = [b,a]\r\n  L = (1 (2) <item X = 1 end> {" + std::string(80, 'F') +
      "})\r\n  C = <item [3] Name = 'x' end item end>\r\n  N = Null\r\n" +
      "  inline Frame: TFrame [2]\r\n    E = nIl\r\n  end\r\n";
  for (int code_page : {0, 932}) {
    const std::string canonical = CanonicaliseDfmText(FormWith(body), code_page);
    EXPECT_EQ(CanonicaliseDfmText(canonical, code_page), canonical) << code_page;
  }
}

TEST(CanonicalStructureTest, AWideStringWithAPlainFirstLineDoesNotReadBack) {
  // The first cut line holds only 8-bit characters, so it prints as an 8-bit
  // piece; an 8-bit string cannot be continued by a wide one.
  const std::string canonical = CanonicaliseDfmText(FormWith("  W = '" + std::string(64, 'a') + "'#8364\r\n"));
  EXPECT_EQ(canonical, FormWith("  W = \r\n    '" + std::string(64, 'a') + "' +\r\n    #8364\r\n"));
  EXPECT_EQ(ParseFailure(canonical), "String expected on line 4");
}

TEST(CanonicalStructureTest, SeveralThreadsCanonicaliseAtOnce) {
  std::vector<std::string> texts;
  std::vector<std::string> expected;
  for (int i = 0; i < 4; ++i) {
    std::string body;
    for (int j = 0; j < 200; ++j) {
      body += "  object C" + std::to_string(j) + ": TEdit\r\n    Text = '" + std::string(30 + i * 20, 'a' + i) +
              "'\r\n    Color = $" + std::to_string(100000 + j) + "\r\n  end\r\n";
    }
    texts.push_back(FormWith(body));
    expected.push_back(CanonicaliseDfmText(texts.back(), i % 2 == 0 ? 0 : 936));
  }
  std::vector<int> mismatches(texts.size(), 0);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    threads.emplace_back([&, i] {
      for (int round = 0; round < 50; ++round) {
        if (CanonicaliseDfmText(texts[i], i % 2 == 0 ? 0 : 936) != expected[i]) ++mismatches[i];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int count : mismatches) EXPECT_EQ(count, 0);
}

TEST(CanonicalStructureTest, CodePageFromMark) {
  const std::pair<int, int> rows[] = {{0x13, 932}, {0x7A, 936}, {0x79, 949}, {0x78, 950},
                                      {0x03, 0},   {0xC8, 0},   {0x00, 0},   {0x7B, 0}};
  for (const auto& [mark, page] : rows) EXPECT_EQ(CodePageFromMark(mark), page) << mark;
}

}  // namespace
}  // namespace quorvex
