// The corpus's real forms: each object text converted to the raw DFM text and
// the unit must give the expected files byte for byte.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "convert/convert_dfm.h"
#include "convert/convert_pas.h"
#include "convert/progress.h"
#include "convert/text_list.h"
#include "support/golden.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> ObjectTextFiles() {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(testing::CorpusExpectedDir(), error)) {
    if (entry.path().extension() == ".objtext") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(CorpusGolden, ObjectTextGivesExpectedRawDfmAndUnit) {
  QUORVEX_REQUIRE_CORPUS();
  const auto files = ObjectTextFiles();
  ASSERT_FALSE(files.empty()) << "no .objtext files in " << testing::CorpusExpectedDir();
  for (const auto& objtext : files) {
    SCOPED_TRACE(objtext.filename().string());
    const TextList object_text = SplitLines(testing::ReadFileBytes(objtext));
    TextList dfm;
    ConvertToDfm(object_text, dfm, NullProgress());
    auto expected = objtext;
    EXPECT_TRUE(testing::SameBytes(testing::ReadFileBytes(expected.replace_extension(".rawdfm")), JoinLines(dfm),
                                   expected.filename().string()));

    TextList pas;
    const auto source_name = objtext.stem().string() + ".scx";
    ConvertToPas(dfm, pas, source_name);
    EXPECT_TRUE(testing::SameBytes(testing::ReadFileBytes(expected.replace_extension(".pas")), JoinLines(pas),
                                   expected.filename().string()));
  }
}

}  // namespace
}  // namespace quorvex
