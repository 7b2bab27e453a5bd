#pragma once
// The pictures a FoxPro form names (an image's or a button's Picture, a
// button's DisabledPicture, the form's Icon) as the binary property values
// with which a form text holds pictures, so that Delphi and the LCL show them:
//
//   Picture.Data (TPicture):  the graphic's class name as a ShortString (one
//                             length byte, then the name), then that graphic's
//                             own data, as below.
//   TBitmap data (Glyph.Data, and a TPicture's "TBitmap"): the size of the .bmp
//                             file (32 bits, little-endian), then the file.
//   TIcon data (Icon.Data, and a TPicture's "TIcon"): the .ico file itself, with
//                             no size in front (Delphi writes none; the LCL reads
//                             an icon with or without one).
//
// Every bitmap written is a 24-bit .bmp with a BITMAPINFOHEADER, which both
// readers take. Where a picture is not opaque (a PNG's or GIF's transparent
// pixels) it is blended over the colour it is shown on, since the two
// readers do not draw a bitmap's alpha alike.
//
// The bytes come from a file named in a form: they are never trusted. Every
// function gives nothing for bytes it cannot read, and bounds what it decodes
// (kMaxPictureFileBytes here, the pixel bounds of image_codec.h). Safe to call
// on several threads at once.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

// The largest picture file read.
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{16} << 20;

// The colour a picture is shown on, for its pixels that are not opaque.
struct RgbColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// The value of a TImage's Picture.Data for a picture file: an icon file as a
// "TIcon" (its images laid out afresh: WriteIconFile); a BMP, PNG, JPEG or GIF
// (its first frame), or a cursor file's image nearest 32 pixels, as a
// "TBitmap". Nothing for any other bytes.
std::optional<std::string> PictureData(std::string_view file, RgbColor background);

// A TBitBtn's Glyph (TBitmap data) and its NumGlyphs.
struct ButtonGlyph {
  std::string data;
  int num_glyphs = 1;
};

// The glyph of a button from its Picture file and, when it has one, its
// DisabledPicture file: one bitmap, or two side by side (the disabled one
// second, NumGlyphs 2), each in a cell as large as the larger of them, at its
// top left, the rest of the cell `background`. An icon or cursor file gives
// its image nearest 32 pixels; a .bmp file's white pixels are transparent, as
// FoxPro shows them on a button. Nothing when the picture cannot be read; a
// disabled picture that cannot be read is left out (NumGlyphs 1).
std::optional<ButtonGlyph> GlyphData(std::string_view picture, std::optional<std::string_view> disabled,
                                     RgbColor background);

// The value of a form's Icon.Data: an icon file with its images laid out
// afresh (WriteIconFile), or an image no larger than 256 pixels each way as
// an icon of one 32-bit image. Nothing for a cursor file, a larger image, or
// bytes that are not a picture.
std::optional<std::string> IconData(std::string_view file);

// Binary bytes as a DFM value: "{", the bytes as pairs of upper-case hex
// digits, "}"; from 32 bytes on, a line break (LF, as in the component
// model's values of several lines) before every 32 bytes, as Delphi lays
// binary values out (CanonicaliseDfmText indents them).
std::string DfmBinaryText(std::string_view bytes);

}  // namespace quorvex
