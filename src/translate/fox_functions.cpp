#include "translate/fox_functions.h"

#include <algorithm>
#include <string>

#include "base/ascii.h"
#include "translate/not_translated.h"

namespace quorvex {

namespace {

struct Function {
  std::string_view name;
  std::size_t shortest;  // 0: only the full name
  // One letter per argument, its type: S string, N number, L logical, D
  // date, V any; lower case when it may be left out. After a "[" the
  // arguments go into an open array, and the last letter may come again.
  std::string_view arguments;
  PasType result;
  std::string_view pascal;
  bool total = true;           // it can neither fail nor change anything
  bool counts_length = false;  // FoxPro counts bytes
};

constexpr Function kFunctions[] = {
    {"ALLTRIM", 4, "S", PasType::kString, "FoxAllTrim"},
    {"LTRIM", 4, "S", PasType::kString, "FoxLTrim"},
    {"RTRIM", 4, "S", PasType::kString, "FoxRTrim"},
    {"TRIM", 0, "S", PasType::kString, "FoxRTrim"},
    {"UPPER", 4, "S", PasType::kString, "FoxUpper"},
    {"LOWER", 4, "S", PasType::kString, "FoxLower"},
    {"SUBSTR", 0, "SNn", PasType::kString, "FoxSubStr", false, true},
    {"LEFT", 0, "SN", PasType::kString, "FoxLeft", true, true},
    {"RIGHT", 0, "SN", PasType::kString, "FoxRight", true, true},
    {"LEN", 0, "S", PasType::kInteger, "FoxLen", true, true},
    {"AT", 0, "SSn", PasType::kInteger, "FoxAt", true, true},
    {"ATC", 0, "SSn", PasType::kInteger, "FoxAtC", true, true},
    {"STRTRAN", 0, "SSs", PasType::kString, "FoxStrTran"},
    {"STR", 0, "Nnn", PasType::kString, "FoxStr", false, false},
    {"VAL", 0, "S", PasType::kNumber, "FoxVal"},
    {"PADL", 0, "SNs", PasType::kString, "FoxPadL", false, true},
    {"PADR", 0, "SNs", PasType::kString, "FoxPadR", false, true},
    {"PADC", 0, "SNs", PasType::kString, "FoxPadC", false, true},
    {"SPACE", 4, "N", PasType::kString, "FoxSpace", false, false},
    {"REPLICATE", 4, "SN", PasType::kString, "FoxReplicate", false, false},
    {"EMPTY", 4, "V", PasType::kLogical, "FoxEmpty"},
    {"ISNULL", 4, "V", PasType::kLogical, "FoxIsNull"},
    {"NVL", 0, "VV", PasType::kVariant, "FoxNvl"},
    {"VARTYPE", 4, "V", PasType::kString, "FoxVarType"},
    {"BETWEEN", 4, "NNN", PasType::kLogical, "FoxBetween"},
    {"INLIST", 4, "V[V", PasType::kLogical, "FoxInList", false, false},
    {"MAX", 0, "[NN", PasType::kNumber, "FoxMax"},
    {"MIN", 0, "[NN", PasType::kNumber, "FoxMin"},
    {"INT", 0, "N", PasType::kInteger, "FoxInt", false, false},
    {"CEILING", 4, "N", PasType::kInteger, "FoxCeiling", false, false},
    {"FLOOR", 4, "N", PasType::kInteger, "FoxFloor", false, false},
    {"ROUND", 4, "NN", PasType::kNumber, "FoxRound"},
    {"MOD", 0, "NN", PasType::kNumber, "FoxMod", false, false},
    {"ABS", 0, "N", PasType::kNumber, "FoxAbs"},
    {"SIGN", 0, "N", PasType::kInteger, "FoxSign"},
    {"SQRT", 0, "N", PasType::kNumber, "FoxSqrt", false, false},
    {"DATE", 0, "", PasType::kDate, "FoxDate"},
    {"TIME", 0, "", PasType::kString, "FoxTime"},
    {"DTOC", 0, "D", PasType::kString, "FoxDToC"},
    {"DTOS", 0, "D", PasType::kString, "FoxDToS"},
    {"CTOD", 0, "S", PasType::kDate, "FoxCToD"},
    {"YEAR", 0, "D", PasType::kInteger, "FoxYear"},
    {"MONTH", 4, "D", PasType::kInteger, "FoxMonth"},
    {"DAY", 0, "D", PasType::kInteger, "FoxDay"},
    {"MESSAGEBOX", 8, "Sns", PasType::kInteger, "FoxMessageBox", false, false},
    {"RGB", 0, "NNN", PasType::kInteger, "FoxRGB", false, false},
    {"TRANSFORM", 4, "V", PasType::kString, "FoxTransform"},
};

PasType ArgumentType(char letter) {
  switch (AsciiLower(letter)) {
    case 's': return PasType::kString;
    case 'n': return PasType::kNumber;
    case 'l': return PasType::kLogical;
    case 'd': return PasType::kDate;
    default: return PasType::kVariant;
  }
}

// The arguments as Pascal, each converted to its type; those after a "["
// in an open array.
Translated<std::string> ArgumentList(const Function& function, const std::vector<PasExpr>& arguments, bool& total) {
  std::string letters(function.arguments);
  const std::size_t array_from = letters.find('[');
  if (array_from != std::string::npos) letters.erase(array_from, 1);
  const auto required = static_cast<std::size_t>(
      std::count_if(letters.begin(), letters.end(), [](char c) { return c >= 'A' && c <= 'Z'; }));
  const bool repeats = array_from != std::string::npos;
  if (arguments.size() < required || (!repeats && arguments.size() > letters.size()))
    return NotTranslated{"function called with other arguments"};
  std::string list;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    Translated<PasExpr> converted = ConvertTo(arguments[i], ArgumentType(letters[std::min(i, letters.size() - 1)]));
    if (!converted) return std::move(converted).Failure();
    total = total && converted->total;
    if (i > 0) list += ", ";
    if (i == array_from) list += "[";
    list += converted->text;
  }
  if (repeats) list += "]";
  return list;
}

// TRANSFORM without a picture gives a number's digits as FoxPro shows them,
// with the decimals it keeps for each value: only whole numbers are certain.
Done CheckTransform(const std::vector<PasExpr>& arguments) {
  if (arguments.size() != 1) return NotTranslated{"function called with other arguments"};
  const PasType type = arguments[0].type;
  if (type == PasType::kNumber || type == PasType::kVariant)
    return NotTranslated{"TRANSFORM of a value whose decimals are not known"};
  return {};
}

}  // namespace

