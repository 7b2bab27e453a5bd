#pragma once
// TfrmShowSCX: the object viewer. The object tree of a form on the left, the
// current object's Properties text on the right, and its record's name fields
// below. It shows the last file converted (F2 in the main window) and, while
// it is open during a run, follows pass 1 from node to node. It reads the
// records through a dataset of its own, opened on the same file for reading
// only, and keeps nothing of the run's state. A file of the loadable mode is
// shown as that mode built it: the tree of its records as resolved (class
// libraries' members included, which no table holds), read from a copy.

#include <QWidget>
#include <vector>

#include "scx/form_record.h"
#include "table/table_dataset.h"

class QLabel;
class QPlainTextEdit;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorvex {

class Dialogs;
class FileConversion;

// The window's controls, named as in its design (also their Qt object names).
struct TfrmShowSCXControls {
  QTreeWidget* TreeView1;
  QSplitter* Splitter1;
  QPlainTextEdit* DBMemo2;
  QWidget* Panel1;
  QLabel* lbName;
  QLabel* lbObjName;
  QLabel* lbClass;
  QLabel* lbBaseClass;
  QLabel* lbParent;
};

class TfrmShowSCX final : public QWidget {
  Q_OBJECT

 public:
  // A window of its own, kept above `owner` and closed with it. `dialogs`
  // must outlive the window.
  TfrmShowSCX(Dialogs& dialogs, QWidget* owner);
  ~TfrmShowSCX() override;

  // Shows `conversion`'s tree and makes its first node current. Its table is
  // opened in the viewer's own dataset; when that fails, the message is shown
  // in an error box and the tree is shown without records.
  void ShowConversion(const FileConversion& conversion);

  // As ShowConversion for the file a run is working on, when its tree has
  // been built; failures are passed over silently until EndFollowing, so that
  // a run is never held up by a box.
  void BeginFollowing(const FileConversion& conversion);
  // While following and shown: makes the node with pre-order index `index`
  // current, as pass 1 does. Does nothing otherwise.
  void FollowNode(int index);
  void EndFollowing();

 protected:
  // A hidden viewer holds no file open.
  void hideEvent(QHideEvent* event) override;

 private:
  void OpenScxFile(const FileConversion& conversion);
  void TreeView1Change(QTreeWidgetItem* node);
  void ShowRecordOf(const QTreeWidgetItem& node);
  void ShowFormRecord(const QTreeWidgetItem& node, const FormRecord& record);
  void ReportFailure(const std::exception& failure);

  Dialogs& dialogs_;
  TfrmShowSCXControls ui_;
  TableDataSet TableDataSet1_;
  Field* properties_ = nullptr;          // the field DBMemo2 shows, while the table is open
  std::vector<FormRecord> records_;      // a loadable file's records, which the tree refers to
  std::vector<QTreeWidgetItem*> items_;  // in pre-order
  bool following_ = false;
};

}  // namespace quorvex
