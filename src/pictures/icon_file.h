#pragma once
// Icon and cursor files (.ico, .cur), read whole and checked image by image,
// and icon files written again in the form every icon reader takes.
//
// The layout, all numbers little-endian:
//   0  reserved (2 bytes, 0)   2  type (2): 1 icon, 2 cursor   4  count (2)
//   6  one 16-byte entry per image: width (1; 0 stands for 256), height (1),
//      colours (1; 0 for 8 bits per pixel and more), reserved (1), planes (2),
//      bits per pixel (2) (a cursor's hot spot instead), size (4), offset (4)
// Each image is a PNG file or a DIB: a 40-byte BITMAPINFOHEADER whose height
// is twice the image's, the palette, the colour rows, then a mask of one bit
// per pixel (set: transparent), rows from the bottom, each padded to 4 bytes.
//
// The pixels are decoded by image_codec (stb_image); this file reads only the
// layout around them, and checks every size and offset against the file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/image_codec.h"

namespace quorvex {

// The largest number of images read from one file; real icons hold a dozen.
inline constexpr int kMaxIconImages = 64;
// The longest side of an icon image.
inline constexpr int kMaxIconSide = 256;

// One image of an icon file: its pixels, and its bytes as stored (a DIB or
// a PNG file).
struct IconImage {
  RgbaImage image;
  std::string stored;
  bool png = false;
  int bit_count = 32;  // of a DIB; 32 for a PNG
};

struct IconFile {
  bool cursor = false;
  std::vector<IconImage> images;
};

// True when the bytes start as an icon or cursor file does.
bool HasIconSignature(std::string_view bytes);

// Every image of the file, decoded: nothing when the bytes are not an icon or
// cursor file, hold no image or more than kMaxIconImages, or any image lies
// outside the file, is larger than kMaxIconSide, or does not decode. A DIB
// without alpha (none below 255) takes its transparency from its mask.
std::optional<IconFile> ReadIconFile(std::string_view bytes);

// An .ico file of the images in order, laid out afresh: entries from the
// images' own sizes, images one after the other. DIBs are kept as stored, and
// so are PNG images 256 pixels wide or high; a smaller PNG image becomes a
// 32-bit DIB (IconDib), since the LCL reads a PNG image only at that size.
std::string WriteIconFile(const std::vector<IconImage>& images);

// An image no larger than kMaxIconSide as a DIB of an icon: 32 bits per
// pixel with its alpha, the mask set where alpha is 0.
std::string IconDib(const RgbaImage& image);

// The image whose width is nearest to 32 pixels, the wider on a tie, then the
// one of more bits per pixel: the size Windows shows an icon at by default.
// `images` must not be empty.
const IconImage& IconImageNearDefaultSize(const std::vector<IconImage>& images);

}  // namespace quorvex
