// The object viewer: the record a node shows (members show their container's
// record, placeholders nothing), a field the table lacks, and following
// pass 1 during a run.

#include "gui/form_show_scx.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "gui/form_convert.h"
#include "gui/gui_text.h"
#include "gui_test_support.h"
#include "run/conversion_run.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

using fixtures::PropertyLines;

// Form1 with a command group of two members, the second named apart from its
// prefix, and a text box whose parent path names an object no record has.
fixtures::ScxWriter FormWithMembers() {
  fixtures::ScxWriter form;
  form.AddVersionComment()
      .Add({.objname = "Form1", .baseclass = "form", .class_name = "form",
            .properties = PropertyLines({"Caption = \"Members\"", "Name = \"Form1\""})})
      .Add({.objname = "Commandgroup1", .parent = "Form1", .baseclass = "commandgroup", .class_name = "mygroup",
            .properties = PropertyLines({"ButtonCount = 2", "Name = \"Commandgroup1\"", "Command1.Top = 5",
                                         "Command1.Name = \"Command1\"", "Command2.Top = 35",
                                         "Command2.Name = \"cmdCancel\""})})
      .Add({.objname = "Text1", .parent = "Form1.Container9", .baseclass = "textbox", .class_name = "textbox",
            .properties = PropertyLines({"Name = \"Text1\""})});
  return form;
}

class ViewerTest : public ::testing::Test {
 protected:
  ViewerTest() { TestApplication(); }

  // Converts `form` and shows it in a new viewer.
  TfrmShowSCX& Show(const fixtures::ScxWriter& form) {
    input_ = form.WriteTo(temp_.path(), "members").string();
    run_.ConvertSelectedFiles({input_}, (temp_.path() / "out").string());
    viewer_ = std::make_unique<TfrmShowSCX>(dialogs_, nullptr);
    viewer_->show();
    viewer_->ShowConversion(*run_.LastConversion());
    return *viewer_;
  }
  void Select(const char* text) {
    auto* tree = Find<QTreeWidget>(*viewer_, "TreeView1");
    const auto found = tree->findItems(QLatin1String(text), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1) << text;
    tree->setCurrentItem(found.front());
  }
  std::vector<QString> Labels() const {
    std::vector<QString> texts;
    for (const char* name : {"lbName", "lbObjName", "lbClass", "lbBaseClass", "lbParent"}) {
      texts.push_back(Find<QLabel>(*viewer_, name)->text());
    }
    return texts;
  }
  QString Memo() const { return Find<QPlainTextEdit>(*viewer_, "DBMemo2")->toPlainText(); }

  TempDir temp_;
  FakeDialogs dialogs_;
  RecordingHost host_;
  ConversionRun run_{host_};
  std::string input_;
  std::unique_ptr<TfrmShowSCX> viewer_;
};

TEST_F(ViewerTest, MemberShowsItsContainersRecordAndPlaceholderNothing) {
  Show(FormWithMembers());
  EXPECT_EQ(Labels(), (std::vector<QString>{"Form1", "Form1", "form", "form", ""}));  // the first node

  Select("cmdCancel (Command2)");
  EXPECT_EQ(Labels(), (std::vector<QString>{"cmdCancel (Command2)", "Commandgroup1", "mygroup", "commandgroup", "Form1"}));
  EXPECT_TRUE(Memo().startsWith("ButtonCount = 2\nName = \"Commandgroup1\"\n"));

  Select("Container9");
  EXPECT_EQ(Labels(), std::vector<QString>(5));
  EXPECT_EQ(Memo(), "");
  EXPECT_TRUE(dialogs_.errors.empty());
}

TEST_F(ViewerTest, FieldTheTableLacksEndsTheChangeWithABox) {
  Show(FormWithMembers().WithoutField("CLASS"));
  // ObjName is shown, the labels after the failing Class keep their text.
  EXPECT_EQ(Labels(), (std::vector<QString>{"Form1", "Form1", "", "", ""}));
  EXPECT_EQ(dialogs_.errors, std::vector<QString>{"TableDataSet1: Field 'Class' not found."});
}

TEST_F(ViewerTest, F2OpensTheViewerThatFollowsPassOne) {
  TfrmConvert window(dialogs_);
  TfrmShowSCX viewer(dialogs_, &window);
  window.SetHiddenWindows(&viewer, nullptr);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F2);
  ASSERT_TRUE(viewer.isVisible());

  window.SelectFiles({PathText(FormWithMembers().WriteTo(temp_.path(), "members").string())});
  Find<QLineEdit>(window, "Edit2")->setText(PathText((temp_.path() / "out").string()));
  Find<QPushButton>(window, "btnConvert")->click();
  // Pass 1 ended on the last node it wrote.
  auto* tree = Find<QTreeWidget>(viewer, "TreeView1");
  EXPECT_EQ(tree->topLevelItemCount(), 1);
  ASSERT_NE(tree->currentItem(), nullptr);
  EXPECT_EQ(tree->currentItem()->text(0), "Text1");
  EXPECT_EQ(Find<QLabel>(viewer, "lbParent")->text(), "Form1.Container9");
  EXPECT_TRUE(dialogs_.errors.empty());
}

}  // namespace
}  // namespace quorvex::testing
