// --loadable on the command line: its stages print the loadable mode's texts,
// and it takes forms only.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

class LoadableStagesTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> args) {
    out_.str({});
    err_.str({});
    args.push_back(input_);
    return RunCommandLine(args, {out_, err_, false, interrupted_});
  }

  TempDir temp_;
  const std::string input_ = PlainForm().WriteTo(temp_.path(), "main").string();
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

TEST_F(LoadableStagesTest, TakesFormsOnly) {
  EXPECT_EQ(Run({"--stage", "pas", "--from", "objtext", "--loadable"}), 2);
  EXPECT_NE(err_.str().find("--loadable converts forms only"), std::string::npos) << err_.str();
}

}  // namespace
}  // namespace quorvex::testing
