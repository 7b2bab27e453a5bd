#include "formstream/canonical_printer.h"

#include <charconv>
#include <string_view>
#include <type_traits>

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

}  // namespace

DfmPrinter::DfmPrinter(int code_page, DfmStrings strings, std::size_t size_hint)
    : lead_bytes_(code_page), run_limit_(strings == DfmStrings::kAsciiOnly ? 127 : 256) {
  out_.reserve(size_hint);
}

void DfmPrinter::Indent(int level) { out_.append(static_cast<std::size_t>(level * kIndentWidth), ' '); }

void DfmPrinter::NewLine(int level) {
  out_ += kLineEnd;
  Indent(level);
}

void DfmPrinter::AppendInteger(std::int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out_.append(digits, result.ptr);
}

int DfmPrinter::StartValue() {
  const Frame& open = frames_.back();
  if (open.kind != FrameKind::kList) return open.level;
  NewLine(open.level + 1);
  return open.level + 1;
}

void DfmPrinter::BeginObject(DfmObjectKind kind, std::string_view name, std::string_view class_name,
                             std::optional<std::int64_t> child_position) {
  const int level = frames_.empty() ? 0 : frames_.back().level + 1;
  Indent(level);
  out_ += ObjectKeyword(kind);
  if (!name.empty()) {
    out_ += name;
    out_ += ": ";
  }
  out_ += class_name;
  if (child_position) {
    out_ += " [";
    AppendInteger(*child_position);
    out_ += ']';
  }
  out_ += kLineEnd;
  frames_.push_back({FrameKind::kObject, level});
}

void DfmPrinter::EndObject() {
  Indent(frames_.back().level);
  out_ += "end";
  out_ += kLineEnd;
  frames_.pop_back();
}

// Properties of an object or of a collection item, one level deeper than it.
void DfmPrinter::BeginProperty(std::string_view name) {
  const int level = frames_.back().level + 1;
  Indent(level);
  out_ += name;
  out_ += " = ";
  frames_.push_back({FrameKind::kProperty, level});
}

void DfmPrinter::EndProperty() {
  out_ += kLineEnd;
  frames_.pop_back();
}

void DfmPrinter::Integer(std::int64_t value) {
  StartValue();
  AppendInteger(value);
}

void DfmPrinter::Float(DfmFloat value) {
  StartValue();
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

void DfmPrinter::String(std::string_view bytes) { PrintString(bytes, StartValue()); }

void DfmPrinter::WideString(std::u16string_view chars) { PrintString(chars, StartValue()); }

void DfmPrinter::Identifier(std::string_view name) {
  StartValue();
  out_ += name;
}

void DfmPrinter::Special(DfmSpecial value) {
  StartValue();
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

void DfmPrinter::Set(const std::vector<std::string_view>& elements) {
  StartValue();
  out_ += '[';
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (i > 0) out_ += ", ";
    out_ += elements[i];
  }
  out_ += ']';
}

void DfmPrinter::Binary(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const int level = StartValue();
  const bool multi_line = bytes.size() >= kBinaryBytesPerLine;
  out_ += '{';
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (multi_line && i % kBinaryBytesPerLine == 0) NewLine(level + 1);
    out_ += kHex[Code(bytes[i]) >> 4];
    out_ += kHex[Code(bytes[i]) & 0xF];
  }
  out_ += '}';
}

void DfmPrinter::BeginList() {
  const int level = StartValue();
  out_ += '(';
  frames_.push_back({FrameKind::kList, level});
}

void DfmPrinter::EndList() {
  out_ += ')';
  frames_.pop_back();
}

void DfmPrinter::BeginCollection() {
  const int level = StartValue();
  out_ += '<';
  frames_.push_back({FrameKind::kCollection, level});
}

void DfmPrinter::BeginItem(std::optional<std::int64_t> index) {
  const int level = frames_.back().level + 1;
  NewLine(level);
  out_ += "item";
  if (index) {
    out_ += " [";
    AppendInteger(*index);
    out_ += ']';
  }
  out_ += kLineEnd;
  frames_.push_back({FrameKind::kItem, level});
}

void DfmPrinter::EndItem() {
  Indent(frames_.back().level);
  out_ += "end";
  frames_.pop_back();
}

void DfmPrinter::EndCollection() {
  out_ += '>';
  frames_.pop_back();
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

}  // namespace quorvex
