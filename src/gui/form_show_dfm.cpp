#include "gui/form_show_dfm.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include "base/progress.h"
#include "gui/design_font.h"
#include "gui/dialogs.h"
#include "gui/gui_text.h"
#include "gui/text_pane.h"
#include "run/file_conversion.h"

namespace quorvex {

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, QRect place) {
  auto* button = new QPushButton(QLatin1String(name), parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(place);
  return button;
}

QSplitter* MakeSplitter(Qt::Orientation orientation, const char* name, int handle, QWidget* parent) {
  auto* splitter = new QSplitter(orientation, parent);
  splitter->setObjectName(QLatin1String(name));
  splitter->setHandleWidth(handle);
  splitter->setChildrenCollapsible(false);
  return splitter;
}

TfrmShowDFMControls CreateControls(QWidget& form) {
  TfrmShowDFMControls c{};
  auto* layout = new QVBoxLayout(&form);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  c.Splitter2 = MakeSplitter(Qt::Vertical, "Splitter2", 3, &form);
  c.Splitter1 = MakeSplitter(Qt::Horizontal, "Splitter1", 4, c.Splitter2);
  c.RichEditTXT = new TextPane(QStringLiteral("RichEditTXT"), true, c.Splitter1);
  c.RichEditDFM = new TextPane(QStringLiteral("RichEditDFM"), false, c.Splitter1);
  c.Splitter1->setStretchFactor(1, 1);
  c.Splitter1->setSizes({333, form.width() - 337});
  c.RichEditPAS = new TextPane(QStringLiteral("RichEditPAS"), true, c.Splitter2);
  c.Splitter2->setStretchFactor(0, 1);
  c.Splitter2->setSizes({form.height() - 41 - 92, 89});
  layout->addWidget(c.Splitter2, 1);
  const QFont panes = DesignFont(QStringLiteral("Courier New"), 13, QFont::TypeWriter);
  for (TextPane* pane : {c.RichEditTXT, c.RichEditDFM, c.RichEditPAS}) pane->setFont(panes);

  c.Panel1 = new QWidget(&form);
  c.Panel1->setObjectName(QStringLiteral("Panel1"));
  c.Panel1->setFixedHeight(41);
  c.DfmButton = MakeButton(c.Panel1, "DfmButton", QRect(16, 8, 100, 25));
  c.PasButton = MakeButton(c.Panel1, "PasButton", QRect(145, 8, 100, 25));
  c.SaveButton = MakeButton(c.Panel1, "SaveButton", QRect(360, 8, 103, 25));
  c.Label1 = new QLabel(QStringLiteral("Label1"), c.Panel1);
  c.Label1->setObjectName(QStringLiteral("Label1"));
  c.Label1->move(520, 14);
  c.Label1->adjustSize();
  layout->addWidget(c.Panel1);
  return c;
}

}  // namespace

TfrmShowDFM::TfrmShowDFM(Dialogs& dialogs, QWidget* owner) : QWidget(owner, Qt::Window), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmShowDFM"));
  setWindowTitle(QStringLiteral("frmShowDFM"));
  resize(681, 508);
  ui_ = CreateControls(*this);
  for (QPushButton* button : {ui_.DfmButton, ui_.PasButton, ui_.SaveButton}) button->setEnabled(false);
  connect(ui_.DfmButton, &QPushButton::clicked, this, &TfrmShowDFM::DfmButtonClick);
  connect(ui_.PasButton, &QPushButton::clicked, this, &TfrmShowDFM::PasButtonClick);
  connect(ui_.SaveButton, &QPushButton::clicked, this, &TfrmShowDFM::SaveButtonClick);
  connect(ui_.RichEditDFM, &TextPane::MouseDown, this, &TfrmShowDFM::UpdateCaretPosition);
  connect(ui_.RichEditDFM, &TextPane::KeyUp, this, &TfrmShowDFM::UpdateCaretPosition);
  CoupleScrolling();
}

TfrmShowDFM::~TfrmShowDFM() = default;

void TfrmShowDFM::ShowConversion(const FileConversion& conversion, const std::string& output_directory) {
  conversion_ = std::make_unique<FileConversion>(conversion.InputPath(), conversion.CodePage());
  conversion_->MutableObjectTextLines() = conversion.ObjectTextLines();
  conversion_->MutableDfmLines() = conversion.DfmLines();
  conversion_->MutablePasLines() = conversion.PasLines();
  output_directory_ = output_directory;
  ui_.RichEditTXT->setPlainText(LinesText(conversion_->ObjectTextLines()));
  ui_.RichEditDFM->clear();
  ui_.RichEditPAS->clear();
  for (QPushButton* button : {ui_.DfmButton, ui_.PasButton, ui_.SaveButton}) button->setEnabled(true);
}

void TfrmShowDFM::DfmButtonClick() {
  ui_.RichEditDFM->clear();
  try {
    conversion_->GenerateDfm(NullProgress());
  } catch (const std::exception& failure) {
    // The pane shows what was generated before the failure.
    ui_.RichEditDFM->setPlainText(LinesText(conversion_->DfmLines()));
    ReportFailure(failure);
    return;
  }
  ui_.RichEditDFM->setPlainText(LinesText(conversion_->DfmLines()));
  UpdateCaretPosition();
}

void TfrmShowDFM::PasButtonClick() {
  ui_.RichEditPAS->clear();
  try {
    conversion_->GeneratePas();
  } catch (const std::exception& failure) {
    ui_.RichEditPAS->setPlainText(LinesText(conversion_->PasLines()));
    ReportFailure(failure);
    return;
  }
  ui_.RichEditPAS->setPlainText(LinesText(conversion_->PasLines()));
}

void TfrmShowDFM::SaveButtonClick() {
  try {
    conversion_->Save(output_directory_);
  } catch (const std::exception& failure) {
    ReportFailure(failure);
  }
}

void TfrmShowDFM::UpdateCaretPosition() {
  const QTextCursor caret = ui_.RichEditDFM->textCursor();
  ui_.Label1->setText(QStringLiteral("Row:%1 Col:%2").arg(caret.blockNumber() + 1).arg(caret.positionInBlock() + 1));
  ui_.Label1->adjustSize();
}

// Vertical scrolling of the object text pane by its scroll bar is passed on to
// the DFM pane as the same request (a line, a page, the ends, or the thumb's
// line); a wheel turn over it also moves both panes one line. Horizontal
// scrolling is not passed on.
void TfrmShowDFM::CoupleScrolling() {
  QScrollBar* txt = ui_.RichEditTXT->verticalScrollBar();
  QScrollBar* dfm = ui_.RichEditDFM->verticalScrollBar();
  connect(txt, &QAbstractSlider::actionTriggered, this, [txt, dfm](int action) {
    if (action != QAbstractSlider::SliderMove) {
      dfm->triggerAction(static_cast<QAbstractSlider::SliderAction>(action));
    } else if (txt->isSliderDown()) {
      // A drag of the thumb; a wheel turn also moves it, but is not passed on.
      dfm->setValue(txt->sliderPosition());
    }
  });
  connect(ui_.RichEditTXT, &TextPane::WheelTurned, this, [txt](int delta) {
    const auto action = delta > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd;
    // Queued, as a posted scroll message: it comes after the pane's own wheel scrolling.
    QMetaObject::invokeMethod(txt, [txt, action] { txt->triggerAction(action); }, Qt::QueuedConnection);
  });
}

void TfrmShowDFM::ReportFailure(const std::exception& failure) {
  dialogs_.ShowError(this, ErrorBoxText(FromBytes(failure.what())));
}

}  // namespace quorvex
