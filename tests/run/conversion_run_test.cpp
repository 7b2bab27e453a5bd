// The run over whole files: report lines, output files, failures and cancel.

#include "run/conversion_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/run_support.h"
#include "support/golden.h"
#include "base/errors.h"
#include "run/temporary_files.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

class ConversionRunTest : public ::testing::Test {
 protected:
  std::string Form(const fixtures::ScxWriter& writer, const std::string& base) {
    return writer.WriteTo(temp_.path() / "in", base).string();
  }
  std::string Out() const { return (temp_.path() / "out").string(); }
  std::string OutFile(const std::string& name) const { return ReadFileBytes(temp_.path() / "out" / name); }

  // Runs and returns the failure message that ended the run ("" when none).
  std::string Run(const std::vector<std::string>& files, const std::string& out, RunOptions options = {}) {
    ConversionRun run(host_, options);
    run_ = &run;
    std::string failure;
    try {
      run.ConvertSelectedFiles(files, out);
    } catch (const std::exception& e) {
      failure = e.what();
    }
    warnings_ = run.WarningCount();
    run_ = nullptr;
    return failure;
  }

  std::vector<std::string> CleanReport(const std::string& input, const std::string& out_dir) const {
    return {"   Converting: " + input, "   Generating: " + out_dir + "main.dfm",
            "   Generating: " + out_dir + "main.pas", "   Done\r\n"};
  }

  TempDir temp_;
  RecordingHost host_;
  ConversionRun* run_ = nullptr;
  int warnings_ = 0;
};

TEST_F(ConversionRunTest, CleanFileIntoMissingDirectoryWithMissingParent) {
  const std::string input = Form(PlainForm(), "main");
  const std::string out = Out() + kDelimiter + "deeper";  // neither out nor deeper exists; no trailing delimiter
  EXPECT_EQ(Run({input}, out), "");
  EXPECT_EQ(host_.lines, CleanReport(input, out + kDelimiter));
  EXPECT_EQ(warnings_, 0);
  EXPECT_EQ(FileNames(out), (std::vector<std::string>{"main.dfm", "main.pas"}));
  EXPECT_EQ(ReadFileBytes(fs::path(out) / "main.dfm"),
            "object Form1: TForm1\r\n  Height = 250\r\n  Width = 375\r\n  Caption = '&Main form'\r\n"
            "  object Label1: TLabel\r\n    Font.Style = [fsBold]\r\n    Caption = 'Name:'\r\n    Left = 10\r\n"
            "  end\r\n  object Text1: TEdit\r\n    Left = 80\r\n    TabOrder = 1\r\n  end\r\nend\r\n");
  EXPECT_NE(ReadFileBytes(fs::path(out) / "main.pas").find("    Text1: TEdit;\r\n"), std::string::npos);
}

TEST_F(ConversionRunTest, HostSeesBusyStatusAndProgressInOrder) {
  const std::string input = Form(PlainForm(), "main");
  EXPECT_EQ(Run({input}, Out()), "");
  const auto& calls = host_.calls;
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls.front(), "busy:1");
  EXPECT_EQ(calls.back(), "busy:0");
  EXPECT_EQ(calls[1], "line:   Converting: " + input);
  EXPECT_EQ(calls[2], "status:Pass 1");
  // Pass 1: 4 nodes (data environment, form, two controls), the form is node 1.
  const std::vector<std::string> pass1 = {"max:3", "pos:1", "events", "pos:2", "events", "pos:3", "events"};
  EXPECT_TRUE(std::search(calls.begin(), calls.end(), pass1.begin(), pass1.end()) != calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), "status:Pass 2"), calls.end());
}

TEST_F(ConversionRunTest, OverwritesOutputsAndKeepsDelimiterGiven) {
  const std::string input = Form(PlainForm(), "main");
  WriteFileBytes(temp_.path() / "out" / "main.dfm", "old");
  WriteFileBytes(temp_.path() / "out" / "main.pas", "old");
  EXPECT_EQ(Run({input}, Out() + kDelimiter), "");
  EXPECT_EQ(host_.lines, CleanReport(input, Out() + kDelimiter));
  EXPECT_EQ(OutFile("main.dfm").substr(0, 20), "object Form1: TForm1");
  EXPECT_EQ(OutFile("main.pas").substr(0, 12), "unit main;\r\n");
  EXPECT_EQ(FileNames(Out()), (std::vector<std::string>{"main.dfm", "main.pas"}));  // no temporary left
}

