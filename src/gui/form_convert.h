#pragma once
// TfrmConvert: the program's one visible window. The user chooses .scx files
// or FoxPro project files (.pjx) and an output directory, sets the loadable
// mode, its class-library folders and the project's name on the Delphi /
// Lazarus page, starts a run with Convert, follows it in the report pane, the
// progress bar and the status bar, can cancel it (Cancel, Enter or Esc), and
// sees the version on the About page. The window is the run's RunHost: it
// shows what the run tells it and holds none of the conversion. F2 and F3 show
// the object viewer and the preview with the last file converted; files and
// folders dropped on the window are taken as if chosen in the file dialog.

#include <QStringList>
#include <QTime>
#include <QWidget>
#include <chrono>
#include <string>

#include "gui/event_pacer.h"
#include "run/conversion_run.h"
#include "run/project_file.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace quorvex {

class Dialogs;
class TfrmShowDFM;
class TfrmShowSCX;

// The window's controls, named as in its design; each name is also the
// control's Qt object name.
struct TfrmConvertControls {
  QWidget* Panel1;
  QFrame* Bevel1;
  QLabel* Label3;
  QLabel* Label4;
  QTabWidget* PageControl;
  QWidget* TabOpenFile;
  QFrame* BevelFile;
  QLabel* Label1;
  QLineEdit* Edit1;
  QPushButton* Button1;
  QLabel* Label2;
  QLineEdit* Edit2;
  QPushButton* Button2;
  QPushButton* btnConvert;
  QWidget* TabLoadable;
  QFrame* BevelLoadable;
  QCheckBox* chkLoadable;
  QLabel* LabelFolders;
  QListWidget* lstFolders;
  QPushButton* btnAddFolder;
  QPushButton* btnRemoveFolder;
  QLabel* LabelProject;
  QLineEdit* edtProject;
  QWidget* TabReport;
  QFrame* BevelReport;
  QPlainTextEdit* Memo1;
  QPushButton* BtnCancel;
  QWidget* TabAbout;
  QFrame* BevelAbout;
  QLabel* LabelQuorvex;
  QLabel* LabelVersion;
  QLabel* LabelURL;
  QLabel* LabelWWW;
  QLabel* LabelEMail;
  QLabel* LabelKeys;  // lists F2 and F3
  QStatusBar* StatusBar1;
  QLabel* StatusPanel1;  // the status bar's two panels
  QLabel* StatusPanel2;
  QProgressBar* ProgressBar1;
};

// Makes the controls on `form` with their design-time settings: names,
// captions, positions, sizes, fonts, colours.
TfrmConvertControls CreateConvertControls(QWidget& form);

// The web address of the About page.
inline constexpr const char* kProductAddress = "https://quorvex.org";

class TfrmConvert final : public QWidget, public RunHost {
  Q_OBJECT

 public:
  // `dialogs` must outlive the window; `options` are those of its runs (the
  // defaults, or the loadable mode and its folders given on the command
  // line), which the Delphi / Lazarus page then changes. The project comes
  // from the window's own choice, never from `options`.
  explicit TfrmConvert(Dialogs& dialogs, RunOptions options = {});
  ~TfrmConvert() override;

  // The object viewer and the preview that F2 and F3 show. The program's
  // entry creates them after this window and hands them in; either may be null.
  void SetHiddenWindows(TfrmShowSCX* show_scx, TfrmShowDFM* show_dfm);

  // Takes `paths` (full paths) as if they had been chosen in the file dialog:
  // Edit1 shows their names and an output directory is proposed when Edit2 is
  // empty. A project file (.pjx) stands for the forms it lists, adds its class
  // libraries and turns the loadable mode on; the first one names the project
  // when edtProject is empty. A project file that cannot be read gets an error
  // box, and the choice stays as it was. An empty list changes nothing.
  void SelectFiles(const QStringList& paths);

  // The least time between two rounds of event handling during a run (0: at
  // every progress report).
  void SetEventInterval(std::chrono::nanoseconds interval) { pacer_.SetInterval(interval); }

  const ConversionRun& Run() const { return run_; }

  // RunHost. A report line gets the time of day in front (LastReportTime).
  void AddReportLine(const std::string& text) override;
  void SetProgressMaximum(int maximum) override;
  void SetProgressPosition(int position) override;
  void SetStatusText(const std::string& text) override;
  void SetBusy(bool busy) override;
  void ProcessPendingEvents() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void Button1Click();
  void Button2Click();
  void chkLoadableClick(bool checked);
  void btnAddFolderClick();
  void btnRemoveFolderClick();
  void ForgetChosenFiles();
  // RunOptions::project from the files chosen and edtProject.
  void SetProjectOption();
  void btnConvertClick();
  void BtnCancelClick();
  void LabelURLClick();
  void ShowVersion();
  void CentreInBevels();
  void SetRunning(bool running);
  void ShowRunProgress();
  void ShowObjectViewer();
  void ShowPreview();

  Dialogs& dialogs_;
  TfrmConvertControls ui_;
  ConversionRun run_;
  RunOptions options_;               // of the next run, as the controls set them
  ExpandedInputs chosen_;            // what the chosen files stand for
  QString file_dialog_directory_;    // where the file dialog opens next
  TfrmShowSCX* show_scx_ = nullptr;
  TfrmShowDFM* show_dfm_ = nullptr;
  EventPacer pacer_;
  QTime last_report_time_;           // LastReportTime
  std::string status_text_;
  // What the run reported since the last round of event handling.
  QStringList pending_report_;
  int progress_maximum_ = 100;
  int progress_position_ = 0;
  bool running_ = false;
  bool busy_ = false;
  bool close_after_run_ = false;     // the window was closed during a run
};

}  // namespace quorvex
