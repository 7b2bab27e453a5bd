#pragma once
// Conversion of single Visual FoxPro property lines into DFM assignments, and
// the state one DFM conversion carries from line to line: the class, property
// and value being converted, where the current object's lines begin, and the
// object names given out so far. One PropertyConverter serves one conversion;
// separate converters share nothing mutable and may run on separate threads.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "vocabulary/lists.h"
#include "vocabulary/name_set.h"
#include "base/text_list.h"
#include "base/ascii.h"

namespace quorvex {

// Replaces the first Visual FoxPro hot-key marker "\<" in `text` by "&";
// later markers stay.
void ConvertAccelerator(std::string& text);

// The DFM text of a double-quoted Visual FoxPro value (first byte '"'): the
// text up to the closing quote, with "" read as one quote and anything after
// the closing quote ignored; with no closing quote the last byte stands in for
// it. Written as a DFM string: single quotes around, inner single quotes doubled.
std::string QuotedToDfmString(std::string_view value);

class PropertyConverter {
 public:
  // `dfm` is the DFM text being written: the font-style rule reads its lines
  // from ObjectFirstLine() on and may rewrite one of them. The list must
  // outlive the converter; `lists` likewise.
  explicit PropertyConverter(TextList& dfm, const Lists& lists = Lists::Shared());

  // The DFM assignment for one trimmed property line ("Name = Value", one
  // blank each side), or "" when the property is dropped or its font-style
  // flag was merged into an earlier line. Sets CurrentProperty and
  // CurrentValue. Throws nothing but std::bad_alloc.
  std::string ConvertPropertyLine(std::string_view line);

  // As ConvertPropertyLine, with the assignment appended to `out`, which is
  // grown once; false, and `out` unchanged, when there is none.
  bool AppendPropertyLine(std::string_view line, std::string& out);

  // When ClassMap knows `class_name`, CurrentClass becomes `class_name` as
  // passed in and `class_name` becomes the Delphi class; otherwise neither
  // changes.
  void MapClass(std::string& class_name);

  // Makes `name` unique (ASCII case ignored) among the names given out by this
  // converter by appending "_1", "_2", ... to the name passed in, and records it.
  void MakeUniqueName(std::string& name);
  // Room for about `count` names, so that a large form's names do not grow
  // the record of names step by step.
  void ReserveNames(std::size_t count) { used_names_.Reserve(count); }

  // Index of the latest DFM line from ObjectFirstLine() on whose trimmed name
  // part equals `name` exactly, or nothing. Lines searched once are not
  // searched again for the same name until SetObjectFirstLine: the DFM text
  // must only grow at its end, or be rewritten through MergeStyleFlag, while
  // the converter works on it (a text that shrank is searched afresh).
  std::optional<std::size_t> FindStyleLine(std::string_view name);

  // Adds `flag` to the set that DFM line `index` ends with ("[fsBold]" becomes
  // "[fsBold, fsItalic]", trailing blanks dropped). Returns false and changes
  // nothing when the line (trailing blanks ignored) does not end with "]" or
  // `index` is past the end.
  bool MergeStyleFlag(std::size_t index, std::string_view flag);

  const std::string& CurrentClass() const { return current_class_; }
  void SetCurrentClass(std::string_view class_name) { current_class_ = class_name; }
  const std::string& CurrentProperty() const { return current_property_; }
  const std::string& CurrentValue() const { return current_value_; }
  std::size_t ObjectFirstLine() const { return object_first_line_; }
  void SetObjectFirstLine(std::size_t index) {
    object_first_line_ = index;
    style_searches_.clear();
  }

 private:
  std::string_view ChooseDfmProperty(std::string_view property, std::string& value);
  void ConvertValue(std::string_view dfm_property, std::string& value);
  std::string ConvertStyleFlag();

  TextList& dfm_;
  const Lists& lists_;
  std::string current_class_;
  std::string current_property_;
  std::string current_value_;
  std::string class_key_;  // lookup keys "class.property" and "....value"
  std::string value_key_;
  std::string value_;  // the value being converted
  std::size_t object_first_line_ = 0;
  NameSet used_names_;
  // Per name given to MakeUniqueName: the highest suffix found taken so far.
  std::unordered_map<std::string, std::uint64_t, TextHash, TextEqual> suffix_tried_;

  // What FindStyleLine learnt about one name within the current object.
  struct StyleSearch {
    std::size_t searched_end = 0;       // lines before this index have been searched
    std::optional<std::size_t> latest;  // the latest match among them
  };
  std::map<std::string, StyleSearch, std::less<>> style_searches_;
};

}  // namespace quorvex
