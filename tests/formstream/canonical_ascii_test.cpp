// Strings printed in ASCII only, for form readers that read #codes as
// characters: every code from 127 on is a #code, whether it came as a byte or
// as a code; below 127 the layout is the one of the default.

#include <gtest/gtest.h>

#include "formstream/canonical_dfm.h"
#include "formstream/canonical_test_util.h"

namespace quorvex::testing {
namespace {

std::string AsciiValue(std::string_view value) {
  const std::string text =
      CanonicaliseDfmText(FormWith("  P = " + std::string(value) + "\r\n"), 0, DfmStrings::kAsciiOnly);
  const std::size_t start = text.find("  P = ") + 6;
  return text.substr(start, text.rfind("\r\nend\r\n") - start);
}

TEST(CanonicalAscii, CodesFrom127OnArePrintedAsCodes) {
  EXPECT_EQ(AsciiValue("'caf'#233"), "'caf'#233");
  EXPECT_EQ(AsciiValue("'caf\xE9'"), "'caf'#233");
  EXPECT_EQ(AsciiValue("#1055'a'#127"), "#1055'a'#127");
  EXPECT_EQ(AsciiValue("'It''s'"), "'It'#39's'");
  // The default keeps such bytes as they are.
  EXPECT_EQ(CanonicalValue("'caf'#233"), "'caf\xE9'");
  // Cuts count characters as before: 64 of them, then " +".
  const std::string printed = AsciiValue("'" + std::string(70, 'a') + "'#233");
  EXPECT_NE(printed.find(std::string(64, 'a') + "' +\r\n"), std::string::npos) << printed;
}

}  // namespace
}  // namespace quorvex::testing
