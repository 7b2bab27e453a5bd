// The loadable mode in a run: the files written are named in the report, one
// pair per form of a form set, with notes of the settings kept as comments and
// of the methods and how much of their code is translated; the runtime unit
// once per folder beside the units that use it;
// no file the run wrote is replaced by another input's.

#include <gtest/gtest.h>

#include <algorithm>

#include "run/conversion_run.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

using fixtures::PropertyLines;

RunOptions LoadableOptions() {
  RunOptions options;
  options.loadable = true;
  options.jobs = 2;
  return options;
}

// "2nd set.scx": a form set of Form1 and Form2, the first with settings that
// its unit keeps as comments.
std::string WriteFormSet(const std::filesystem::path& folder) {
  fixtures::ScxWriter formset;
  formset.AddVersionComment()
      .Add({.objname = "Formset1", .baseclass = "formset", .properties = PropertyLines({"AutoRelease = .T.", "Name = \"Formset1\""})})
      .Add({.objname = "Form1", .parent = "Formset1", .baseclass = "form",
            .properties = PropertyLines({"DoCreate = .T.", "Tag = \"x\"", "Name = \"Form1\""}),
            .methods = "PROCEDURE Init\r\nx = GETX()\r\nENDPROC\r\nPROCEDURE Refresh\r\nENDPROC\r\n"})
      .Add({.objname = "Form2", .parent = "Formset1", .baseclass = "form",
            .properties = PropertyLines({"Caption = \"Two\"", "Name = \"Form2\""})});
  return formset.WriteTo(folder, "2nd set").string();
}

TEST(LoadableRun, ReportNamesEveryFileWrittenAndTheKeptSettings) {
  TempDir temp;
  const std::string input = WriteFormSet(temp.path() / "in");
  const std::string out = (temp.path() / "out").string() + kDelimiter;
  RecordingHost host;
  ConversionRun run(host, LoadableOptions());
  run.ConvertSelectedFiles({input}, out);
  EXPECT_EQ(host.lines, (std::vector<std::string>{
                            "   Converting: " + input,
                            "   Generating: " + out + "U2nd_set_Form1.dfm",
                            "   Generating: " + out + "U2nd_set_Form1.pas",
                            "   Note: 2 settings kept as comments in U2nd_set_Form1.pas",
                            "   Note: 2 methods in U2nd_set_Form1.pas, 1 of them in event handlers",
                            "   Note: FoxPro code in U2nd_set_Form1.pas: 0 methods translated fully, 0 partly, 1 not "
                            "at all (0 of 1 lines of code)",
                            "   Generating: " + out + "U2nd_set_Form2.dfm",
                            "   Generating: " + out + "U2nd_set_Form2.pas",
                            "   Done\r\n"}));
  EXPECT_EQ(FileNames(out), (std::vector<std::string>{"U2nd_set_Form1.dfm", "U2nd_set_Form1.pas",
                                                      "U2nd_set_Form2.dfm", "U2nd_set_Form2.pas"}));
  EXPECT_EQ(ReadFileBytes(temp.path() / "out" / "U2nd_set_Form2.dfm"),
            "object Form2: TForm2\r\n  Caption = 'Two'\r\n  Position = poDesigned\r\n  Font.Name = 'Arial'\r\n"
            "  Font.Size = 9\r\n  ClientHeight = 250\r\n  AutoScroll = False\r\n  ClientWidth = 375\r\n"
            "  PixelsPerInch = 96\r\nend\r\n");
}

// A form whose code is translated gets FoxRuntime.pas beside its unit, once
// per folder in a run, with its other files.
TEST(LoadableRun, TheRuntimeUnitIsWrittenOncePerFolderOfUnitsUsingIt) {
  TempDir temp;
  const auto write = [&](const std::string& name, const std::string& code) {
    fixtures::ScxWriter form;
    form.AddVersionComment().Add({.objname = "Form1", .baseclass = "form", .properties = PropertyLines({"Name = \"Form1\""}),
                                  .methods = "PROCEDURE Click\r\n" + code + "\r\nENDPROC\r\n"});
    return form.WriteTo(temp.path() / "in", name).string();
  };
  const std::string a = write("a", "THISFORM.Caption = \"A\""), b = write("b", "THISFORM.Caption = \"B\"");
  const std::string none = write("c", "USE customers");
  const std::string out = (temp.path() / "out").string() + "/";
  RecordingHost host;
  ConversionRun run(host, LoadableOptions());
  run.ConvertSelectedFiles(std::vector<RunInput>{{a, ""}, {b, ""}, {b, "sub/"}, {none, "other/"}}, out);
  EXPECT_EQ(std::count(host.lines.begin(), host.lines.end(), "   Generating: " + out + "FoxRuntime.pas"), 1);
  EXPECT_EQ(std::count(host.lines.begin(), host.lines.end(), "   Generating: " + out + "sub/FoxRuntime.pas"), 1);
  EXPECT_EQ(FileNames(temp.path() / "out"), (std::vector<std::string>{"FoxRuntime.pas", "a.dfm", "a.pas", "b.dfm", "b.pas"}));
  EXPECT_EQ(FileNames(temp.path() / "out" / "other"), (std::vector<std::string>{"c.dfm", "c.pas"}));
  EXPECT_EQ(run.Results()[0].outputs.back(), out + "FoxRuntime.pas");
  EXPECT_EQ(run.Results()[0].translation.full, 1);
  EXPECT_EQ(run.Results()[3].translation.none, 1);
  EXPECT_TRUE(ReadFileBytes(temp.path() / "out" / "FoxRuntime.pas").starts_with("unit FoxRuntime;\r\n"));
}

// A form set's units are named only once converted; one that takes the name
// of another input's output is not saved over it (nor the same input twice).
TEST(LoadableRun, NeverReplacesAFileTheRunWroteForAnotherInput) {
  TempDir temp;
  const std::string formset = WriteFormSet(temp.path() / "in");
  fixtures::ScxWriter single;
  single.AddVersionComment().Add(
      {.objname = "Form1", .baseclass = "form", .properties = PropertyLines({"Caption = \"Single\"", "Name = \"Form1\""})});
  const std::string form = single.WriteTo(temp.path() / "in", "2nd set_Form1").string();
  const std::string out = (temp.path() / "out").string() + kDelimiter;
  RecordingHost host;
  ConversionRun run(host, LoadableOptions());
  run.ConvertSelectedFiles({form, formset, formset}, out);
  const std::string refused = "   Warning: Cannot create file " + out + "U2nd_set_Form1.pas: it was written for " + form + " in this run";
  EXPECT_EQ(std::count(host.lines.begin(), host.lines.end(), refused), 2);
  EXPECT_EQ(run.Results()[1].outcome, FormOutcome::kWithWarnings);
  EXPECT_TRUE(run.Results()[1].outputs.empty());
  EXPECT_EQ(run.Results()[2].warnings.size(), 1u);
  EXPECT_EQ(FileNames(out), (std::vector<std::string>{"U2nd_set_Form1.dfm", "U2nd_set_Form1.pas"}));
  EXPECT_NE(ReadFileBytes(temp.path() / "out" / "U2nd_set_Form1.dfm").find("Single"), std::string::npos);
}

}  // namespace
}  // namespace quorvex::testing
