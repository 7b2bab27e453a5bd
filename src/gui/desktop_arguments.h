#pragma once
// The desktop program's command line:
//   quorvex [--loadable [-L DIR]...] [FILE|FOLDER...]
// --loadable makes every conversion of the window one of the loadable mode,
// with class libraries also looked for in each -L folder; the files and
// folders are preselected as if chosen in the file dialog. Without options
// the window behaves exactly as it always has.

#include <QStringList>
#include <stdexcept>

#include "run/conversion_run.h"

namespace quorvex {

struct DesktopArguments {
  QStringList files;    // the arguments that are not options, in order
  RunOptions options;   // loadable and library_folders as given
};

// A usage error of the command line; what() is the message for stderr.
class EDesktopUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `arguments` without the program name (and without Qt's own options).
// Throws EDesktopUsage: "-L needs a folder", "-L: no such folder: DIR",
// "-L needs --loadable".
DesktopArguments ParseDesktopArguments(const QStringList& arguments);

}  // namespace quorvex
