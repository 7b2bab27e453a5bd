// Fuzz target: any bytes as a picture file. Besides not crashing or growing
// past the bounds, what the picture functions give must read back: a TBitmap
// as its size and a .bmp that decodes, a TIcon or an Icon.Data as an icon
// file that reads whole, and every value through the form text's reader.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "formstream/canonical_dfm.h"
#include "formstream/canonical_parser.h"
#include "pictures/icon_file.h"
#include "pictures/picture_data.h"
#include "table/byte_order.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

void CheckBitmapData(std::string_view data) {
  Check(data.size() > 4 && quorvex::LittleEndian32(data, 0) == data.size() - 4);
  Check(quorvex::DecodeImage(data.substr(4)).has_value());
}

// The value as a form text's binary property reads back as the same bytes.
void CheckDfmValue(const std::string& data) {
  const std::string text = "object Image1: TImage\r\n  Picture.Data = " + quorvex::DfmBinaryText(data) + "\r\nend\r\n";
  const quorvex::DfmObject image = quorvex::ParseDfmText(quorvex::CanonicaliseDfmText(text));
  Check(std::get<quorvex::DfmBinary>(image.properties.at(0).value.data).bytes == data);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const quorvex::RgbColor background{240, 240, 240};
  if (const std::optional<std::string> picture = quorvex::PictureData(file, background)) {
    const std::size_t length = static_cast<unsigned char>(picture->at(0));
    const std::string_view graphic = std::string_view(*picture).substr(1, length);
    const std::string_view rest = std::string_view(*picture).substr(1 + length);
    if (graphic == "TIcon") {
      Check(quorvex::ReadIconFile(rest).has_value());
    } else {
      Check(graphic == "TBitmap");
      CheckBitmapData(rest);
    }
    CheckDfmValue(*picture);
  }
  if (const std::optional<quorvex::ButtonGlyph> glyph = quorvex::GlyphData(file, file, background)) {
    Check(glyph->num_glyphs == 2);
    CheckBitmapData(glyph->data);
  }
  if (const std::optional<std::string> icon = quorvex::IconData(file)) {
    Check(quorvex::ReadIconFile(*icon).has_value());
  }
  return 0;
}
