// TfrmConvert during a run: starting it, the running and idle states, the
// box and report line for a failure that ends it, and the RunHost calls
// through which the run reports back.

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "gui/dialogs.h"
#include "gui/form_convert.h"
#include "gui/form_show_dfm.h"
#include "gui/form_show_scx.h"
#include "gui/gui_text.h"

namespace quorvex {

namespace {

constexpr int kRunningReportHeight = 100;

}  // namespace

void TfrmConvert::btnConvertClick() {
  if (ui_.Edit1->text().isEmpty()) {
    dialogs_.ShowMessage(QStringLiteral("Please select file to convert!"));
    return;
  }
  if (ui_.Edit2->text().isEmpty()) {
    dialogs_.ShowMessage(QStringLiteral("Please select destination directory!"));
    return;
  }
  if (chosen_.project && !options_.loadable) {
    dialogs_.ShowMessage(QStringLiteral("Please turn on the loadable mode (Delphi / Lazarus) to convert a project!"));
    return;
  }
  // Copies: a choice or a drop during the run is for the next one.
  const std::vector<RunInput> inputs = chosen_.forms;
  run_.SetOptions(options_);
  SetRunning(true);
  std::string failure;
  bool failed = false;
  try {
    run_.ConvertSelectedFiles(inputs, PathBytes(ui_.Edit2->text()));
  } catch (const std::exception& e) {
    failed = true;
    failure = e.what();
  }
  SetRunning(false);
  if (close_after_run_) {
    close_after_run_ = false;
    close();
    return;
  }
  if (failed) {
    const QString message = FromBytes(failure);
    dialogs_.ShowError(this, ErrorBoxText(message));
    AddReportLine("   " + failure);
  }
  if (show_dfm_ != nullptr && show_dfm_->isVisible() && run_.LastConversion() != nullptr) {
    show_dfm_->ShowConversion(*run_.LastConversion(), run_.OutputDirectory());
  }
  // The loadable mode has no pass 1 for the viewer to follow: an open viewer
  // gets the last file's resolved objects when the run is over.
  const FileConversion* last = run_.LastConversion();
  if (show_scx_ != nullptr && show_scx_->isVisible() && last != nullptr && last->Loadable() != nullptr) {
    show_scx_->ShowConversion(*last);
  }
}

void TfrmConvert::SetRunning(bool running) {
  running_ = running;
  ui_.btnConvert->setVisible(!running);
  ui_.BtnCancel->setVisible(running);
  progress_position_ = 0;
  ShowRunProgress();
  ui_.ProgressBar1->setVisible(running);
  QLayout* report_layout = ui_.TabReport->layout();
  if (running) {
    ui_.ProgressBar1->raise();
    ui_.Memo1->clear();
    // Along the top of the page, so that Cancel below it shows.
    ui_.Memo1->setFixedHeight(kRunningReportHeight);
    report_layout->setAlignment(ui_.Memo1, Qt::AlignTop);
    ui_.PageControl->setTabVisible(ui_.PageControl->indexOf(ui_.TabReport), true);
    ui_.PageControl->setCurrentWidget(ui_.TabReport);
    ui_.BtnCancel->setFocus();
    pacer_.Reset();
  } else {
    ui_.Memo1->setMinimumHeight(0);
    ui_.Memo1->setMaximumHeight(QWIDGETSIZE_MAX);
    report_layout->setAlignment(ui_.Memo1, Qt::Alignment());
    ui_.StatusPanel1->clear();
    status_text_.clear();
    if (show_scx_ != nullptr) show_scx_->EndFollowing();
  }
  report_layout->activate();  // now, not at the next round of events
}

// Closing the window during a run cancels it; the window closes when the run
// has ended, without the box for the cancel.
void TfrmConvert::closeEvent(QCloseEvent* event) {
  if (!running_) {
    QWidget::closeEvent(event);
    return;
  }
  close_after_run_ = true;
  run_.RequestCancel();
  event->ignore();
}

void TfrmConvert::AddReportLine(const std::string& text) {
  // A report line must never end a run.
  try {
    last_report_time_ = QTime::currentTime();
    QString line = ReportTimeText(last_report_time_) + FromBytes(text);
    // "   Done" ends in CR LF, which shows as an empty line after it.
    if (line.endsWith(QLatin1String("\r\n"))) {
      line.chop(2);
      line += u'\n';
    }
    pending_report_ << line;
    if (!running_) ShowRunProgress();
  } catch (...) {
  }
}

void TfrmConvert::SetProgressMaximum(int maximum) {
  progress_maximum_ = maximum;
  progress_position_ = 0;
  const FileConversion* current = run_.LastConversion();
  if (status_text_ == "Pass 1" && current != nullptr && show_scx_ != nullptr && show_scx_->isVisible()) {
    show_scx_->BeginFollowing(*current);
  }
}

void TfrmConvert::SetProgressPosition(int position) {
  progress_position_ = position;
  if (show_scx_ != nullptr) show_scx_->FollowNode(position);
}

// The report lines and the progress bar reach the screen at each round of
// event handling, not at each call: a progress bar repaints at once whenever
// its position moves a pixel, and each append to the report lays out and
// scrolls it, which together would cost a run more than its own time.
void TfrmConvert::ShowRunProgress() {
  if (!pending_report_.isEmpty()) {
    ui_.Memo1->appendPlainText(pending_report_.join(u'\n'));
    pending_report_.clear();
  }
  // A bar whose range is 0 to 0 shows as busy; 0 to 1 at position 0 shows as
  // empty, as a bar with no steps should.
  ui_.ProgressBar1->setRange(0, std::max(progress_maximum_, 1));
  ui_.ProgressBar1->setValue(progress_position_);
}

void TfrmConvert::SetStatusText(const std::string& text) {
  status_text_ = text;
  ui_.StatusPanel1->setText(FromBytes(text));
  if (text != "Pass 1" && show_scx_ != nullptr) show_scx_->EndFollowing();
}

void TfrmConvert::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TfrmConvert::ProcessPendingEvents() {
  if (!pacer_.Due()) return;
  ShowRunProgress();
  QCoreApplication::processEvents();
}

}  // namespace quorvex
