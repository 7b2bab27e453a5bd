// Runs every hand-made case of the shared canonical/ folder: NN-name.dfm must
// become NN-name.expected byte for byte, or fail on the named line when the
// expected file starts with "!ERROR".

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "formstream/canonical_dfm.h"
#include "support/golden.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::SameBytes;

std::vector<fs::path> CaseInputs(const fs::path& dir) {
  std::vector<fs::path> inputs;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() == ".dfm") inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

// "!ERROR message on line N" or "!ERROR (description) on line N": the exact
// fault text (empty for a description, whose wording is free) and the line.
struct ExpectedError {
  std::string fault;
  std::string line_suffix;
};

ExpectedError ReadExpectedError(std::string_view first_line) {
  const std::string_view body = first_line.substr(std::string_view("!ERROR ").size());
  const std::size_t on_line = body.rfind(" on line ");
  ExpectedError expected;
  expected.line_suffix = std::string(body.substr(on_line));
  if (body.front() != '(') expected.fault = std::string(body.substr(0, on_line));
  return expected;
}

TEST(CanonicalCasesTest, EveryHandMadeCasePasses) {
  const auto dir = testing::SharedSubdir("canonical");
  if (!dir) GTEST_SKIP() << "shared canonical/ cases not found (set QUORVEX_SHARED); skipped";
  const auto inputs = CaseInputs(*dir);
  ASSERT_FALSE(inputs.empty());
  for (const fs::path& input : inputs) {
    SCOPED_TRACE(input.filename().string());
    fs::path expected_path = input;
    expected_path.replace_extension(".expected");
    const std::string text = ReadFileBytes(input);
    const std::string expected = ReadFileBytes(expected_path);
    if (expected.rfind("!ERROR ", 0) != 0) {
      try {
        EXPECT_TRUE(SameBytes(expected, CanonicaliseDfmText(text), input.filename().string()));
      } catch (const EParserError& error) {
        ADD_FAILURE() << "unexpected failure: " << error.what();
      }
      continue;
    }
    const ExpectedError error = ReadExpectedError(expected.substr(0, expected.find_first_of("\r\n")));
    try {
      CanonicaliseDfmText(text);
      ADD_FAILURE() << "parsed, expected a failure" << error.line_suffix;
    } catch (const EParserError& failure) {
      const std::string message = failure.what();
      if (error.fault.empty()) {
        EXPECT_TRUE(message.size() > error.line_suffix.size() &&
                    message.compare(message.size() - error.line_suffix.size(), std::string::npos,
                                    error.line_suffix) == 0)
            << message;
      } else {
        EXPECT_EQ(message, error.fault + error.line_suffix);
      }
    }
  }
}

}  // namespace
}  // namespace quorvex
