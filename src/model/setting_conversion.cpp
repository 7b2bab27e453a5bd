#include "model/setting_conversion.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <mutex>
#include <optional>

#include "base/ascii.h"
#include "base/text_encoding.h"
#include "expression/constant_expression.h"
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

bool IsNumber(std::string_view value) {
  double number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  return error == std::errc() && end == value.data() + value.size();
}

// The same FoxPro value, letter case aside, and numbers by their value
// ("1.00" is 1).
bool SameFoxValue(std::string_view a, std::string_view b) {
  if (SameText(a, b)) return true;
  double x = 0, y = 0;
  return IsNumber(a) && IsNumber(b) && std::from_chars(a.data(), a.data() + a.size(), x).ec == std::errc() &&
         std::from_chars(b.data(), b.data() + b.size(), y).ec == std::errc() && x == y;
}

std::optional<std::string> MappedValue(const SettingRule& rule, std::string_view value) {
  for (const auto& [fox, dfm] : rule.values) {
    if (SameFoxValue(fox, value)) return dfm;
  }
  return std::nullopt;
}

// FoxPro's Anchor bits as Delphi's Anchors: 1 top, 2 left, 4 bottom, 8
// right, each held at its distance; an edge FoxPro holds neither way stays
// where it is, as the top and left edges do in Delphi. Bits from 16 up
// (proportional, centred) have no counterpart.
std::optional<std::string> AnchorsOf(std::string_view value) {
  int bits = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), bits);
  if (error != std::errc() || end != value.data() + value.size() || bits < 0 || bits > 15) return std::nullopt;
  std::string anchors;
  const auto add = [&](bool on, std::string_view name) {
    if (on) anchors += (anchors.empty() ? "" : ", ") + std::string(name);
  };
  add((bits & 2) != 0 || (bits & 10) == 0, "akLeft");
  add((bits & 1) != 0 || (bits & 5) == 0, "akTop");
  add((bits & 8) != 0, "akRight");
  add((bits & 4) != 0, "akBottom");
  return "[" + anchors + "]";
}

// FoxPro's Anchor bits from 16 up hold an edge at its proportion of the
// container (16 top, 32 left, 64 bottom, 128 right) or the centre with the
// size (256 across, 512 down), which FoxRuntime's FoxAnchor keeps. An edge
// held two ways, or a centre with an edge of its direction, is a value whose
// meaning FoxPro does not give.
std::optional<int> RuntimeAnchor(std::string_view value) {
  int bits = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), bits);
  if (error != std::errc() || end != value.data() + value.size() || bits < 16 || bits > 1023) return std::nullopt;
  const auto both = [&](int a, int b) { return (bits & a) != 0 && (bits & b) != 0; };
  if (both(1, 16) || both(2, 32) || both(4, 64) || both(8, 128) || both(512, 1 | 4 | 16 | 64) ||
      both(256, 2 | 8 | 32 | 128))
    return std::nullopt;
  return bits;
}

// A value shown as text: a string as it is, a number by its digits. A record
// stores a text box's character value as it is after the "=" (nothing for an
// empty one), or in quotes. A logical value, .NULL. and a date ({...}) are
// shown as the running program's settings (SET DATE, NullDisplay ...) say.
std::optional<std::string> TextOf(std::string_view value) {
  if (value.empty()) return "''";
  if (value.starts_with('"')) return QuotedToDfmString(value);
  if (value.starts_with('{') || SameText(value, ".T.") || SameText(value, ".F.") || SameText(value, ".NULL."))
    return std::nullopt;
  // The bytes as they are, in a literal that Accept decodes as every string.
  std::string literal = "'";
  for (const char c : value) literal += c == '\'' ? std::string("''") : std::string(1, c);
  return literal + "'";
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
  if (delphi_class == "TCheckBox" || delphi_class == "TRadioButton" || delphi_class == "TDBCheckBox")
    return {{"AutoSize", "False"}};
  return {};
}

std::optional<DfmSetting> RuntimeSetting(const SettingRule& rule, std::string_view value) {
  if (rule.kind == SettingRule::Kind::kRuntime) {
    for (const auto& [fox, unused] : rule.values) {
      if (SameFoxValue(fox, value)) return DfmSetting{rule.dfm_property, fox};
    }
  } else if (rule.converter == "@anchors") {
    if (const std::optional<int> anchor = RuntimeAnchor(value)) return DfmSetting{"FoxAnchor", std::to_string(*anchor)};
  }
  return std::nullopt;
}

const std::string* FindSetting(const std::vector<DfmSetting>& settings, std::string_view name) {
  for (const DfmSetting& setting : settings) {
    if (SameText(setting.name, name)) return &setting.value;
  }
  return nullptr;
}

std::int64_t IntegerSetting(const std::vector<DfmSetting>& settings, std::string_view name) {
  const std::string* value = FindSetting(settings, name);
  std::int64_t number = 0;
  if (value != nullptr) std::from_chars(value->data(), value->data() + value->size(), number);
  return number;
}

SettingConverter::SettingConverter(int code_page, const PublishedProperties& table, const FoxDefaults& defaults,
                                   const SettingRules& rules, const Lists& lists)
    : code_page_(code_page),
      table_(table),
      defaults_(defaults),
      rules_(rules),
      lists_(lists),
      vocabulary_(scratch_dfm_, lists) {}

