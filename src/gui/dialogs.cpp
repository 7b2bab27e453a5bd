#include "gui/dialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "gui/gui_text.h"

namespace quorvex {

namespace {

QString BoxTitle() { return ApplicationTitle(QCoreApplication::applicationFilePath()); }

}  // namespace

QStringList DesktopDialogs::ChooseFiles(QWidget* owner, const QString& start_directory) {
  // Qt's filters match without regard to letter case, so *.scx finds FORM.SCX too.
  return QFileDialog::getOpenFileNames(
      owner, QString(), start_directory,
      QStringLiteral("SCX and PJX Files (*.scx *.pjx);;SCX Files (*.scx);;PJX Files (*.pjx);;All files (*.*)"));
}

std::optional<QString> DesktopDialogs::BrowseForFolder(QWidget* owner, const QString& start_directory) {
  const QString chosen = QFileDialog::getExistingDirectory(owner, QString(), start_directory, QFileDialog::ShowDirsOnly);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen;
}

void DesktopDialogs::ShowMessage(const QString& text) {
  // No owner: the box is centred on the screen.
  QMessageBox box(QMessageBox::NoIcon, BoxTitle(), text, QMessageBox::Ok);
  box.exec();
}

void DesktopDialogs::ShowError(QWidget* owner, const QString& text) {
  QMessageBox::critical(owner, BoxTitle(), text, QMessageBox::Ok);
}

void DesktopDialogs::OpenAddress(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

}  // namespace quorvex
