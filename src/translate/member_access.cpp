#include "translate/member_access.h"

#include <algorithm>

#include "base/ascii.h"
#include "translate/not_translated.h"

namespace quorvex {

namespace {

// When a row applies, beyond its classes: what the object's stored settings
// must say for the Delphi property to mean what FoxPro's does.
enum class Condition {
  kAlways,
  kTextValue,     // a text or edit box holding a string, bound to nothing, shown as it is
  kCheckNumber,   // a check box whose Value is 0 or 1 (or 2, grayed)
  kCheckLogical,  // a check box whose Value is .T. or .F.
  kGroupNumber,   // an option group of option buttons whose Value is the number of the one chosen
  kListText,      // a list box of one column whose Value is the text of the item chosen
  kDropDownList,  // a combo box of that kind that offers its list only (Style 2)
  kOwnItems,      // a list or combo box whose items the code adds (RowSourceType 0)
  kSpinWhole,     // a spinner of whole numbers
  kNoRefreshCode, // an object in which no FoxPro Refresh method or ControlSource would take part
  kModeless,      // a form FoxPro shows modeless
  kNoAmpersand,   // an object whose stored caption has no "&"
};

struct Row {
  std::string_view classes;  // Delphi classes, blank-separated; "*" any but TTimer
  std::string_view name;     // FoxPro's
  PasType type;              // the value's (a method's: of its one argument, or of its value)
  std::string_view read;     // template, or "" where it cannot be read
  std::string_view write;    // template, or "" where it cannot be set
  Condition condition = Condition::kAlways;
};

// Templates: %p is the object's field and a dot ("" for the form, whose
// members the methods reach by name), %q the same of the control that places
// it (a panel holding it: FoxObject::placed_by), %o the object, %v the value,
// %V the value as an operand, %1 the first argument as an operand, %m the
// object's members.
constexpr std::string_view kFontControls =
    "TForm TButton TLabel TStaticText TEdit TMemo TCheckBox TRadioButton TComboBox TListBox TGroupBox TPanel "
    "TPageControl TSpinEdit TDBGrid";
constexpr std::string_view kColorControls =
    "TForm TLabel TStaticText TEdit TMemo TCheckBox TRadioButton TComboBox TListBox TGroupBox TPanel TSpinEdit TDBGrid";
constexpr std::string_view kCaptioned = "TForm TButton TLabel TStaticText TCheckBox TRadioButton TTabSheet";
constexpr std::string_view kFocusable =
    "TButton TEdit TMemo TCheckBox TRadioButton TComboBox TListBox TSpinEdit TDBGrid TPageControl";
constexpr std::string_view kLists = "TListBox TComboBox";

constexpr Row kProperties[] = {
    // FoxPro measures a form's inside, as ClientWidth and ClientHeight do.
    {"TForm", "Width", PasType::kInteger, "ClientWidth", "ClientWidth := %v"},
    {"TForm", "Height", PasType::kInteger, "ClientHeight", "ClientHeight := %v"},
    {"TTimer", "Enabled", PasType::kLogical, "%pEnabled", "%pEnabled := %v"},
    {"TTimer", "Interval", PasType::kInteger, "%pInterval", "%pInterval := %v"},
    {"TTabSheet", "Visible", PasType::kLogical, "", ""},
    {"*", "Enabled", PasType::kLogical, "%pEnabled", "%pEnabled := %v"},
    {"*", "Visible", PasType::kLogical, "%qVisible", "%qVisible := %v"},
    {"*", "Left", PasType::kInteger, "%qLeft", "%qLeft := %v"},
    {"*", "Top", PasType::kInteger, "%qTop", "%qTop := %v"},
    {"*", "Width", PasType::kInteger, "%qWidth", "%qWidth := %v"},
    {"*", "Height", PasType::kInteger, "%qHeight", "%qHeight := %v"},
    {"*", "ToolTipText", PasType::kString, "%pHint", "%pHint := %v"},
    // A caption stored with "&" shows it as an access key in Delphi: read
    // back, it would not be FoxPro's.
    {kCaptioned, "Caption", PasType::kString, "FoxCaptionOf(%pCaption)", "%pCaption := FoxCaption(%v)",
     Condition::kNoAmpersand},
    {kCaptioned, "Caption", PasType::kString, "", "%pCaption := FoxCaption(%v)"},
    // Colors and fonts are set, not read: the form may show a system color
    // where FoxPro would give the color's number.
    {kFontControls, "ForeColor", PasType::kInteger, "", "%pFont.Color := TColor(%v)"},
    {kColorControls, "BackColor", PasType::kInteger, "", "%pColor := TColor(%v)"},
    {"TShape", "BackColor", PasType::kInteger, "", "%pBrush.Color := TColor(%v)"},
    {kFontControls, "FontName", PasType::kString, "%pFont.Name", "%pFont.Name := %v"},
    {kFontControls, "FontSize", PasType::kInteger, "%pFont.Size", "%pFont.Size := %v"},
    {kFontControls, "FontBold", PasType::kLogical, "(fsBold in %pFont.Style)", "FoxFontStyle(%pFont, fsBold, %v)"},
    {kFontControls, "FontItalic", PasType::kLogical, "(fsItalic in %pFont.Style)",
     "FoxFontStyle(%pFont, fsItalic, %v)"},
    {kFontControls, "FontUnderline", PasType::kLogical, "(fsUnderline in %pFont.Style)",
     "FoxFontStyle(%pFont, fsUnderline, %v)"},
    {"TEdit TMemo", "Value", PasType::kString, "%pText", "FoxSetText(%o, %v)", Condition::kTextValue},
    {"TEdit TMemo", "ReadOnly", PasType::kLogical, "%pReadOnly", "%pReadOnly := %v"},
    {"TEdit TMemo", "SelStart", PasType::kInteger, "%pSelStart", "%pSelStart := %v"},
    {"TEdit TMemo", "SelLength", PasType::kInteger, "%pSelLength", "%pSelLength := %v"},
    {"TEdit TMemo", "MaxLength", PasType::kInteger, "%pMaxLength", "%pMaxLength := %v"},
    {"TCheckBox", "Value", PasType::kInteger, "FoxCheckState(%o)", "FoxSetCheckState(%o, %v)", Condition::kCheckNumber},
    {"TCheckBox", "Value", PasType::kLogical, "%pChecked", "FoxSetChecked(%o, %v)", Condition::kCheckLogical},
    {"TRadioButton", "Value", PasType::kInteger, "Ord(%pChecked)", "", Condition::kCheckNumber},
    {"TGroupBox", "Value", PasType::kInteger, "FoxOptionValue([%m])", "FoxSetOptionValue([%m], %v)",
     Condition::kGroupNumber},
    {"TListBox", "Value", PasType::kString, "FoxListText(%pItems, %pItemIndex)", "", Condition::kListText},
    {"TComboBox", "Value", PasType::kString, "%pText", "", Condition::kDropDownList},
    {"TComboBox", "DisplayValue", PasType::kString, "%pText", ""},
    {kLists, "ListIndex", PasType::kInteger, "(%pItemIndex + 1)", "%pItemIndex := %V - 1"},
    {kLists, "ListCount", PasType::kInteger, "%pItems.Count", ""},
    {"TSpinEdit", "Value", PasType::kInteger, "%pValue", "", Condition::kSpinWhole},
    {"TPageControl", "ActivePage", PasType::kInteger, "(%pActivePageIndex + 1)", "%pActivePageIndex := %V - 1"},
    {"TPageControl", "PageCount", PasType::kInteger, "%pPageCount", ""},
};

// A method's row: `read` is the call; `write` "value" where it gives one.
constexpr Row kMethods[] = {
    {kFocusable, "SetFocus", PasType::kVariant, "FoxSetFocus(%o)", ""},
    {"*", "Refresh", PasType::kVariant, "%pRefresh", "", Condition::kNoRefreshCode},
    {"TForm", "Release", PasType::kVariant, "FoxRelease(Self)", ""},
    {"TForm", "Hide", PasType::kVariant, "Hide", ""},
    {"TForm", "Show", PasType::kVariant, "Show", "", Condition::kModeless},
    {kLists, "AddItem", PasType::kString, "%pItems.Add(%1)", "", Condition::kOwnItems},
    {kLists, "RemoveItem", PasType::kInteger, "%pItems.Delete(%1 - 1)", "", Condition::kOwnItems},
    {kLists, "Clear", PasType::kVariant, "%pItems.Clear", "", Condition::kOwnItems},
    {kLists, "List", PasType::kInteger, "%pItems[%1 - 1]", "value"},
};

bool HasClass(std::string_view classes, std::string_view delphi_class) {
  if (classes == "*") return delphi_class != "TTimer";
  while (!classes.empty()) {
    const std::size_t blank = classes.find(' ');
    if (classes.substr(0, blank) == delphi_class) return true;
    classes = blank == std::string_view::npos ? std::string_view() : classes.substr(blank + 1);
  }
  return false;
}

bool IsQuoted(const std::string_view* value) {
  return value != nullptr && value->size() >= 2 && ((*value)[0] == '"' || (*value)[0] == '\'' || (*value)[0] == '[');
}

// A whole number as stored: "-3", "1.00".
bool IsWhole(const std::string_view* value) {
  if (value == nullptr) return true;
  std::string_view text = TrimBlanks(*value);
  if (!text.empty() && text[0] == '-') text.remove_prefix(1);
  const std::size_t point = text.find('.');
  if (point != std::string_view::npos) {
    if (text.find_first_not_of('0', point + 1) != std::string_view::npos) return false;
    text = text.substr(0, point);
  }
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool StoredIs(const FormObjects& form, int object, std::string_view property, std::string_view value) {
  const std::string_view* stored = form.Stored(object, property);
  return stored != nullptr && TrimBlanks(*stored) == value;
}

// Not stored, or stored empty ("" is no input mask, no format).
bool Unset(const FormObjects& form, int object, std::string_view property) {
  const std::string_view* stored = form.Stored(object, property);
  return stored == nullptr || TrimBlanks(*stored) == "\"\"" || TrimBlanks(*stored).empty();
}

bool ColumnOne(const FormObjects& form, int object, std::string_view property) {
  return Unset(form, object, property) || StoredIs(form, object, property, "0") ||
         StoredIs(form, object, property, "1");
}

bool IsLogical(const std::string_view* value) {
  if (value == nullptr) return false;
  const std::string upper = AsciiLowerCopy(TrimBlanks(*value));
  return upper == ".t." || upper == ".f.";
}

bool ListValue(const FormObjects& form, int object) {
  const std::string_view* value = form.Stored(object, "Value");
  return Unset(form, object, "ControlSource") && (value == nullptr || IsQuoted(value)) &&
         ColumnOne(form, object, "ColumnCount") && ColumnOne(form, object, "BoundColumn");
}

bool Holds(const FormObjects& form, int object, Condition condition) {
  const std::string_view* value = form.Stored(object, "Value");
  const bool unbound = Unset(form, object, "ControlSource");
  switch (condition) {
    case Condition::kAlways: return true;
    case Condition::kTextValue:
      return unbound && Unset(form, object, "InputMask") && Unset(form, object, "Format") &&
             (value == nullptr || IsQuoted(value));
    case Condition::kCheckNumber: return unbound && IsWhole(value);
    case Condition::kCheckLogical: return unbound && IsLogical(value);
    case Condition::kGroupNumber: {
      const FoxObject& group = form.objects[static_cast<std::size_t>(object)];
      return unbound && IsWhole(value) && !group.members.empty() &&
             std::all_of(group.members.begin(), group.members.end(), [&](int member) {
               return form.objects[static_cast<std::size_t>(member)].delphi_class == "TRadioButton";
             });
    }
    case Condition::kListText: return ListValue(form, object);
    case Condition::kDropDownList: return ListValue(form, object) && StoredIs(form, object, "Style", "2");
    case Condition::kOwnItems: return unbound && ColumnOne(form, object, "RowSourceType");
    case Condition::kSpinWhole: return unbound && IsWhole(value) && IsWhole(form.Stored(object, "Increment"));
    case Condition::kNoRefreshCode:
      return !form.AnyHasMethod(object, "Refresh") && !form.AnyStores(object, "ControlSource");
    case Condition::kModeless: return !StoredIs(form, object, "WindowType", "1");
    case Condition::kNoAmpersand: {
      const std::string_view* caption = form.Stored(object, "Caption");
      return caption == nullptr || caption->find('&') == std::string::npos;
    }
  }
  return false;
}

// What a row must have for the access asked: a template to read, or to set.
enum class Access { kRead, kWrite, kCall };

// The first row of `rows` for the object's class and `name` that has the
// access and whose condition holds; null when none has the access.
Translated<const Row*> FindRow(const FormObjects& form, int object, std::string_view name, Access access, const Row* begin,
                   const Row* end) {
  const FoxObject& target = form.objects.at(static_cast<std::size_t>(object));
  bool named = false;
  for (const Row* row = begin; row != end; ++row) {
    if (!SameText(row->name, name) || !HasClass(row->classes, target.delphi_class)) continue;
    if ((access == Access::kRead && row->read.empty()) || (access == Access::kWrite && row->write.empty())) continue;
    named = true;
    if (Holds(form, object, row->condition)) return row;
  }
  if (named) return NotTranslated{"property or method whose meaning depends on settings: " + std::string(name)};
  return nullptr;
}

bool AtTopLevelBlank(std::string_view text) {
  int depth = 0;
  char quote = 0;
  for (const char c : text) {
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'') {
      quote = c;
    } else if (c == '(' || c == '[') {
      ++depth;
    } else if (c == ')' || c == ']') {
      --depth;
    } else if (c == ' ' && depth == 0) {
      return true;
    }
  }
  return false;
}

std::string PlacingText(const FormObjects& form, int object) {
  const std::string_view panel = form.objects.at(static_cast<std::size_t>(object)).placed_by;
  return panel.empty() ? ObjectText(form, object) : std::string(panel);
}

std::string Fill(const FormObjects& form, int object, std::string_view pattern, const std::vector<PasExpr>& values) {
  const std::string object_text = ObjectText(form, object);
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 == pattern.size()) {
      text += pattern[i];
      continue;
    }
    switch (pattern[++i]) {
      case 'p': text += object == 0 ? std::string() : object_text + "."; break;
      case 'q': text += object == 0 ? std::string() : PlacingText(form, object) + "."; break;
      case 'o': text += object_text; break;
      case 'm':
        for (const int member : form.objects[static_cast<std::size_t>(object)].members)
          text += (text.ends_with('[') ? "" : ", ") + ObjectText(form, member);
        break;
      case 'v': text += values.at(0).text; break;
      case 'V': text += Operand(values.at(0), kSum); break;
      case '1': text += Operand(values.at(0), kSum); break;
      default: text += pattern[i];
    }
  }
  return text;
}

}  // namespace

