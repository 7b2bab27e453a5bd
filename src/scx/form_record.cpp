#include "scx/form_record.h"

#include <exception>
#include <string_view>

#include "base/ascii.h"
#include "table/table_dataset.h"

namespace quorvex {

namespace {

// The fields a record is read from, each looked up once per table.
struct RecordFields {
  explicit RecordFields(TableDataSet& dataset)
      : platform(dataset.FindField("Platform")),
        unique_id(dataset.FindField("UniqueId")),
        class_name(dataset.FindField("Class")),
        class_location(dataset.FindField("ClassLoc")),
        base_class(dataset.FindField("BaseClass")),
        object_name(dataset.FindField("ObjName")),
        parent(dataset.FindField("Parent")),
        properties(dataset.FindField("Properties")),
        methods(dataset.FindField("Methods")),
        reserved1(dataset.FindField("Reserved1")),
        reserved2(dataset.FindField("Reserved2")),
        reserved3(dataset.FindField("Reserved3")),
        reserved8(dataset.FindField("Reserved8")) {}

  Field* platform;
  Field* unique_id;
  Field* class_name;
  Field* class_location;
  Field* base_class;
  Field* object_name;
  Field* parent;
  Field* properties;
  Field* methods;
  Field* reserved1;
  Field* reserved2;
  Field* reserved3;
  Field* reserved8;
};

std::string Text(const Field* field) { return field == nullptr ? std::string() : field->AsString(); }

FormRecord ReadRecord(TableDataSet& dataset, const RecordFields& fields) {
  FormRecord record;
  record.record_number = dataset.RecNo();
  record.platform = Text(fields.platform);
  record.unique_id = Text(fields.unique_id);
  record.class_name = Text(fields.class_name);
  record.class_location = Text(fields.class_location);
  record.base_class = Text(fields.base_class);
  record.object_name = Text(fields.object_name);
  record.parent = Text(fields.parent);
  record.properties = Text(fields.properties);
  record.methods = Text(fields.methods);
  record.reserved1 = Text(fields.reserved1);
  record.reserved2 = Text(fields.reserved2);
  // Read only where FoxPro lets properties be added, a form and a library's
  // class: a memo read for every object would cost a form of many objects.
  if (SameText(record.base_class, "form") || SameText(record.base_class, "formset") ||
      SameText(record.reserved1, "Class"))
    record.reserved3 = Text(fields.reserved3);
  if (record.platform == "COMMENT" || SameText(record.reserved1, "Class")) record.reserved8 = Text(fields.reserved8);
  return record;
}

}  // namespace

std::vector<FormRecord> ReadFormRecords(TableDataSet& dataset, std::vector<RecordFailure>* failures) {
  const RecordFields fields(dataset);
  std::vector<FormRecord> records;
  for (dataset.First(); !dataset.Eof(); dataset.Next()) {
    try {
      records.push_back(ReadRecord(dataset, fields));
    } catch (const std::exception& failure) {
      // A damaged record costs only itself.
      if (failures != nullptr) failures->push_back({dataset.RecNo(), failure.what()});
    }
  }
  return records;
}

}  // namespace quorvex
