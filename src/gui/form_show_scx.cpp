#include "gui/form_show_scx.h"

#include <QHideEvent>
#include <QLabel>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdlib>

#include "gui/design_font.h"
#include "gui/dialogs.h"
#include "gui/gui_text.h"
#include "gui/text_pane.h"
#include "run/file_conversion.h"

namespace quorvex {

namespace {

constexpr int kRecordRefRole = Qt::UserRole;

struct LabelPair {
  const char* caption_name;
  const char* caption;
  QPoint caption_at;
  QLabel* TfrmShowSCXControls::*value;
  const char* value_name;
  QPoint value_at;
};

const LabelPair kLabelPairs[] = {
    {"Label1", "Name", {15, 9}, &TfrmShowSCXControls::lbName, "lbName", {68, 9}},
    {"Label2", "ObjName", {215, 9}, &TfrmShowSCXControls::lbObjName, "lbObjName", {275, 9}},
    {"Label3", "Class", {15, 25}, &TfrmShowSCXControls::lbClass, "lbClass", {68, 25}},
    {"Label4", "BaseClass", {215, 25}, &TfrmShowSCXControls::lbBaseClass, "lbBaseClass", {275, 25}},
    {"Label5", "Parent", {15, 41}, &TfrmShowSCXControls::lbParent, "lbParent", {68, 41}},
};

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->move(at);
  label->adjustSize();
  return label;
}

void SetCaption(QLabel* label, const QString& text) {
  label->setText(text);
  label->adjustSize();
}

TfrmShowSCXControls CreateControls(QWidget& form) {
  TfrmShowSCXControls c{};
  auto* layout = new QVBoxLayout(&form);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  c.Splitter1 = new QSplitter(Qt::Horizontal, &form);
  c.Splitter1->setObjectName(QStringLiteral("Splitter1"));
  c.Splitter1->setHandleWidth(3);
  c.TreeView1 = new QTreeWidget(c.Splitter1);
  c.TreeView1->setObjectName(QStringLiteral("TreeView1"));
  c.TreeView1->setHeaderHidden(true);
  c.TreeView1->setIndentation(15);
  c.TreeView1->setMinimumWidth(150);
  c.TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  c.DBMemo2 = new TextPane(QStringLiteral("DBMemo2"), true, c.Splitter1);
  c.Splitter1->setStretchFactor(1, 1);
  c.Splitter1->setSizes({150, form.width() - 153});
  layout->addWidget(c.Splitter1, 1);
  c.Panel1 = new QWidget(&form);
  c.Panel1->setObjectName(QStringLiteral("Panel1"));
  c.Panel1->setFixedHeight(62);
  for (const LabelPair& pair : kLabelPairs) {
    MakeLabel(c.Panel1, pair.caption_name, QLatin1String(pair.caption), pair.caption_at);
    c.*pair.value = MakeLabel(c.Panel1, pair.value_name, QString(), pair.value_at);
  }
  layout->addWidget(c.Panel1);
  return c;
}

}  // namespace

TfrmShowSCX::TfrmShowSCX(Dialogs& dialogs, QWidget* owner)
    : QWidget(owner, Qt::Window), dialogs_(dialogs), TableDataSet1_("TableDataSet1") {
  setObjectName(QStringLiteral("frmShowSCX"));
  setWindowTitle(QStringLiteral("frmShowSCX"));
  setFont(DesignFont(QStringLiteral("MS Sans Serif"), 11));  // 8 points
  resize(555, 433);
  move(251, 216);
  ui_ = CreateControls(*this);
  connect(ui_.TreeView1, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { TreeView1Change(current); });
}

TfrmShowSCX::~TfrmShowSCX() = default;

void TfrmShowSCX::ShowConversion(const FileConversion& conversion) {
  following_ = false;
  OpenScxFile(conversion);
}

void TfrmShowSCX::BeginFollowing(const FileConversion& conversion) {
  following_ = true;
  OpenScxFile(conversion);
}

void TfrmShowSCX::FollowNode(int index) {
  if (!following_ || !isVisible() || index < 0 || index >= static_cast<int>(items_.size())) return;
  ui_.TreeView1->setCurrentItem(items_[static_cast<std::size_t>(index)]);
}

void TfrmShowSCX::EndFollowing() { following_ = false; }

