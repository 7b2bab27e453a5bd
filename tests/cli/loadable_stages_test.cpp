// --loadable on the command line: its stages print the loadable mode's texts
// and how much of the code is translated, and it takes forms only.

#include <gtest/gtest.h>

#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/command_line.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

using fixtures::PropertyLines;

class LoadableStagesTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> args) {
    out_.str({});
    err_.str({});
    args.push_back(input_);
    return RunCommandLine(args, {out_, err_, false, interrupted_});
  }

  TempDir temp_;
  std::string input_ = PlainForm().WriteTo(temp_.path(), "main").string();
  std::ostringstream out_, err_;
  std::atomic<bool> interrupted_{false};
};

TEST_F(LoadableStagesTest, StagesPrintTheLoadableTexts) {
  EXPECT_EQ(Run({"--stage", "tree", "--loadable"}), 0);
  EXPECT_EQ(out_.str(), "Dataenvironment\t2\nForm1\t3\n  Label1\t4\n  Text1\t5\n");
  EXPECT_EQ(Run({"--stage", "rawdfm", "--loadable"}), 0);
  EXPECT_EQ(out_.str().rfind("object Form1: TForm1\r\n  Caption = '&Main form'\r\n", 0), 0u) << out_.str();
  EXPECT_EQ(Run({"--stage", "dfm", "--loadable"}), 0);
  EXPECT_NE(out_.str().find("    Left = 80\r\n    TabOrder = 1\r\n    AutoSize = False\r\n"), std::string::npos)
      << out_.str();
  EXPECT_EQ(Run({"--stage", "pas", "--loadable"}), 0);
  EXPECT_EQ(out_.str().rfind("unit main;\r\n", 0), 0u) << out_.str();
  EXPECT_EQ(Run({"--stage", "objtext", "--loadable"}), 0);
  EXPECT_NE(out_.str().find("end\r\nobject Form1=TForm1\r\n"), std::string::npos) << out_.str();
}

// How much of each method is translated, and why the rest is not: the
// stage's lines, and the JSON report's counts per form.
TEST_F(LoadableStagesTest, TranslationOfTheCode) {
  fixtures::ScxWriter form = PlainForm();
  form.Add({.objname = "Command1", .parent = "Form1", .baseclass = "commandbutton",
            .properties = PropertyLines({"Name = \"Command1\""}),
            .methods = "PROCEDURE Click\r\nTHISFORM.Text1.Value = \"\"\r\nSELECT 0\r\nENDPROC\r\n"
                       "PROCEDURE Valid\r\nRETURN .T.\r\nENDPROC\r\n"});
  input_ = form.WriteTo(temp_.path(), "code").string();
  EXPECT_EQ(Run({"--stage", "translation", "--loadable"}), 0);
  EXPECT_EQ(out_.str(),
            "code.pas\n  Command1Click (OnClick, FoxPro Click): partly, 1 of 2 lines\n"
            "    1 line: command not translated: SELECT\n  Command1Exit (OnExit, FoxPro Valid): full, 1 of 1 lines\n");
  EXPECT_EQ(Run({"--stage", "translation"}), 2);
  EXPECT_NE(err_.str().find("--stage translation needs --loadable"), std::string::npos) << err_.str();

  const std::filesystem::path report = temp_.path() / "report.json";
  EXPECT_EQ(Run({"--loadable", "-q", "-o", (temp_.path() / "out").string(), "--report-json", report.string()}), 0);
  const nlohmann::json counts = nlohmann::json::parse(ReadFileBytes(report))["forms"][0]["methods_translated"];
  EXPECT_EQ(counts, nlohmann::json::parse(R"({"fully": 1, "partly": 1, "not_at_all": 0, "code_lines": 3,
                                              "code_lines_translated": 2})"));
}

TEST_F(LoadableStagesTest, TakesFormsOnly) {
  EXPECT_EQ(Run({"--stage", "pas", "--from", "objtext", "--loadable"}), 2);
  EXPECT_NE(err_.str().find("--loadable converts forms only"), std::string::npos) << err_.str();
}

}  // namespace
}  // namespace quorvex::testing