TEST_F(ConversionRunTest, NameWithSeveralDots) {
  const std::string input = Form(PlainForm(), "my.form");
  EXPECT_EQ(Run({input}, Out()), "");
  EXPECT_EQ(FileNames(Out()), (std::vector<std::string>{"my.form.dfm", "my.form.pas"}));
  EXPECT_EQ(OutFile("my.form.pas").substr(0, 15), "unit my.form;\r\n");
}

TEST_F(ConversionRunTest, UnparsableDfmIsSavedAsGeneratedWithAWarning) {
  const std::string input = Form(FormWithUnparsableDfm(), "main");
  EXPECT_EQ(Run({input}, Out()), "");
  ASSERT_EQ(host_.lines.size(), 5u);
  EXPECT_EQ(host_.lines[2], "   Generating: " + Out() + kDelimiter + "main.pas");
  EXPECT_TRUE(host_.lines[3].starts_with("   Warning: ")) << host_.lines[3];
  EXPECT_TRUE(host_.lines[3].ends_with(" on line 18")) << host_.lines[3];
  EXPECT_EQ(host_.lines[4], "   Done\r\n");
  EXPECT_EQ(warnings_, 1);
  const std::string dfm = OutFile("main.dfm");
  EXPECT_NE(dfm.find("\r\n  \r\n"), std::string::npos) << "the raw text keeps its blank lines";
  EXPECT_NE(dfm.find("object Container9: \r\n"), std::string::npos);
  EXPECT_NE(OutFile("main.pas").find("    Container9:;\r\n"), std::string::npos);
}

TEST_F(ConversionRunTest, PasThatCannotBeCreatedWritesNoDfmAndTheRunGoesOn) {
  const std::string first = Form(PlainForm(), "main");
  const std::string second = Form(PlainForm(), "next");
  fs::create_directories(temp_.path() / "out" / "main.pas");  // a folder where the unit should go
  EXPECT_EQ(Run({first, second}, Out()), "");
  ASSERT_EQ(host_.lines.size(), 9u);
  EXPECT_EQ(host_.lines[3], "   Warning: Cannot create file " + Out() + kDelimiter + "main.pas");
  EXPECT_EQ(host_.lines[4], "   Done\r\n");
  EXPECT_EQ(FileNames(Out()), (std::vector<std::string>{"next.dfm", "next.pas"}));
}

TEST_F(ConversionRunTest, ReadOnlyPasIsNotReplaced) {
  const std::string input = Form(PlainForm(), "main");
  const fs::path pas = temp_.path() / "out" / "main.pas";
  WriteFileBytes(pas, "keep");
  fs::permissions(pas, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(Run({input}, Out()), "");
  EXPECT_EQ(host_.lines[3], "   Warning: Cannot create file " + pas.string());
  EXPECT_EQ(ReadFileBytes(pas), "keep");
  EXPECT_EQ(FileNames(Out()), (std::vector<std::string>{"main.pas"}));
}

TEST_F(ConversionRunTest, SecondOfThreeNotATableEndsTheRun) {
  const std::string first = Form(PlainForm(), "a");
  const std::string second = WriteNotATable(temp_.path() / "in", "b.scx").string();
  const std::string third = Form(PlainForm(), "c");
  EXPECT_EQ(Run({first, second, third}, Out()), "Table Header for " + second + " is invalid");
  ASSERT_EQ(host_.lines.size(), 5u);
  EXPECT_EQ(host_.lines.back(), "   Converting: " + second);
  EXPECT_EQ(FileNames(Out()), (std::vector<std::string>{"a.dfm", "a.pas"}));
}

TEST_F(ConversionRunTest, OnSeveralThreadsARunThatEndsAtAFileSavesNothingAfterIt) {
  std::vector<std::string> files;
  for (const char* name : {"a", "b", "c"}) files.push_back(Form(PlainForm(), name));
  files.push_back(WriteNotATable(temp_.path() / "in", "d.scx").string());
  for (const char* name : {"e", "f", "g", "h"}) files.push_back(Form(PlainForm(), name));
  EXPECT_EQ(Run(files, Out(), {.keep_going = false, .jobs = 3, .code_page = {}}),
            "Table Header for " + files[3] + " is invalid");
  EXPECT_EQ(host_.lines.size(), 3 * 4 + 1u);
  EXPECT_EQ(host_.lines.back(), "   Converting: " + files[3]);
  EXPECT_EQ(FileNames(Out()), (std::vector<std::string>{"a.dfm", "a.pas", "b.dfm", "b.pas", "c.dfm", "c.pas"}));
}

TEST_F(ConversionRunTest, OnSeveralThreadsTheFormsAfterTheEndLeaveNoFolders) {
  std::vector<RunInput> inputs = {{Form(PlainForm(), "a"), "one/"},
                                  {WriteNotATable(temp_.path() / "in", "b.scx").string(), "two/"}};
  for (const char* name : {"c", "d", "e", "f"}) {
    inputs.push_back({Form(PlainForm(), name), std::string(name) + kDelimiter + "x" + kDelimiter});
  }
  ConversionRun run(host_, {.keep_going = false, .jobs = 2, .code_page = {}});
  EXPECT_THROW(run.ConvertSelectedFiles(inputs, Out()), ETableError);
  std::vector<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(Out())) {
    entries.push_back(entry.path().lexically_relative(Out()).generic_string());
  }
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"one", "one/a.dfm", "one/a.pas"}));
}

