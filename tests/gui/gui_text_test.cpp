// The fixed text rules of the windows and the directory proposal.

#include "gui/gui_text.h"

#include <gtest/gtest.h>

#include <QDir>

#include "gui/file_choice.h"
#include "gui_test_support.h"

namespace quorvex::testing {
namespace {

TEST(GuiTextTest, BoxTitleAndErrorText) {
  EXPECT_EQ(ApplicationTitle("/usr/bin/quorvex"), "quorvex");
  EXPECT_EQ(ApplicationTitle("C:/Programs/QUORVEX.app.exe"), "Quorvex");
  EXPECT_EQ(ApplicationTitle(""), "");

  EXPECT_EQ(ErrorBoxText("Canceled by user"), "Canceled by user.");
  EXPECT_EQ(ErrorBoxText("Cannot create /out/"), "Cannot create /out/.");  // '/' is code 47
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Ends in a blank "), "Ends in a blank ");
  EXPECT_EQ(ErrorBoxText("Ends in a comma,"), "Ends in a comma,");
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(GuiTextTest, ReportTimeIsTheLongTimeWithoutZone) {
  const QTime time(14, 3, 27);
  EXPECT_EQ(ReportTimeText(time, QLocale::c()), "14:03:27");
  EXPECT_EQ(ReportTimeText(time, QLocale(QLocale::German, QLocale::Germany)), "14:03:27");
  EXPECT_EQ(ReportTimeText(time, QLocale(QLocale::English, QLocale::UnitedStates)), "2:03:27 PM");
}

TEST(GuiTextTest, BytesShowInTheSystemEncodingOrAsLatin1) {
  EXPECT_EQ(FromBytes("caf\xc3\xa9"), QString::fromUtf8("caf\xc3\xa9"));
  EXPECT_EQ(FromBytes("caf\xe9"), QString::fromLatin1("caf\xe9"));  // a 1252 form text
  EXPECT_EQ(LinesText({"a", "", "b"}), "a\n\nb\n");
  EXPECT_EQ(MemoText("a\r\nb\rc\n"), "a\nb\nc\n");
}

TEST(FileChoiceTest, ProposedOutputDirectory) {
  EXPECT_EQ(ProposedOutputDirectory("/forms/my.form.scx"), QDir::toNativeSeparators("/forms/my.form/"));
  EXPECT_EQ(ProposedOutputDirectory("/main.scx"), QDir::toNativeSeparators("/main/"));
  EXPECT_EQ(WithoutTrailingSeparator("/out//"), "/out");
  EXPECT_EQ(WithoutTrailingSeparator("/"), "/");
}

}  // namespace
}  // namespace quorvex::testing
