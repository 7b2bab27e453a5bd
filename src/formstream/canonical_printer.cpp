#include "formstream/canonical_printer.h"

#include <charconv>
#include <string_view>
#include <type_traits>
#include <variant>

#include "formstream/canonical_code_page.h"
#include "formstream/canonical_number.h"

namespace quorvex {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kIndentWidth = 2;
// Strings are cut into runs of this many characters per line; a longer
// string starts on a line of its own.
constexpr std::size_t kStringCut = 64;
constexpr std::size_t kBinaryBytesPerLine = 32;

constexpr unsigned Code(char c) { return static_cast<unsigned char>(c); }
constexpr unsigned Code(char16_t c) { return c; }

// Characters printed inside apostrophes (codes from 32 up to `limit`); the
// rest print as #code so that the text never holds a control character, and
// an apostrophe never doubled.
template <typename Char>
constexpr bool IsRunChar(Char c, unsigned limit) {
  return Code(c) >= 32 && Code(c) != '\'' && Code(c) < limit;
}

std::string_view ObjectKeyword(DfmObjectKind kind) {
  switch (kind) {
    case DfmObjectKind::kInherited:
      return "inherited ";
    case DfmObjectKind::kInline:
      return "inline ";
    case DfmObjectKind::kObject:
      break;
  }
  return "object ";
}

class DfmPrinter {
 public:
  DfmPrinter(int code_page, DfmStrings strings, std::size_t size_hint)
      : lead_bytes_(code_page), run_limit_(strings == DfmStrings::kAsciiOnly ? 127 : 256) {
    out_.reserve(size_hint);
  }

  std::string Print(const DfmObject& form) {
    PrintObject(form, 0);
    return std::move(out_);
  }

 private:
  void Indent(int level) { out_.append(static_cast<std::size_t>(level * kIndentWidth), ' '); }

  void NewLine(int level) {
    out_ += kLineEnd;
    Indent(level);
  }

  void AppendInteger(std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out_.append(digits, result.ptr);
  }

  bool IsLead(unsigned code) const { return code < 256 && lead_bytes_.IsLead(static_cast<unsigned char>(code)); }

  void PrintObject(const DfmObject& object, int level);
  void PrintProperty(const DfmProperty& property, int level);
  void PrintValue(const DfmValue& value, int level);

  // One overload per kind of value; `level` is the property's level.
  void Print(std::int64_t value, int level);
  void Print(const DfmFloat& value, int level);
  void Print(const DfmString& value, int level);
  void Print(const DfmWideString& value, int level);
  void Print(const DfmIdentifier& value, int level);
  void Print(DfmSpecial value, int level);
  void Print(const DfmSet& value, int level);
  void Print(const DfmList& value, int level);
  void Print(const DfmCollection& value, int level);
  void Print(const DfmBinary& value, int level);

  template <typename Char>
  void PrintString(std::basic_string_view<Char> text, int level);

