// The main window: its start state, the field rules and their messages, whole
// runs through the window (report, files, running state), cancel, a failure
// that ends a run, and files taken from a drop or the command line (and those
// of it that cannot be opened).

#include "gui/form_convert.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "gui/desktop_program.h"
#include "gui/form_show_dfm.h"
#include "gui/form_show_scx.h"
#include "gui/gui_text.h"
#include "gui_test_support.h"
#include "sample_forms.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

class FrmConvertTest : public ::testing::Test {
 protected:
  FrmConvertTest() {
    TestApplication();
    window_ = std::make_unique<TfrmConvert>(dialogs_);
    window_->show();
  }

  template <typename Control>
  Control* Get(const char* name) const {
    return Find<Control>(*window_, name);
  }
  QString Form(const fixtures::ScxWriter& writer, const std::string& base) const {
    return PathText(writer.WriteTo(temp_.path() / "in", base).string());
  }
  QString Out() const { return PathText((temp_.path() / "out").string()); }
  std::vector<std::string> Report() const { return ReportLines(*Get<QPlainTextEdit>("Memo1")); }

  // Runs `during` at the run's first round of event handling.
  void ConvertWith(QStringList files, const QString& out, std::function<void()> during = {}) {
    window_->SelectFiles(files);
    Get<QLineEdit>("Edit2")->setText(out);
    if (during) QMetaObject::invokeMethod(window_.get(), during, Qt::QueuedConnection);
    Get<QPushButton>("btnConvert")->click();
  }

  FakeDialogs dialogs_;
  TempDir temp_;
  std::unique_ptr<TfrmConvert> window_;
};

TEST_F(FrmConvertTest, StartsIdleWithItsLayoutWorkedOut) {
  EXPECT_EQ(window_->windowTitle(), "Visual FoxPro to Delphi Converter");
  EXPECT_EQ(window_->minimumSize(), QSize(442, 285));
  EXPECT_EQ(window_->maximumSize(), QSize(442, 285));
  EXPECT_EQ(QFontInfo(window_->font()).pixelSize(), 10);  // whatever face stands in for MS Sans Serif
  auto* pages = Get<QTabWidget>("PageControl");
  EXPECT_FALSE(pages->isTabVisible(pages->indexOf(Get<QWidget>("TabReport"))));
  EXPECT_EQ(pages->currentWidget(), Get<QWidget>("TabOpenFile"));
  EXPECT_FALSE(Get<QPushButton>("BtnCancel")->isVisible());
  EXPECT_FALSE(Get<QProgressBar>("ProgressBar1")->isVisible());
  EXPECT_TRUE(Get<QLineEdit>("Edit1")->isReadOnly());

  const int bevel_width = Get<QWidget>("BevelFile")->width();
  EXPECT_EQ(Get<QPushButton>("btnConvert")->x(), (bevel_width - 75) / 2);
  EXPECT_EQ(Get<QPushButton>("BtnCancel")->x(), Get<QPushButton>("btnConvert")->x());
  EXPECT_EQ(Get<QWidget>("StatusBar1")->geometry(), QRect(8, 269, 427, 16));
  EXPECT_EQ(Get<QProgressBar>("ProgressBar1")->geometry(), QRect(60, 271, 375, 14));
  EXPECT_EQ(Get<QLabel>("LabelVersion")->text(), " Version  1.5 ");
  EXPECT_FALSE(Get<QLabel>("LabelWWW")->isVisibleTo(window_.get()));

  QTest::mouseClick(Get<QLabel>("LabelURL"), Qt::LeftButton);
  EXPECT_EQ(dialogs_.addresses, std::vector<QString>{QLatin1String(kProductAddress)});
}

