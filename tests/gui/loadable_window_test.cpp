// The desktop program in the loadable mode: its command line, the Delphi /
// Lazarus page, project files dropped on the window, and the object viewer
// showing the resolved objects of class libraries after a run.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

namespace fs = std::filesystem;

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

TEST(LoadablePageTest, ControlsSetTheOptionsOfTheRun) {
  TestApplication();
  TempDir temp;
  const std::string libs = (temp.path() / "libs").string();
  const std::string more = (temp.path() / "more").string();
  fs::create_directories(libs);
  fs::create_directories(more);
  FakeDialogs dialogs;
  TfrmConvert window(dialogs, ParseDesktopArguments({"--loadable", "-L", PathText(libs)}).options);
  window.show();
  auto* loadable = Find<QCheckBox>(window, "chkLoadable");
  auto* folders = Find<QListWidget>(window, "lstFolders");
  EXPECT_TRUE(loadable->isChecked());
  ASSERT_EQ(folders->count(), 1);
  EXPECT_EQ(folders->item(0)->text(), PathText(libs));

  dialogs.folder_to_choose = PathText(more);
  Find<QPushButton>(window, "btnAddFolder")->click();
  Find<QPushButton>(window, "btnAddFolder")->click();  // listed once
  EXPECT_EQ(dialogs.folder_browser_starts, (std::vector<QString>{"", PathText(more)}));
  folders->setCurrentRow(0);
  Find<QPushButton>(window, "btnRemoveFolder")->click();
  Find<QLineEdit>(window, "edtProject")->setText(" Demo ");
  window.SelectFiles({PathText(PlainForm().WriteTo(temp.path() / "in", "main").string())});
  Find<QLineEdit>(window, "Edit2")->setText(PathText((temp.path() / "out").string()));
  Find<QPushButton>(window, "btnConvert")->click();
  const RunOptions& options = window.Run().Options();
  EXPECT_TRUE(options.loadable);
  EXPECT_EQ(options.library_folders, std::vector<std::string>{more});
  ASSERT_TRUE(options.project);
  EXPECT_EQ(options.project->name, "Demo");
  EXPECT_EQ(FileNames(temp.path() / "out"),
            (std::vector<std::string>{"Demo.dpr", "Demo.lpi", "Demo.lpr", "main.dfm", "main.pas"}));

  // Off, the folders and the project name are disabled and write nothing.
  loadable->click();
  for (const char* name : {"lstFolders", "btnAddFolder", "btnRemoveFolder", "edtProject"})
    EXPECT_FALSE(Find<QWidget>(window, name)->isEnabled()) << name;
  Find<QLineEdit>(window, "Edit2")->setText(PathText((temp.path() / "plain").string()));
  Find<QPushButton>(window, "btnConvert")->click();
  EXPECT_FALSE(window.Run().Options().loadable);
  EXPECT_EQ(FileNames(temp.path() / "plain"), (std::vector<std::string>{"main.dfm", "main.pas"}));
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST(LoadablePageTest, DroppedProjectFileStandsForItsFormsAndNamesTheProject) {
  TestApplication();
  TempDir temp;
  const fs::path app = temp.path() / "app";
  const fs::path out = temp.path() / "out";
  PlainForm().WriteTo(app / "forms", "first");
  const std::string main = PlainForm().WriteTo(app / "forms", "main").string();
  WriteBarLibrary(app / "libs");
  const QString project = PathText(WriteProject(app, "APP.PJX",
                                                {{"forms\\first.scx"},
                                                 {"forms\\main.scx", "K", true},
                                                 {"forms\\gone.scx"},
                                                 {"libs\\bars.vcx", "V"}})
                                       .string());
  FakeDialogs dialogs;
  TfrmConvert window(dialogs);
  window.show();
  ASSERT_TRUE(Drop(window, project));
  EXPECT_TRUE(Find<QCheckBox>(window, "chkLoadable")->isChecked());
  EXPECT_EQ(Find<QLineEdit>(window, "Edit1")->text(), "APP.PJX ");
  auto* name = Find<QLineEdit>(window, "edtProject");
  EXPECT_EQ(name->placeholderText(), "APP");
  Find<QLineEdit>(window, "Edit2")->setText(PathText(out.string()));
  Find<QPushButton>(window, "btnConvert")->click();

  const std::string missing = "   Warning: " + (app / "forms" / "gone.scx").string() + " listed in " +
                              PathBytes(project) + " is missing";
  const std::vector<std::string> report = ReportLines(*Find<QPlainTextEdit>(window, "Memo1"));
  EXPECT_NE(std::find(report.begin(), report.end(), missing), report.end()) << missing;
  const RunOptions& options = window.Run().Options();
  EXPECT_EQ(options.library_files, std::vector<std::string>{(app / "libs" / "bars.vcx").string()});
  ASSERT_TRUE(options.project);
  EXPECT_EQ(options.project->main_input, main);
  EXPECT_EQ(FileNames(out / "forms"), (std::vector<std::string>{"first.dfm", "first.pas", "main.dfm", "main.pas"}));
  EXPECT_EQ(FileNames(out), (std::vector<std::string>{"APP.dpr", "APP.lpi", "APP.lpr"}));

  // A name typed in wins over the project file's; the main form stays.
  name->setText("Payroll");
  Find<QPushButton>(window, "btnConvert")->click();
  EXPECT_EQ(window.Run().Options().project->main_input, main);
  EXPECT_EQ(window.Run().ProjectFiles().front(), (out / "Payroll.lpr").string());

  // Turned off again, the mode is asked for before a project converts.
  Find<QCheckBox>(window, "chkLoadable")->click();
  Find<QPushButton>(window, "btnConvert")->click();
  EXPECT_EQ(dialogs.messages,
            std::vector<QString>{"Please turn on the loadable mode (Delphi / Lazarus) to convert a project!"});
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST(LoadablePageTest, DamagedProjectFileGetsAnErrorBoxAndChangesNothing) {
  TestApplication();
  TempDir temp;
  FakeDialogs dialogs;
  TfrmConvert window(dialogs);
  window.show();
  window.SelectFiles({PathText(PlainForm().WriteTo(temp.path(), "main").string())});
  const std::string damaged = WriteNotATable(temp.path(), "bad.pjx").string();
  EXPECT_TRUE(Drop(window, PathText(damaged)));
  EXPECT_EQ(dialogs.errors, std::vector<QString>{PathText("Table Header for " + damaged + " is invalid.")});
  EXPECT_EQ(Find<QLineEdit>(window, "Edit1")->text(), "main.scx ");
  EXPECT_FALSE(Find<QCheckBox>(window, "chkLoadable")->isChecked());
  EXPECT_EQ(Find<QLineEdit>(window, "edtProject")->placeholderText(), "none: no project files");
}

}  // namespace
}  // namespace quorvex::testing
