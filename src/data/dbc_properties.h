#pragma once
// The properties of one object of a database container, as its Property memo
// packs them: entry after entry, each
//   4 bytes   the entry's length, these 4 bytes included (little-endian)
//   2 bytes   the length n of the property's ID (1 in every file seen)
//   n bytes   the ID, little-endian
//   the rest  the value: a text ended by a NUL, or a binary number
// docs/formats.md lists the IDs.

#include <map>
#include <string>
#include <string_view>

namespace quorvex {

// The IDs of the properties read (DBGETPROP's names).
enum DbcPropertyId : int {
  kDbcPath = 1,             // table: its file, relative to the database's folder
  kDbcComment = 7,
  kDbcRuleExpression = 9,   // table and field rules
  kDbcRuleText = 10,
  kDbcDefaultValue = 11,
  kDbcChildTag = 13,        // relation: the tag of the child table (the relation's parent object)
  kDbcInsertTrigger = 14,
  kDbcUpdateTrigger = 15,
  kDbcDeleteTrigger = 16,
  kDbcUniqueIndex = 17,     // index: 1 for a primary or candidate key
  kDbcParentTable = 18,     // relation: the table whose key it refers to
  kDbcParentTag = 19,
  kDbcPrimaryKey = 20,      // table: the tag of its primary key
  kDbcInputMask = 54,
  kDbcFormat = 55,
  kDbcCaption = 56,
};

// ID to value, bytes as stored (a later entry of the same ID replaces an
// earlier one). Throws ETableError "Property entry at %zu of object %d is bad
// in %s" (offset in the memo, the object's ObjectID, the database's file name)
// when an entry's lengths do not fit the memo.
std::map<int, std::string> ParseDbcProperties(std::string_view memo, int object_id, std::string_view file_name);

// A text property's value up to its NUL; "" when the property is absent.
std::string PropertyText(const std::map<int, std::string>& properties, int id);

}  // namespace quorvex