TEST_F(FrmConvertTest, FieldChecksAndTheChoiceOfFiles) {
  Get<QPushButton>("btnConvert")->click();
  EXPECT_EQ(dialogs_.messages, std::vector<QString>{"Please select file to convert!"});
  auto* pages = Get<QTabWidget>("PageControl");
  EXPECT_FALSE(pages->isTabVisible(pages->indexOf(Get<QWidget>("TabReport"))));

  const QString forms = PathText((temp_.path() / "forms").string());
  dialogs_.files_to_choose = {forms + "/a.scx", forms + "/b.scx"};
  Get<QPushButton>("Button1")->click();
  EXPECT_EQ(dialogs_.file_dialog_starts.back(), QDir::currentPath());
  EXPECT_EQ(Get<QLineEdit>("Edit1")->text(), "a.scx b.scx ");
  EXPECT_EQ(Get<QLineEdit>("Edit2")->text(), QDir::toNativeSeparators(forms + "/a/"));

  // Enter in the directory field presses Convert.
  Get<QLineEdit>("Edit2")->clear();
  QTest::keyClick(Get<QLineEdit>("Edit2"), Qt::Key_Return);
  EXPECT_EQ(dialogs_.messages.back(), "Please select destination directory!");

  // A directory already given is kept; the dialog opens where the last choice was.
  Get<QLineEdit>("Edit2")->setText("/kept/");
  dialogs_.files_to_choose = {forms + "/c.scx"};
  Get<QPushButton>("Button1")->click();
  EXPECT_EQ(dialogs_.file_dialog_starts.back(), forms);
  EXPECT_EQ(Get<QLineEdit>("Edit2")->text(), "/kept/");

  // Cancelling the dialog forgets the earlier choice.
  dialogs_.files_to_choose.clear();
  Get<QPushButton>("Button1")->click();
  EXPECT_EQ(Get<QLineEdit>("Edit1")->text(), "");
  Get<QPushButton>("btnConvert")->click();
  EXPECT_EQ(dialogs_.messages.back(), "Please select file to convert!");
  EXPECT_EQ(dialogs_.messages.size(), 3u);
}

TEST_F(FrmConvertTest, FolderChoice) {
  auto* edit2 = Get<QLineEdit>("Edit2");
  edit2->setText("/no/such/folder/");
  Get<QPushButton>("Button2")->click();
  EXPECT_EQ(dialogs_.folder_browser_starts.back(), "");  // no preselection
  EXPECT_EQ(edit2->text(), "/no/such/folder/");         // cancelled: unchanged

  const QString existing = PathText(temp_.path().string());
  edit2->setText(existing + "/");
  dialogs_.folder_to_choose = "/chosen";
  Get<QPushButton>("Button2")->click();
  EXPECT_EQ(dialogs_.folder_browser_starts.back(), existing);
  EXPECT_EQ(edit2->text(), QDir::toNativeSeparators("/chosen/"));
}

TEST_F(FrmConvertTest, RunOfTheSampleFormsThroughTheWindow) {
  const fs::path samples = fs::path(QUORVEX_SOURCE_DIR) / "samples";
  QStringList files;
  std::vector<std::string> expected_report;
  for (const auto& sample : samples::SampleForms()) {
    const std::string input = (samples / (sample.name + ".scx")).string();
    files << PathText(input);
    const std::string out = PathBytes(Out()) + "/" + sample.name;
    expected_report.insert(expected_report.end(), {"   Converting: " + input, "   Generating: " + out + ".dfm",
                                                   "   Generating: " + out + ".pas", "   Done", ""});
  }

  struct Seen {
    bool cancel_shown, convert_shown, bar_shown, busy;
    QString status;
    int report_height;
  } seen{};
  ConvertWith(files, Out(), [&] {
    seen = {!Get<QPushButton>("BtnCancel")->isHidden(), !Get<QPushButton>("btnConvert")->isHidden(),
            Get<QProgressBar>("ProgressBar1")->isVisible(), QApplication::overrideCursor() != nullptr,
            Get<QLabel>("StatusPanel1")->text(), Get<QPlainTextEdit>("Memo1")->height()};
  });
  EXPECT_TRUE(seen.cancel_shown && seen.bar_shown && seen.busy);
  EXPECT_FALSE(seen.convert_shown);
  EXPECT_EQ(seen.status, "Pass 1");
  EXPECT_EQ(seen.report_height, 100);

  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_EQ(Report(), expected_report);
  for (const auto& sample : samples::SampleForms()) {
    for (const char* extension : {".dfm", ".pas"}) {
      const std::string name = sample.name + extension;
      EXPECT_TRUE(SameBytes(ReadFileBytes(samples / "expected" / name), ReadFileBytes(temp_.path() / "out" / name), name));
    }
  }
  // Idle again, with the report still shown.
  EXPECT_FALSE(Get<QPushButton>("btnConvert")->isHidden());
  EXPECT_TRUE(Get<QPushButton>("BtnCancel")->isHidden());
  EXPECT_FALSE(Get<QProgressBar>("ProgressBar1")->isVisible());
  EXPECT_EQ(Get<QTabWidget>("PageControl")->currentWidget(), Get<QWidget>("TabReport"));
  EXPECT_EQ(Get<QLabel>("StatusPanel1")->text(), "");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(Get<QPlainTextEdit>("Memo1")->height(), Get<QWidget>("BevelReport")->height());
}

