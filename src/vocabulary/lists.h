#pragma once
// The conversion vocabulary: six fixed tables that turn Visual FoxPro words
// (classes, property names, values) into Delphi words. Every table is a sorted
// list of text rows; a row "Name=Value" maps Name to Value, a row without "="
// is kept but never found by a name lookup, and a row with an empty value is
// found and means "write nothing". Lookups ignore ASCII letter case.
//
// The tables are built once, on first use of Lists::Shared(), and only read
// afterwards, so any number of conversions may share them across threads.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "base/text_list.h"
#include "base/ascii.h"

namespace quorvex {

// The text before the first "=" of `row`, or "" when it holds none. Not trimmed.
std::string_view NamePart(std::string_view row);

// The text after the first "=" of `row`, or "" when it holds none. Not trimmed.
std::string_view ValuePart(std::string_view row);

// A sorted list of rows that rejects a row equal to one it already holds
// (ASCII letter case ignored), with name and whole-entry lookups.
class VocabularyTable {
 public:
  // Inserts `row` in sorted order. Throws Exception("String list does not
  // allow duplicates") when an equal row is present; the table is then unchanged.
  void Add(std::string_view row);

  // True when some row holding "=" has the name `key` (case ignored).
  bool HasName(std::string_view key) const;

  // The value of the row named `key`, or "" when there is none; callers that
  // must tell an empty value from a missing row ask HasName first. The view
  // stays valid as long as the table.
  std::string_view ValueOf(std::string_view key) const;

  // HasName and ValueOf in one lookup: the value, or nothing when no row has
  // the name.
  std::optional<std::string_view> Find(std::string_view key) const;

  // True when a whole row equals `entry` (case ignored).
  bool HasEntry(std::string_view entry) const;

  // The rows in sorted order.
  const TextList& Rows() const { return rows_; }

 private:
  TextList rows_;
  // The rows again, for HasEntry, and name -> value of the rows that hold "=";
  // when two rows share a name, the one that sorts first answers, as a scan
  // of the sorted rows would find it. Hashed: pass 2 looks up several keys
  // per property line.
  std::unordered_set<std::string, TextHash, TextEqual> entries_;
  std::unordered_map<std::string, std::string, TextHash, TextEqual> values_;
};

// The six vocabulary tables.
class Lists {
 public:
  // The program-wide tables, built from the stored rows on the first call
  // (thread-safe) and never changed. A stored row repeated would make that
  // call throw Exception("String list does not allow duplicates").
  static const Lists& Shared();

  // Visual FoxPro class -> Delphi class ("column" and "header" are markers).
  const VocabularyTable& ClassMap() const { return class_map_; }
  // Property -> DFM property for properties common to all classes.
  const VocabularyTable& CommonPropertyMap() const { return common_property_map_; }
  // Property -> DFM property for the colour, font and a few other properties.
  const VocabularyTable& PropertyMap() const { return property_map_; }
  // Value, or property "." value -> DFM value.
  const VocabularyTable& ValueMap() const { return value_map_; }
  // Class "." property -> DFM property; class "." property "." value -> DFM value.
  const VocabularyTable& ClassPropertyMap() const { return class_property_map_; }
  // Class "." property entries that are never converted.
  const VocabularyTable& SkipList() const { return skip_list_; }

 private:
  Lists();

  VocabularyTable class_map_;
  VocabularyTable common_property_map_;
  VocabularyTable property_map_;
  VocabularyTable value_map_;
  VocabularyTable class_property_map_;
  VocabularyTable skip_list_;
};

}  // namespace quorvex
