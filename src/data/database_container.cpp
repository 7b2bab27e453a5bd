#include "data/database_container.h"

#include <map>
#include <optional>

#include "base/ascii.h"
#include "base/errors.h"
#include "data/dbc_properties.h"
#include "table/data_table.h"

namespace quorvex {

namespace {

// One live record of the container.
struct DbcObject {
  int id = 0;
  int parent = 0;
  std::string type = {};
  std::string name = {};
  std::map<int, std::string> properties = {};
  std::string integrity = {};
};

std::string Bytes(const DataValue& value) {
  if (const auto* text = std::get_if<TextValue>(&value)) return text->bytes;
  if (const auto* binary = std::get_if<BinaryValue>(&value)) return binary->bytes;
  if (const auto* invalid = std::get_if<InvalidValue>(&value)) throw ETableError(invalid->message);
  return {};
}

int Integer(const DataValue& value) {
  const auto* integer = std::get_if<IntegerValue>(&value);
  return integer ? integer->value : 0;
}

class ContainerReader {
 public:
  ContainerReader(FileSystem& files, std::string_view file_name) : table_(files) {
    table_.Open(file_name);
    id_ = Column("OBJECTID", DataType::kInteger, "I");
    parent_ = Column("PARENTID", DataType::kInteger, "I");
    type_ = Column("OBJECTTYPE", DataType::kCharacter, "C");
    name_ = Column("OBJECTNAME", DataType::kCharacter, "C");
    property_ = Column("PROPERTY", DataType::kMemo, "M");
    integrity_ = OptionalColumn("RIINFO");
  }

  const std::string& FileName() const { return table_.FileName(); }

  std::vector<DbcObject> Objects() {
    std::vector<DbcObject> objects;
    for (int number = 1; number <= table_.RecordCount(); ++number) {
      const DataRecord record = table_.ReadRecord(number);
      if (!record.deleted) objects.push_back(Object(record));
    }
    return objects;
  }

 private:
  std::optional<std::size_t> OptionalColumn(std::string_view name) const {
    for (std::size_t i = 0; i < table_.Fields().size(); ++i) {
      if (SameText(table_.Fields()[i].descriptor.name, name)) return i;
    }
    return std::nullopt;
  }

  std::size_t Column(std::string_view name, DataType type, std::string_view letter) const {
    const std::optional<std::size_t> column = OptionalColumn(name);
    if (!column) throw ETableError("Field " + std::string(name) + " is missing from database " + FileName());
    if (table_.Fields()[*column].type != type) {
      throw ETableError("Field " + std::string(name) + " of database " + FileName() + " is not of type " +
                        std::string(letter));
    }
    return *column;
  }

  DbcObject Object(const DataRecord& record) const {
    const std::vector<DataValue>& values = record.values;
    DbcObject object{.id = Integer(values[id_]),
                     .parent = Integer(values[parent_]),
                     .type = Bytes(values[type_]),
                     .name = Bytes(values[name_])};
    object.properties = ParseDbcProperties(Bytes(values[property_]), object.id, FileName());
    if (integrity_) object.integrity = Bytes(values[*integrity_]);
    return object;
  }

  DataTable table_;
  std::size_t id_ = 0, parent_ = 0, type_ = 0, name_ = 0, property_ = 0;
  std::optional<std::size_t> integrity_;
};

DatabaseTable TableOf(const DbcObject& object) {
  const auto& p = object.properties;
  return {.name = object.name,
          .path = PropertyText(p, kDbcPath),
          .comment = PropertyText(p, kDbcComment),
          .primary_key = PropertyText(p, kDbcPrimaryKey),
          .rule_expression = PropertyText(p, kDbcRuleExpression),
          .rule_text = PropertyText(p, kDbcRuleText),
          .insert_trigger = PropertyText(p, kDbcInsertTrigger),
          .update_trigger = PropertyText(p, kDbcUpdateTrigger),
          .delete_trigger = PropertyText(p, kDbcDeleteTrigger)};
}

DatabaseField FieldOf(const DbcObject& object) {
  const auto& p = object.properties;
  return {.name = object.name,
          .caption = PropertyText(p, kDbcCaption),
          .comment = PropertyText(p, kDbcComment),
          .default_value = PropertyText(p, kDbcDefaultValue),
          .rule_expression = PropertyText(p, kDbcRuleExpression),
          .rule_text = PropertyText(p, kDbcRuleText),
          .input_mask = PropertyText(p, kDbcInputMask),
          .format = PropertyText(p, kDbcFormat)};
}

bool IsKeyIndex(const DbcObject& object) {
  const auto found = object.properties.find(kDbcUniqueIndex);
  return found != object.properties.end() && !found->second.empty() && found->second[0] == 1;
}

// Puts each field, index and relation with its table.
class DatabaseBuilder {
 public:
  explicit DatabaseBuilder(std::string file_name) { database_.file_name = std::move(file_name); }

  Database Build(const std::vector<DbcObject>& objects) {
    for (const DbcObject& object : objects) {
      if (SameText(object.type, "Database") && SameText(object.name, "Database")) {
        database_.comment = PropertyText(object.properties, kDbcComment);
      } else if (SameText(object.type, "Table")) {
        tables_[object.id] = database_.tables.size();
        database_.tables.push_back(TableOf(object));
      }
    }
    for (const DbcObject& object : objects) AddMember(object);
    return std::move(database_);
  }

 private:
  void AddMember(const DbcObject& object) {
    const auto table_at = tables_.find(object.parent);
    if (table_at == tables_.end()) return;
    DatabaseTable& table = database_.tables[table_at->second];
    if (SameText(object.type, "Field")) {
      table.fields.push_back(FieldOf(object));
    } else if (SameText(object.type, "Index")) {
      if (IsKeyIndex(object) && !SameText(object.name, table.primary_key)) table.candidate_keys.push_back(object.name);
    } else if (SameText(object.type, "Relation")) {
      database_.relations.push_back({.child_table = table.name,
                                     .child_tag = PropertyText(object.properties, kDbcChildTag),
                                     .parent_table = PropertyText(object.properties, kDbcParentTable),
                                     .parent_tag = PropertyText(object.properties, kDbcParentTag),
                                     .integrity = object.integrity});
    }
  }

  Database database_;
  std::map<int, std::size_t> tables_;  // ObjectID to position in database_.tables
};

}  // namespace

Database ReadDatabase(FileSystem& files, std::string_view file_name) {
  ContainerReader reader(files, file_name);
  return DatabaseBuilder(reader.FileName()).Build(reader.Objects());
}

}  // namespace quorvex
