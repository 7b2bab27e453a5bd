#pragma once
// Reads form text with the grammar of Delphi's form-stream text:
//   object    = ("object" | "inherited" | "inline") [name ":"] class
//               ["[" integer "]"] {property} {object} "end"
//   property  = identifier {"." identifier} "=" value
//   value     = identifier {"." identifier} | string {"+" string}
//             | integer | float | "(" {value} ")" | "[" [element {"," element}] "]"
//             | "<" {"item" ["[" integer "]"] {property} "end"} ">" | "{" hex pairs "}"
// Keywords are matched without regard to ASCII case; nothing after the
// outermost "end" is read.
//
// ParseDfm hands what it reads to a sink as it reads it, in text order, so a
// sink can print or build as the text goes by. A sink has these members
// (views are valid only during the call):
//   BeginObject(DfmObjectKind, std::string_view name, std::string_view class_name,
//               std::optional<std::int64_t> child_position)   EndObject()
//   BeginProperty(std::string_view dotted_name)                EndProperty()
//   Integer(std::int64_t)  Float(DfmFloat)  String(std::string_view bytes)
//   WideString(std::u16string_view)  Identifier(std::string_view dotted_name)
//   Special(DfmSpecial)  Set(const std::vector<std::string_view>& elements)
//   Binary(std::string_view bytes)
//   BeginList()  EndList()
//   BeginCollection()  BeginItem(std::optional<std::int64_t> index)  EndItem()  EndCollection()
// An object's properties all come before its child objects. On a fault the
// sink has had part of the text and must be dropped.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ascii.h"
#include "formstream/canonical_source.h"
#include "formstream/canonical_tokenizer.h"
#include "formstream/canonical_tree.h"

namespace quorvex {

// Objects, lists and collections may nest this deep (together); deeper text
// fails with "Nesting too deep" instead of exhausting the stack.
inline constexpr int kMaxDfmNesting = 1000;

// Reads the outermost object of the source into `sink`. Throws EParserError
// "<fault> on line <n>" on the first fault.
template <typename Sink>
void ParseDfm(const DfmSource& source, Sink& sink);

// The outermost object of the text, as a tree. Throws as ParseDfm.
DfmObject ParseDfmText(std::string_view text);

namespace dfm_parser_detail {

template <typename Sink>
class DfmParser {
 public:
  DfmParser(const DfmSource& source, Sink& sink) : tokens_(source), sink_(sink) {}

  // Leaves "end" as the current token: what follows the outermost "end" is
  // never read, not even split into a token.
  void ParseObject() {
    const NestingLevel level(*this);
    ParseObjectHeader();
    while (!tokens_.IsKeyword("end") && !AtObjectKeyword()) ParseProperty();
    while (!tokens_.IsKeyword("end")) {
      ParseObject();
      tokens_.Next();
    }
    sink_.EndObject();
  }

 private:
  // Counts one level of objects, lists or collections for as long as it lives.
  class NestingLevel {
   public:
    explicit NestingLevel(DfmParser& parser) : parser_(parser) {
      if (++parser_.depth_ > kMaxDfmNesting) parser_.tokens_.Fail("Nesting too deep");
    }
    ~NestingLevel() { --parser_.depth_; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;

   private:
    DfmParser& parser_;
  };

  bool AtObjectKeyword() const {
    return tokens_.IsKeyword("object") || tokens_.IsKeyword("inherited") || tokens_.IsKeyword("inline");
  }

  void Expect(char symbol) {
    if (!tokens_.IsSymbol(symbol)) tokens_.Fail(std::string("'") + symbol + "' expected");
  }

  std::string_view ExpectIdentifier() {
    if (tokens_.kind() != DfmTokenKind::kIdentifier) tokens_.Fail("Identifier expected");
    return tokens_.text();
  }

  // The current identifier and {"." identifier} after it, joined in name_;
  // the dots may stand apart from the names.
  std::string_view ReadDottedName() {
    name_.assign(tokens_.text());
    tokens_.Next();
    while (tokens_.IsSymbol('.')) {
      tokens_.Next();
      name_ += '.';
      name_ += ExpectIdentifier();
      tokens_.Next();
    }
    return name_;
  }

  // "[" integer "]" after an object header or "item".
  std::int64_t ReadBracketedInteger() {
    tokens_.Next();
    if (tokens_.kind() != DfmTokenKind::kInteger) tokens_.Fail("Integer expected");
    const std::int64_t value = tokens_.IntegerValue();
    tokens_.Next();
    Expect(']');
    tokens_.Next();
    return value;
  }

  void ParseObjectHeader() {
    DfmObjectKind kind = DfmObjectKind::kObject;
    if (tokens_.IsKeyword("inherited")) {
      kind = DfmObjectKind::kInherited;
    } else if (tokens_.IsKeyword("inline")) {
      kind = DfmObjectKind::kInline;
    } else if (!tokens_.IsKeyword("object")) {
      tokens_.Fail("'object' expected");
    }
    tokens_.Next();
    std::string_view name;
    std::string_view class_name = ExpectIdentifier();
    tokens_.Next();
    if (tokens_.IsSymbol(':')) {
      tokens_.Next();
      name = class_name;
      class_name = ExpectIdentifier();
      tokens_.Next();
    }
    std::optional<std::int64_t> child_position;
    if (tokens_.IsSymbol('[')) child_position = ReadBracketedInteger();
    sink_.BeginObject(kind, name, class_name, child_position);
  }

