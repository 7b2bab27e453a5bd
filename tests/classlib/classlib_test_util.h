#pragma once
// Shared helpers of the class-library tests: libraries written into a
// MemoryFileSystem by the fixture writer, form records made by hand, and the
// object text that pass 1 makes of expanded records.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "base/progress.h"
#include "base/text_list.h"
#include "fixtures/scx_writer.h"
#include "scx/form_record.h"
#include "scx/object_text.h"
#include "table/memory_file_system.h"
#include "table/table_dataset.h"

namespace quorvex::testing {

using fixtures::PropertyLines;
using fixtures::ScxRecord;
using fixtures::ScxWriter;

inline constexpr const char* kFormPath = "/app/forms/form1.scx";

// A class record: `parent_location` empty makes `parent_class` the base class.
inline ScxRecord ClassRecord(std::string name, std::string parent_class, std::string parent_location,
                             std::string base_class, std::string properties, int records = 1) {
  return {.objname = std::move(name), .baseclass = std::move(base_class), .class_name = std::move(parent_class),
          .properties = std::move(properties), .classloc = std::move(parent_location),
          .other = {{"RESERVED1", "Class"}, {"RESERVED2", std::to_string(records)}}};
}

inline ScxRecord MemberRecord(std::string parent, std::string name, std::string base_class, std::string properties,
                              std::string class_name = {}, std::string class_location = {}) {
  if (class_name.empty()) class_name = base_class;
  return {.objname = std::move(name), .parent = std::move(parent), .baseclass = std::move(base_class),
          .class_name = std::move(class_name), .properties = std::move(properties),
          .classloc = std::move(class_location)};
}

inline ScxRecord WithMethods(ScxRecord record, std::string methods) {
  record.methods = std::move(methods);
  return record;
}

inline ScxRecord EndOfClass(std::string name) {
  return {.platform = "COMMENT", .objname = std::move(name), .uniqueid = "RESERVED"};
}

// The library as path + ".vcx" and ".vct", opened by a version comment.
inline void AddLibrary(MemoryFileSystem& files, std::string_view path, std::initializer_list<ScxRecord> records) {
  ScxWriter writer;
  writer.Add({.platform = "COMMENT", .uniqueid = "Class", .other = {{"RESERVED1", "VERSION =   3.00"}}});
  for (const ScxRecord& record : records) writer.Add(record);
  writer.Build().AddTo(files, std::string(path) + ".vcx", std::string(path) + ".vct");
}

// A form record as ReadFormRecords gives it.
inline FormRecord FormObject(int number, std::string parent, std::string name, std::string base_class,
                             std::string properties, std::string class_name = {}, std::string class_location = {}) {
  FormRecord record;
  record.record_number = number;
  record.platform = "WINDOWS";
  record.class_name = class_name.empty() ? base_class : std::move(class_name);
  record.class_location = std::move(class_location);
  record.base_class = std::move(base_class);
  record.object_name = std::move(name);
  record.parent = std::move(parent);
  record.properties = std::move(properties);
  return record;
}

// The object text that pass 1 writes for `records` (the records written as a
// form table), each line followed by "|": shows the tree built, each
// object's class and its property lines.
inline std::string ObjectTextOf(const std::vector<FormRecord>& records) {
  ScxWriter writer;
  for (const FormRecord& record : records) {
    writer.Add({.platform = record.platform, .objname = record.object_name, .parent = record.parent,
                .baseclass = record.base_class, .class_name = record.class_name, .properties = record.properties,
                .classloc = record.class_location});
  }
  MemoryFileSystem files;
  writer.AddTo(files, "/objtext/form");
  TableDataSet dataset("TableDataSet1", files);
  ScxObjectTree tree;
  OpenScxFile(dataset, "/objtext/form.scx", tree);
  TextList lines;
  WriteObjectText(dataset, tree, lines, NullProgress());
  std::string text;
  for (const std::string& line : lines) text += line + "|";
  return text;
}

}  // namespace quorvex::testing
