#pragma once
// The desktop program's entry: the vocabulary first, then the three windows in
// their order, only the main window shown, with the files named on the
// command line preselected; then the event loop until the main window closes.

#include <QStringList>
#include <memory>

namespace quorvex {

class Dialogs;
class TfrmConvert;
class TfrmShowDFM;
class TfrmShowSCX;

// The program's three windows. The main window is shown; the object viewer
// and the preview are its own windows (kept above it, closed with it), shown
// only by F2 and F3.
class DesktopProgram {
 public:
  // `arguments` without the program name: .scx files, or folders standing for
  // theirs, preselected as if chosen in the file dialog. Needs a QApplication;
  // `dialogs` must outlive the program.
  DesktopProgram(Dialogs& dialogs, const QStringList& arguments);
  ~DesktopProgram();

  TfrmConvert& frmConvert() { return *frmConvert_; }
  TfrmShowSCX& frmShowSCX() { return *frmShowSCX_; }
  TfrmShowDFM& frmShowDFM() { return *frmShowDFM_; }

 private:
  std::unique_ptr<TfrmConvert> frmConvert_;
  std::unique_ptr<TfrmShowSCX> frmShowSCX_;
  std::unique_ptr<TfrmShowDFM> frmShowDFM_;
};

// Runs the program with the process's arguments (Qt's own options first).
// Returns the exit status.
int RunDesktopProgram(int argc, char** argv);

}  // namespace quorvex
