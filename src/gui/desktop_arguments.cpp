#include "gui/desktop_arguments.h"

#include <QFileInfo>

#include "gui/gui_text.h"

namespace quorvex {

DesktopArguments ParseDesktopArguments(const QStringList& arguments) {
  DesktopArguments parsed;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--loadable")) {
      parsed.options.loadable = true;
    } else if (argument == QLatin1String("-L")) {
      if (++i == arguments.size()) throw EDesktopUsage("-L needs a folder");
      if (!QFileInfo(arguments[i]).isDir()) throw EDesktopUsage("-L: no such folder: " + PathBytes(arguments[i]));
      parsed.options.library_folders.push_back(PathBytes(arguments[i]));
    } else {
      parsed.files << argument;
    }
  }
  if (!parsed.options.library_folders.empty() && !parsed.options.loadable)
    throw EDesktopUsage("-L needs --loadable");
  return parsed;
}

}  // namespace quorvex
