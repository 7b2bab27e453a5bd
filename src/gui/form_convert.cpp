#include "gui/form_convert.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <algorithm>
#include <exception>

#include "gui/design_font.h"
#include "gui/dialogs.h"
#include "gui/file_choice.h"
#include "gui/form_show_dfm.h"
#include "gui/form_show_scx.h"
#include "gui/gui_text.h"
#include "table/file_system.h"

namespace quorvex {

namespace {

constexpr int kClientWidth = 442;
constexpr int kClientHeight = 285;

QStringList LocalPaths(const QMimeData* data) {
  QStringList paths;
  if (data == nullptr) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  return paths;
}

}  // namespace

TfrmConvert::TfrmConvert(Dialogs& dialogs, RunOptions options)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      dialogs_(dialogs),
      run_(*this),
      options_(std::move(options)) {
  setObjectName(QStringLiteral("frmConvert"));
  setWindowTitle(QStringLiteral("Visual FoxPro to Delphi Converter"));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(DesignFont(QStringLiteral("MS Sans Serif"), 10));
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);
  setAutoFillBackground(true);
  setAcceptDrops(true);
  ui_ = CreateConvertControls(*this);
  FormCreate();

  connect(ui_.Button1, &QPushButton::clicked, this, &TfrmConvert::Button1Click);
  connect(ui_.Button2, &QPushButton::clicked, this, &TfrmConvert::Button2Click);
  connect(ui_.btnConvert, &QPushButton::clicked, this, &TfrmConvert::btnConvertClick);
  connect(ui_.chkLoadable, &QCheckBox::toggled, this, &TfrmConvert::chkLoadableClick);
  connect(ui_.btnAddFolder, &QPushButton::clicked, this, &TfrmConvert::btnAddFolderClick);
  connect(ui_.btnRemoveFolder, &QPushButton::clicked, this, &TfrmConvert::btnRemoveFolderClick);
  connect(ui_.edtProject, &QLineEdit::textChanged, this, &TfrmConvert::SetProjectOption);
  connect(ui_.BtnCancel, &QPushButton::clicked, this, &TfrmConvert::BtnCancelClick);
  connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this, &TfrmConvert::ShowObjectViewer);
  connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this, &TfrmConvert::ShowPreview);
  ui_.LabelURL->installEventFilter(this);
}

TfrmConvert::~TfrmConvert() = default;

void TfrmConvert::SetHiddenWindows(TfrmShowSCX* show_scx, TfrmShowDFM* show_dfm) {
  show_scx_ = show_scx;
  show_dfm_ = show_dfm;
}

void TfrmConvert::FormCreate() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2 - 90);
  }
  ui_.PageControl->setTabVisible(ui_.PageControl->indexOf(ui_.TabReport), false);
  ui_.PageControl->setCurrentWidget(ui_.TabOpenFile);
  ui_.BtnCancel->hide();
  ui_.StatusBar1->setGeometry(ui_.PageControl->x(), ui_.StatusBar1->y(), ui_.PageControl->width(),
                              ui_.StatusBar1->height());
  const QRect bar = ui_.StatusBar1->geometry();
  const int panel = ui_.StatusPanel1->width();
  ui_.ProgressBar1->setGeometry(bar.x() + panel + 2, bar.y() + 2, bar.width() - panel - 2, bar.height() - 2);
  ui_.chkLoadable->setChecked(options_.loadable);
  chkLoadableClick(options_.loadable);
  for (const std::string& folder : options_.library_folders) ui_.lstFolders->addItem(PathText(folder));
  SetProjectOption();
  ShowVersion();
  // The bevels get their size when the pages are laid out; the controls
  // centred in them follow every change of it.
  ui_.BevelFile->installEventFilter(this);
  ui_.BevelAbout->installEventFilter(this);
  CentreInBevels();
}

