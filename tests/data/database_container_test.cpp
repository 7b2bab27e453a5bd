#include "data/database_container.h"

#include <gtest/gtest.h>

#include "data/dbc_properties.h"
#include "data/long_field_names.h"
#include "fixtures/database_writer.h"
#include "table/table_test_util.h"

namespace quorvex::testing {
namespace {

using fixtures::BuildDatabase;
using fixtures::DbcObjectSpec;
using fixtures::DbcText;
using fixtures::TableFiles;

constexpr const char* kDbc = MEM_DIR "app.dbc";
constexpr const char* kDct = MEM_DIR "app.dct";

// A database of two tables, a relation between them, and what a reader
// passes over: a view with its field, a deleted table, a field without table.
const std::vector<DbcObjectSpec> kApp = {
    {.id = 1, .parent = 1, .type = "Database", .name = "Database", .properties = {{kDbcComment, DbcText("Sales")}}},
    {.id = 2, .parent = 1, .type = "Table", .name = "customer",
     .properties = {{kDbcPath, DbcText("data\\customer.dbf")}, {kDbcPrimaryKey, DbcText("custid")},
                    {kDbcRuleExpression, DbcText("!EMPTY(name)")}, {kDbcRuleText, DbcText("\"Name?\"")},
                    {kDbcDeleteTrigger, DbcText("__ri_delete_customer()")}}},
    {.id = 3, .parent = 2, .type = "Field", .name = "custid"},
    {.id = 4, .parent = 2, .type = "Field", .name = "customername",
     .properties = {{kDbcCaption, DbcText("Name")}, {kDbcDefaultValue, DbcText("\"new\"")},
                    {kDbcRuleExpression, DbcText("LEN(customername) > 1")}, {kDbcRuleText, DbcText("\"Too short\"")},
                    {kDbcInputMask, DbcText("!!!")}, {kDbcFormat, DbcText("K")}, {kDbcComment, DbcText("who")}}},
    {.id = 5, .parent = 2, .type = "Index", .name = "custid", .properties = {{kDbcUniqueIndex, std::string(1, 1)}}},
    {.id = 6, .parent = 2, .type = "Index", .name = "taxno", .properties = {{kDbcUniqueIndex, std::string(1, 1)}}},
    {.id = 7, .parent = 2, .type = "Index", .name = "city", .properties = {{kDbcUniqueIndex, std::string(1, 0)}}},
    {.id = 8, .parent = 1, .type = "Table", .name = "orders", .properties = {{kDbcPath, DbcText("orders.dbf")}}},
    {.id = 9, .parent = 8, .type = "Relation", .name = "Relation 1",
     .properties = {{kDbcChildTag, DbcText("custid")}, {kDbcParentTable, DbcText("customer")},
                    {kDbcParentTag, DbcText("custid")}},
     .integrity = "CRI"},
    {.id = 10, .parent = 1, .type = "View", .name = "bigorders"},
    {.id = 11, .parent = 10, .type = "Field", .name = "total"},
    {.id = 12, .parent = 1, .type = "Table", .name = "old", .deleted = true},
    {.id = 13, .parent = 99, .type = "Field", .name = "stray"},
};

class DatabaseTest : public ::testing::Test {
 protected:
  Database Read(const TableFiles& built) {
    built.AddTo(files_, kDbc, kDct);
    return ReadDatabase(files_, kDbc);
  }
  std::string ReadFailure(const TableFiles& built) {
    built.AddTo(files_, kDbc, kDct);
    return FailureOf([&] { ReadDatabase(files_, kDbc); });
  }