// Workers see a cancel at their next progress report; a file finished before
// that is saved as it would be with one thread, and nothing after the
// cancelled file is.
TEST_F(ConversionRunTest, OnSeveralThreadsACancelEndsTheRunAtAFile) {
  std::vector<std::string> files;
  // More files than the workers may run ahead of the report, so that some
  // are still to be converted when the cancel comes.
  for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"}) {
    files.push_back(Form(PlainForm(), name));
  }
  host_.on_events = [this](int) { run_->RequestCancel(); };
  EXPECT_EQ(Run(files, Out(), {.keep_going = false, .jobs = 2, .code_page = {}}), "Canceled by user");
  const std::size_t done = std::count(host_.lines.begin(), host_.lines.end(), "   Done\r\n");
  ASSERT_EQ(host_.lines.size(), done * 4 + 2);
  EXPECT_EQ(host_.lines.back(), "   Generating: " + Out() + kDelimiter + std::string(1, char('a' + done)) + ".dfm");
  EXPECT_EQ(FileNames(Out()).size(), 2 * done);
}

TEST_F(ConversionRunTest, KeepGoingTurnsATableThatCannotBeOpenedIntoAWarning) {
  const std::string first = WriteNotATable(temp_.path() / "in", "a.scx").string();
  const std::string second = Form(PlainForm(), "b");
  EXPECT_EQ(Run({first, second}, Out(), {.keep_going = true, .jobs = 1, .code_page = {}}), "");
  ASSERT_EQ(host_.lines.size(), 6u);
  EXPECT_EQ(host_.lines[1], "   Warning: Table Header for " + first + " is invalid");
  EXPECT_EQ(host_.lines[2], "   Converting: " + second);
  EXPECT_EQ(warnings_, 1);
  EXPECT_EQ(FileNames(Out()), (std::vector<std::string>{"b.dfm", "b.pas"}));
}

TEST_F(ConversionRunTest, OutputDirectoryThatCannotBeCreated) {
  const std::string input = Form(PlainForm(), "main");
  WriteFileBytes(temp_.path() / "blocker", "a file");
  const std::string out = (temp_.path() / "blocker" / "out").string();
  EXPECT_EQ(Run({input}, out), "Cannot create " + out);
  EXPECT_TRUE(host_.lines.empty());
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"busy:1", "busy:0"}));
}

TEST_F(ConversionRunTest, TableWithoutFormStillWritesBothFilesWithWarnings) {
  const std::string input = Form(TableWithoutForm(), "main");
  EXPECT_EQ(Run({input}, Out()), "");
  ASSERT_EQ(host_.lines.size(), 6u);
  EXPECT_EQ(host_.lines[2], "   Warning: Max property out of range: the object text is empty");
  EXPECT_TRUE(host_.lines[4].starts_with("   Warning: ")) << host_.lines[4];
  EXPECT_EQ(warnings_, 2);
  EXPECT_EQ(OutFile("main.dfm"), "");
  EXPECT_NE(OutFile("main.pas").find("   = class(TForm)"), std::string::npos);
}

