// Pictures of the windows as a user sees them, saved in the build folder
// (screenshots/*.png) to be looked at; each must have text drawn on it.

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "gui/desktop_program.h"
#include "gui/form_convert.h"
#include "gui/form_show_dfm.h"
#include "gui/form_show_scx.h"
#include "gui/gui_text.h"
#include "gui_test_support.h"
#include "sample_forms.h"
#include "support/golden.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

void Save(QWidget& window, const char* name) {
  const QImage image = window.grab().toImage();
  QDir().mkpath(QStringLiteral(QUORVEX_SCREENSHOT_DIR));
  EXPECT_TRUE(image.save(QStringLiteral(QUORVEX_SCREENSHOT_DIR "/%1.png").arg(QLatin1String(name)))) << name;
  EXPECT_TRUE(HasText(image)) << name << " has no text drawn";
}

TEST(ScreenshotsTest, MainWindowViewerAndPreview) {
  TestApplication();
  TempDir temp;
  const fs::path samples = fs::path(QUORVEX_SOURCE_DIR) / "samples";
  FakeDialogs dialogs;
  DesktopProgram program(dialogs, {PathText((samples / "grid.scx").string()), PathText((samples / "plain.scx").string())});
  TfrmConvert& window = program.frmConvert();
  Save(window, "main_start");

  Find<QLineEdit>(window, "Edit2")->setText(PathText((temp.path() / "out").string()));
  program.frmShowSCX().show();  // follows pass 1
  QMetaObject::invokeMethod(&window, [&] { Save(window, "main_running"); }, Qt::QueuedConnection);
  Find<QPushButton>(window, "btnConvert")->click();
  Save(window, "main_done");

  auto* pages = Find<QTabWidget>(window, "PageControl");
  pages->setCurrentWidget(Find<QWidget>(window, "TabAbout"));
  Save(window, "main_about");

  pages->setCurrentWidget(Find<QWidget>(window, "TabLoadable"));
  Find<QCheckBox>(window, "chkLoadable")->click();
  dialogs.folder_to_choose = PathText(samples.string());
  Find<QPushButton>(window, "btnAddFolder")->click();
  Save(window, "main_loadable");

  Save(program.frmShowSCX(), "viewer");
  program.frmShowDFM().ShowConversion(*window.Run().LastConversion(), window.Run().OutputDirectory());
  program.frmShowDFM().show();
  Find<QPushButton>(program.frmShowDFM(), "DfmButton")->click();
  Find<QPushButton>(program.frmShowDFM(), "PasButton")->click();
  Save(program.frmShowDFM(), "preview");
}

}  // namespace
}  // namespace quorvex::testing
