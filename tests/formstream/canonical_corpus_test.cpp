// Golden test on the real forms: every raw DFM text of the corpus,
// canonicalised with its form's code page, must equal the saved .dfm byte for
// byte, or fail where the form's report says the text does not parse.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "formstream/canonical_dfm.h"
#include "base/text_list.h"
#include "support/golden.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;

// Form base name -> code page, from the codepage_mark column (hex) of SOURCES.tsv.
std::map<std::string, int> CorpusCodePages(const fs::path& sources) {
  std::map<std::string, int> pages;
  const TextList rows = SplitLines(ReadFileBytes(sources));
  if (rows.empty()) return pages;
  std::size_t mark_column = 0;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    std::vector<std::string_view> cells;
    std::string_view rest = rows[row];
    for (std::size_t tab; (tab = rest.find('\t')) != std::string_view::npos; rest.remove_prefix(tab + 1)) {
      cells.push_back(rest.substr(0, tab));
    }
    cells.push_back(rest);
    if (row == 0) {
      mark_column = static_cast<std::size_t>(std::find(cells.begin(), cells.end(), "codepage_mark") - cells.begin());
      continue;
    }
    if (mark_column >= cells.size()) continue;
    int mark = 0;
    const std::string_view hex = cells[mark_column];
    std::from_chars(hex.data(), hex.data() + hex.size(), mark, 16);
    pages[std::string(cells[0])] = CodePageFromMark(mark);
  }
  return pages;
}

// The parse message of a report: the "   Warning: " line right after the
// line that names the .pas file; empty when there is none.
std::string ParseWarning(const std::string& report) {
  static constexpr std::string_view kWarning = "   Warning: ";
  const TextList lines = SplitLines(report);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("   Generating: ", 0) == 0 && line.size() >= 4 && line.compare(line.size() - 4, 4, ".pas") == 0 &&
        lines[i + 1].rfind(kWarning, 0) == 0) {
      return lines[i + 1].substr(kWarning.size());
    }
  }
  return {};
}

TEST(CanonicalCorpusTest, EveryRawTextBecomesTheSavedDfm) {
  QUORVEX_REQUIRE_CORPUS();
  const fs::path expected_dir = testing::CorpusExpectedDir();
  const auto code_pages = CorpusCodePages(expected_dir.parent_path() / "SOURCES.tsv");
  ASSERT_FALSE(code_pages.empty());
  std::vector<fs::path> raw_texts;
  for (const auto& entry : fs::directory_iterator(expected_dir)) {
    if (entry.path().extension() == ".rawdfm") raw_texts.push_back(entry.path());
  }
  std::sort(raw_texts.begin(), raw_texts.end());
  ASSERT_GE(raw_texts.size(), 200u);

  int failures_expected = 0;
  for (const fs::path& raw_path : raw_texts) {
    const std::string form = raw_path.stem().string();
    SCOPED_TRACE(form);
    const auto page = code_pages.find(form);
    ASSERT_NE(page, code_pages.end()) << "form missing from SOURCES.tsv";
    const fs::path base = expected_dir / form;
    const std::string raw = ReadFileBytes(raw_path);
    const std::string saved = ReadFileBytes(fs::path(base).replace_extension(".dfm"));
    const std::string warning = ParseWarning(ReadFileBytes(fs::path(base).replace_extension(".report")));
    try {
      const std::string canonical = CanonicaliseDfmText(raw, page->second);
      EXPECT_TRUE(warning.empty()) << "parsed, but the report says: " << warning;
      EXPECT_TRUE(testing::SameBytes(saved, canonical, form + ".dfm"));
      EXPECT_EQ(CanonicaliseDfmText(canonical, page->second), canonical) << "canonical text is a fixed point";
    } catch (const EParserError& error) {
      EXPECT_EQ(error.what(), warning);
      EXPECT_EQ(saved, raw) << "a text that does not parse is saved as generated";
      ++failures_expected;
    }
  }
  EXPECT_GT(failures_expected, 0);
}

}  // namespace
}  // namespace quorvex