  std::string out_;
  LeadByteTable lead_bytes_;
  unsigned run_limit_;  // codes from here on print as #code
};

void DfmPrinter::PrintObject(const DfmObject& object, int level) {
  Indent(level);
  out_ += ObjectKeyword(object.kind);
  if (!object.name.empty()) {
    out_ += object.name;
    out_ += ": ";
  }
  out_ += object.class_name;
  if (object.child_position) {
    out_ += " [";
    AppendInteger(*object.child_position);
    out_ += ']';
  }
  out_ += kLineEnd;
  for (const DfmProperty& property : object.properties) PrintProperty(property, level + 1);
  for (const DfmObject& child : object.children) PrintObject(child, level + 1);
  Indent(level);
  out_ += "end";
  out_ += kLineEnd;
}

void DfmPrinter::PrintProperty(const DfmProperty& property, int level) {
  Indent(level);
  out_ += property.name;
  out_ += " = ";
  PrintValue(property.value, level);
  out_ += kLineEnd;
}

void DfmPrinter::PrintValue(const DfmValue& value, int level) {
  std::visit([this, level](const auto& data) { Print(data, level); }, value.data);
}

void DfmPrinter::Print(std::int64_t value, int /*level*/) { AppendInteger(value); }

void DfmPrinter::Print(const DfmFloat& value, int /*level*/) {
  AppendDfmFloat(out_, value.value);
  switch (value.kind) {
    case DfmFloatKind::kSingle:
      out_ += 's';
      break;
    case DfmFloatKind::kCurrency:
      out_ += 'c';
      break;
    case DfmFloatKind::kDate:
      out_ += 'd';
      break;
    case DfmFloatKind::kPlain:
      break;
  }
}

void DfmPrinter::Print(const DfmString& value, int level) { PrintString(std::string_view(value.bytes), level); }

void DfmPrinter::Print(const DfmWideString& value, int level) { PrintString(std::u16string_view(value.chars), level); }

void DfmPrinter::Print(const DfmIdentifier& value, int /*level*/) { out_ += value.name; }

void DfmPrinter::Print(DfmSpecial value, int /*level*/) {
  switch (value) {
    case DfmSpecial::kFalse:
      out_ += "False";
      break;
    case DfmSpecial::kTrue:
      out_ += "True";
      break;
    case DfmSpecial::kNil:
      out_ += "nil";
      break;
  }
}

void DfmPrinter::Print(const DfmSet& value, int /*level*/) {
  out_ += '[';
  for (std::size_t i = 0; i < value.elements.size(); ++i) {
    if (i > 0) out_ += ", ";
    out_ += value.elements[i];
  }
  out_ += ']';
}

void DfmPrinter::Print(const DfmList& value, int level) {
  out_ += '(';
  for (const DfmValue& entry : value.values) {
    NewLine(level + 1);
    PrintValue(entry, level + 1);
  }
  out_ += ')';
}

void DfmPrinter::Print(const DfmCollection& value, int level) {
  out_ += '<';
  for (const DfmItem& item : value.items) {
    NewLine(level + 1);
    out_ += "item";
    if (item.index) {
      out_ += " [";
      AppendInteger(*item.index);
      out_ += ']';
    }
    out_ += kLineEnd;
    for (const DfmProperty& property : item.properties) PrintProperty(property, level + 2);
    Indent(level + 1);
    out_ += "end";
  }
  out_ += '>';
}

void DfmPrinter::Print(const DfmBinary& value, int level) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string_view bytes = value.bytes;
  const bool multi_line = bytes.size() >= kBinaryBytesPerLine;
  out_ += '{';
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (multi_line && i % kBinaryBytesPerLine == 0) NewLine(level + 1);
    out_ += kHex[Code(bytes[i]) >> 4];
    out_ += kHex[Code(bytes[i]) & 0xF];
  }
  out_ += '}';
}

// Quoted runs and #codes with nothing between them. Characters are counted
// from the start of the current line; once 64 are reached, the run ends and,
// if anything remains, " +" closes the line and the rest goes on the next.
template <typename Char>
void DfmPrinter::PrintString(std::basic_string_view<Char> text, int level) {
  if (text.empty()) {
    out_ += "''";
    return;
  }
  if (text.size() > kStringCut) NewLine(level + 1);
  std::size_t at = 0;
  std::size_t line_start = 0;
  while (at < text.size()) {
    if (IsRunChar(text[at], run_limit_)) {
      const std::size_t run_start = at;
      bool in_character = false;  // the last byte opened a two-byte character
      do {
        in_character = !in_character && IsLead(Code(text[at]));
        ++at;
      } while (at < text.size() && IsRunChar(text[at], run_limit_) && at - line_start < kStringCut);
      // A cut never splits a two-byte character: its second byte joins the run.
      if (in_character && at < text.size() && IsRunChar(text[at], run_limit_)) ++at;
      out_ += '\'';
      if constexpr (std::is_same_v<Char, char>) {
        out_.append(text.data() + run_start, at - run_start);
      } else {
        for (std::size_t i = run_start; i < at; ++i) out_ += static_cast<char>(Code(text[i]));
      }
      out_ += '\'';
    } else {
      out_ += '#';
      AppendInteger(Code(text[at]));
      ++at;
    }
    if (at - line_start >= kStringCut && at < text.size()) {
      out_ += " +";
      NewLine(level + 1);
      line_start = at;
    }
  }
}

}  // namespace

std::string PrintDfmText(const DfmObject& form, int code_page, std::size_t size_hint, DfmStrings strings) {
  return DfmPrinter(code_page, strings, size_hint).Print(form);
}

}  // namespace quorvex
