// The manual page and the bash completion name exactly the options that
// --help lists, so that none of the three drifts from the others.

#include <regex>
#include <set>

#include "command_line_fixture.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;
using OptionSet = std::set<std::string>;

OptionSet OptionsIn(const std::string& text) {
  static const std::regex option(R"((?:^|[\s,"(])(--?[a-zA-Z][a-zA-Z-]*))");
  OptionSet found;
  for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it) found.insert((*it)[1]);
  return found;
}

std::string Section(const std::string& text, const std::string& from, const std::string& to) {
  const std::size_t start = text.find(from);
  const std::size_t stop = text.find(to, start);
  EXPECT_NE(start, std::string::npos) << from;
  EXPECT_NE(stop, std::string::npos) << to;
  return text.substr(start, stop - start);
}

TEST_F(CommandLineTest, ManualPageAndCompletionListTheOptionsOfHelp) {
  ASSERT_EQ(Run({"--help"}), 0);
  const OptionSet help = OptionsIn(Section(out_.str(), "Options:", "Exit status"));
  EXPECT_TRUE(help.contains("--report-json")) << "the parse found the options";

  const fs::path dist = fs::path(QUORVEX_SOURCE_DIR) / "dist";
  std::string manual = Section(ReadFileBytes(dist / "quorvex-convert.1"), ".SH OPTIONS", ".SH EXIT STATUS");
  manual = std::regex_replace(manual, std::regex(R"(\\-)"), "-");
  manual = std::regex_replace(manual, std::regex(R"(\\f[BIR])"), " ");
  EXPECT_EQ(OptionsIn(manual), help) << "dist/quorvex-convert.1";

  const std::string completion = ReadFileBytes(dist / "quorvex-convert.bash");
  std::smatch words;
  ASSERT_TRUE(std::regex_search(completion, words, std::regex(R"re(compgen -W "(-[^"]*)")re")));
  EXPECT_EQ(OptionsIn(words[1].str()), help) << "dist/quorvex-convert.bash";
}

}  // namespace
}  // namespace quorvex::testing
