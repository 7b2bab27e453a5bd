// The preview: F3 shows the last file's object text, the buttons generate and
// save, the caret indicator follows the DFM pane, and vertical scrolling of
// the object text pane reaches the DFM pane.

#include "gui/form_show_dfm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>
#include <filesystem>

#include "gui/form_convert.h"
#include "gui/gui_text.h"
#include "gui_test_support.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

class PreviewTest : public ::testing::Test {
 protected:
  PreviewTest() {
    preview_.resize(681, 508);
    preview_.show();
  }
  QPlainTextEdit* Pane(const char* name) const { return Find<QPlainTextEdit>(preview_, name); }
  QString Caret() const { return Find<QLabel>(preview_, "Label1")->text(); }

  QApplication& app_ = TestApplication();
  FakeDialogs dialogs_;
  TempDir temp_;
  TfrmShowDFM preview_{dialogs_, nullptr};
};

TEST_F(PreviewTest, F3ShowsTheLastFileAndItsButtonsGenerateAndSave) {
  TfrmConvert window(dialogs_);
  window.SetHiddenWindows(nullptr, &preview_);
  window.show();
  window.SelectFiles({PathText(PlainForm().WriteTo(temp_.path(), "main").string())});
  Find<QLineEdit>(window, "Edit2")->setText(PathText((temp_.path() / "out").string()));
  Find<QPushButton>(window, "btnConvert")->click();
  const std::string dfm = ReadFileBytes(temp_.path() / "out" / "main.dfm");
  const std::string pas = ReadFileBytes(temp_.path() / "out" / "main.pas");
  fs::remove_all(temp_.path() / "out");
  fs::create_directory(temp_.path() / "out");

  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F3);
  EXPECT_TRUE(Pane("RichEditTXT")->toPlainText().startsWith("object Form1=TForm1\n  Height = 250\n"));
  EXPECT_EQ(Pane("RichEditDFM")->toPlainText(), "");
  EXPECT_EQ(Caret(), "Label1");

  Find<QPushButton>(preview_, "DfmButton")->click();
  EXPECT_TRUE(Pane("RichEditDFM")->toPlainText().startsWith("object Form1: TForm1\n  Height = 250\n"));
  EXPECT_EQ(Caret(), "Row:1 Col:1");
  Find<QPushButton>(preview_, "PasButton")->click();
  EXPECT_TRUE(Pane("RichEditPAS")->toPlainText().contains("    Text1: TEdit;"));
  Find<QPushButton>(preview_, "SaveButton")->click();
  EXPECT_EQ(ReadFileBytes(temp_.path() / "out" / "main.dfm"), dfm);
  EXPECT_EQ(ReadFileBytes(temp_.path() / "out" / "main.pas"), pas);
  EXPECT_TRUE(dialogs_.errors.empty());
}

TEST_F(PreviewTest, CaretIndicatorFollowsClicksAndKeys) {
  QPlainTextEdit* dfm = Pane("RichEditDFM");
  dfm->setPlainText("object Form1: TForm1\n  Height = 250\n  Width = 375\nend\n");
  QTextCursor target(dfm->document()->findBlockByNumber(1));
  target.setPosition(target.position() + 2);
  QTest::mouseClick(dfm->viewport(), Qt::LeftButton, Qt::NoModifier, dfm->cursorRect(target).center() + QPoint(1, 0));
  EXPECT_EQ(Caret(), "Row:2 Col:3");
  QTest::keyClick(dfm, Qt::Key_Down);
  EXPECT_EQ(Caret(), "Row:3 Col:3");
}

TEST_F(PreviewTest, VerticalScrollingOfTheObjectTextReachesTheDfmPane) {
  QString text;
  for (int i = 0; i < 400; ++i) text += QString(200, u'x') + u'\n';
  Pane("RichEditTXT")->setPlainText(text);
  Pane("RichEditDFM")->setPlainText(text);
  QScrollBar* txt = Pane("RichEditTXT")->verticalScrollBar();
  QScrollBar* dfm = Pane("RichEditDFM")->verticalScrollBar();
  ASSERT_GT(dfm->maximum(), 200);

  // The panes hold the same text, so the same request moves both alike.
  txt->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(dfm->value(), 1);
  txt->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_GT(dfm->value(), 10);
  EXPECT_EQ(dfm->value(), txt->value());
  txt->setSliderDown(true);  // the thumb dragged to line 150
  txt->setSliderPosition(150);
  txt->setSliderDown(false);
  EXPECT_EQ(dfm->value(), 150);
  Pane("RichEditTXT")->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(Pane("RichEditDFM")->horizontalScrollBar()->value(), 0);

  // A wheel turn away from the user: the object text pane scrolls its own
  // lines and one more, the DFM pane one line.
  QWidget* viewport = Pane("RichEditTXT")->viewport();
  const QPointF at(viewport->width() / 2.0, viewport->height() / 2.0);
  QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(viewport, &wheel);
  QCoreApplication::processEvents();
  EXPECT_EQ(dfm->value(), 149);
  EXPECT_LT(txt->value(), 149);
}

}  // namespace
}  // namespace quorvex::testing
