#include "look/component_look.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "model/setting_conversion.h"

namespace quorvex {

void ShapeBevel(Component& bevel) {
  const std::int64_t width = IntegerSetting(bevel.settings, "Width");
  const std::int64_t height = IntegerSetting(bevel.settings, "Height");
  const bool across = height <= width;
  PutSetting(bevel.settings, {"Shape", across ? "bsTopLine" : "bsLeftLine"});
  const std::string_view thickness = across ? "Height" : "Width";
  if ((across ? height : width) < 2) PutSetting(bevel.settings, {std::string(thickness), "2"});
}

// A label is opaque in Delphi until it is made transparent, and in the LCL
// until its color is none; giving it a color makes it opaque again. So an
// opaque label is given its color and nothing more, and Transparent comes
// after the color. A transparent label shows no color: FoxPro's default one
// is left out.
void SettleLabelBackground(Component& label) {
  const std::string* transparent = FindSetting(label.settings, "Transparent");
  if (transparent == nullptr) return;
  DfmSetting setting{"Transparent", *transparent};
  const auto named = [](std::string_view name) { return [name](const DfmSetting& each) { return each.name == name; }; };
  std::erase_if(label.settings, named("Transparent"));
  if (setting.value == "True") {
    const std::string* color = FindSetting(label.settings, "Color");
    if (color != nullptr && *color == "clBtnFace") std::erase_if(label.settings, named("Color"));
    label.settings.push_back(std::move(setting));
  } else if (FindSetting(label.settings, "Color") == nullptr) {
    label.settings.push_back(std::move(setting));
  }
}

void SettleParentColor(Component& component) {
  const std::string* parent_color = FindSetting(component.settings, "ParentColor");
  if (parent_color != nullptr && *parent_color == "True")
    std::erase_if(component.settings, [](const DfmSetting& setting) { return setting.name == "Color"; });
}

// What FoxPro measured for such a label is the size its record stores.
void KeepSizeWithoutCaption(Component& label) {
  const std::string* caption = FindSetting(label.settings, "Caption");
  const std::string* auto_size = FindSetting(label.settings, "AutoSize");
  if ((caption == nullptr || *caption == "''") && auto_size != nullptr && *auto_size == "True")
    PutSetting(label.settings, {"AutoSize", "False"});
}

// For a container whose size neither its record nor a class that was read
// gives: its members are where FoxPro shows them. Only members of a known
// extent measure it (a timer has none, nor a member that only a missing class
// sizes); where none has one across or down, the container keeps the size it
// has that way, its record's or its base class's, rather than none at all.
void FitMembers(Component& container, bool width, bool height) {
  std::int64_t right = -1, bottom = -1, left = 0, top = 0;
  bool first = true;
  for (const Component& member : container.children) {
    const bool across = FindSetting(member.settings, "Width") != nullptr;
    const bool down = FindSetting(member.settings, "Height") != nullptr;
    if (!across && !down) continue;
    const std::int64_t member_left = IntegerSetting(member.settings, "Left");
    const std::int64_t member_top = IntegerSetting(member.settings, "Top");
    if (across) right = std::max(right, member_left + IntegerSetting(member.settings, "Width"));
    if (down) bottom = std::max(bottom, member_top + IntegerSetting(member.settings, "Height"));
    left = first ? member_left : std::min(left, member_left);
    top = first ? member_top : std::min(top, member_top);
    first = false;
  }
  // After the members, the margin they keep from the nearer edge.
  const std::int64_t margin = std::max<std::int64_t>(std::min(left, top), 0);
  // Members placed past what a control can measure leave the size alone.
  constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
  const auto fit = [&](bool asked, std::string name, std::int64_t extent) {
    if (asked && extent > 0 && extent + margin <= kLargest)
      PutSetting(container.settings, {std::move(name), std::to_string(extent + margin)});
  };
  fit(width, "Width", right);
  fit(height, "Height", bottom);
}

}  // namespace quorvex
