#include "formstream/canonical_parser.h"

#include "formstream/canonical_tokenizer.h"
#include "base/ascii.h"

namespace quorvex {

namespace {

class DfmParser {
 public:
  explicit DfmParser(std::string_view text) : tokens_(text) {}

  DfmObject ParseForm() {
    DfmObject form;
    ParseObject(form);
    return form;
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

  // Appends {"." identifier} to `name`, starting at the token after the first
  // identifier; the dots may stand apart from the names.
  void ReadDottedRest(std::string& name) {
    while (tokens_.IsSymbol('.')) {
      tokens_.Next();
      name += '.';
      name += ExpectIdentifier();
      tokens_.Next();
    }
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

  // Leaves "end" as the current token: what follows the outermost "end" is
  // never read, not even split into a token.
  void ParseObject(DfmObject& object);
  void ParseObjectHeader(DfmObject& object);
  void ParseProperty(DfmProperty& property);
  void ParseValue(DfmValue& value);
  DfmValueData ParseString();
  DfmValueData ParseIdentifierValue();
  DfmSet ParseSet();
  DfmList ParseList();
  DfmCollection ParseCollection();

  DfmTokenizer tokens_;
  int depth_ = 0;
};

void DfmParser::ParseObject(DfmObject& object) {
  const NestingLevel level(*this);
  ParseObjectHeader(object);
  while (!tokens_.IsKeyword("end") && !AtObjectKeyword()) ParseProperty(object.properties.emplace_back());
  while (!tokens_.IsKeyword("end")) {
    ParseObject(object.children.emplace_back());
    tokens_.Next();
  }
}

void DfmParser::ParseObjectHeader(DfmObject& object) {
  if (tokens_.IsKeyword("inherited")) {
    object.kind = DfmObjectKind::kInherited;
  } else if (tokens_.IsKeyword("inline")) {
    object.kind = DfmObjectKind::kInline;
  } else if (!tokens_.IsKeyword("object")) {
    tokens_.Fail("'object' expected");
  }
  tokens_.Next();
  object.class_name = ExpectIdentifier();
  tokens_.Next();
  if (tokens_.IsSymbol(':')) {
    tokens_.Next();
    object.name = std::move(object.class_name);
    object.class_name = ExpectIdentifier();
    tokens_.Next();
  }
  if (tokens_.IsSymbol('[')) object.child_position = ReadBracketedInteger();
}

void DfmParser::ParseProperty(DfmProperty& property) {
  property.name = ExpectIdentifier();
  tokens_.Next();
  ReadDottedRest(property.name);
  Expect('=');
  tokens_.Next();
  ParseValue(property.value);
}

void DfmParser::ParseValue(DfmValue& value) {
  switch (tokens_.kind()) {
    case DfmTokenKind::kString:
    case DfmTokenKind::kWideString:
      value.data = ParseString();
      return;
    case DfmTokenKind::kIdentifier:
      value.data = ParseIdentifierValue();
      return;
    case DfmTokenKind::kInteger:
      value.data = tokens_.IntegerValue();
      tokens_.Next();
      return;
    case DfmTokenKind::kFloat:
      value.data = tokens_.FloatValue();
      tokens_.Next();
      return;
    case DfmTokenKind::kSymbol:
      break;
    case DfmTokenKind::kEnd:
      tokens_.Fail("Invalid property value");
  }
  switch (tokens_.text()[0]) {
    case '[':
      value.data = ParseSet();
      return;
    case '(':
      value.data = ParseList();
      return;
    case '<':
      value.data = ParseCollection();
      return;
    case '{':
      value.data = DfmBinary{tokens_.ReadBinary()};
      return;
    default:
      tokens_.Fail("Invalid property value");
  }
}

// A string and its "+" continuations, joined. An 8-bit string goes on with
// 8-bit pieces only; a wide string takes both kinds, as its own cut lines
// hold 8-bit pieces wherever no code of 256 or more falls.
DfmValueData DfmParser::ParseString() {
  if (tokens_.kind() == DfmTokenKind::kString) {
    std::string bytes;
    while (true) {
      bytes += tokens_.string_value();
      tokens_.Next();
      if (!tokens_.IsSymbol('+')) return DfmString{std::move(bytes)};
      tokens_.Next();
      if (tokens_.kind() != DfmTokenKind::kString) tokens_.Fail("String expected");
    }
  }
  std::u16string chars;
  while (true) {
    if (tokens_.kind() == DfmTokenKind::kWideString) {
      chars += tokens_.wide_value();
    } else {
      for (char byte : tokens_.string_value()) chars += static_cast<unsigned char>(byte);
    }
    tokens_.Next();
    if (!tokens_.IsSymbol('+')) return DfmWideString{std::move(chars)};
    tokens_.Next();
    if (tokens_.kind() != DfmTokenKind::kString && tokens_.kind() != DfmTokenKind::kWideString) {
      tokens_.Fail("String expected");
    }
  }
}

DfmValueData DfmParser::ParseIdentifierValue() {
  std::string name(tokens_.text());
  tokens_.Next();
  ReadDottedRest(name);
  if (SameText(name, "False")) return DfmSpecial::kFalse;
  if (SameText(name, "True")) return DfmSpecial::kTrue;
  if (SameText(name, "nil")) return DfmSpecial::kNil;
  return DfmIdentifier{std::move(name)};
}

DfmSet DfmParser::ParseSet() {
  DfmSet set;
  tokens_.Next();
  if (tokens_.IsSymbol(']')) {
    tokens_.Next();
    return set;
  }
  while (true) {
    if (tokens_.kind() == DfmTokenKind::kInteger) {
      tokens_.IntegerValue();  // validates; the element keeps its written form
    } else {
      ExpectIdentifier();
    }
    set.elements.emplace_back(tokens_.text());
    tokens_.Next();
    if (tokens_.IsSymbol(']')) break;
    Expect(',');
    tokens_.Next();
  }
  tokens_.Next();
  return set;
}

DfmList DfmParser::ParseList() {
  const NestingLevel level(*this);
  DfmList list;
  tokens_.Next();
  while (!tokens_.IsSymbol(')')) ParseValue(list.values.emplace_back());
  tokens_.Next();
  return list;
}

DfmCollection DfmParser::ParseCollection() {
  const NestingLevel level(*this);
  DfmCollection collection;
  tokens_.Next();
  while (!tokens_.IsSymbol('>')) {
    if (!tokens_.IsKeyword("item")) tokens_.Fail("'item' expected");
    DfmItem& item = collection.items.emplace_back();
    tokens_.Next();
    if (tokens_.IsSymbol('[')) item.index = ReadBracketedInteger();
    while (!tokens_.IsKeyword("end")) ParseProperty(item.properties.emplace_back());
    tokens_.Next();
  }
  tokens_.Next();
  return collection;
}

}  // namespace

DfmObject ParseDfmText(std::string_view text) { return DfmParser(text).ParseForm(); }

}  // namespace quorvex
