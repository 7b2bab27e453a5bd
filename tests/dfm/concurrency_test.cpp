// Conversions share only the read-only vocabulary: two at once on two threads
// give what they give one after the other.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>
#include <vector>

#include "dfm/convert_dfm.h"
#include "dfm/convert_pas.h"
#include "base/progress.h"
#include "dfm_test_data.h"
#include "support/golden.h"

namespace quorvex {
namespace {

struct Result {
  TextList dfm;
  TextList pas;
  bool operator==(const Result&) const = default;
};

Result ConvertBoth(const TextList& object_text) {
  Result result;
  ConvertToDfm(object_text, result.dfm, NullProgress());
  ConvertToPas(result.dfm, result.pas, "form.scx");
  return result;
}

// The hand-made cases, a text that exercises names and font styles, and the
// corpus's object texts when the corpus is present.
std::vector<TextList> Inputs() {
  std::vector<TextList> inputs;
  for (const auto* name : {"main.objtext", "grid.objtext", "names.objtext"}) inputs.push_back(testing::ReadDataLines(name));
  TextList styled = {"object Form1=TForm1"};
  for (int i = 0; i < 50; ++i) {
    styled.insert(styled.end(), {"  object Text1=label", "    FontBold = .T.", "    FontItalic = .T.",
                                 "    BackColor = 10,20,30", "  end"});
  }
  styled.push_back("end");
  inputs.push_back(styled);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(testing::CorpusExpectedDir(), error)) {
    if (entry.path().extension() == ".objtext") inputs.push_back(SplitLines(testing::ReadFileBytes(entry.path())));
  }
  return inputs;
}

TEST(Concurrency, TwoConversionsAtOnceMatchOneAfterTheOther) {
  const std::vector<TextList> inputs = Inputs();
  std::vector<Result> sequential;
  for (const auto& input : inputs) sequential.push_back(ConvertBoth(input));

  constexpr int kRounds = 3;
  std::vector<Result> forward(inputs.size());
  std::vector<Result> backward(inputs.size());
  std::thread first([&] {
    for (int round = 0; round < kRounds; ++round) {
      for (std::size_t i = 0; i < inputs.size(); ++i) forward[i] = ConvertBoth(inputs[i]);
    }
  });
  std::thread second([&] {
    for (int round = 0; round < kRounds; ++round) {
      for (std::size_t i = inputs.size(); i-- > 0;) backward[i] = ConvertBoth(inputs[i]);
    }
  });
  first.join();
  second.join();
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    EXPECT_TRUE(forward[i] == sequential[i]) << "input " << i;
    EXPECT_TRUE(backward[i] == sequential[i]) << "input " << i;
  }
}

}  // namespace
}  // namespace quorvex
