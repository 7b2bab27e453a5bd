#pragma once
// TfrmShowDFM: the preview. Three panes for the three texts of a conversion
// (object text, DFM text, unit text), buttons that generate the DFM and unit
// texts again and save both files, a caret indicator for the DFM pane, and
// vertical scrolling of the object text pane passed on to the DFM pane. It
// works on a copy of the last file converted (F3 in the main window).

#include <QWidget>
#include <memory>
#include <string>

class QLabel;
class QPushButton;
class QSplitter;

namespace quorvex {

class Dialogs;
class FileConversion;
class TextPane;

// The window's controls, named as in its design (also their Qt object names).
struct TfrmShowDFMControls {
  TextPane* RichEditTXT;
  QSplitter* Splitter1;
  TextPane* RichEditDFM;
  QSplitter* Splitter2;
  TextPane* RichEditPAS;
  QWidget* Panel1;
  QPushButton* DfmButton;
  QPushButton* PasButton;
  QPushButton* SaveButton;
  QLabel* Label1;
};

class TfrmShowDFM final : public QWidget {
  Q_OBJECT

 public:
  // A window of its own, kept above `owner` and closed with it. `dialogs`
  // must outlive the window.
  TfrmShowDFM(Dialogs& dialogs, QWidget* owner);
  ~TfrmShowDFM() override;

  // Takes a copy of `conversion`'s three text lists, to be saved into
  // `output_directory` (with its trailing delimiter); the object text pane
  // shows the object text, the other two panes are emptied until their
  // buttons fill them. The buttons work only once a conversion is shown.
  void ShowConversion(const FileConversion& conversion, const std::string& output_directory);

 private:
  void DfmButtonClick();
  void PasButtonClick();
  void SaveButtonClick();
  void UpdateCaretPosition();
  void CoupleScrolling();
  void ReportFailure(const std::exception& failure);

  Dialogs& dialogs_;
  TfrmShowDFMControls ui_;
  std::unique_ptr<FileConversion> conversion_;
  std::string output_directory_;
};

}  // namespace quorvex
