#include "table/table_dataset.h"

#include "base/ascii.h"
#include "base/errors.h"
#include "table/field_value.h"
#include "table/file_name.h"

namespace quorvex {

namespace {

// A table name without extension names a ".DBF" file.
constexpr std::string_view kDefaultExtension = ".DBF";
constexpr std::string_view kClosedDataset = "Cannot perform this operation on a closed dataset";
constexpr std::string_view kBeyondRange = "Record request beyond range of table";

}  // namespace

std::string Field::AsString() const { return owner_.FieldAsString(*this); }

TableDataSet::TableDataSet(std::string component_name) : TableDataSet(std::move(component_name), RealFileSystem()) {}

TableDataSet::TableDataSet(std::string component_name, FileSystem& files)
    : component_name_(std::move(component_name)), files_(files) {}

TableDataSet::~TableDataSet() { Close(); }

std::string TableDataSet::Prefixed(std::string_view text) const { return component_name_ + ": " + std::string(text); }

void TableDataSet::SetTableName(const std::string& name) {
  if (Active()) throw EDatabaseError(Prefixed("Cannot perform this operation on an open dataset"));
  table_name_ = name;
}

void TableDataSet::Open() {
  if (Active()) return;
  if (table_name_.empty()) throw EDatabaseError("Table name missing");
  std::string name = table_name_;
  if (FileExtension(name).empty()) name += kDefaultExtension;
  if (!files_.Exists(NormalizeFileName(name))) throw EDatabaseError("Cannot find file " + name);

  table_ = std::make_unique<DbfTable>(files_);
  try {
    table_->Open(name, {}, kUseDeleted);
    BuildFields();
    if (table_->RecordLength() > kMaxDatasetRecordLength) {
      throw EDatabaseError("Record length " + std::to_string(table_->RecordLength()) + " of table " +
                           table_->FileName() + " is above " + std::to_string(kMaxDatasetRecordLength) + " bytes");
    }
  } catch (...) {
    Close();
    throw;
  }
  record_.assign(static_cast<std::size_t>(table_->RecordLength()), ' ');
  record_number_ = 0;
  eof_ = true;
  // A failure here leaves the dataset open, as the caller may still close it.
  Navigate(MoveTarget::kFirst);
}

void TableDataSet::BuildFields() {
  const int version = table_->Version();
  for (const FieldDescriptor& descriptor : table_->Fields()) {
    const auto kind = FieldKindOf(descriptor, version);
    if (!kind) continue;
    if (descriptor.name.empty()) throw EDatabaseError(Prefixed("Field name missing"));
    if (FindField(descriptor.name)) throw EDatabaseError("A component named " + descriptor.name + " already exists");
    fields_.push_back(std::unique_ptr<Field>(new Field(*this, descriptor, *kind)));
  }
}

void TableDataSet::Close() {
  fields_.clear();
  table_.reset();
  record_.clear();
  record_number_ = 0;
  eof_ = true;
}

Field* TableDataSet::FindField(std::string_view name) {
  for (const auto& field : fields_) {
    if (SameText(field->FieldName(), name)) return field.get();
  }
  return nullptr;
}

Field& TableDataSet::FieldByName(std::string_view name) {
  Field* field = FindField(name);
  if (!field) throw EDatabaseError(Prefixed("Field '" + std::string(name) + "' not found"));
  return *field;
}

const DbfTable& TableDataSet::OpenTable() const {
  if (!table_) throw EDatabaseError(std::string(kClosedDataset));
  return *table_;
}

void TableDataSet::Navigate(MoveTarget target) {
  OpenTable();
  try {
    table_->Move(target);
  } catch (const ETableError&) {
    throw EDatabaseError(std::string(kBeyondRange));
  }
  TakeRecord();
  Notify();
}

void TableDataSet::TakeRecord() {
  // A move that found no record keeps the last record current.
  if (table_->AtEnd() || table_->AtStart()) {
    eof_ = true;
    return;
  }
  record_ = table_->RecordBuffer();
  record_number_ = table_->RecordNumber();
  eof_ = false;
}

void TableDataSet::Notify() const {
  if (record_changed_) record_changed_();
}

void TableDataSet::First() { Navigate(MoveTarget::kFirst); }

void TableDataSet::Next() { Navigate(MoveTarget::kNext); }

int TableDataSet::RecNo() const {
  OpenTable();
  return record_number_;
}

void TableDataSet::SetRecNo(int record_number) {
  OpenTable();
  table_->MoveTo(record_number);
  TakeRecord();
  Notify();
}

int TableDataSet::TableVersion() const { return OpenTable().Version(); }

int TableDataSet::CodePageMark() const { return OpenTable().CodePageMark(); }

int TableDataSet::RecordCount() const { return OpenTable().RecordCount(); }

std::string TableDataSet::FieldAsString(const Field& field) const {
  const FieldDescriptor& descriptor = field.Descriptor();
  switch (field.Kind()) {
    case FieldKind::kString:
      return FieldText(descriptor, record_);
    case FieldKind::kMemo:
    case FieldKind::kBlob:
      return table_->MemoText(descriptor, record_);
    default:
      return FormatFieldValue(field.Kind(), descriptor, record_, table_->Version(), table_->FileName());
  }
}

}  // namespace quorvex
