#include "loadable/setting_conversion.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/ascii.h"
#include "loadable/constant_expression.h"
#include "loadable/text_encoding.h"
#include "vocabulary/property_color.h"
#include "vocabulary/property_conversion.h"

namespace quorvex {

namespace {

// DFM properties that a class publishes under another name.
struct Rename {
  std::string_view delphi_class;
  std::string_view from;
  std::string_view to;
};
constexpr std::array<Rename, 3> kRenames = {{
    {"TShape", "Color", "Brush.Color"},
    // A FoxPro form's Width and Height measure its inside.
    {"TForm", "Width", "ClientWidth"},
    {"TForm", "Height", "ClientHeight"},
}};

// FoxPro properties that the vocabulary drops but a Delphi class publishes.
// `values` maps FoxPro values to DFM values ("0=wsNormal;1=wsMinimized");
// without it the value converts by its own form (a quoted text is a string,
// .T. and .F. are True and False, a colour property's value a colour).
struct Extra {
  std::string_view property;
  std::string_view dfm_property;
  std::string_view values;
};
constexpr std::array<Extra, 14> kExtras = {{
    {"ToolTipText", "Hint", {}},
    {"MaxLength", "MaxLength", {}},
    {"Interval", "Interval", {}},
    {"BorderColor", "Pen.Color", {}},
    {"Default", "Default", {}},
    {"Cancel", "Cancel", {}},
    {"Sorted", "Sorted", {}},
    {"SpinnerHighValue", "MaxValue", {}},
    {"SpinnerLowValue", "MinValue", {}},
    {"Increment", "Increment", {}},
    {"WindowState", "WindowState", "0=wsNormal;1=wsMinimized;2=wsMaximized"},
    {"AutoCenter", "Position", ".T.=poScreenCenter;.F.=poDesigned"},
    // A form's border; other objects' BorderStyle has no published counterpart.
    {"BorderStyle", "BorderStyle", "0=bsNone;1=bsSingle;2=bsDialog;3=bsSizeable"},
    {"BackStyle", "Transparent", "0=True;1=False"},
}};

// The name of one of Delphi's colors (clBtnFace): the defaults table names
// the system colors FoxPro takes from Windows that way.
bool IsDelphiColorName(std::string_view value) {
  return value.size() > 2 && value.starts_with("cl") &&
         std::all_of(value.begin(), value.end(), [](char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; });
}

// FoxPro's "red,green,blue": three numbers and two commas, nothing else.
bool IsFoxColor(std::string_view value) {
  int commas = 0;
  bool digit_seen = false;
  for (const char c : value) {
    if (c == ',') {
      if (!digit_seen) return false;
      ++commas;
      digit_seen = false;
    } else if (c >= '0' && c <= '9') {
      digit_seen = true;
    } else if (c != ' ') {
      return false;
    }
  }
  return commas == 2 && digit_seen;
}

// An expression ("(GetText(...))", "=Date()") is computed when the form runs;
// no value of a form text can stand for it, unless it is a constant.
bool IsExpression(std::string_view value) { return value.starts_with('(') || value.starts_with('='); }

// `text` with each line break (CR LF, CR or LF: FoxPro breaks a caption at
// CHR(13)) as LF, at which Windows' and the LCL's controls break lines alike.
std::string OneLineBreak(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\r' ? '\n' : text[i];
  }
  return out;
}

// The value of an expression that is a constant, as a record would store it:
// a number given to a color property (RGB(...)) as red,green,blue.
std::optional<std::string> ConstantValueText(std::string_view property, std::string_view expression) {
  if (expression.starts_with('=')) expression.remove_prefix(1);
  const std::optional<FoxConstant> constant = EvaluateConstant(expression);
  if (!constant) return std::nullopt;
  if (constant->kind == FoxConstant::Kind::kString) return ConstantLiteral({.text = OneLineBreak(constant->text)});
  const bool color = property.size() >= 5 && SameText(property.substr(property.size() - 5), "Color");
  if (!color || constant->kind != FoxConstant::Kind::kNumber) return ConstantLiteral(*constant);
  const double number = constant->number;
  if (number < 0 || number > 0xFFFFFF || number != static_cast<double>(static_cast<long>(number)))
    return std::nullopt;
  const long rgb = static_cast<long>(number);
  return std::to_string(rgb & 0xFF) + "," + std::to_string((rgb >> 8) & 0xFF) + "," + std::to_string(rgb >> 16);
}

std::optional<std::string> MappedValue(std::string_view values, std::string_view value) {
  while (!values.empty()) {
    const std::size_t end = values.find(';');
    const std::string_view row = values.substr(0, end);
    if (SameText(NamePart(row), value)) return std::string(ValuePart(row));
    values = end == std::string_view::npos ? std::string_view() : values.substr(end + 1);
  }
  return std::nullopt;
}

// A FoxPro font flag that writes no line still carries its meaning: a true
// flag joined the object's Font.Style, a false one is the default.
bool IsFontFlag(const Lists& lists, std::string_view property, std::string_view value) {
  const auto dfm = lists.PropertyMap().Find(property);
  return dfm && *dfm == "Font.Style" && (SameText(value, ".T.") || SameText(value, ".F."));
}

}  // namespace

