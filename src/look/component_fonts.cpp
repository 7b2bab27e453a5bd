#include "look/component_fonts.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "model/setting_conversion.h"

namespace quorvex {

namespace {

constexpr std::string_view kName = "Font.Name";
constexpr std::string_view kSize = "Font.Size";
constexpr std::string_view kStyle = "Font.Style";
constexpr std::string_view kColor = "Font.Color";
constexpr std::string_view kNoStyle = "[]";
// The text color of the Windows color scheme, which FoxPro and both form
// designers use where no color is given. FoxPro gives buttons the button
// text color, which Delphi and the LCL draw them in anyway.
constexpr std::string_view kTextColor = "clWindowText";
constexpr std::string_view kButtonTextColor = "clBtnText";

// A font as DFM values.
struct Font {
  std::string name, size, style{kNoStyle}, color{kTextColor};

  bool operator==(const Font& other) const {
    return SameText(name, other.name) && size == other.size && style == other.style &&
           SameText(color, other.color);
  }
};

std::string SettingOr(const Component& component, std::string_view name, std::string_view otherwise) {
  const std::string* value = FindSetting(component.settings, name);
  return value != nullptr ? *value : std::string(otherwise);
}

bool IsFontSetting(const DfmSetting& setting) { return setting.name.starts_with("Font."); }

// The font `component` asks for, shown inside a container showing `outer`.
Font WantedFont(const Component& component, const Font& outer) {
  const bool own = FindSetting(component.settings, kName) != nullptr || FindSetting(component.settings, kSize);
  const Font base = own ? Font{outer.name, outer.size} : outer;
  std::string color = SettingOr(component, kColor, base.color);
  if (SameText(color, kButtonTextColor)) color = kTextColor;
  return {SettingOr(component, kName, base.name), SettingOr(component, kSize, base.size),
          SettingOr(component, kStyle, base.style), std::move(color)};
}

// Replaces the component's Font.* settings by the whole of `font`, where the
// first of them stood. Delphi starts a control's font from its container's
// (`outer`), so a style or color is written where either differs from the
// default.
void WriteFont(Component& component, const Font& font, const Font& outer) {
  std::vector<DfmSetting> whole;
  if (font.color != kTextColor || outer.color != kTextColor) whole.push_back({std::string(kColor), font.color});
  if (!font.name.empty()) whole.push_back({std::string(kName), font.name});
  if (!font.size.empty()) whole.push_back({std::string(kSize), font.size});
  if (font.style != kNoStyle || outer.style != kNoStyle) whole.push_back({std::string(kStyle), font.style});
  auto& settings = component.settings;
  const auto at = std::find_if(settings.begin(), settings.end(), IsFontSetting) - settings.begin();
  std::erase_if(settings, IsFontSetting);
  settings.insert(settings.begin() + std::min<std::ptrdiff_t>(at, std::ssize(settings)), whole.begin(), whole.end());
}

void Settle(Component& component, const Font& outer) {
  const Font wanted = WantedFont(component, outer);
  if (wanted == outer) {
    std::erase_if(component.settings, IsFontSetting);
  } else {
    WriteFont(component, wanted, outer);
  }
  for (Component& child : component.children) Settle(child, wanted);
}

}  // namespace

void SettleFonts(Component& form) {
  // Nothing the form could show by itself: it always writes its font.
  const Font nothing{"", "", std::string(kNoStyle), std::string(kTextColor)};
  const Font wanted = WantedFont(form, nothing);
  WriteFont(form, wanted, nothing);
  for (Component& child : form.children) Settle(child, wanted);
}

}  // namespace quorvex
