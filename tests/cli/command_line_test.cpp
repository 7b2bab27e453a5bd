// quorvex-convert driven in-process: options, exit statuses, report lines,
// inputs, and the stages.

#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "command_line_fixture.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

TEST_F(CommandLineTest, HelpAndVersion) {
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_NE(out_.str().find("--stage"), std::string::npos);
  EXPECT_NE(out_.str().find("Exit status"), std::string::npos);
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_TRUE(out_.str().starts_with("quorvex-convert ")) << out_.str();
}

TEST_F(CommandLineTest, UsageErrorsGiveStatusTwo) {
  const std::vector<std::vector<std::string>> rows = {
      {},
      {"--bogus", "a.scx"},
      {"--stage", "tree", "a.scx", "b.scx"},
      {"--stage", "nope", "a.scx"},
      {"--from", "objtext", "a.scx"},
      {"--from", "dfm", "--stage", "rawdfm", "a.dfm"},
      {"--from", "objtext", "--stage", "tree", "a.txt"},
      {"-j", "0", "a.scx"},
      {"--codepage", "x", "a.scx"},
  };
  for (const auto& args : rows) {
    EXPECT_EQ(Run(args), 2) << ::testing::PrintToString(args);
    EXPECT_TRUE(err_.str().starts_with("quorvex-convert: ")) << err_.str();
  }
  EXPECT_EQ(Run({(temp_.path()).string()}), 2) << "a folder without forms";
  EXPECT_EQ(err_.str(), "quorvex-convert: no .scx files found in the inputs\n");
}

TEST_F(CommandLineTest, ReportLinesStartWithTheTime) {
  const std::string input = Form(PlainForm(), "main");
  EXPECT_EQ(Run({input, "-o", Out()}), 0);
  const std::string out = RegexText(Out() + kDelimiter);
  const std::regex expected(
      "[0-2][0-9]:[0-5][0-9]:[0-5][0-9]   Converting: " + RegexText(input) + "\n"
      "[0-9:]{8}   Generating: " + out + "main\\.dfm\n"
      "[0-9:]{8}   Generating: " + out + "main\\.pas\n"
      "[0-9:]{8}   Done\n\n");
  EXPECT_TRUE(std::regex_match(out_.str(), expected)) << out_.str();
  EXPECT_EQ(err_.str(), "1 form: 1 converted, 0 with warnings; output in " + Out() + kDelimiter + "\n");
  EXPECT_EQ(FileNames(Out()), (std::vector<std::string>{"main.dfm", "main.pas"}));
}

TEST_F(CommandLineTest, QuietLeavesOutTheReport) {
  const std::string input = Form(PlainForm(), "main");
  EXPECT_EQ(Run({"-q", input, "-o", Out()}), 0);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), "") << "no summary either";
  EXPECT_EQ(FileNames(Out()).size(), 2u);
}

TEST_F(CommandLineTest, StatusThreeForWarningsOneForAnEndedRun) {
  const std::string unparsable = Form(FormWithUnparsableDfm(), "bad");
  EXPECT_EQ(Run({unparsable, "-o", Out()}), 3);
  EXPECT_NE(out_.str().find("   Warning: "), std::string::npos);

  const std::string not_a_table = WriteNotATable(temp_.path(), "x.scx").string();
  const std::string message = "Table Header for " + not_a_table + " is invalid";
  EXPECT_EQ(Run({not_a_table, "-o", Out()}), 1);
  EXPECT_TRUE(out_.str().ends_with("   " + message + "\n")) << out_.str();
  EXPECT_EQ(err_.str(), message + "\n1 form: 0 converted, 0 with warnings; ended early at " + not_a_table +
                           ", 1 not converted; output in " + Out() + kDelimiter + "\n");
  EXPECT_EQ(Run({not_a_table, "-k", "-o", Out()}), 3);
  EXPECT_EQ(err_.str(),
            "1 form: 0 converted, 0 with warnings, 1 not opened; output in " + Out() + kDelimiter + "\n");
  EXPECT_TRUE(out_.str().ends_with("   Warning: " + message + "\n")) << out_.str();
}

TEST_F(CommandLineTest, CtrlCCancelsTheRun) {
  const std::string input = Form(PlainForm(), "main");
  interrupted_ = true;
  EXPECT_EQ(Run({input, "-o", Out()}), 1);
  EXPECT_TRUE(err_.str().starts_with("Canceled by user\n1 form: 0 converted")) << err_.str();
  EXPECT_TRUE(out_.str().ends_with("   Canceled by user\n"));
  EXPECT_TRUE(FileNames(Out()).empty());
}