ConvertedSettings SettingConverter::Convert(const TextList& lines, std::string_view fox_class,
                                            std::string_view table_class, std::string_view prefix) const {
  ConvertedSettings result;
  std::vector<bool> kept(lines.size(), false);
  // One DFM line per converted line, so that the font-style rule finds and
  // merges into the object's earlier flag line as in pass 2.
  TextList& dfm = scratch_dfm_;
  dfm.clear();
  std::vector<std::size_t> source;      // the index in `lines` of each DFM line
  std::vector<std::string> raw_values;  // the FoxPro value of each DFM line
  PropertyConverter& vocabulary = vocabulary_;
  vocabulary.SetObjectFirstLine(0);
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
    std::string assignment;
    if (const SettingRule* rule = rules_.Find(table_class, property)) {
      if (rule->kind == SettingRule::Kind::kComponent || RuntimeSetting(*rule, value)) {
        result.deferred.emplace_back(line);
        continue;
      }
      if (rule->kind == SettingRule::Kind::kDelphiLook && MappedValue(*rule, value)) continue;
      if (rule->kind == SettingRule::Kind::kProperty) assignment = ConvertByRule(*rule, value);
    } else {
      assignment = vocabulary.ConvertPropertyLine(line);
      if (assignment.empty() && IsFontFlag(lists_, property, value)) continue;
    }
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

TextList SettingConverter::WithoutFoxDefaults(TextList lines, std::string_view base_class) const {
  const FoxDefaults::Rows* defaults = defaults_.Find(base_class);
  if (defaults == nullptr) return lines;
  // The lines in order of property, each property's lines in their own
  // order: the last of each run decides for all of them.
  std::vector<std::size_t> order(lines.size());
  std::vector<std::string_view> properties(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    order[i] = i;
    properties[i] = TrimBlanks(NamePart(lines[i]));
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return CompareText(properties[a], properties[b]) < 0; });
  std::vector<bool> dropped(lines.size(), false);
  for (std::size_t end = 0; end < order.size();) {
    std::size_t start = end;
    while (end < order.size() && SameText(properties[order[end]], properties[order[start]])) ++end;
    const std::size_t last = order[end - 1];
    const auto row = defaults->find(properties[last]);
    const bool is_default = row != defaults->end() && SameFoxValue(row->second, TrimBlanks(ValuePart(lines[last])));
    for (; start < end; ++start) dropped[order[start]] = is_default;
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (dropped[i]) continue;
    if (kept != i) lines[kept] = std::move(lines[i]);
    ++kept;
  }
  lines.resize(kept);
  return lines;
}

void SettingConverter::AddDefaults(ConvertedSettings& converted, std::string_view base_class,
                                   std::string_view fox_class, std::string_view table_class) const {
  const DefaultSettingList& defaults = DefaultSettings(base_class, fox_class, table_class);
  converted.settings.reserve(converted.settings.size() + defaults.size());
  for (const auto& [property, setting] : defaults) {
    if (!converted.carried.contains(property) && FindSetting(converted.settings, setting.name) == nullptr)
      converted.settings.push_back(setting);
  }
}

const std::vector<std::pair<std::string, DfmSetting>>& SettingConverter::DefaultSettings(
    std::string_view base_class, std::string_view fox_class, std::string_view table_class) const {
  std::string key = std::to_string(code_page_) + '\n' + std::string(base_class) + '\n' + std::string(fox_class) +
                    '\n' + std::string(table_class);
  // With the shared tables, the settings are the same for every form of a
  // code page: worked out once for all of them, on whichever thread comes first.
  const bool shared = &table_ == &PublishedProperties::Shared() && &defaults_ == &FoxDefaults::Shared() &&
                      &rules_ == &SettingRules::Shared() && &lists_ == &Lists::Shared();
  static DefaultSettingsMemo shared_memo;
  DefaultSettingsMemo& memo = shared ? shared_memo : own_default_settings_;
  {
    const std::shared_lock reading(memo.lock);
    if (const auto found = memo.entries.find(key); found != memo.entries.end()) return found->second;
  }
  DefaultSettingList made = MakeDefaultSettings(base_class, fox_class, table_class);
  const std::unique_lock writing(memo.lock);
  return memo.entries.try_emplace(std::move(key), std::move(made)).first->second;
}

SettingConverter::DefaultSettingList SettingConverter::MakeDefaultSettings(std::string_view base_class,
                                                                           std::string_view fox_class,
                                                                           std::string_view table_class) const {
  DefaultSettingList made;
  const FoxDefaults::Rows* defaults = defaults_.Find(base_class);
  if (defaults == nullptr) return made;
  // Row by row, so that each setting is known by the property it stands for.
  for (const auto& [property, value] : *defaults) {
    for (DfmSetting& setting : Convert({property + " = " + value}, fox_class, table_class).settings) {
      const PropertyType* type = table_.Find(table_class, setting.name);
      if (type == nullptr || type->default_value != setting.value) made.emplace_back(property, setting);
    }
  }
  return made;
}

std::string SettingConverter::ConvertByRule(const SettingRule& rule, std::string_view value) const {
  std::optional<std::string> dfm_value;
  if (!rule.values.empty()) {
    dfm_value = MappedValue(rule, value);
  } else if (rule.converter == "@anchors") {
    dfm_value = AnchorsOf(value);
  } else if (rule.converter == "@text") {
    dfm_value = TextOf(value);
  } else if (value.starts_with('"')) {
    dfm_value = QuotedToDfmString(value);
  } else if (SameText(value, ".T.") || SameText(value, ".F.")) {
    dfm_value = SameText(value, ".T.") ? "True" : "False";
  } else if (rule.dfm_property.ends_with("Color") && IsFoxColor(value)) {
    dfm_value = ConvertColor(value);
  } else {
    dfm_value = std::string(value);
  }
  return dfm_value && !dfm_value->empty() ? rule.dfm_property + " = " + *dfm_value : std::string();
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