std::string ObjectText(const FormObjects& form, int object) {
  return object == 0 ? std::string("Self") : std::string(form.objects.at(static_cast<std::size_t>(object)).pascal_name);
}

namespace {

// The field of `object`'s own property `property`, or "".
std::string_view CustomField(const FormObjects& form, int object, std::string_view property) {
  for (const auto& [fox_name, field] : form.objects.at(static_cast<std::size_t>(object)).custom)
    if (SameText(fox_name, property)) return field;
  return {};
}

}  // namespace

Translated<PasExpr> ReadProperty(const FormObjects& form, int object, std::string_view property) {
  if (const std::string_view field = CustomField(form, object, property); !field.empty())
    return PasExpr{std::string(field), PasType::kVariant};
  // The name FoxPro knows the object by, which the conversion may have changed.
  if (SameText(property, "Name")) {
    const std::string_view name = form.objects.at(static_cast<std::size_t>(object)).fox_name;
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
      return NotTranslated{"name beyond ASCII"};
    return PasExpr{PascalString(name), PasType::kString};
  }
  auto row = FindRow(form, object, property, Access::kRead, std::begin(kProperties), std::end(kProperties));
  if (!row) return std::move(row).Failure();
  if (*row == nullptr) return NotTranslated{"property not translated: " + std::string(property)};
  std::string text = Fill(form, object, (*row)->read, {});
  const int strength = AtTopLevelBlank(text) ? kRelation : kAtomic;
  return PasExpr{std::move(text), (*row)->type, strength};
}