TEST_F(CommandLineTest, FoldersStandForTheirFormsSortedWithSubfoldersOnRequest) {
  const fs::path folder = temp_.path() / "forms";
  PlainForm().WriteTo(folder, "b");
  fs::rename(folder / "b.scx", folder / "b.tmp");  // in two steps where letter case is ignored
  fs::rename(folder / "b.tmp", folder / "b.SCX");
  PlainForm().WriteTo(folder, "a");
  PlainForm().WriteTo(folder / "sub", "c");
  WriteFileBytes(folder / "notes.txt", "not a form");
  const std::regex converting("   Converting: (.*)\n");
  const auto converted = [&] {
    std::vector<std::string> files;
    const std::string text = out_.str();
    for (std::sregex_iterator it(text.begin(), text.end(), converting), end; it != end; ++it) {
      files.push_back(fs::path((*it)[1].str()).lexically_relative(folder).string());
    }
    return files;
  };
  EXPECT_EQ(Run({folder.string(), "-o", Out()}), 0);
  EXPECT_EQ(converted(), (std::vector<std::string>{"a.scx", "b.SCX"}));
  EXPECT_EQ(Run({folder.string(), "-r", "-o", Out()}), 0);
  EXPECT_EQ(converted(), (std::vector<std::string>{"a.scx", "b.SCX", "sub" + kDelimiter + "c.scx"}));
}

// Folder and file names in any language, in UTF-8 as the command line hands
// them on (on Windows: a drive, "\" and UTF-16 names underneath).
TEST_F(CommandLineTest, NamesInAnyLanguage) {
  const fs::path folder = temp_.path() / u8"\u0444\u043E\u0440\u043C\u044B";
  PlainForm().WriteTo(folder, "a");
  fs::rename(folder / "a.scx", folder / u8"\u65E5\u672C.scx");
  fs::rename(folder / "a.sct", folder / u8"\u65E5\u672C.sct");
  const fs::path out = temp_.path() / u8"\u51FA\u529B";
  EXPECT_EQ(Run({Utf8Name(folder), "-o", Utf8Name(out)}), 0) << err_.str();
  EXPECT_NE(out_.str().find("   Generating: " + Utf8Name(out / u8"\u65E5\u672C.pas") + "\n"), std::string::npos)
      << out_.str();
  EXPECT_TRUE(fs::exists(out / u8"\u65E5\u672C.dfm"));
}

TEST_F(CommandLineTest, DefaultOutputDirectoryAndRelativeInputs) {
  Form(PlainForm(), "main");
  const fs::path before = fs::current_path();
  fs::current_path(temp_.path());
  const int status = Run({"in/main.scx"});
  fs::current_path(before);
  EXPECT_EQ(status, 0);
  EXPECT_NE(out_.str().find("   Converting: " + (temp_.path() / "in" / "main.scx").string() + "\n"),
            std::string::npos);
  EXPECT_EQ(FileNames(temp_.path() / "in" / "main"), (std::vector<std::string>{"main.dfm", "main.pas"}));
}

TEST_F(CommandLineTest, DataStageTypesAnyTable) {
  const fixtures::TableFiles table = fixtures::BuildTable(
      {.version = 0x31}, {{"NAME", 'C', 4}, {"ID", 'I', 4, 0, 0x0C}, {"QTY", 'N', 5, 2, 0x02}, {"ON", 'D', 8},
                          {"NOTES", 'M'}, {"_NullFlags", '0', 1, 0, 0x05}},
      {{{{"NAME", "a\tb"}, {"ID", fixtures::Int32Bytes(3)}, {"QTY", "1.50"}, {"ON", "20240229"}, {"NOTES", "n"}}},
       {{{"QTY", "x"}, {"_NullFlags", "\1"}}, /*deleted=*/true}});
  const std::string input = table.WriteTo(temp_.path() / "in", "t.dbf", "t.fpt").string();
  EXPECT_EQ(Run({"--stage", "data", input}), 0);
  EXPECT_EQ(out_.str(),
            "version 0x31, code page 1252, 2 records\n"
            "field NAME C(4,0)\nfield ID I(4,0) autoincrement\nfield QTY N(5,2) null\nfield ON D(8,0)\n"
            "field NOTES M(4,0)\n"
            "#1\nNAME=a\\x09b\nID=3\nQTY=1.50\nON=2024-02-29\nNOTES=n\n"
            "#2 deleted\nNAME=\nID=0\nQTY=.NULL.\nON=\nNOTES=\n");
  EXPECT_EQ(Run({"--stage", "data", (temp_.path() / "none.dbf").string()}), 1);
  EXPECT_EQ(err_.str(), "File " + (temp_.path() / "none.dbf").string() + " could not be found\n");
}