TEST_F(FrmConvertTest, EscCancelsInPassOneAndTheNextRunStartsAfresh) {
  const QString first = Form(PlainForm(), "first");
  const QString second = Form(PlainForm(), "second");
  ConvertWith({first, second}, Out(), [&] { QTest::keyClick(window_.get(), Qt::Key_Escape); });
  EXPECT_EQ(dialogs_.errors, std::vector<QString>{"Canceled by user."});
  const std::string out = PathBytes(Out()) + "/";
  EXPECT_EQ(Report(), (std::vector<std::string>{"   Converting: " + PathBytes(first),
                                                "   Generating: " + out + "first.dfm", "   Canceled by user"}));
  EXPECT_TRUE(FileNames(temp_.path() / "out").empty());

  Get<QPushButton>("btnConvert")->click();
  EXPECT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_EQ(Report().front(), "   Converting: " + PathBytes(first));
  EXPECT_EQ(FileNames(temp_.path() / "out").size(), 4u);
}

TEST_F(FrmConvertTest, FailureThatEndsTheRunIsShownThenReported) {
  const QString good = Form(PlainForm(), "good");
  const QString bad = PathText(WriteNotATable(temp_.path() / "in", "bad.scx").string());
  ConvertWith({good, bad}, Out());
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  const QString message = dialogs_.errors.front();
  EXPECT_TRUE(message.endsWith(u'.'));
  EXPECT_EQ(Report().back(), "   " + message.chopped(1).toStdString());
  EXPECT_EQ(FileNames(temp_.path() / "out"), (std::vector<std::string>{"good.dfm", "good.pas"}));
}

TEST_F(FrmConvertTest, ClosingDuringARunCancelsItWithoutABox) {
  ConvertWith({Form(PlainForm(), "main")}, Out(), [&] { window_->close(); });
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_FALSE(window_->isVisible());
  EXPECT_TRUE(FileNames(temp_.path() / "out").empty());
}

TEST(DesktopProgramTest, PreselectsArgumentsAndTakesDrops) {
  TestApplication();
  TempDir temp;
  const fs::path folder = temp.path() / "forms";
  for (const char* name : {"b.SCX", "a.scx", "notes.txt"}) WriteFileBytes(folder / name, "");
  FakeDialogs dialogs;
  DesktopProgram program(dialogs, {PathText(folder.string()), "/no/such.scx"});
  TfrmConvert& window = program.frmConvert();
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(program.frmShowSCX().isVisible());
  EXPECT_FALSE(program.frmShowDFM().isVisible());
  EXPECT_EQ(Find<QLineEdit>(window, "Edit1")->text(), "a.scx b.SCX ");
  EXPECT_EQ(Find<QLineEdit>(window, "Edit2")->text(), QDir::toNativeSeparators(PathText(folder.string()) + "/a/"));

  EXPECT_FALSE(Drop(window, PathText((folder / "notes.txt").string())));
  EXPECT_TRUE(Drop(window, PathText((folder / "b.SCX").string())));
  EXPECT_EQ(Find<QLineEdit>(window, "Edit1")->text(), "b.SCX ");
  EXPECT_EQ(Find<QLineEdit>(window, "Edit2")->text(), QDir::toNativeSeparators(PathText(folder.string()) + "/a/"));
}

// What the command line names and the window cannot open gets one box, every
// such name on a line of its own; what opens, whatever it holds, is not named.
TEST(DesktopProgramTest, NamesTheArgumentsItCannotOpen) {
  TestApplication();
  TempDir temp;
  const fs::path form = PlainForm().WriteTo(temp.path(), "main");
  const fs::path locked = temp.path() / "locked.scx";
  WriteFileBytes(temp.path() / "notes.txt", "");
  WriteFileBytes(locked, "");
  fs::permissions(locked, fs::perms::none);
  const QString missing = PathText((temp.path() / "gone.scx").string());
  const QString missing_folder = PathText((temp.path() / "gone").string());
  QStringList expected = {"Cannot open " + missing + ": no such file or folder.",
                          "Cannot open " + missing_folder + ": no such file or folder."};
  if (!std::ifstream(locked)) expected << "Cannot open " + PathText(locked.string()) + ": not readable.";
  FakeDialogs dialogs;
  DesktopProgram program(dialogs, {missing, PathText(form.string()), missing_folder,
                                   PathText((temp.path() / "notes.txt").string()), PathText(locked.string())});
  EXPECT_EQ(dialogs.errors, std::vector<QString>{expected.join(u'\n')});
  EXPECT_EQ(Find<QLineEdit>(program.frmConvert(), "Edit1")->text().split(u' ').front(), "main.scx");

  FakeDialogs quiet;
  DesktopProgram opened(quiet, {PathText(form.string()), PathText(temp.path().string())});
  EXPECT_TRUE(quiet.errors.empty());
}

}  // namespace
}  // namespace quorvex::testing
