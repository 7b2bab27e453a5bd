#pragma once
// Prints form text in the canonical layout of Delphi's form-stream text as the
// parser reads it (a sink of ParseDfm): two spaces of indentation per level,
// one property per line, integers in decimal, floating-point numbers in
// general format with their suffix, strings as quoted runs and #codes cut
// after 64 characters, lists and collections one entry per line, binary data
// in lines of 32 bytes; CR LF after every line.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formstream/canonical_code_page.h"
#include "formstream/canonical_tree.h"

namespace quorvex {

class DfmPrinter {
 public:
  // code_page names a double-byte code page (932, 936, 949, 950) whose
  // two-byte characters a string cut must keep whole; a cut that would split
  // one moves a byte later. `strings` chooses which characters are printed
  // inside apostrophes (DfmStrings, canonical_tree.h). size_hint is the
  // expected size of the text, reserved up front (0 when unknown).
  DfmPrinter(int code_page, DfmStrings strings, std::size_t size_hint);

  // The text printed so far; the printer is empty afterwards.
  std::string Take() { return std::move(out_); }

  // The sink members of ParseDfm (canonical_parser.h).
  void BeginObject(DfmObjectKind kind, std::string_view name, std::string_view class_name,
                   std::optional<std::int64_t> child_position);
  void EndObject();
  void BeginProperty(std::string_view name);
  void EndProperty();
  void Integer(std::int64_t value);
  void Float(DfmFloat value);
  void String(std::string_view bytes);
  void WideString(std::u16string_view chars);
  void Identifier(std::string_view name);
  void Special(DfmSpecial value);
  void Set(const std::vector<std::string_view>& elements);
  void Binary(std::string_view bytes);
  void BeginList();
  void EndList();
  void BeginCollection();
  void BeginItem(std::optional<std::int64_t> index);
  void EndItem();
  void EndCollection();

 private:
  enum class FrameKind { kObject, kProperty, kList, kCollection, kItem };
  // What is open, and the level of its first line: an object's header, a
  // property's line, the line a list or collection value starts on, an item.
  struct Frame {
    FrameKind kind;
    int level;
  };

  void Indent(int level);
  void NewLine(int level);
  void AppendInteger(std::int64_t value);
  bool IsLead(unsigned code) const { return code < 256 && lead_bytes_.IsLead(static_cast<unsigned char>(code)); }
  // Where a value starts: on its property's line, or on a line of its own
  // one level deeper than the list it is an entry of. Returns its level.
  int StartValue();
  template <typename Char>
  void PrintString(std::basic_string_view<Char> text, int level);

  std::string out_;
  LeadByteTable lead_bytes_;
  unsigned run_limit_;  // codes from here on print as #code
  std::vector<Frame> frames_;
};

}  // namespace quorvex