TEST_F(CommandLineTest, TableStages) {
  const std::string input = Form(PlainForm(), "main");
  EXPECT_EQ(Run({"--stage", "records", input}), 0);
  EXPECT_TRUE(out_.str().starts_with("#1\nPLATFORM=COMMENT\nUNIQUEID=Screen\n")) << out_.str();
  EXPECT_NE(out_.str().find("\nPROPERTIES=Height = 250\\x0D\\x0AWidth = 375"), std::string::npos);
  EXPECT_EQ(Run({"--stage", "tree", input}), 0);
  EXPECT_EQ(out_.str(), "Dataenvironment\t2\nForm1\t3\n  Label1\t4\n  Text1\t5\n");
  EXPECT_EQ(Run({"--stage", "objtext", input}), 0);
  EXPECT_TRUE(out_.str().starts_with("object Form1=TForm1\r\n  Height = 250\r\n")) << out_.str();
  EXPECT_EQ(Run({"--stage", "rawdfm", input}), 0);
  EXPECT_TRUE(out_.str().starts_with("object Form1: TForm1\r\n  Height = 250\r\n")) << out_.str();
  EXPECT_EQ(Run({"--stage", "pas", input}), 0);
  EXPECT_TRUE(out_.str().starts_with("unit main;\r\n")) << out_.str();
  EXPECT_EQ(Run({"--stage", "dfm", input}), 0);
  EXPECT_TRUE(out_.str().ends_with("  end\r\nend\r\n")) << out_.str();
  EXPECT_EQ(out_.str().find("\r\n  \r\n"), std::string::npos) << "canonical text has no blank lines";
  EXPECT_EQ(Run({"--stage", "tree", (temp_.path() / "missing.scx").string()}), 1);
  EXPECT_EQ(err_.str(), "Cannot find file " + (temp_.path() / "missing.scx").string() + "\n");
}

TEST_F(CommandLineTest, TextStages) {
  const std::string objtext = Text("form.objtext", "object Form1=TForm1\n  Caption = \"Hi\"\nend\n");
  EXPECT_EQ(Run({"--from", "objtext", "--stage", "rawdfm", objtext}), 0);
  EXPECT_EQ(out_.str(), "object Form1: TForm1\r\n  Caption = 'Hi'\r\nend\r\n");
  EXPECT_EQ(Run({"--from", "objtext", "--stage", "pas", objtext}), 0);
  EXPECT_TRUE(out_.str().starts_with("unit form;\r\n")) << out_.str();

  const std::string dfm = Text("x.y.dfm", "object Form1: TForm1\n  Caption =   'Hi'\nend");
  EXPECT_EQ(Run({"--from", "dfm", "--stage", "dfm", dfm}), 0);
  EXPECT_EQ(out_.str(), "object Form1: TForm1\r\n  Caption = 'Hi'\r\nend\r\n");
  EXPECT_EQ(Run({"--from", "dfm", "--stage", "pas", dfm}), 0);
  EXPECT_TRUE(out_.str().starts_with("unit x.y;\r\n")) << out_.str();
}

TEST_F(CommandLineTest, StageFailuresThatARunPassesOverGiveStatusThree) {
  const std::string unparsable = Text("bad.dfm", "object Form1: TForm1\n  Caption\nend\n");
  EXPECT_EQ(Run({"--from", "dfm", "--stage", "dfm", unparsable}), 3);
  EXPECT_EQ(out_.str(), "object Form1: TForm1\r\n  Caption\r\nend\r\n");
  EXPECT_EQ(err_.str(), "'=' expected on line 3\n");
  const std::string empty = Text("empty.objtext", "");
  EXPECT_EQ(Run({"--from", "objtext", "--stage", "rawdfm", empty}), 3);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), "Max property out of range: the object text is empty\n");
  EXPECT_EQ(Run({"--from", "dfm", "--stage", "dfm", (temp_.path() / "none.dfm").string()}), 1);
}

TEST_F(CommandLineTest, CodePageDecidesWhereLongStringsAreCut) {
  // 63 single bytes, then a double-byte character whose lead byte is the 64th.
  const std::string caption = std::string(63, 'a') + "\x82\xA0" + std::string(10, 'b');
  const std::string dfm = Text("cp.dfm", "object F: TForm\n  Caption = '" + caption + "'\nend\n");
  EXPECT_EQ(Run({"--from", "dfm", "--stage", "dfm", "--codepage", "932", dfm}), 0);
  EXPECT_NE(out_.str().find("'" + std::string(63, 'a') + "\x82\xA0' +\r\n"), std::string::npos) << out_.str();
  EXPECT_EQ(Run({"--from", "dfm", "--stage", "dfm", dfm}), 0);
  EXPECT_NE(out_.str().find("'" + std::string(63, 'a') + "\x82' +\r\n"), std::string::npos) << out_.str();
}

}  // namespace
}  // namespace quorvex::testing