void TfrmShowSCX::hideEvent(QHideEvent* event) {
  if (!event->spontaneous()) {  // closed, not minimised
    following_ = false;
    properties_ = nullptr;
    TableDataSet1_.Close();
  }
  QWidget::hideEvent(event);
}

// As pass 1 opens a form: unbind the memo, open the table, rebuild the tree,
// make its first node current; the memo shows Properties if the table has it.
void TfrmShowSCX::OpenScxFile(const FileConversion& conversion) {
  properties_ = nullptr;
  records_.clear();
  ui_.DBMemo2->clear();
  bool opened = false;
  const LoadableConversion* loadable = conversion.Loadable();
  if (loadable != nullptr) {
    TableDataSet1_.Close();
    records_ = loadable->Records();
    opened = true;
  } else {
    try {
      TableDataSet1_.Close();
      TableDataSet1_.SetTableName(conversion.InputPath());
      TableDataSet1_.Open();
      properties_ = TableDataSet1_.FindField("Properties");
      opened = true;
    } catch (const std::exception& failure) {
      ReportFailure(failure);
    }
  }
  const QSignalBlocker quiet(ui_.TreeView1);
  ui_.TreeView1->clear();
  items_.clear();
  const ScxObjectTree& tree = loadable != nullptr ? loadable->Tree() : conversion.Tree();
  for (const ScxNode* node = tree.First(); node != nullptr; node = tree.Next(*node)) {
    QTreeWidgetItem* item = node->parent == nullptr
                                ? new QTreeWidgetItem(ui_.TreeView1)
                                : new QTreeWidgetItem(items_[static_cast<std::size_t>(node->parent->index)]);
    item->setText(0, FromBytes(node->text));
    item->setData(0, kRecordRefRole, node->record_ref);
    items_.push_back(item);
  }
  ui_.TreeView1->expandAll();
  for (QLabel* label : {ui_.lbName, ui_.lbObjName, ui_.lbClass, ui_.lbBaseClass, ui_.lbParent}) label->clear();
  if (opened && !items_.empty()) {
    ui_.TreeView1->setCurrentItem(items_.front());
    TreeView1Change(items_.front());
  }
}

void TfrmShowSCX::TreeView1Change(QTreeWidgetItem* node) {
  if (node == nullptr) return;
  try {
    ShowRecordOf(*node);
  } catch (const std::exception& failure) {
    ReportFailure(failure);
  }
}

// The labels after a failing field keep what they showed.
void TfrmShowSCX::ShowRecordOf(const QTreeWidgetItem& node) {
  const int record = std::abs(node.data(0, kRecordRefRole).toInt());
  if (record == 0) {
    // A placeholder has no record; the table stays where it is.
    ui_.DBMemo2->clear();
    for (QLabel* label : {ui_.lbName, ui_.lbObjName, ui_.lbClass, ui_.lbBaseClass, ui_.lbParent}) label->clear();
    return;
  }
  if (!records_.empty()) {
    // The loadable mode's references count its records from 1.
    const auto index = static_cast<std::size_t>(record) - 1;
    if (index < records_.size()) ShowFormRecord(node, records_[index]);
    return;
  }
  TableDataSet1_.SetRecNo(record);
  if (properties_ != nullptr) ui_.DBMemo2->setPlainText(MemoText(properties_->AsString()));
  SetCaption(ui_.lbName, node.text(0));
  const std::pair<const char*, QLabel*> fields[] = {
      {"ObjName", ui_.lbObjName}, {"Class", ui_.lbClass}, {"BaseClass", ui_.lbBaseClass}, {"Parent", ui_.lbParent}};
  for (const auto& [field, label] : fields) {
    SetCaption(label, FromBytes(TableDataSet1_.FieldByName(field).AsString()));
  }
}

void TfrmShowSCX::ShowFormRecord(const QTreeWidgetItem& node, const FormRecord& record) {
  ui_.DBMemo2->setPlainText(MemoText(record.properties));
  SetCaption(ui_.lbName, node.text(0));
  SetCaption(ui_.lbObjName, FromBytes(record.object_name));
  SetCaption(ui_.lbClass, FromBytes(record.class_name));
  SetCaption(ui_.lbBaseClass, FromBytes(record.base_class));
  SetCaption(ui_.lbParent, FromBytes(record.parent));
}

void TfrmShowSCX::ReportFailure(const std::exception& failure) {
  if (!following_) dialogs_.ShowError(this, ErrorBoxText(FromBytes(failure.what())));
}

}  // namespace quorvex
