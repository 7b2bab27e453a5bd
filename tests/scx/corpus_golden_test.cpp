// The object tree and the object text of every real form in the shared
// corpus, compared byte for byte with the expected stage outputs.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "scx/tree_printout.h"
#include "scx/object_text.h"
#include "support/golden.h"
#include "table/table_dataset.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;

TEST(CorpusGoldenTest, TreeAndObjectTextOfEveryForm) {
  QUORVEX_REQUIRE_CORPUS();
  const fs::path expected_dir = testing::CorpusExpectedDir();
  int compared = 0;
  for (const fs::path& scx : testing::CorpusForms()) {
    const std::string stem = scx.stem().string();
    // A form that is no table at all has an .error file instead of stages.
    if (fs::exists(expected_dir / (stem + ".error"))) continue;
    SCOPED_TRACE(stem);
    TableDataSet dataset;
    ScxObjectTree tree;
    OpenScxFile(dataset, scx.string(), tree);

    std::ostringstream printed;
    PrintTree(tree, printed);
    EXPECT_TRUE(testing::SameBytes(testing::ReadFileBytes(expected_dir / (stem + ".tree")), printed.str(),
                                   stem + ".tree"));

    TextList object_text;
    WriteObjectText(dataset, tree, object_text, NullProgress());
    dataset.Close();
    EXPECT_TRUE(testing::SameBytes(testing::ReadFileBytes(expected_dir / (stem + ".objtext")),
                                   JoinLines(object_text), stem + ".objtext"));
    ++compared;
  }
  EXPECT_GT(compared, 0);
}

}  // namespace
}  // namespace quorvex
