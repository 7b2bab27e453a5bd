// Whole object texts against expected DFM texts and units, byte for byte: the
// hand-made cases in data/ and the corpus's real forms. Each folder is listed,
// so a case is added by adding its files.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "dfm/convert_dfm.h"
#include "dfm/convert_pas.h"
#include "base/progress.h"
#include "base/text_list.h"
#include "dfm_test_data.h"
#include "support/golden.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> ObjectTextFiles(const fs::path& dir) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(dir, error)) {
    if (entry.path().extension() == ".objtext") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

struct Outputs {
  std::string dfm;
  std::string pas;
};

// The unit's source file is the case's .scx of the same name.
Outputs ConvertCase(const fs::path& objtext) {
  TextList dfm;
  ConvertToDfm(SplitLines(testing::ReadFileBytes(objtext)), dfm, NullProgress());
  TextList pas;
  ConvertToPas(dfm, pas, objtext.stem().string() + ".scx");
  return {JoinLines(dfm), JoinLines(pas)};
}

void ExpectSameFile(const fs::path& expected_file, const std::string& actual, bool update) {
  if (update) {
    testing::WriteFileBytes(expected_file, actual);
    return;
  }
  EXPECT_TRUE(testing::SameBytes(testing::ReadFileBytes(expected_file), actual, expected_file.filename().string()));
}

void ExpectCasesOf(const fs::path& dir, bool update) {
  const auto files = ObjectTextFiles(dir);
  ASSERT_FALSE(files.empty()) << "no .objtext files in " << dir;
  for (auto file : files) {
    SCOPED_TRACE(file.filename().string());
    const Outputs outputs = ConvertCase(file);
    ExpectSameFile(file.replace_extension(".rawdfm"), outputs.dfm, update);
    ExpectSameFile(file.replace_extension(".pas"), outputs.pas, update);
  }
}

TEST(Golden, HandMadeCases) { ExpectCasesOf(testing::Pass2DataDir(), testing::UpdateGolden()); }

// The corpus's expected files are never rewritten from here.
TEST(Golden, CorpusForms) {
  QUORVEX_REQUIRE_CORPUS();
  ExpectCasesOf(testing::CorpusExpectedDir(), false);
}

}  // namespace
}  // namespace quorvex