Translated<std::string> WriteProperty(const FormObjects& form, int object, std::string_view property,
                                      const PasExpr& value) {
  if (const std::string_view field = CustomField(form, object, property); !field.empty()) {
    Translated<PasExpr> converted = ConvertTo(value, PasType::kVariant);
    if (!converted) return std::move(converted).Failure();
    return std::string(field) + " := " + converted->text;
  }
  auto row = FindRow(form, object, property, Access::kWrite, std::begin(kProperties), std::end(kProperties));
  if (!row) return std::move(row).Failure();
  if (*row == nullptr) return NotTranslated{"property not translated: " + std::string(property)};
  Translated<PasExpr> converted = ConvertTo(value, (*row)->type);
  if (!converted) return std::move(converted).Failure();
  return Fill(form, object, (*row)->write, {std::move(*converted)});
}

Translated<PasExpr> CallMethod(const FormObjects& form, int object, std::string_view method,
                   const std::vector<PasExpr>& arguments, bool& has_value) {
  const FoxObject& target = form.objects.at(static_cast<std::size_t>(object));
  // FoxPro runs the code of a method that its base class has (Refresh,
  // SetFocus) and then the base class's own work, which the Delphi method
  // standing for the code does not do.
  const bool builtin = std::any_of(std::begin(kMethods), std::end(kMethods),
                                   [&](const Row& row) { return SameText(row.name, method); });
  if (builtin && (std::any_of(target.methods.begin(), target.methods.end(),
                              [&](const CallableMethod& callable) { return SameText(callable.fox_name, method); }) ||
                  std::any_of(target.other_methods.begin(), target.other_methods.end(),
                              [&](std::string_view other) { return SameText(other, method); })))
    return NotTranslated{"built-in method with FoxPro code of its own"};
  for (const CallableMethod& callable : target.methods) {
    if (!SameText(callable.fox_name, method)) continue;
    if (!arguments.empty()) return NotTranslated{"method called with arguments"};
    has_value = false;
    const std::string name(callable.pascal_name);
    return PasExpr{callable.handler ? name + "(" + ObjectText(form, object) + ")" : name,
            PasType::kVariant, kAtomic};
  }
  auto found = FindRow(form, object, method, Access::kCall, std::begin(kMethods), std::end(kMethods));
  if (!found) return std::move(found).Failure();
  const Row* row = *found;
  if (row == nullptr) return NotTranslated{"method not translated: " + std::string(method)};
  const bool takes_argument = row->type != PasType::kVariant;
  if (arguments.size() != (takes_argument ? 1u : 0u)) return NotTranslated{"method called with other arguments"};
  has_value = row->write == "value";
  std::vector<PasExpr> values;
  if (takes_argument) {
    Translated<PasExpr> converted = ConvertTo(arguments[0], row->type);
    if (!converted) return std::move(converted).Failure();
    values.push_back(std::move(*converted));
  }
  return PasExpr{Fill(form, object, row->read, values), has_value ? PasType::kString : PasType::kVariant, kAtomic};
}

}  // namespace quorvex
