#pragma once
// For the window tests: the application object, dialogs that answer at once
// and record what they were asked, controls found by their designer names,
// and report lines without their time.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QWidget>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "gui/dialogs.h"

// QString in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace quorvex::testing {

// The one QApplication of the test program, made on first use (version 1.5.0.18).
QApplication& TestApplication();

class FakeDialogs final : public Dialogs {
 public:
  QStringList ChooseFiles(QWidget*, const QString& start_directory) override {
    file_dialog_starts.push_back(start_directory);
    return files_to_choose;
  }
  std::optional<QString> BrowseForFolder(QWidget*, const QString& start_directory) override {
    folder_browser_starts.push_back(start_directory);
    return folder_to_choose;
  }
  void ShowMessage(const QString& text) override { messages.push_back(text); }
  void ShowError(QWidget*, const QString& text) override { errors.push_back(text); }
  void OpenAddress(const QString& address) override { addresses.push_back(address); }

  QStringList files_to_choose;             // empty: the dialog is cancelled
  std::optional<QString> folder_to_choose;  // nothing: the browser is cancelled
  std::vector<QString> file_dialog_starts, folder_browser_starts, messages, errors, addresses;
};

// The control named `name` on `window`; fails the test when there is none.
template <typename Control>
Control* Find(const QWidget& window, const char* name) {
  auto* control = window.findChild<Control*>(QLatin1String(name));
  if (control == nullptr) ADD_FAILURE() << "no control " << name;
  return control;
}

// Drags `path` onto `window` and drops it there; false when the window
// refuses the drag (and so gets no drop).
bool Drop(QWidget& window, const QString& path);

// The report pane's lines with the time in front of each cut off (empty lines
// stay empty).
std::vector<std::string> ReportLines(const QPlainTextEdit& memo);

// True when `image` has text drawn on it: enough dark pixels on a light face.
bool HasText(const QImage& image);

}  // namespace quorvex::testing
