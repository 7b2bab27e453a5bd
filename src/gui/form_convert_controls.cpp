// The design of TfrmConvert: every control with its name, caption, place and
// look. What FormCreate works out when the window is made (centring, the
// status bar and the progress bar) is in form_convert.cpp.

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

#include "gui/design_font.h"
#include "gui/form_convert.h"
#include "gui/text_pane.h"

namespace quorvex {

namespace {

template <typename Control>
Control* Make(QWidget* parent, const char* name) {
  auto* control = new Control(parent);
  control->setObjectName(QLatin1String(name));
  return control;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top) {
  auto* label = Make<QLabel>(parent, name);
  label->setText(caption);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect place, bool bold = false) {
  auto* button = Make<QPushButton>(parent, name);
  button->setText(caption);
  button->setGeometry(place);
  if (bold) {
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
  }
  return button;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, QRect place) {
  auto* edit = Make<QLineEdit>(parent, name);
  edit->setGeometry(place);
  return edit;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

// A bevel that fills its page; the page's other controls lie over it.
QFrame* MakePageBevel(QWidget* page, const char* name) {
  auto* bevel = Make<QFrame>(page, name);
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  auto* layout = new QGridLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(bevel, 0, 0);
  return bevel;
}

QWidget* AddPage(QTabWidget* pages, const char* name, const QString& caption) {
  auto* page = new QWidget;
  page->setObjectName(QLatin1String(name));
  pages->addTab(page, caption);
  return page;
}

void CreateTitle(QWidget& form, TfrmConvertControls& c) {
  c.Panel1 = Make<QWidget>(&form, "Panel1");
  c.Panel1->setGeometry(0, 0, form.width(), 80);
  c.Bevel1 = Make<QFrame>(c.Panel1, "Bevel1");
  c.Bevel1->setFrameStyle(QFrame::Box | QFrame::Raised);
  c.Bevel1->setGeometry(8, 8, 427, 65);
  const QFont title = DesignFont(QStringLiteral("Arial"), 48, QFont::SansSerif, true);
  c.Label3 = MakeLabel(c.Panel1, "Label3", QStringLiteral("Quorvex"), 16, 10);
  c.Label3->setFont(title);
  c.Label3->adjustSize();
  SetTextColour(c.Label3, Qt::gray);
  // The blue copy lies over the grey one, two pixels down and right: a shadow.
  c.Label4 = MakeLabel(c.Panel1, "Label4", QStringLiteral("Quorvex"), 18, 12);
  c.Label4->setFont(title);
  c.Label4->adjustSize();
  SetTextColour(c.Label4, Qt::blue);
}

void CreateOpenFilePage(TfrmConvertControls& c) {
  QWidget* page = c.TabOpenFile = AddPage(c.PageControl, "TabOpenFile", QStringLiteral(" Open file "));
  c.BevelFile = MakePageBevel(page, "BevelFile");
  c.Label1 = MakeLabel(page, "Label1", QStringLiteral("SCX or PJX file to be converted:"), 16, 20);
  c.Edit1 = MakeEdit(page, "Edit1", QRect(16, 35, 367, 21));
  c.Edit1->setReadOnly(true);
  c.Edit1->setFocusPolicy(Qt::NoFocus);
  QPalette palette = c.Edit1->palette();
  palette.setColor(QPalette::Base, QApplication::palette("QMenu").color(QPalette::Window));
  c.Edit1->setPalette(palette);
  c.Button1 = MakeButton(page, "Button1", QStringLiteral("..."), QRect(382, 35, 21, 21));
  c.Label2 = MakeLabel(page, "Label2", QStringLiteral("Output directory:"), 16, 65);
  c.Edit2 = MakeEdit(page, "Edit2", QRect(16, 80, 367, 21));
  c.Button2 = MakeButton(page, "Button2", QStringLiteral("..."), QRect(382, 80, 21, 21));
  c.btnConvert = MakeButton(page, "btnConvert", QStringLiteral("Convert"), QRect(172, 120, 75, 25), true);
  c.btnConvert->setDefault(true);  // drawn as the default button; Enter: TfrmConvert::keyPressEvent
}

// The loadable mode's settings; the window enables the folders and the
// project name only with the mode on.
void CreateLoadablePage(TfrmConvertControls& c) {
  QWidget* page = c.TabLoadable = AddPage(c.PageControl, "TabLoadable", QStringLiteral(" Delphi / Lazarus "));
  c.BevelLoadable = MakePageBevel(page, "BevelLoadable");
  c.chkLoadable = Make<QCheckBox>(page, "chkLoadable");
  c.chkLoadable->setText(QStringLiteral("Forms that Delphi and Lazarus load (loadable mode)"));
  c.chkLoadable->move(16, 14);
  c.chkLoadable->adjustSize();
  c.LabelFolders = MakeLabel(page, "LabelFolders", QStringLiteral("Class library folders:"), 16, 40);
  c.lstFolders = Make<QListWidget>(page, "lstFolders");
  c.lstFolders->setGeometry(16, 55, 305, 50);
  c.btnAddFolder = MakeButton(page, "btnAddFolder", QStringLiteral("Add..."), QRect(328, 55, 75, 23));
  c.btnRemoveFolder = MakeButton(page, "btnRemoveFolder", QStringLiteral("Remove"), QRect(328, 82, 75, 23));
  c.LabelProject = MakeLabel(page, "LabelProject", QStringLiteral("Project name (NAME.lpr, .lpi, .dpr):"), 16, 113);
  c.edtProject = MakeEdit(page, "edtProject", QRect(16, 128, 305, 21));
}

void CreateReportPage(TfrmConvertControls& c) {
  QWidget* page = c.TabReport = AddPage(c.PageControl, "TabReport", QStringLiteral("  Report  "));
  c.BevelReport = MakePageBevel(page, "BevelReport");
  // The report shares the bevel's cell: it fills the page, or lies along its
  // top during a run (form_convert_run.cpp).
  c.Memo1 = new TextPane(QStringLiteral("Memo1"), true, page);
  static_cast<QGridLayout*>(page->layout())->addWidget(c.Memo1, 0, 0);
  c.BtnCancel = MakeButton(page, "BtnCancel", QStringLiteral("Cancel"), QRect(160, 120, 75, 25), true);
  c.BtnCancel->setDefault(true);
}

void CreateAboutPage(TfrmConvertControls& c) {
  QWidget* page = c.TabAbout = AddPage(c.PageControl, "TabAbout", QStringLiteral("  About  "));
  c.BevelAbout = MakePageBevel(page, "BevelAbout");
  c.LabelQuorvex = MakeLabel(page, "LabelQuorvex", QStringLiteral("Visual FoxPro to Delphi Converter"), 80, 25);
  c.LabelQuorvex->setFont(DesignFont(QStringLiteral("Arial"), 16, QFont::SansSerif, true));
  c.LabelQuorvex->adjustSize();
  c.LabelVersion = MakeLabel(page, "LabelVersion", QStringLiteral("Version "), 178, 50);
  c.LabelURL = MakeLabel(page, "LabelURL", QLatin1String(kProductAddress), 137, 70);
  QFont underlined = c.LabelURL->font();
  underlined.setUnderline(true);
  c.LabelURL->setFont(underlined);
  c.LabelURL->adjustSize();
  SetTextColour(c.LabelURL, Qt::blue);
  c.LabelURL->setCursor(Qt::PointingHandCursor);
  c.LabelWWW = MakeLabel(page, "LabelWWW", QStringLiteral("Web site:"), 85, 70);
  c.LabelWWW->hide();
  c.LabelEMail = MakeLabel(page, "LabelEMail", QStringLiteral("E-Mail :"), 178, 90);
  c.LabelEMail->hide();
  c.LabelKeys = MakeLabel(page, "LabelKeys", QStringLiteral("F2: object viewer      F3: preview"), 0, 115);
}

void CreateStatusBar(QWidget& form, TfrmConvertControls& c) {
  c.StatusBar1 = Make<QStatusBar>(&form, "StatusBar1");
  c.StatusBar1->setSizeGripEnabled(false);
  c.StatusBar1->setGeometry(8, 269, 425, 16);
  c.StatusPanel1 = Make<QLabel>(c.StatusBar1, "StatusPanel1");
  c.StatusPanel1->setGeometry(0, 0, 50, 16);
  c.StatusPanel2 = Make<QLabel>(c.StatusBar1, "StatusPanel2");
  c.StatusPanel2->setGeometry(50, 0, 50, 16);
  c.ProgressBar1 = Make<QProgressBar>(&form, "ProgressBar1");
  c.ProgressBar1->setRange(0, 100);
  c.ProgressBar1->setTextVisible(false);
  c.ProgressBar1->hide();
}

}  // namespace

TfrmConvertControls CreateConvertControls(QWidget& form) {
  TfrmConvertControls c{};
  CreateTitle(form, c);
  c.PageControl = Make<QTabWidget>(&form, "PageControl");
  c.PageControl->setGeometry(8, 81, 427, 189);
  CreateOpenFilePage(c);
  CreateLoadablePage(c);
  CreateReportPage(c);
  CreateAboutPage(c);
  CreateStatusBar(form, c);
  return c;
}

}  // namespace quorvex
