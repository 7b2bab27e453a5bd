#include "loadable/pascal_names.h"

#include <algorithm>
#include <array>

namespace quorvex {

namespace {

// Delphi's reserved words, and the directives that cannot name a field.
constexpr std::array<std::string_view, 66> kReservedWords = {
    "and",          "array",         "as",        "asm",       "begin",          "case",      "class",
    "const",        "constructor",   "destructor", "dispinterface", "div",        "do",        "downto",
    "else",         "end",           "except",    "exports",   "file",           "finalization", "finally",
    "for",          "function",      "goto",      "if",        "implementation", "in",        "inherited",
    "initialization", "inline",      "interface", "is",        "label",          "library",   "mod",
    "nil",          "not",           "object",    "of",        "or",             "out",       "packed",
    "procedure",    "program",       "property",  "raise",     "record",         "repeat",    "resourcestring",
    "set",          "shl",           "shr",       "string",    "then",           "threadvar", "to",
    "try",          "type",          "unit",      "until",     "uses",           "var",       "while",
    "with",         "xor",           "operator",
};

// Units of the Free Pascal and Delphi run-time libraries and of the LCL and
// the VCL that a converted unit or program uses, or that those use in turn. A
// form's unit of one of these names would stand in their place: "dialogs.scx"
// would give a unit Dialogs that uses itself.
constexpr std::array<std::string_view, 45> kLibraryUnits = {
    "ActnList", "Buttons",   "CheckLst",  "Classes",     "Clipbrd",  "ComCtrls", "Contnrs",  "Controls", "cthreads",
    "DateUtils", "DB",       "DBCtrls",   "DBGrids",     "Dialogs",  "ExtCtrls", "FileUtil", "Forms",    "Graphics",
    "Grids",    "ImgList",   "IniFiles",  "Interfaces",  "LCLIntf",  "LCLProc",  "LCLType",  "LResources", "Mask",
    "MaskEdit", "Math",      "Menus",     "Messages",    "ObjPas",   "Printers", "Process",  "Registry", "RtlConsts",
    "Spin",     "StdCtrls",  "StrUtils",  "SysInit",     "SysUtils", "System",   "Types",    "TypInfo",  "Variants",
};

bool IsIdentifierByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsReserved(std::string_view word) {
  return std::any_of(kReservedWords.begin(), kReservedWords.end(),
                     [&](std::string_view reserved) { return SameText(reserved, word); });
}

}  // namespace

std::string PascalIdentifier(std::string_view text, char lead) {
  std::string name;
  name.reserve(text.size() + 1);
  if (text.empty() || (text.front() >= '0' && text.front() <= '9')) name += lead;
  for (const char c : text) name += IsIdentifierByte(c) ? c : '_';
  if (IsReserved(name)) name += '_';
  return name;
}

std::string UnitNameOf(std::string_view file_name) {
  const std::size_t slash = file_name.find_last_of("/\\");
  if (slash != std::string_view::npos) file_name.remove_prefix(slash + 1);
  std::string name = PascalIdentifier(file_name.substr(0, file_name.rfind('.')), 'U');
  const bool library_unit = std::any_of(kLibraryUnits.begin(), kLibraryUnits.end(),
                                        [&](std::string_view unit) { return SameText(unit, name); });
  return library_unit ? "U" + name : name;
}

std::string UniqueNames::Take(const std::string& name) {
  unsigned& counter = last_suffix_[name];
  std::string candidate = counter == 0 ? name : name + "_" + std::to_string(counter);
  while (taken_.contains(candidate)) candidate = name + "_" + std::to_string(++counter);
  taken_.insert(candidate);
  return candidate;
}

}  // namespace quorvex
