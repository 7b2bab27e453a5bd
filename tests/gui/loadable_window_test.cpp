// The desktop program in the loadable mode: its command line, and the object
// viewer showing the resolved objects of class libraries after a run.

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "gui/desktop_arguments.h"
#include "gui/desktop_program.h"
#include "gui/form_convert.h"
#include "gui/form_show_scx.h"
#include "gui/gui_text.h"
#include "gui_test_support.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

TEST(DesktopArgumentsTest, UsageErrors) {
  const struct {
    QStringList arguments;
    const char* message;
  } rows[] = {
      {{"-L", "/"}, "-L needs --loadable"},
      {{"--loadable", "-L"}, "-L needs a folder"},
      {{"--loadable", "-L", "/no/such/folder"}, "-L: no such folder: /no/such/folder"},
  };
  for (const auto& row : rows) {
    try {
      ParseDesktopArguments(row.arguments);
      ADD_FAILURE() << row.message;
    } catch (const EDesktopUsage& usage) {
      EXPECT_STREQ(usage.what(), row.message);
    }
  }
}

TEST(DesktopArgumentsTest, LoadableProgramShowsResolvedObjectsOnF2) {
  TestApplication();
  TempDir temp;
  WriteBarLibrary(temp.path() / "libs");
  const std::string form = FormUsingLibraries("Yes").WriteTo(temp.path() / "app", "main").string();
  DesktopArguments arguments =
      ParseDesktopArguments({"--loadable", "-L", PathText((temp.path() / "libs").string()), PathText(form)});
  FakeDialogs dialogs;
  DesktopProgram program(dialogs, arguments.files, std::move(arguments.options));
  TfrmConvert& window = program.frmConvert();
  Find<QLineEdit>(window, "Edit2")->setText(PathText((temp.path() / "out").string()));
  Find<QPushButton>(window, "btnConvert")->click();
  EXPECT_TRUE(std::filesystem::exists(temp.path() / "out" / "main.dfm"));

  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F2);
  TfrmShowSCX& viewer = program.frmShowSCX();
  ASSERT_TRUE(viewer.isVisible());
  auto* tree = Find<QTreeWidget>(viewer, "TreeView1");
  const auto found = tree->findItems(QStringLiteral("Okay"), Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(found.size(), 1);
  tree->setCurrentItem(found.front());
  std::vector<QString> labels;
  for (const char* name : {"lbName", "lbObjName", "lbClass", "lbBaseClass", "lbParent"})
    labels.push_back(Find<QLabel>(viewer, name)->text());
  EXPECT_EQ(labels, (std::vector<QString>{"Okay", "Okay", "commandbutton", "commandbutton", "Form1.Bar1"}));
  EXPECT_EQ(Find<QPlainTextEdit>(viewer, "DBMemo2")->toPlainText(), "Caption = \"Yes\"\nName = \"Okay\"\n");
  EXPECT_TRUE(dialogs.errors.empty());
}

}  // namespace
}  // namespace quorvex::testing