void PutSetting(std::vector<DfmSetting>& settings, DfmSetting setting, bool replace) {
  const auto same = std::find_if(settings.begin(), settings.end(),
                                 [&](const DfmSetting& earlier) { return SameText(earlier.name, setting.name); });
  if (same == settings.end()) {
    settings.push_back(std::move(setting));
  } else if (replace) {
    same->value = std::move(setting.value);
  }
}

std::vector<DfmSetting> LclOnlySettings(std::string_view delphi_class) {
  // The LCL sizes check boxes and option buttons to its own measure of their
  // text; FoxPro shows them at the size their record stores, which is the
  // size FoxPro's own AutoSize gave them where that is on.
  if (delphi_class == "TCheckBox" || delphi_class == "TRadioButton") return {{"AutoSize", "False"}};
  return {};
}

const std::string* FindSetting(const std::vector<DfmSetting>& settings, std::string_view name) {
  for (const DfmSetting& setting : settings) {
    if (SameText(setting.name, name)) return &setting.value;
  }
  return nullptr;
}

SettingConverter::SettingConverter(int code_page, const PublishedProperties& table, const FoxDefaults& defaults,
                                   const Lists& lists)
    : code_page_(code_page), table_(table), defaults_(defaults), lists_(lists) {}

ConvertedSettings SettingConverter::Convert(const TextList& lines, std::string_view fox_class,
                                            std::string_view table_class, std::string_view prefix) const {
  ConvertedSettings result;
  std::vector<bool> kept(lines.size(), false);
  // One DFM line per converted line, so that the font-style rule finds and
  // merges into the object's earlier flag line as in pass 2.
  TextList dfm;
  std::vector<std::size_t> source;      // the index in `lines` of each DFM line
  std::vector<std::string> raw_values;  // the FoxPro value of each DFM line
  PropertyConverter vocabulary(dfm, lists_);
  vocabulary.SetCurrentClass("Form");
  std::string mapped_class(fox_class);
  vocabulary.MapClass(mapped_class);

  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = TrimBlanks(lines[i]);
    if (line.empty()) continue;
    const std::string_view property = TrimBlanks(NamePart(line));
    std::string_view value = TrimBlanks(ValuePart(line));
    if (SameText(property, "Name")) continue;
    std::string constant_line;
    if (IsExpression(value)) {
      const std::optional<std::string> constant = ConstantValueText(property, value);
      if (!constant) {
        kept[i] = true;
        continue;
      }
      constant_line = std::string(property) + " = " + *constant;
      line = constant_line;
      value = TrimBlanks(ValuePart(line));
    }
    std::string assignment = vocabulary.ConvertPropertyLine(line);
    if (assignment.empty() && IsFontFlag(lists_, property, value)) continue;
    if (assignment.empty()) assignment = ConvertExtra(property, value);
    if (assignment.empty()) {
      kept[i] = true;
      continue;
    }
    dfm.push_back(std::string(prefix) + assignment);
    source.push_back(i);
    raw_values.emplace_back(value);
  }
  for (std::size_t d = 0; d < dfm.size(); ++d) {
    DfmSetting setting;
    if (Accept(table_class, raw_values[d], dfm[d], setting)) {
      PutSetting(result.settings, std::move(setting));
    } else {
      kept[source[d]] = true;
    }
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (kept[i]) {
      result.kept.push_back(lines[i]);
    } else if (!TrimBlanks(lines[i]).empty()) {
      result.carried.emplace(TrimBlanks(NamePart(TrimBlanks(lines[i]))));
    }
  }
  return result;
}