bool NamesFunction(std::string_view name, std::string_view full_name, std::size_t shortest) {
  if (SameText(name, full_name)) return true;
  return shortest > 0 && name.size() >= shortest && name.size() < full_name.size() &&
         SameText(name, full_name.substr(0, name.size()));
}

bool KnowsFunction(std::string_view name) {
  return std::any_of(std::begin(kFunctions), std::end(kFunctions),
                     [&](const Function& function) { return NamesFunction(name, function.name, function.shortest); });
}

Translated<PasExpr> CallFunction(std::string_view name, const std::vector<PasExpr>& arguments, bool double_byte) {
  for (const Function& function : kFunctions) {
    if (!NamesFunction(name, function.name, function.shortest)) continue;
    if (function.counts_length && double_byte) return NotTranslated{"string length in a double-byte code page"};
    if (function.pascal == "FoxTransform") {
      if (Done checked = CheckTransform(arguments); !checked) return std::move(checked).Failure();
    }
    bool total = function.total;
    Translated<std::string> list = ArgumentList(function, arguments, total);
    if (!list) return std::move(list).Failure();
    return PasExpr{std::string(function.pascal) + (list->empty() ? std::string() : "(" + *list + ")"),
                   function.result, kAtomic, total};
  }
  std::string reason = "function not translated: ";
  for (const char c : name) reason += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return NotTranslated{std::move(reason)};
}

}  // namespace quorvex
