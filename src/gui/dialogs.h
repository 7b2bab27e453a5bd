#pragma once
// The modal parts of the windows, behind one interface: the file dialog, the
// folder browser, the two kinds of message box, and handing an address to the
// desktop. The program uses DesktopDialogs; tests put in answers of their own,
// so that nothing they do can wait for a user.

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace quorvex {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The file-open dialog, starting in `start_directory`: filters for forms
  // and project files (*.scx *.pjx), forms, project files and all files,
  // several files, each must exist. Returns the chosen files' full paths in
  // the dialog's order; empty when cancelled.
  virtual QStringList ChooseFiles(QWidget* owner, const QString& start_directory) = 0;

  // The folder browser, with no title and only folders selectable; selects
  // `start_directory` when it is not empty. The chosen folder's path, or
  // nothing when cancelled. The other windows are disabled while it is open.
  virtual std::optional<QString> BrowseForFolder(QWidget* owner, const QString& start_directory) = 0;

  // A message centred on the screen with an OK button and no icon.
  virtual void ShowMessage(const QString& text) = 0;

  // An error box with a stop icon and an OK button, over `owner`.
  virtual void ShowError(QWidget* owner, const QString& text) = 0;

  // Opens `address` with the desktop's default handler, without waiting.
  virtual void OpenAddress(const QString& address) = 0;
};

// The desktop's own dialogs; boxes are titled with ApplicationTitle of the
// running program.
class DesktopDialogs final : public Dialogs {
 public:
  QStringList ChooseFiles(QWidget* owner, const QString& start_directory) override;
  std::optional<QString> BrowseForFolder(QWidget* owner, const QString& start_directory) override;
  void ShowMessage(const QString& text) override;
  void ShowError(QWidget* owner, const QString& text) override;
  void OpenAddress(const QString& address) override;
};

}  // namespace quorvex