// " Version  1.5 " from the program's version (major.minor); without a
// readable version the caption stays as designed.
void TfrmConvert::ShowVersion() {
  static const QRegularExpression kMajorMinor(QStringLiteral("^(\\d+)\\.(\\d+)"));
  const QRegularExpressionMatch match = kMajorMinor.match(QCoreApplication::applicationVersion());
  if (!match.hasMatch()) return;
  ui_.LabelVersion->setText(QStringLiteral(" Version  %1.%2 ").arg(match.captured(1).toInt()).arg(match.captured(2).toInt()));
  ui_.LabelVersion->adjustSize();
}

void TfrmConvert::CentreInBevels() {
  const auto centre = [](QWidget* control, const QFrame* bevel) {
    control->move((bevel->width() - control->width()) / 2, control->y());
  };
  centre(ui_.btnConvert, ui_.BevelFile);
  ui_.BtnCancel->move(ui_.btnConvert->x(), ui_.BtnCancel->y());
  for (QLabel* label : {ui_.LabelQuorvex, ui_.LabelVersion, ui_.LabelURL, ui_.LabelKeys}) {
    label->adjustSize();
    centre(label, ui_.BevelAbout);
  }
}

void TfrmConvert::FormShow() {
  ui_.Edit2->clear();
  ForgetChosenFiles();
}

void TfrmConvert::ForgetChosenFiles() {
  ui_.Edit1->clear();
  chosen_ = {};
  options_.library_files.clear();
  SetProjectOption();
}

void TfrmConvert::showEvent(QShowEvent* event) {
  // A window restored from the task bar is not shown anew.
  if (!event->spontaneous()) FormShow();
  QWidget::showEvent(event);
}

void TfrmConvert::SelectFiles(const QStringList& paths) {
  if (paths.isEmpty()) return;
  ExpandedInputs chosen;
  // Nothing may leave a Qt handler by an exception: whatever stops a project
  // file from being read gets the box.
  try {
    for (const QString& path : paths) {
      if (IsProjectFile(path)) {
        AddProject(ReadFoxProject(RealFileSystem(), PathBytes(path)), chosen);
      } else {
        chosen.forms.push_back({PathBytes(path), {}});
      }
    }
  } catch (const std::exception& failure) {
    dialogs_.ShowError(this, ErrorBoxText(FromBytes(failure.what())));
    return;
  }
  // Only the loadable mode converts a project (its files are that mode's).
  // Whoever picks a project file wants it converted, so the choice turns the
  // mode on, where it can be seen and turned off, rather than a box sending
  // the user to the other page and back to choose again.
  if (chosen.project) ui_.chkLoadable->setChecked(true);
  chosen_ = std::move(chosen);
  options_.library_files = chosen_.library_files;
  SetProjectOption();
  ui_.Edit1->setText(FileListText(paths));
  if (ui_.Edit2->text().isEmpty()) ui_.Edit2->setText(ProposedOutputDirectory(paths.front()));
}

void TfrmConvert::Button1Click() {
  if (file_dialog_directory_.isEmpty()) file_dialog_directory_ = QDir::currentPath();
  const QStringList chosen = dialogs_.ChooseFiles(this, file_dialog_directory_);
  ForgetChosenFiles();
  if (chosen.isEmpty()) return;
  // The next choice starts where this one ended; the process's own current
  // directory is left alone, as a relative output directory depends on it.
  file_dialog_directory_ = QFileInfo(chosen.front()).absolutePath();
  SelectFiles(chosen);
}

void TfrmConvert::Button2Click() {
  QString start = WithoutTrailingSeparator(ui_.Edit2->text());
  if (!QFileInfo(start).isDir()) start.clear();
  const std::optional<QString> chosen = dialogs_.BrowseForFolder(this, start);
  if (chosen) ui_.Edit2->setText(WithTrailingSeparator(QDir::toNativeSeparators(*chosen)));
}

// The folders and the project name count only in the loadable mode, as the
// command line takes -L and --project only with --loadable.
void TfrmConvert::chkLoadableClick(bool checked) {
  options_.loadable = checked;
  for (QWidget* control : std::initializer_list<QWidget*>{ui_.LabelFolders, ui_.lstFolders, ui_.btnAddFolder,
                                                          ui_.btnRemoveFolder, ui_.LabelProject, ui_.edtProject})
    control->setEnabled(checked);
}

