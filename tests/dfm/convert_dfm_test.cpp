// Pass 2 over whole object texts: headers, end lines, grids, nesting, progress.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dfm/convert_dfm.h"
#include "base/progress.h"
#include "dfm_test_data.h"
#include "base/errors.h"

namespace quorvex {
namespace {

TextList Convert(const TextList& object_text) {
  TextList dfm;
  ConvertToDfm(object_text, dfm, NullProgress());
  return dfm;
}

// Wraps `body` (already indented for level 1) in a form block.
TextList InForm(std::initializer_list<std::string> body) {
  TextList text = {"object Form1=TForm1"};
  text.insert(text.end(), body);
  text.push_back("end");
  return text;
}

TEST(ConvertToDfm, SecondColumnIsAnItemWithoutTheCollectionOpening) {
  const TextList dfm = Convert(InForm({
      "  object Grid1=grid",
      "    object Column1=Column",
      "    end",
      "    object Column2=Column",
      "    end",
      "  end",
  }));
  EXPECT_EQ(dfm, (TextList{"object Form1: TForm1", "  object Grid1: TDBGrid", "    Columns = <    item", "    end",
                           "    item", "    end", ">  end", "end"}));
}

TEST(ConvertToDfm, GridWithoutColumnsClosesTheCollectionOnItsEndLine) {
  const TextList dfm = Convert(InForm({"  object Grid1=grid", "    Top = 5", "  end"}));
  EXPECT_EQ(dfm, (TextList{"object Form1: TForm1", "  object Grid1: TDBGrid", "    Top = 5", "    Columns = <>  end",
                           "end"}));
}

TEST(ConvertToDfm, HeaderStylesGatherAndDroppedLinesHaveNoTitlePrefix) {
  const TextList dfm = Convert(InForm({
      "  object Grid1=grid",
      "    object Column1=Column",
      "      object Header1=header",
      "        FontBold = .T.",
      "        Name = \"Header1\"",
      "        FontItalic = .T.",
      "      end",
      "    end",
      "  end",
  }));
  ASSERT_EQ(dfm.size(), 11u);
  EXPECT_EQ(dfm[4], "        Title.Font.Style = [fsBold, fsItalic]");
  EXPECT_EQ(dfm[5], "        ");
  EXPECT_EQ(dfm[6], "        ");
}

TEST(ConvertToDfm, EachObjectHasItsOwnStyleSet) {
  const TextList dfm = Convert({
      "object Form1=TForm1",
      "  FontBold = .T.",
      "  object Label1=label",
      "    FontItalic = .T.",
      "    FontBold = .T.",
      "  end",
      "end",
  });
  EXPECT_EQ(dfm[1], "  Font.Style = [fsBold]");
  EXPECT_EQ(dfm[3], "    Font.Style = [fsItalic, fsBold]");
  EXPECT_EQ(dfm[4], "    ");
}

TEST(ConvertToDfm, IndentationComesFromNestingNotFromTheInput) {
  EXPECT_EQ(Convert({"      object Form1=TForm1", "Height = 1", "\t  end  "}),
            (TextList{"object Form1: TForm1", "  Height = 1", "end"}));
}

TEST(ConvertToDfm, KeywordsAreMatchedOnTheFirstWordWithoutCase) {
  EXPECT_EQ(Convert({"OBJECT Form1=TForm1", "Object Label1=label", "END", "endless = 1", "End", "end"}),
            (TextList{"OBJECT Form1: TForm1", "  Object Label1: TLabel", "  end", "  endless: 1", "  end", "end"}));
}

TEST(ConvertToDfm, OnlyTheFirstBlockIsConverted) {
  const TextList dfm =
      Convert({"object Form1=TForm1", "  Top = 1", "end", "object Form2=TForm2", "  Top = 2", "end", "end"});
  EXPECT_EQ(dfm, (TextList{"object Form1: TForm1", "  Top = 1", "end"}));
}

TEST(ConvertToDfm, TheLastLineIsNeverAPropertyOrChild) {
  EXPECT_EQ(Convert({"object Form1=TForm1", "  Top = 1", "  Height = 2"}),
            (TextList{"object Form1: TForm1", "  Top = 1", "end"}));
  EXPECT_EQ(Convert({"object Form1=TForm1", "  Top = 1", "  object Label1=label"}),
            (TextList{"object Form1: TForm1", "  Top = 1", "end"}));
}

TEST(ConvertToDfm, TruncatedTextClosesEveryOpenObject) {
  EXPECT_EQ(Convert({"object Form1=TForm1", "  object Box1=container", "    object Label1=label", "      Top = 1",
                     "      Left = 2"}),
            (TextList{"object Form1: TForm1", "  object Box1: TPanel", "    object Label1: TLabel", "      Top = 1",
                      "    end", "  end", "end"}));
  EXPECT_EQ(Convert({"object Form1=TForm1"}), (TextList{"object Form1: TForm1", "end"}));
}

TEST(ConvertToDfm, AppendsAfterExistingLinesWithoutReadingThem) {
  const TextList object_text = {"object Form1=TForm1", "  FontBold = .T.", "  FontItalic = .T.", "end"};
  TextList dfm = {"kept", "  Font.Style = [fsUnderline]"};
  ConvertToDfm(object_text, dfm, NullProgress());
  EXPECT_EQ(dfm, (TextList{"kept", "  Font.Style = [fsUnderline]", "object Form1: TForm1",
                           "  Font.Style = [fsBold, fsItalic]", "  ", "end"}));
}

TEST(ConvertToDfm, EmptyObjectTextFailsBeforeWritingOrReporting) {
  class CountingProgress final : public ProgressSink {
   public:
    void SetRange(int) override { ++calls; }
    void ReportProgress(int) override { ++calls; }
    int calls = 0;
  } progress;
  TextList dfm;
  try {
    ConvertToDfm({}, dfm, progress);
    FAIL() << "no failure for an empty object text";
  } catch (const Exception& error) {
    EXPECT_EQ(std::string(error.what()), kEmptyObjectTextMessage);
  }
  EXPECT_TRUE(dfm.empty());
  EXPECT_EQ(progress.calls, 0);
}

// Records every call; throws "Canceled by user" at a chosen position.
class RecordingProgress final : public ProgressSink {
 public:
  explicit RecordingProgress(int cancel_at = -1) : cancel_at_(cancel_at) {}
  void SetRange(int maximum) override { calls.push_back("range " + std::to_string(maximum)); }
  void ReportProgress(int position) override {
    calls.push_back(std::to_string(position));
    if (position == cancel_at_) throw Exception("Canceled by user");
  }
  std::vector<std::string> calls;

