// One form's text lists as the save step sees them.

#include "run/file_conversion.h"

#include <gtest/gtest.h>

#include "support/golden.h"

namespace quorvex::testing {
namespace {

TEST(FileConversionTest, DfmLinesChangedAfterTheCanonicalTextWasMadeAreCanonicalisedAgain) {
  TempDir temp;
  FileConversion conversion((temp.path() / "main.scx").string());
  conversion.MutableDfmLines() = {"object Form1: TForm1", "  Left = $10", "end"};
  conversion.MutablePasLines() = {"unit main;"};
  conversion.PrepareCanonicalDfm();
  conversion.MutableDfmLines()[1] = "  Left = $20";
  conversion.Save(temp.path().string() + kDelimiter);
  EXPECT_EQ(ReadFileBytes(temp.path() / "main.dfm"), "object Form1: TForm1\r\n  Left = 32\r\nend\r\n");
  EXPECT_EQ(conversion.DfmLines(), (TextList{"object Form1: TForm1", "  Left = 32", "end"}));
  EXPECT_EQ(conversion.WrittenFiles().size(), 2u);
}

}  // namespace
}  // namespace quorvex::testing
