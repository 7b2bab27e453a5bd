#include "look/drawing_order.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/ascii.h"
#include "catalog/published_properties.h"
#include "model/rule_lines.h"
#include "model/setting_conversion.h"

namespace quorvex {

namespace {

struct Rect {
  std::int64_t left, top, right, bottom;
};

// What FoxPro shows under a graphic control among the controls made before it.
struct Underneath {
  bool windowed = false;  // a windowed control: Delphi and the LCL would draw it over the graphic one
  // The one colour FoxPro shows behind the graphic control: "" for its
  // container's; none where that is not one colour.
  std::optional<std::string> color;
};

bool IsGraphic(std::string_view delphi_class) {
  constexpr std::array<std::string_view, 4> kGraphic = {"TLabel", "TShape", "TImage", "TBevel"};
  return std::find(kGraphic.begin(), kGraphic.end(), delphi_class) != kGraphic.end();
}

bool SettingIs(const Component& component, std::string_view name, std::string_view value) {
  const std::string* setting = FindSetting(component.settings, name);
  return setting != nullptr && *setting == value;
}

// Where a control stands in its container; none for a component that is no
// control (a timer, a data source), which has no size.
std::optional<Rect> Bounds(const Component& component) {
  if (FindSetting(component.settings, "Width") == nullptr || FindSetting(component.settings, "Height") == nullptr)
    return std::nullopt;
  const std::int64_t left = IntegerSetting(component.settings, "Left");
  const std::int64_t top = IntegerSetting(component.settings, "Top");
  return Rect{left, top, left + IntegerSetting(component.settings, "Width"),
              top + IntegerSetting(component.settings, "Height")};
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const Rect& outer, const Rect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// The colour a container shows over `area` (in its own coordinates) where
// none of its members stands there: "" for its own container's. Other
// windowed controls draw text, frames or items of their own.
std::optional<std::string> PlainColor(const Component& container, const Rect& area) {
  if (container.delphi_class != "TPanel" && container.delphi_class != "TGroupBox") return std::nullopt;
  for (const Component& member : container.children) {
    const std::optional<Rect> bounds = Bounds(member);
    if (bounds && Overlap(*bounds, area)) return std::nullopt;
  }
  if (SettingIs(container, "ParentColor", "True")) return "";
  if (const std::string* color = FindSetting(container.settings, "Color")) return *color;
  const PropertyType* type = PublishedProperties::Shared().Find(container.delphi_class, "Color");
  if (type == nullptr) return std::nullopt;
  return type->default_value;
}

// The windowed control made last before the graphic control that overlaps
// it is the one FoxPro shows right under it.
Underneath Under(const Rect& area, std::span<const Component> earlier) {
  for (auto control = earlier.rbegin(); control != earlier.rend(); ++control) {
    if (IsGraphic(control->delphi_class)) continue;
    const std::optional<Rect> bounds = Bounds(*control);
    if (!bounds || !Overlap(*bounds, area)) continue;
    if (!Contains(*bounds, area)) return {true, std::nullopt};
    const Rect inside{area.left - bounds->left, area.top - bounds->top, area.right - bounds->left,
                      area.bottom - bounds->top};
    return {true, PlainColor(*control, inside)};
  }
  return {};
}

// A static text has no WordWrap in either (Delphi's breaks the lines that do
// not fit, the LCL's does not): FoxPro's setting is kept as a comment. It is
// transparent unless told otherwise, and after its colour.
void MakeStaticText(Component& label, const std::optional<std::string>& behind) {
  label.delphi_class = "TStaticText";
  if (const std::string* wrap = FindSetting(label.settings, "WordWrap")) {
    label.kept.push_back({{}, std::string("WordWrap = ") + (*wrap == "True" ? ".T." : ".F.")});
    std::erase_if(label.settings, [](const DfmSetting& setting) { return setting.name == "WordWrap"; });
  }
  const bool transparent = SettingIs(label, "Transparent", "True");
  const bool on_one_color = behind && !behind->empty();
  std::erase_if(label.settings, [](const DfmSetting& setting) { return setting.name == "Transparent"; });
  if (transparent && !on_one_color) return;
  if (transparent) PutSetting(label.settings, {"Color", *behind});
  label.settings.push_back({"Transparent", "False"});
}

// True where the control covers every pixel of its rectangle: an image with
// a picture is taken to, as the designers size it to its picture.
bool PaintsWholly(const Component& graphic) {
  if (graphic.delphi_class == "TImage") return Stored(graphic, "Picture").has_value();
  if (graphic.delphi_class == "TShape") {
    const std::string* shape = FindSetting(graphic.settings, "Shape");
    return !SettingIs(graphic, "Brush.Style", "bsClear") && (shape == nullptr || *shape == "stRectangle");
  }
  // A line is drawn as two lines of one pixel each.
  return IntegerSetting(graphic.settings, SettingIs(graphic, "Shape", "bsLeftLine") ? "Width" : "Height") == 2;
}

bool PanelKeepsLook(const Component& graphic, const Underneath& under) {
  const bool draws_nothing = graphic.delphi_class == "TShape" && SettingIs(graphic, "Brush.Style", "bsClear") &&
                             SettingIs(graphic, "Pen.Style", "psClear");
  return !draws_nothing && (under.color || PaintsWholly(graphic));
}

// The panel stands where the control stood, under its name, is shown or
// hidden with it and follows its anchors; the control fills it, named after
// it and its class (shpMarkShape).
Component PanelAround(Component graphic, const Underneath& under, UniqueNames& names) {
  Component panel;
  panel.identifier = graphic.identifier;
  panel.original_name = panel.identifier;
  panel.delphi_class = "TPanel";
  panel.holds_graphic = true;
  graphic.identifier = names.Take(graphic.identifier + graphic.delphi_class.substr(1));
  panel.remark = "Holds " + graphic.identifier + ", which FoxPro draws over the windowed controls made before it";
  for (const std::string_view name : {"Left", "Top", "Width", "Height", "Anchors", "Visible"}) {
    const std::string* value = FindSetting(graphic.settings, name);
    if (value == nullptr) continue;
    if (name != "Visible" || *value != "True") panel.settings.push_back({std::string(name), *value});
    if (name != "Width" && name != "Height")
      std::erase_if(graphic.settings, [&](const DfmSetting& setting) { return setting.name == name; });
  }
  graphic.settings.push_back({"Anchors", "[akLeft, akTop, akRight, akBottom]"});
  // An anchor the runtime keeps (an edge in proportion, a centre) moves the
  // panel too, not the control within it.
  for (const std::string& line : graphic.rule_lines) {
    if (SameText(TrimBlanks(NamePart(line)), "Anchor")) panel.rule_lines.push_back(line);
  }
  std::erase_if(graphic.rule_lines,
                [](const std::string& line) { return SameText(TrimBlanks(NamePart(line)), "Anchor"); });
  panel.settings.push_back({"BevelOuter", "bvNone"});
  if (under.color && !under.color->empty()) {
    panel.settings.push_back({"Color", *under.color});
  } else {
    panel.settings.push_back({"ParentColor", "True"});
  }
  panel.children.push_back(std::move(graphic));
  return panel;
}

}  // namespace

void DrawInCreationOrder(Component& container, UniqueNames& names) {
  std::vector<Component>& members = container.children;
  for (std::size_t i = 0; i < members.size(); ++i) {
    Component& member = members[i];
    const std::optional<Rect> area = Bounds(member);
    if (!IsGraphic(member.delphi_class) || !area) {
      DrawInCreationOrder(member, names);
      continue;
    }
    const Underneath under = Under(*area, std::span<const Component>(members.data(), i));
    if (!under.windowed) continue;
    if (member.delphi_class == "TLabel") {
      MakeStaticText(member, under.color);
    } else if (PanelKeepsLook(member, under)) {
      member = PanelAround(std::move(member), under, names);
    }
  }
}

}  // namespace quorvex
