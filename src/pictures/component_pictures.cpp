#include "pictures/component_pictures.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/ascii.h"
#include "model/rule_lines.h"
#include "model/setting_conversion.h"
#include "pictures/picture_data.h"
#include "vocabulary/property_color.h"

namespace quorvex {

namespace {

// The colours that a picture's transparent pixels are blended over: a
// container's color as its .dfm value names it, the system colours as
// Windows shows them: a window's white, and for the others the button face
// (240,240,240, also FoxPro's default form colour).
constexpr RgbColor kButtonFace{240, 240, 240};
constexpr RgbColor kWindow{255, 255, 255};

RgbColor ShownColor(std::string_view color) {
  if (color == "clWindow") return kWindow;
  const std::optional<std::array<int, 3>> rgb = ColorRgb(color);
  if (!rgb) return kButtonFace;
  return {static_cast<std::uint8_t>((*rgb)[0]), static_cast<std::uint8_t>((*rgb)[1]),
          static_cast<std::uint8_t>((*rgb)[2])};
}

// FoxPro's PicturePosition puts the picture left of the caption (0 to 2:
// aligned with its top, centre, bottom), right of it (3 to 5), above it (6
// to 8: aligned with its left edge, centre, right edge), below it (9 to 11),
// or in the middle, the caption below (13, the default). Delphi centres
// glyph and caption together on one side: exact for the centred values, the
// nearest side for the others, whose line is kept as well. 12 (the caption
// over the picture's top) has no counterpart.
struct GlyphLayout {
  std::string_view layout;  // "" for Delphi's blGlyphLeft
  bool exact = true;
};

std::optional<GlyphLayout> LayoutOf(std::optional<std::string> position) {
  constexpr std::string_view kSides[] = {"", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
  if (!position || *position == "13") return GlyphLayout{"blGlyphTop", true};
  if (position->size() > 2 || position->empty() ||
      !std::all_of(position->begin(), position->end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const int value = std::stoi(*position);
  if (value > 11) return std::nullopt;
  return GlyphLayout{kSides[value / 3], value % 3 == 1};
}

class PictureCarrier {
 public:
  PictureCarrier(LoadableForm& form, const PictureFiles& files) : form_(form), files_(files) {}

  void Icon(Component& form);
  void Tree(Component& component, RgbColor background);

 private:
  // The file that `component`'s setting `property` names, read. An empty
  // name (bare or quoted) is no picture: its line is carried and nothing is
  // read. A file not found or not read gets a note, and its line stays.
  std::optional<PictureFile> Read(Component& component, std::string_view property);
  // A file that holds no picture of the kind wanted gets a note too.
  void NotAPicture(const Component& component, std::string_view property, const PictureFile& file);
  void Note(const Component& component, std::string_view property, const std::string& file, std::string_view what);

  void Image(Component& image, RgbColor background);
  void Button(Component& button);

  LoadableForm& form_;
  const PictureFiles& files_;
};

std::optional<PictureFile> PictureCarrier::Read(Component& component, std::string_view property) {
  const std::optional<std::string> stored = Stored(component, property);
  const std::optional<std::string> name = !stored || stored->empty() ? stored : CharacterValue(*stored);
  if (!name || !files_.source) return std::nullopt;
  if (name->empty()) {
    Carry(component, property);
    return std::nullopt;
  }
  std::string folder;
  for (const std::string& line : component.library_folders) {
    if (SameText(TrimBlanks(NamePart(line)), property)) folder = TrimBlanks(ValuePart(line));
  }
  PictureFile file = files_.source(*name, folder, files_.form_path);
  if (file.path.empty()) {
    Note(component, property, *name, "not found");
  } else if (!file.bytes) {
    Note(component, property, file.path, "could not be read");
  } else {
    return file;
  }
  return std::nullopt;
}

void PictureCarrier::NotAPicture(const Component& component, std::string_view property, const PictureFile& file) {
  Note(component, property, file.path, "holds no picture this program reads (BMP, PNG, JPEG, GIF, icon)");
}

void PictureCarrier::Note(const Component& component, std::string_view property, const std::string& file,
                          std::string_view what) {
  form_.notes.push_back("   Note: picture file " + file + " of " + component.fox_path + "." + std::string(property) +
                        " " + std::string(what) + "; kept as a comment");
}

void PictureCarrier::Icon(Component& form) {
  const std::optional<PictureFile> file = Read(form, "Icon");
  if (!file) return;
  const std::optional<std::string> icon = IconData(*file->bytes);
  if (!icon) return NotAPicture(form, "Icon", *file);
  PutSetting(form.settings, {"Icon.Data", DfmBinaryText(*icon)});
  Carry(form, "Icon");
}

void PictureCarrier::Tree(Component& component, RgbColor background) {
  if (component.delphi_class == "TImage") Image(component, background);
  if (component.delphi_class == "TButton") Button(component);
  const std::string* color = FindSetting(component.settings, "Color");
  const RgbColor inside = color != nullptr ? ShownColor(*color) : background;
  for (Component& child : component.children) Tree(child, inside);
}

// FoxPro's Stretch: 0 clips the picture (Delphi's default), 1 fits it keeping
// its proportions, 2 fills the control. Transparent pixels show the colour
// the image stands on.
void PictureCarrier::Image(Component& image, RgbColor background) {
  const std::optional<std::string> stretch = Stored(image, "Stretch");
  if (stretch == "1" || stretch == "2") {
    PutSetting(image.settings, {"Stretch", "True"});
    if (stretch == "1") PutSetting(image.settings, {"Proportional", "True"});
    Carry(image, "Stretch");
  }
  const std::optional<PictureFile> file = Read(image, "Picture");
  if (!file) return;
  const std::optional<std::string> picture = PictureData(*file->bytes, background);
  if (!picture) return NotAPicture(image, "Picture", *file);
  PutSetting(image.settings, {"Picture.Data", DfmBinaryText(*picture)});
  Carry(image, "Picture");
}

// A button with a picture is a TBitBtn, whose glyph holds the picture and,
// second, the disabled picture; without one Delphi greys the picture, as
// FoxPro does.
void PictureCarrier::Button(Component& button) {
  const std::optional<PictureFile> picture = Read(button, "Picture");
  const std::optional<PictureFile> disabled = Read(button, "DisabledPicture");
  if (!picture) return;
  const std::optional<ButtonGlyph> glyph = GlyphData(
      *picture->bytes, disabled ? std::optional<std::string_view>(*disabled->bytes) : std::nullopt, kButtonFace);
  if (!glyph) return NotAPicture(button, "Picture", *picture);
  button.delphi_class = "TBitBtn";
  PutSetting(button.settings, {"Glyph.Data", DfmBinaryText(glyph->data)});
  Carry(button, "Picture");
  if (glyph->num_glyphs == 2) {
    PutSetting(button.settings, {"NumGlyphs", "2"});
    Carry(button, "DisabledPicture");
  } else if (disabled) {
    NotAPicture(button, "DisabledPicture", *disabled);
  }
  const std::optional<GlyphLayout> layout = LayoutOf(Stored(button, "PicturePosition"));
  if (!layout) return;
  if (!layout->layout.empty()) PutSetting(button.settings, {"Layout", std::string(layout->layout)});
  if (layout->exact) Carry(button, "PicturePosition");
}

}  // namespace

void CarryPictures(LoadableForm& form, const PictureFiles& files) {
  PictureCarrier carrier(form, files);
  carrier.Icon(form.root);
  const std::string* color = FindSetting(form.root.settings, "Color");
  carrier.Tree(form.root, color != nullptr ? ShownColor(*color) : kButtonFace);
}

}  // namespace quorvex