void TfrmConvert::btnAddFolderClick() {
  const QListWidgetItem* current = ui_.lstFolders->currentItem();
  const std::optional<QString> chosen = dialogs_.BrowseForFolder(this, current ? current->text() : QString());
  if (!chosen) return;
  const std::string folder = PathBytes(*chosen);
  std::vector<std::string>& folders = options_.library_folders;
  if (std::find(folders.begin(), folders.end(), folder) != folders.end()) return;
  folders.push_back(folder);
  ui_.lstFolders->addItem(QDir::toNativeSeparators(*chosen));
  ui_.lstFolders->setCurrentRow(ui_.lstFolders->count() - 1);
}

void TfrmConvert::btnRemoveFolderClick() {
  const int row = ui_.lstFolders->currentRow();
  if (row < 0) return;
  options_.library_folders.erase(options_.library_folders.begin() + row);
  delete ui_.lstFolders->takeItem(row);
}

// A name typed in edtProject wins over the project file's; the program still
// starts with the form that project file marks as main. The field shows the
// name the run would take when it is empty.
void TfrmConvert::SetProjectOption() {
  const std::optional<ProjectOutput>& chosen = chosen_.project;
  const QString name = ui_.edtProject->text().trimmed();
  options_.project = chosen;
  if (!name.isEmpty()) options_.project = ProjectOutput{PathBytes(name), chosen ? chosen->main_input : std::string()};
  ui_.edtProject->setPlaceholderText(chosen ? FromBytes(chosen->name) : QStringLiteral("none: no project files"));
}

void TfrmConvert::BtnCancelClick() {
  run_.RequestCancel();
  progress_position_ = 0;
  ui_.ProgressBar1->setValue(0);
}

void TfrmConvert::LabelURLClick() { dialogs_.OpenAddress(ui_.LabelURL->text()); }

bool TfrmConvert::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && (watched == ui_.BevelFile || watched == ui_.BevelAbout)) {
    CentreInBevels();
  } else if (watched == ui_.LabelURL && event->type() == QEvent::MouseButtonRelease &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    LabelURLClick();
  }
  return QWidget::eventFilter(watched, event);
}

// Enter presses the default button: Convert, or Cancel during a run; Esc
// presses Cancel. Text fields and buttons pass both keys on to the window.
void TfrmConvert::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain) {
    (ui_.BtnCancel->isVisible() ? ui_.BtnCancel : ui_.btnConvert)->click();
  } else if (key == Qt::Key_Escape && ui_.BtnCancel->isVisible()) {
    ui_.BtnCancel->click();
  } else {
    QWidget::keyPressEvent(event);
  }
}

void TfrmConvert::dragEnterEvent(QDragEnterEvent* event) {
  if (!InputFilesFor(LocalPaths(event->mimeData())).isEmpty()) event->acceptProposedAction();
}

void TfrmConvert::dropEvent(QDropEvent* event) {
  const QStringList files = InputFilesFor(LocalPaths(event->mimeData()));
  if (files.isEmpty()) return;
  SelectFiles(files);
  event->acceptProposedAction();
}

void TfrmConvert::ShowObjectViewer() {
  if (show_scx_ == nullptr) return;
  show_scx_->show();
  show_scx_->raise();
  show_scx_->activateWindow();
  const FileConversion* last = run_.LastConversion();
  if (last == nullptr) return;
  if (running_ && status_text_ == "Pass 1") {
    show_scx_->BeginFollowing(*last);
  } else {
    show_scx_->ShowConversion(*last);
  }
}

void TfrmConvert::ShowPreview() {
  if (show_dfm_ == nullptr) return;
  if (const FileConversion* last = run_.LastConversion()) show_dfm_->ShowConversion(*last, run_.OutputDirectory());
  show_dfm_->show();
  show_dfm_->raise();
  show_dfm_->activateWindow();
}

}  // namespace quorvex