  MemoryFileSystem files_;
};

TEST_F(DatabaseTest, TablesFieldsKeysAndRelations) {
  const Database database = Read(BuildDatabase(kApp));
  EXPECT_EQ(database.file_name, kDbc);
  EXPECT_EQ(database.comment, "Sales");
  ASSERT_EQ(database.tables.size(), 2u);
  const DatabaseTable& customer = database.tables[0];
  EXPECT_EQ(customer.path, "data\\customer.dbf");
  EXPECT_EQ(customer.primary_key, "custid");
  EXPECT_EQ(customer.candidate_keys, std::vector<std::string>{"taxno"});
  EXPECT_EQ(customer.rule_expression, "!EMPTY(name)");
  EXPECT_EQ(customer.rule_text, "\"Name?\"");
  EXPECT_EQ(customer.delete_trigger, "__ri_delete_customer()");
  ASSERT_EQ(customer.fields.size(), 2u);
  const DatabaseField& name = customer.fields[1];
  EXPECT_EQ(name.name + "|" + name.caption + "|" + name.default_value + "|" + name.rule_expression + "|" +
                name.rule_text + "|" + name.input_mask + "|" + name.format + "|" + name.comment,
            "customername|Name|\"new\"|LEN(customername) > 1|\"Too short\"|!!!|K|who");
  EXPECT_EQ(database.tables[1].name, "orders");
  EXPECT_TRUE(database.tables[1].fields.empty());
  ASSERT_EQ(database.relations.size(), 1u);
  const DatabaseRelation& relation = database.relations[0];
  EXPECT_EQ(relation.child_table + "." + relation.child_tag + " -> " + relation.parent_table + "." +
                relation.parent_tag + " " + relation.integrity,
            "orders.custid -> customer.custid CRI");
}

TEST_F(DatabaseTest, DamagedContainersFailWithTheirFault) {
  TableFiles bad_entry = BuildDatabase({{.id = 5, .parent = 1, .type = "Table", .name = "t",
                                         .properties = {{kDbcPath, DbcText("t.dbf")}}}});
  fixtures::PutLittleEndian32(bad_entry.memo, bad_entry.MemoEntryOffset(1, "PROPERTY") + 8, 200);
  EXPECT_EQ(ReadFailure(bad_entry), "ETableError: Property entry at 0 of object 5 is bad in " MEM_DIR "app.dbc");

  TableFiles no_memo = BuildDatabase(kApp);
  no_memo.memo.clear();
  EXPECT_EQ(ReadFailure(no_memo), "ETableError: Error on Read of file " MEM_DIR "app.dct");

  const TableFiles not_a_container = fixtures::BuildTable({}, {{"OBJECTID", 'I', 4}, {"PARENTID", 'N', 4}}, {});
  EXPECT_EQ(ReadFailure(not_a_container),
            "ETableError: Field PARENTID of database " MEM_DIR "app.dbc is not of type I");
  const TableFiles no_type = fixtures::BuildTable({}, {{"OBJECTID", 'I', 4}, {"PARENTID", 'I', 4}}, {});
  EXPECT_EQ(ReadFailure(no_type), "ETableError: Field OBJECTTYPE is missing from database " MEM_DIR "app.dbc");
}

TEST(DbcPropertiesTest, EntriesAndTheirIds) {
  std::string memo = fixtures::DbcProperties({{kDbcPath, DbcText("a.dbf")}});
  memo += std::string("\x0A\x00\x00\x00\x02\x00\x01\x01xy", 10);  // a two-byte ID, 257
  const auto properties = ParseDbcProperties(memo, 1, "x.dbc");
  EXPECT_EQ(PropertyText(properties, kDbcPath), "a.dbf");
  EXPECT_EQ(properties.at(257), "xy");
  EXPECT_EQ(PropertyText(properties, kDbcCaption), "");
  for (const std::string& bad : {std::string("\x05\x00\x00\x00\x01\x00\x01", 7), std::string("\x08\x00\x00\x00", 4),
                                 std::string("\x08\x00\x00\x00\x00\x00\x01\x01", 8)}) {
    EXPECT_EQ(FailureOf([&] { ParseDbcProperties(memo + bad, 3, "x.dbc"); }),
              "ETableError: Property entry at " + std::to_string(memo.size()) + " of object 3 is bad in x.dbc");
  }
}

TEST(LongFieldNamesTest, TakenOnlyWhenTheDatabaseIsInStep) {
  const auto fields = [](std::vector<std::string> names) {
    std::vector<DataField> result;
    for (std::string& name : names) result.push_back({.descriptor = {.name = std::move(name)}});
    return result;
  };
  const auto table = [](std::vector<std::string> names) {
    DatabaseTable result;
    for (std::string& name : names) result.fields.push_back({.name = std::move(name)});
    return result;
  };
  const DatabaseTable database = table({"custid", "devicelognumber", "devicelogname"});
  EXPECT_EQ(LongFieldNames(database, fields({"CUSTID", "DEVICELOG2", "DEVICELOGN"})),
            (std::vector<std::string>{"custid", "devicelognumber", "devicelogname"}));
  EXPECT_EQ(LongFieldNames(database, fields({"CUSTID", "DEVICELOG2"})),
            (std::vector<std::string>{"CUSTID", "DEVICELOG2"}));
  EXPECT_EQ(LongFieldNames(table({"custid", "city"}), fields({"CUSTID", "NAME"})),
            (std::vector<std::string>{"CUSTID", "NAME"}));
}

}  // namespace
}  // namespace quorvex::testing