void SettingConverter::AddDefaults(ConvertedSettings& converted, std::string_view base_class,
                                   std::string_view fox_class, std::string_view table_class) const {
  for (const auto& [property, setting] : DefaultSettings(base_class, fox_class, table_class)) {
    if (!converted.carried.contains(property) && FindSetting(converted.settings, setting.name) == nullptr)
      converted.settings.push_back(setting);
  }
}

const std::vector<std::pair<std::string, DfmSetting>>& SettingConverter::DefaultSettings(
    std::string_view base_class, std::string_view fox_class, std::string_view table_class) const {
  std::string key = std::string(base_class) + '\n' + std::string(fox_class) + '\n' + std::string(table_class);
  auto [cached, added] = default_settings_.try_emplace(std::move(key));
  if (!added) return cached->second;
  const FoxDefaults::Rows* defaults = defaults_.Find(base_class);
  if (defaults == nullptr) return cached->second;
  // Row by row, so that each setting is known by the property it stands for.
  for (const auto& [property, value] : *defaults) {
    for (DfmSetting& setting : Convert({property + " = " + value}, fox_class, table_class).settings) {
      const PropertyType* type = table_.Find(table_class, setting.name);
      if (type == nullptr || type->default_value != setting.value) cached->second.emplace_back(property, setting);
    }
  }
  return cached->second;
}

std::string SettingConverter::ConvertExtra(std::string_view property, std::string_view value) const {
  for (const Extra& extra : kExtras) {
    if (!SameText(extra.property, property)) continue;
    std::string dfm_value;
    if (!extra.values.empty()) {
      dfm_value = MappedValue(extra.values, value).value_or("");
    } else if (value.starts_with('"')) {
      dfm_value = QuotedToDfmString(value);
    } else if (SameText(value, ".T.") || SameText(value, ".F.")) {
      dfm_value = SameText(value, ".T.") ? "True" : "False";
    } else if (extra.dfm_property.ends_with("Color") && IsFoxColor(value)) {
      dfm_value = ConvertColor(value);
    } else {
      dfm_value = value;
    }
    return dfm_value.empty() ? std::string() : std::string(extra.dfm_property) + " = " + dfm_value;
  }
  return {};
}

bool SettingConverter::Accept(std::string_view table_class, std::string_view raw_value, std::string assignment,
                              DfmSetting& setting) const {
  setting.name = TrimBlanks(NamePart(assignment));
  setting.value = TrimBlanks(ValuePart(assignment));
  for (const Rename& rename : kRenames) {
    if (SameText(rename.delphi_class, table_class) && SameText(rename.from, setting.name)) setting.name = rename.to;
  }
  const PropertyType* type = table_.Find(table_class, setting.name);
  if (type == nullptr) return false;
  // The vocabulary reads any text as a colour; only a real one is carried.
  if (type->kind == ValueKind::kColor) {
    if (IsDelphiColorName(raw_value)) {
      setting.value = raw_value;
    } else if (!IsFoxColor(raw_value)) {
      return false;
    }
  }
  if (!ValueFitsType(*type, setting.value)) return false;
  if (type->kind == ValueKind::kString)
    setting.value = DfmStringLiteral(DecodeText(DfmLiteralBytes(setting.value), code_page_));
  return true;
}

}  // namespace quorvex
