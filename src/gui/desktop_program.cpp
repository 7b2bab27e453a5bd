#include "gui/desktop_program.h"

#include <QApplication>
#include <QIcon>
#include <exception>
#include <iostream>

#include "gui/desktop_arguments.h"
#include "gui/dialogs.h"
#include "gui/file_choice.h"
#include "gui/form_convert.h"
#include "gui/form_show_dfm.h"
#include "gui/form_show_scx.h"
#include "gui/gui_text.h"
#include "vocabulary/lists.h"

namespace quorvex {

DesktopProgram::DesktopProgram(Dialogs& dialogs, const QStringList& files, RunOptions options)
    : frmConvert_(std::make_unique<TfrmConvert>(dialogs, std::move(options))),
      frmShowSCX_(std::make_unique<TfrmShowSCX>(dialogs, frmConvert_.get())),
      frmShowDFM_(std::make_unique<TfrmShowDFM>(dialogs, frmConvert_.get())) {
  frmConvert_->SetHiddenWindows(frmShowSCX_.get(), frmShowDFM_.get());
  frmConvert_->show();
  // After FormShow, which empties both fields.
  frmConvert_->SelectFiles(InputFilesFor(files));
  // A name typed wrong, or a file gone since a file manager listed it, would
  // otherwise only be missing from the choice, with nothing to say why.
  if (const QStringList failures = OpenFailures(files); !failures.isEmpty()) {
    QStringList lines;
    for (const QString& failure : failures) lines << ErrorBoxText(failure);
    dialogs.ShowError(frmConvert_.get(), lines.join(u'\n'));
  }
}

// The members go in reverse order: the main window's two windows first.
DesktopProgram::~DesktopProgram() = default;

int RunDesktopProgram(int argc, char** argv) {
  try {
    Lists::Shared();
  } catch (const std::exception& failure) {
    std::cerr << failure.what() << '\n';
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationVersion(QStringLiteral(QUORVEX_VERSION));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quorvex")));
  DesktopArguments arguments;
  try {
    arguments = ParseDesktopArguments(QApplication::arguments().mid(1));
  } catch (const EDesktopUsage& usage) {
    std::cerr << "quorvex: " << usage.what() << '\n';
    return 2;
  }
  DesktopDialogs dialogs;
  const DesktopProgram program(dialogs, arguments.files, std::move(arguments.options));
  return QApplication::exec();
}

}  // namespace quorvex
