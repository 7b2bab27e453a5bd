#pragma once
// Images decoded and written by stb_image and stb_image_write (Debian's
// libstb-dev, compiled into image_codec.cpp alone): BMP, PNG, JPEG and GIF
// read into plain RGBA pixels, and pixels written as a .bmp file.
//
// Every function is safe to call on several threads at once.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// Bounds on what is decoded, far above any picture a form shows: a side
// longer than kMaxImageSide or more than kMaxImagePixels in all is refused
// before any pixel is decoded.
inline constexpr int kMaxImageSide = 8192;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{4} << 20;

// Pixels as 4 bytes each, red, green, blue and alpha (255 opaque), in rows
// from the top, with no padding.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

// The image a BMP, PNG, JPEG or GIF file holds (a GIF's first frame), or
// nothing when the bytes are none of these, are damaged (a BMP whose pixel
// rows reach past its end among them), or the image passes the bounds above.
std::optional<RgbaImage> DecodeImage(std::string_view bytes);

// The image as a .bmp file: a 14-byte file header, a 40-byte
// BITMAPINFOHEADER, and 24-bit rows from the bottom, each padded to 4 bytes.
// The alpha bytes are not written.
std::string EncodeBmp(const RgbaImage& image);

}  // namespace quorvex