TEST_F(ConversionRunTest, CancelInPassOneEndsAtTheStartOfPassTwo) {
  const std::string first = Form(PlainForm(), "a");
  const std::string second = Form(PlainForm(), "b");
  host_.on_events = [this](int) { run_->RequestCancel(); };
  EXPECT_EQ(Run({first, second}, Out()), "Canceled by user");
  EXPECT_EQ(host_.lines, (std::vector<std::string>{"   Converting: " + first,
                                                   "   Generating: " + Out() + kDelimiter + "a.dfm"}));
  EXPECT_TRUE(FileNames(Out()).empty());
}

TEST_F(ConversionRunTest, CancelInPassTwo) {
  const std::string input = Form(PlainForm(), "main");
  host_.on_events = [this](int count) {
    if (count == 5) run_->RequestCancel();  // 3 calls in pass 1, the 2nd line of pass 2
  };
  EXPECT_EQ(Run({input}, Out()), "Canceled by user");
  EXPECT_EQ(host_.lines, (std::vector<std::string>{"   Converting: " + input,
                                                   "   Generating: " + Out() + kDelimiter + "main.dfm"}));
  EXPECT_TRUE(FileNames(Out()).empty());
}

TEST_F(ConversionRunTest, CancelAfterTheLastProgressOfTheLastFileLetsItFinish) {
  const std::string input = Form(PlainForm(), "main");
  host_.on_events = [this](int count) {
    if (count == 3 + 14) run_->RequestCancel();  // the last line of pass 2
  };
  EXPECT_EQ(Run({input}, Out()), "Canceled by user");
  host_.lines.clear();
  host_.on_events = nullptr;
  EXPECT_EQ(Run({input}, Out()), "") << "a new run starts without the old cancel";
  EXPECT_EQ(host_.lines, CleanReport(input, Out() + kDelimiter));
}

// A killed run's temporary files go from each folder the next run writes to;
// those of a process that runs stay, and so does anything else.
TEST_F(ConversionRunTest, TemporaryFilesOfEndedRunsGoFromTheFoldersItWrites) {
  const TemporaryFileWriter& self = ThisWriter();
  const std::string id = ".main.dfm." + std::to_string(self.process) + "-";
  const std::string ended = id + std::to_string(self.tag + 1) + "-0.tmp";  // this id, an earlier process
  const std::string running = id + std::to_string(self.tag) + "-999999.tmp";
  const fs::path out = Out();
  for (const fs::path& folder : {out, out / "sub", temp_.path() / "elsewhere"}) {
    WriteFileBytes(folder / ended, "x");
    WriteFileBytes(folder / running, "x");
  }
  WriteFileBytes(out / ".notes.tmp", "x");
  ConversionRun run(host_);
  run.ConvertSelectedFiles(std::vector<RunInput>{{Form(PlainForm(), "main"), "sub" + kDelimiter}}, Out());
  EXPECT_EQ(FileNames(out), (std::vector<std::string>{running, ".notes.tmp"}));
  EXPECT_EQ(FileNames(out / "sub"), (std::vector<std::string>{running, "main.dfm", "main.pas"}));
  std::vector<std::string> both = {ended, running};
  std::sort(both.begin(), both.end());
  EXPECT_EQ(FileNames(temp_.path() / "elsewhere"), both);
}

TEST_F(ConversionRunTest, LastConversionKeepsTheTextListsAndClosesTheTable) {
  const std::string input = Form(PlainForm(), "main");
  ConversionRun run(host_);
  run.ConvertSelectedFiles({input}, Out());
  const FileConversion* last = run.LastConversion();
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->ObjectTextLines().front(), "object Form1=TForm1");
  EXPECT_EQ(last->DfmLines().front(), "object Form1: TForm1");
  EXPECT_EQ(JoinLines(last->DfmLines()), OutFile("main.dfm"));
  EXPECT_EQ(last->PasLines().front().substr(0, 10), "unit main;");
  EXPECT_EQ(run.OutputDirectory(), Out() + kDelimiter);
}

}  // namespace
}  // namespace quorvex::testing
