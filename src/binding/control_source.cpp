#include "binding/control_source.h"

#include <algorithm>

#include "base/ascii.h"
#include "binding/data_environment.h"

namespace quorvex {

namespace {

// The names FoxPro code reaches objects and memory variables by: what follows
// them is no field.
constexpr std::string_view kObjectNames[] = {"m", "this", "thisform", "thisformset", "_screen", "_vfp"};

bool IsNameByte(char c, bool first) {
  const auto byte = static_cast<unsigned char>(c);
  // Bytes of 128 and up are letters of the form's code page.
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || c == '_' || byte >= 0x80 ||
         (!first && byte >= '0' && byte <= '9');
}

bool IsName(std::string_view text) {
  return !text.empty() && IsNameByte(text.front(), true) &&
         std::all_of(text.begin() + 1, text.end(), [](char c) { return IsNameByte(c, false); });
}

bool IsObjectName(std::string_view name) {
  return std::any_of(std::begin(kObjectNames), std::end(kObjectNames),
                     [&](std::string_view object) { return SameText(name, object); });
}

}  // namespace

std::optional<FieldReference> FieldOfControlSource(std::string_view control_source, std::string_view current_alias) {
  const std::string text = StoredText(control_source);
  const std::string_view source = TrimBlanks(text);
  const std::size_t dot = source.find('.');
  if (dot == std::string_view::npos) {
    if (!IsName(source) || current_alias.empty()) return std::nullopt;
    return FieldReference{std::string(current_alias), std::string(source)};
  }
  const std::string_view alias = TrimBlanks(source.substr(0, dot));
  const std::string_view field = TrimBlanks(source.substr(dot + 1));
  if (!IsName(alias) || !IsName(field) || IsObjectName(alias)) return std::nullopt;
  return FieldReference{std::string(alias), std::string(field)};
}

std::optional<std::string> AliasOfRecordSource(std::string_view record_source, std::string_view record_source_type) {
  const std::string_view type = TrimBlanks(record_source_type);
  const std::string source = StoredText(record_source);
  if (type.empty() || type == "1") {
    if (IsName(source)) return source;
    return std::nullopt;
  }
  if (type != "0" || source.empty()) return std::nullopt;
  // A table by its file: FoxPro opens it under its name.
  std::string alias = TableAlias(source);
  if (!IsName(alias)) return std::nullopt;
  return alias;
}

}  // namespace quorvex