  void ParseProperty() {
    ExpectIdentifier();
    ReadDottedName();
    Expect('=');
    sink_.BeginProperty(name_);
    tokens_.Next();
    ParseValue();
    sink_.EndProperty();
  }

  void ParseValue() {
    switch (tokens_.kind()) {
      case DfmTokenKind::kString:
      case DfmTokenKind::kWideString:
        ParseString();
        return;
      case DfmTokenKind::kIdentifier:
        ParseIdentifierValue();
        return;
      case DfmTokenKind::kInteger:
        sink_.Integer(tokens_.IntegerValue());
        tokens_.Next();
        return;
      case DfmTokenKind::kFloat:
        sink_.Float(tokens_.FloatValue());
        tokens_.Next();
        return;
      case DfmTokenKind::kSymbol:
        break;
      case DfmTokenKind::kEnd:
        tokens_.Fail("Invalid property value");
    }
    switch (tokens_.text()[0]) {
      case '[':
        ParseSet();
        return;
      case '(':
        ParseList();
        return;
      case '<':
        ParseCollection();
        return;
      case '{':
        sink_.Binary(tokens_.ReadBinary());
        return;
      default:
        tokens_.Fail("Invalid property value");
    }
  }

  // A string and its "+" continuations, joined. An 8-bit string goes on with
  // 8-bit pieces only; a wide string takes both kinds, as its own cut lines
  // hold 8-bit pieces wherever no code of 256 or more falls.
  void ParseString() {
    if (tokens_.kind() == DfmTokenKind::kString) {
      bytes_.clear();
      while (true) {
        bytes_ += tokens_.string_value();
        tokens_.Next();
        if (!tokens_.IsSymbol('+')) return sink_.String(bytes_);
        tokens_.Next();
        if (tokens_.kind() != DfmTokenKind::kString) tokens_.Fail("String expected");
      }
    }
    chars_.clear();
    while (true) {
      if (tokens_.kind() == DfmTokenKind::kWideString) {
        chars_ += tokens_.wide_value();
      } else {
        for (char byte : tokens_.string_value()) chars_ += static_cast<unsigned char>(byte);
      }
      tokens_.Next();
      if (!tokens_.IsSymbol('+')) return sink_.WideString(chars_);
      tokens_.Next();
      if (tokens_.kind() != DfmTokenKind::kString && tokens_.kind() != DfmTokenKind::kWideString) {
        tokens_.Fail("String expected");
      }
    }
  }

  void ParseIdentifierValue() {
    const std::string_view name = ReadDottedName();
    if (SameText(name, "False")) return sink_.Special(DfmSpecial::kFalse);
    if (SameText(name, "True")) return sink_.Special(DfmSpecial::kTrue);
    if (SameText(name, "nil")) return sink_.Special(DfmSpecial::kNil);
    sink_.Identifier(name);
  }

  void ParseSet() {
    elements_.clear();
    tokens_.Next();
    if (!tokens_.IsSymbol(']')) {
      while (true) {
        if (tokens_.kind() == DfmTokenKind::kInteger) {
          tokens_.IntegerValue();  // validates; the element keeps its written form
        } else {
          ExpectIdentifier();
        }
        elements_.push_back(tokens_.text());
        tokens_.Next();
        if (tokens_.IsSymbol(']')) break;
        Expect(',');
        tokens_.Next();
      }
    }
    tokens_.Next();
    sink_.Set(elements_);
  }

  void ParseList() {
    const NestingLevel level(*this);
    sink_.BeginList();
    tokens_.Next();
    while (!tokens_.IsSymbol(')')) ParseValue();
    tokens_.Next();
    sink_.EndList();
  }

  void ParseCollection() {
    const NestingLevel level(*this);
    sink_.BeginCollection();
    tokens_.Next();
    while (!tokens_.IsSymbol('>')) {
      if (!tokens_.IsKeyword("item")) tokens_.Fail("'item' expected");
      tokens_.Next();
      std::optional<std::int64_t> index;
      if (tokens_.IsSymbol('[')) index = ReadBracketedInteger();
      sink_.BeginItem(index);
      while (!tokens_.IsKeyword("end")) ParseProperty();
      tokens_.Next();
      sink_.EndItem();
    }
    tokens_.Next();
    sink_.EndCollection();
  }

  DfmTokenizer tokens_;
  Sink& sink_;
  int depth_ = 0;
  // Room kept from value to value: dotted names, strings, set elements.
  std::string name_;
  std::string bytes_;
  std::u16string chars_;
  std::vector<std::string_view> elements_;
};

}  // namespace dfm_parser_detail

template <typename Sink>
void ParseDfm(const DfmSource& source, Sink& sink) {
  dfm_parser_detail::DfmParser<Sink>(source, sink).ParseObject();
}

}  // namespace quorvex
