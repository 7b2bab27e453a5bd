// The whole corpus through the command line: every saved file and the report
// as expected, and the same with several threads.

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "cli/command_line.h"
#include "support/run_support.h"
#include "support/golden.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

struct RunResult {
  int status = 0;
  std::string report;  // stdout with the times removed
};

RunResult ConvertCorpus(const fs::path& out, int jobs) {
  std::vector<std::string> args = {"-o", out.string(), "-k", "-j", std::to_string(jobs)};
  for (const auto& form : CorpusForms()) args.push_back(form.string());
  std::ostringstream stdout_text, stderr_text;
  const std::atomic<bool> interrupted{false};
  RunResult result;
  result.status = RunCommandLine(args, {stdout_text, stderr_text, false, interrupted});
  static const std::regex kTime("^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]", std::regex::multiline);
  result.report = std::regex_replace(stdout_text.str(), kTime, "");
  return result;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The forms' reports one after another; with -k the form that is not a table
// gets a warning line in place of the line that would end the run.
std::string ExpectedReport(const fs::path& out) {
  const fs::path expected = CorpusExpectedDir();
  std::string report;
  for (const auto& form : CorpusForms()) {
    const std::string stem = form.stem().string();
    std::string text = ReadFileBytes(expected / (stem + ".report"));
    if (fs::exists(expected / (stem + ".error"))) {
      text.erase(text.rfind('\n', text.size() - 2) + 1);
      text += "   Warning: " + ReadFileBytes(expected / (stem + ".error"));
    }
    report += ReplaceAll(ReplaceAll(text, "{IN}/", form.parent_path().string() + kDelimiter), "{OUT}/",
                         out.string() + kDelimiter);
  }
  return report;
}

// Parse messages are free in their wording: only the start of those lines counts.
std::string WithoutParseMessages(std::string report) {
  static const std::regex kParseWarning("^   Warning: .* on line [0-9]+$", std::regex::multiline);
  return std::regex_replace(report, kParseWarning, "   Warning: (parse failure)");
}

TEST(CorpusRunTest, EveryFormsFilesAndReportAsExpected) {
  QUORVEX_REQUIRE_CORPUS();
  TempDir temp;
  const RunResult result = ConvertCorpus(temp.path(), 1);
  EXPECT_EQ(result.status, 3) << "the corpus has forms with warnings";
  EXPECT_TRUE(SameBytes(WithoutParseMessages(ExpectedReport(temp.path())), WithoutParseMessages(result.report),
                        "report"));
  for (const auto& form : CorpusForms()) {
    for (const char* extension : {".dfm", ".pas"}) {
      const fs::path expected = CorpusExpectedDir() / (form.stem().string() + extension);
      if (!fs::exists(expected)) continue;
      const fs::path actual = temp.path() / (form.stem().string() + extension);
      EXPECT_TRUE(SameBytes(ReadFileBytes(expected), ReadFileBytes(actual), actual.filename().string()));
    }
  }
}

TEST(CorpusRunTest, SeveralThreadsGiveTheSameReportAndFiles) {
  QUORVEX_REQUIRE_CORPUS();
  TempDir one, two;
  const RunResult single = ConvertCorpus(one.path() / "out", 1);
  const RunResult parallel = ConvertCorpus(two.path() / "out", 3);
  EXPECT_EQ(single.status, parallel.status);
  EXPECT_TRUE(SameBytes(single.report, ReplaceAll(parallel.report, two.path().string(), one.path().string()),
                        "report"));
  const auto names = FileNames(one.path() / "out");
  EXPECT_EQ(names, FileNames(two.path() / "out"));
  for (const auto& name : names) {
    EXPECT_EQ(ReadFileBytes(one.path() / "out" / name), ReadFileBytes(two.path() / "out" / name)) << name;
  }
}

}  // namespace
}  // namespace quorvex::testing
