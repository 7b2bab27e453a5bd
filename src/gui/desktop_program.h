#pragma once
// The desktop program's entry: the vocabulary first, then the three windows in
// their order, only the main window shown, with the files named on the
// command line preselected; then the event loop until the main window closes.

#include <QStringList>
#include <memory>

#include "run/conversion_run.h"

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
  // `files`: .scx and .pjx files, or folders standing for their .scx files,
  // preselected as if chosen in the file dialog; one error box names those
  // that do not exist or cannot be read. `options`: how the window's
  // runs convert (the loadable mode and its class-library folders). Needs a
  // QApplication; `dialogs` must outlive the program.
  DesktopProgram(Dialogs& dialogs, const QStringList& files, RunOptions options = {});
  ~DesktopProgram();

  TfrmConvert& frmConvert() { return *frmConvert_; }
  TfrmShowSCX& frmShowSCX() { return *frmShowSCX_; }
  TfrmShowDFM& frmShowDFM() { return *frmShowDFM_; }

 private:
  std::unique_ptr<TfrmConvert> frmConvert_;
  std::unique_ptr<TfrmShowSCX> frmShowSCX_;
  std::unique_ptr<TfrmShowDFM> frmShowDFM_;
};

// Runs the program with the process's arguments (Qt's own options first,
// then those of ParseDesktopArguments). Returns the exit status: 2 after a
// usage error, printed on stderr.
int RunDesktopProgram(int argc, char** argv);

}  // namespace quorvex
