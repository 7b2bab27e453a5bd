// The loadable mode in a run: the files written are named in the report, one
// pair per form of a form set, with a note of the settings kept as comments.

#include <gtest/gtest.h>

#include "run/conversion_run.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

using fixtures::PropertyLines;

TEST(LoadableRun, ReportNamesEveryFileWrittenAndTheKeptSettings) {
  TempDir temp;
  fixtures::ScxWriter formset;
  formset.AddVersionComment()
      .Add({.objname = "Formset1", .baseclass = "formset", .properties = PropertyLines({"AutoRelease = .T.", "Name = \"Formset1\""})})
      .Add({.objname = "Form1", .parent = "Formset1", .baseclass = "form",
            .properties = PropertyLines({"DoCreate = .T.", "Tag = \"x\"", "Name = \"Form1\""})})
      .Add({.objname = "Form2", .parent = "Formset1", .baseclass = "form",
            .properties = PropertyLines({"Caption = \"Two\"", "Name = \"Form2\""})});
  const std::string input = formset.WriteTo(temp.path() / "in", "2nd set").string();
  const std::string out = (temp.path() / "out").string() + "/";
  RecordingHost host;
  RunOptions options;
  options.loadable = true;
  options.jobs = 2;
  ConversionRun run(host, options);
  run.ConvertSelectedFiles({input, input}, out);
  const std::vector<std::string> one_form = {
      "   Converting: " + input,
      "   Generating: " + out + "U2nd_set_Form1.dfm",
      "   Generating: " + out + "U2nd_set_Form1.pas",
      "   Note: 3 settings kept as comments in U2nd_set_Form1.pas",
      "   Generating: " + out + "U2nd_set_Form2.dfm",
      "   Generating: " + out + "U2nd_set_Form2.pas",
      "   Done\r\n"};
  std::vector<std::string> expected = one_form;
  expected.insert(expected.end(), one_form.begin(), one_form.end());
  EXPECT_EQ(host.lines, expected);
  EXPECT_EQ(FileNames(out), (std::vector<std::string>{"U2nd_set_Form1.dfm", "U2nd_set_Form1.pas",
                                                      "U2nd_set_Form2.dfm", "U2nd_set_Form2.pas"}));
  EXPECT_EQ(ReadFileBytes(temp.path() / "out" / "U2nd_set_Form2.dfm"),
            "object Form2: TForm2\r\n  Caption = 'Two'\r\nend\r\n");
}

}  // namespace
}  // namespace quorvex::testing