 private:
  int cancel_at_;
};

TEST(ConvertToDfm, ReportsEveryLineReadAfterSettingTheRange) {
  RecordingProgress progress;
  TextList dfm;
  ConvertToDfm({"object Form1=TForm1", "  Top = 1", "end", "surplus"}, dfm, progress);
  // The read after the form's end line takes the next line and only moves the bar.
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"range 3", "1", "2", "3", "4"}));
  EXPECT_EQ(dfm.size(), 3u);
}

TEST(ConvertToDfm, CancelLeavesTheLinesWrittenSoFar) {
  const TextList text = testing::ReadDataLines("main.objtext");
  const TextList full = testing::ReadDataLines("main.rawdfm");
  for (int cancel_at = 1; cancel_at <= static_cast<int>(text.size()) + 1; ++cancel_at) {
    RecordingProgress progress(cancel_at);
    TextList dfm;
    EXPECT_THROW(ConvertToDfm(text, dfm, progress), Exception) << cancel_at;
    ASSERT_LE(dfm.size(), full.size()) << cancel_at;
    EXPECT_TRUE(std::equal(dfm.begin(), dfm.end(), full.begin())) << cancel_at;
  }
}

// Columns nested in columns write no indentation, so a deep text stays small;
// nesting this deep must not exhaust the call stack.
TEST(ConvertToDfm, DeepNestingIsHandledWithoutRecursion) {
  constexpr std::size_t kDepth = 300000;
  TextList text = {"object Form1=TForm1", "  object Column0=Column"};
  for (std::size_t level = 1; level < kDepth; ++level) text.push_back("object Nested" + std::to_string(level) + "=column");
  for (std::size_t level = 0; level <= kDepth; ++level) text.push_back("end");
  const TextList dfm = Convert(text);
  ASSERT_EQ(dfm.size(), text.size());
  EXPECT_EQ(dfm[1], "  object Column0: column");
  EXPECT_EQ(dfm[2], "");
  EXPECT_EQ(dfm[dfm.size() - 2], "  end");
  EXPECT_EQ(dfm.back(), "end");
}

}  // namespace
}  // namespace quorvex
