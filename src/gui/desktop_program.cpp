#include "gui/desktop_program.h"

#include <QApplication>
#include <QIcon>
#include <exception>
#include <iostream>

#include "gui/dialogs.h"
#include "gui/file_choice.h"
#include "gui/form_convert.h"
#include "gui/form_show_dfm.h"
#include "gui/form_show_scx.h"
#include "vocabulary/lists.h"

namespace quorvex {

DesktopProgram::DesktopProgram(Dialogs& dialogs, const QStringList& arguments)
    : frmConvert_(std::make_unique<TfrmConvert>(dialogs)),
      frmShowSCX_(std::make_unique<TfrmShowSCX>(dialogs, frmConvert_.get())),
      frmShowDFM_(std::make_unique<TfrmShowDFM>(dialogs, frmConvert_.get())) {
  frmConvert_->SetHiddenWindows(frmShowSCX_.get(), frmShowDFM_.get());
  frmConvert_->show();
  // After FormShow, which empties both fields.
  frmConvert_->SelectFiles(ScxFilesFor(arguments));
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
  DesktopDialogs dialogs;
  const DesktopProgram program(dialogs, QApplication::arguments().mid(1));
  return QApplication::exec();
}

}  // namespace quorvex
