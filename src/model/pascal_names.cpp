#include "model/pascal_names.h"

#include <algorithm>
#include <array>
#include <set>

#include "base/text_list.h"
#include "translate/pascal_words.h"

namespace quorvex {

namespace {

// Units of the Free Pascal and Delphi run-time libraries and of the LCL and
// the VCL that a converted unit or program uses, or that those use in turn. A
// form's unit of one of these names would stand in their place: "dialogs.scx"
// would give a unit Dialogs that uses itself.
constexpr std::array<std::string_view, 46> kLibraryUnits = {
    "ActnList", "Buttons",   "CheckLst",  "Classes",     "Clipbrd",  "ComCtrls", "Contnrs",  "Controls", "cthreads",
    "DateUtils", "DB",       "DBCtrls",   "DBGrids",     "Dialogs",  "ExtCtrls", "FileUtil", "Forms",    "Graphics",
    "Grids",    "ImgList",   "IniFiles",  "Interfaces",  "LCLIntf",  "LCLProc",  "LCLType",  "LResources", "Mask",
    "MaskEdit", "Math",      "Menus",     "Messages",    "ObjPas",   "Printers", "Process",  "Registry", "RtlConsts",
    "Spin",     "StdCtrls",  "StrUtils",  "SysInit",     "SysUtils", "System",   "Types",    "TypInfo",  "Variants",
    "FoxRuntime",  // the runtime unit of translated code
};

constexpr std::string_view kFormMemberNames =
#include "model/form_member_names_text.inc"
    ;

// The names of form_member_names.txt, read once.
const std::set<std::string, TextLess>& FormMemberNames() {
  static const std::set<std::string, TextLess> names = [] {
    std::set<std::string, TextLess> read;
    for (const std::string& line : SplitLines(kFormMemberNames)) {
      std::string_view rest = TrimBlanks(line);
      if (rest.starts_with('#')) continue;
      while (!rest.empty()) {
        const std::size_t blank = rest.find(' ');
        read.emplace(rest.substr(0, blank));
        rest = blank == std::string_view::npos ? std::string_view() : TrimBlanks(rest.substr(blank));
      }
    }
    return read;
  }();
  return names;
}

bool IsIdentifierByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::string PascalIdentifier(std::string_view text, char lead) {
  std::string name;
  name.reserve(text.size() + 1);
  if (text.empty() || (text.front() >= '0' && text.front() <= '9')) name += lead;
  for (const char c : text) name += IsIdentifierByte(c) ? c : '_';
  if (IsReservedWord(name)) name += '_';
  return name;
}

std::string ComponentIdentifier(std::string_view text) {
  std::string name = PascalIdentifier(text, 'C');
  if (FormMemberNames().contains(name)) name += '_';
  return name;
}

bool HidesFormMember(std::string_view name) { return IsReservedWord(name) || FormMemberNames().contains(name); }

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
