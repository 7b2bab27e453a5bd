#pragma once
// The parsed form text: a tree of objects with their properties, each value
// kept in the form the canonical printer needs (strings decoded to their
// bytes or 16-bit characters, numbers converted, names as written).

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quorvex {

struct DfmValue;
struct DfmProperty;

enum class DfmObjectKind { kObject, kInherited, kInline };

// How strings are printed: kAsRead puts every character below 256 (but
// control characters and the apostrophe) inside apostrophes as its byte;
// kAsciiOnly only printable ASCII, every other character as #code of its
// value, so that the text holds no 8-bit byte and a Unicode form reader reads
// each #code as the character of that value.
enum class DfmStrings { kAsRead, kAsciiOnly };

// The suffix of a floating-point number: none, s, c or d.
enum class DfmFloatKind { kPlain, kSingle, kCurrency, kDate };

struct DfmFloat {
  double value = 0;
  DfmFloatKind kind = DfmFloatKind::kPlain;
};

// An 8-bit string: bytes as they are, no code page applied.
struct DfmString {
  std::string bytes;
};

// A string holding at least one character code of 256 or more. Quoted bytes
// are kept as the characters of the same code.
struct DfmWideString {
  std::u16string chars;
};

// An identifier value, dotted parts joined by "." (Null stays one of these).
struct DfmIdentifier {
  std::string name;
};

// False, True and nil, written in any case.
enum class DfmSpecial { kFalse, kTrue, kNil };

// Set elements as written: identifiers or integers.
struct DfmSet {
  std::vector<std::string> elements;
};

struct DfmList {
  std::vector<DfmValue> values;
};

struct DfmItem {
  std::optional<std::int64_t> index;
  std::vector<DfmProperty> properties;
};

struct DfmCollection {
  std::vector<DfmItem> items;
};

struct DfmBinary {
  std::string bytes;
};

using DfmValueData = std::variant<std::int64_t, DfmFloat, DfmString, DfmWideString, DfmIdentifier, DfmSpecial,
                                  DfmSet, DfmList, DfmCollection, DfmBinary>;

struct DfmValue {
  DfmValueData data;
};

struct DfmProperty {
  std::string name;  // dotted parts joined by "."
  DfmValue value;
};

struct DfmObject {
  DfmObjectKind kind = DfmObjectKind::kObject;
  std::string name;  // empty when the header gives only the class
  std::string class_name;
  std::optional<std::int64_t> child_position;
  std::vector<DfmProperty> properties;
  std::vector<DfmObject> children;
};

}  // namespace quorvex
