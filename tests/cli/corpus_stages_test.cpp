// Every stage the command line prints, for every corpus form, against the
// expected files: what scripts and people see of a conversion.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/stages.h"
#include "support/golden.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

struct StageOutput {
  int status = 0;
  std::string out;
};

StageOutput Stage(const fs::path& form, const std::string& stage) {
  CliOptions options;
  options.inputs = {form.string()};
  options.stage = stage;
  std::ostringstream out, err;
  const int status = RunStage(options, out, err);
  return {status, out.str()};
}

TEST(CorpusStagesTest, EveryStageOfEveryFormAsExpected) {
  QUORVEX_REQUIRE_CORPUS();
  for (const auto& form : CorpusForms()) {
    const fs::path expected = CorpusExpectedDir() / form.stem();
    if (fs::exists(expected.string() + ".error")) continue;  // not a table
    for (const char* stage : {"records", "tree", "objtext", "rawdfm", "pas", "dfm"}) {
      const fs::path file = expected.string() + "." + stage;
      if (!fs::exists(file)) continue;  // records: every tenth form
      const StageOutput output = Stage(form, stage);
      EXPECT_TRUE(SameBytes(ReadFileBytes(file), output.out, file.filename().string()));
      // In the corpus, the only failure a run passes over is a .dfm text
      // that does not parse, which the form's report shows as a warning.
      const bool warned = ReadFileBytes(expected.string() + ".report").find("   Warning: ") != std::string::npos;
      EXPECT_EQ(output.status, std::string(stage) == "dfm" && warned ? 3 : 0) << file.filename();
    }
  }
}

}  // namespace
}  // namespace quorvex::testing
