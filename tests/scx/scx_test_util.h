#pragma once
// Shared helpers of the pass 1 tests: a form table in memory opened through
// OpenScxFile, the tree as an outline, and a progress sink that records.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/progress.h"
#include "scx/scx_object_tree.h"
#include "fixtures/scx_writer.h"
#include "base/errors.h"
#include "table/memory_file_system.h"
#include "table/table_dataset.h"

namespace quorvex::testing {

using Lines = std::vector<std::string>;
using fixtures::PropertyLines;
using fixtures::ScxRecord;
using fixtures::ScxWriter;

inline constexpr const char* kFormBase = "/forms/form1";
inline constexpr const char* kFormScx = "/forms/form1.scx";
inline constexpr const char* kFormSct = "/forms/form1.sct";

// "text ref" per node in pre-order, indented by 2 x level, checking on the way
// that every node's index, level and parent agree with its place.
inline Lines Outline(const ScxObjectTree& tree) {
  Lines lines;
  int expected_index = 0;
  for (const ScxNode* node = tree.First(); node != nullptr; node = tree.Next(*node)) {
    EXPECT_EQ(node->index, expected_index++) << node->text;
    EXPECT_EQ(&tree.At(node->index), node);
    EXPECT_EQ(node->level, node->parent == nullptr ? 0 : node->parent->level + 1) << node->text;
    lines.push_back(std::string(static_cast<std::size_t>(node->level) * 2, ' ') + node->text + " " +
                    std::to_string(node->record_ref));
  }
  EXPECT_EQ(expected_index, tree.NodeCount());
  return lines;
}

// A form written into memory as /forms/form1.scx and .sct, and opened with
// OpenScxFile (open failures propagate from the constructor).
struct OpenedForm {
  // Files above whole_read_limit bytes are read at each access.
  explicit OpenedForm(const ScxWriter& writer, std::uint64_t whole_read_limit = kDefaultWholeReadLimit) {
    built = writer.Build();
    built.AddTo(files, kFormScx, kFormSct);
    files.SetWholeReadLimit(whole_read_limit);
    OpenScxFile(dataset, kFormScx, tree);
  }

  MemoryFileSystem files;
  fixtures::TableFiles built;
  TableDataSet dataset{"TableDataSet1", files};
  ScxObjectTree tree;
};

// Records every call as "range N" or "at N"; from the position cancel_from on
// (when not negative) ReportProgress throws the run's cancel.
class RecordingProgress final : public ProgressSink {
 public:
  explicit RecordingProgress(int cancel_from = -1) : cancel_from_(cancel_from) {}
  void SetRange(int maximum) override { calls.push_back("range " + std::to_string(maximum)); }
  void ReportProgress(int position) override {
    calls.push_back("at " + std::to_string(position));
    if (cancel_from_ >= 0 && position >= cancel_from_) throw Exception("Canceled by user");
  }
  Lines calls;

 private:
  int cancel_from_;
};

// The form of the worked example: a comment, a data environment, the form, a
// command group declaring two buttons (the second renamed), a text box and a
// closing comment; records 1 to 6.
inline ScxWriter ExampleForm() {
  ScxWriter form;
  form.AddVersionComment()
      .Add({.objname = "Dataenvironment",
            .baseclass = "dataenvironment",
            .properties = PropertyLines({"Top = 0", "Left = 0", "Name = \"Dataenvironment\""})})
      .Add({.objname = "Form1",
            .baseclass = "form",
            .properties =
                PropertyLines({"Height = 250", "Width = 375", "Caption = \"Form1\"", "Name = \"Form1\""})})
      .Add({.objname = "Commandgroup1",
            .parent = "Form1",
            .baseclass = "commandgroup",
            .properties = PropertyLines({"ButtonCount = 2", "Name = \"Commandgroup1\"", "Command1.Top = 5",
                                         "Command1.Caption = \"OK\"", "Command1.Name = \"Command1\"",
                                         "Command2.Top = 35", "Command2.Name = \"cmdCancel\""})})
      .Add({.objname = "Text1",
            .parent = "Form1",
            .baseclass = "textbox",
            .properties = PropertyLines({"Left = 150", "Name = \"Text1\""})})
      .Add({.platform = "COMMENT"});
  return form;
}

}  // namespace quorvex::testing
