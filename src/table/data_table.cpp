#include "table/data_table.h"

#include <algorithm>

#include "base/errors.h"
#include "base/text_encoding.h"

namespace quorvex {

namespace {

bool HoldsMemo(const DataField& field) {
  switch (field.type) {
    case DataType::kMemo:
    case DataType::kGeneral:
    case DataType::kBlob:
    case DataType::kPicture:
    case DataType::kBinaryMemo: return true;
    default: return false;
  }
}

}  // namespace

DataTable::DataTable(FileSystem& files) : table_(files, TableUse::kData) {}

void DataTable::Open(std::string_view file_name) {
  Close();
  table_.Open(file_name);
  try {
    layout_ = LayoutOf(table_.Fields(), table_.Version(), table_.RecordLength(), table_.FileName());
  } catch (...) {
    Close();
    throw;
  }
  OpenMemo();
}

void DataTable::OpenMemo() {
  if (std::none_of(layout_.fields.begin(), layout_.fields.end(), HoldsMemo)) return;
  try {
    memo_ = table_.Memo();
  } catch (const ETableError& failure) {
    memo_failure_ = failure.what();
  }
}

void DataTable::Close() {
  table_.Close();
  layout_ = {};
  memo_ = nullptr;
  memo_failure_.clear();
}

int DataTable::CodePage() const { return CodePageOfMark(table_.CodePageMark()); }

bool DataTable::HasStructuralIndex() const { return (table_.TableFlags() & kFlagStructuralIndex) != 0; }

DataRecord DataTable::ReadRecord(int number) {
  if (number < 1 || number > table_.RecordCount()) {
    throw ETableError("Record number " + std::to_string(number) + " is not in table " + FileName());
  }
  table_.MoveTo(number);
  const RecordSource source{.record = table_.RecordBuffer(),
                            .version = table_.Version(),
                            .table_file_name = FileName(),
                            .memo = memo_,
                            .memo_failure = memo_failure_};
  return DecodeRecord(layout_, number, source);
}

}  // namespace quorvex
