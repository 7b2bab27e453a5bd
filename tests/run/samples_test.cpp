// The sample forms: the committed files are what the fixture writer makes, and
// they convert to the committed expected outputs (QUORVEX_UPDATE_GOLDEN=1
// rewrites those; review with git diff).

#include <gtest/gtest.h>

#include "run/conversion_run.h"
#include "support/run_support.h"
#include "sample_forms.h"
#include "support/golden.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(QUORVEX_SOURCE_DIR) / "samples";

TEST(SamplesTest, CommittedFormsAreWhatTheWriterMakes) {
  for (const auto& sample : samples::SampleForms()) {
    const fixtures::TableFiles files = sample.writer.Build();
    EXPECT_EQ(ReadFileBytes(kSamples / (sample.name + ".scx")), files.table)
        << sample.name << ".scx is stale: run make_samples";
    EXPECT_EQ(ReadFileBytes(kSamples / (sample.name + ".sct")), files.memo)
        << sample.name << ".sct is stale: run make_samples";
  }
}

TEST(SamplesTest, ConvertToTheExpectedFilesWithoutWarnings) {
  TempDir out;
  std::vector<std::string> forms;
  for (const auto& sample : samples::SampleForms()) forms.push_back((kSamples / (sample.name + ".scx")).string());
  RecordingHost host;
  ConversionRun run(host);
  run.ConvertSelectedFiles(forms, out.path().string());
  EXPECT_EQ(run.WarningCount(), 0);
  for (const auto& sample : samples::SampleForms()) {
    for (const char* extension : {".dfm", ".pas"}) {
      const std::string name = sample.name + extension;
      const fs::path expected = kSamples / "expected" / name;
      const std::string actual = ReadFileBytes(out.path() / name);
      if (UpdateGolden()) {
        WriteFileBytes(expected, actual);
      } else {
        EXPECT_TRUE(SameBytes(ReadFileBytes(expected), actual, name));
      }
    }
  }
}

}  // namespace
}  // namespace quorvex::testing
