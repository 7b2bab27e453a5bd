#pragma once
// Small picture files made in memory for the picture tests: PNG and JPEG by
// stb_image_write, GIF and icon files byte by byte.

#include <string>
#include <vector>

#include "pictures/image_codec.h"

namespace quorvex::testing {

// width x height opaque pixels, each of its own colour.
RgbaImage Colours(int width, int height);

std::string PngFile(const RgbaImage& image);
std::string JpegFile(const RgbaImage& image);

// 2 x 2 pixels, red and blue on the top row, blue and red below.
std::string GifFile();

// An icon image as a DIB of 24 bits per pixel, its mask set where `image`'s
// alpha is 0.
std::string Dib24(const RgbaImage& image);

// An icon (type 1) or cursor (type 2) file of the images (DIBs or PNG files),
// each entry giving its width and height.
struct StoredImage {
  int width;
  int height;
  std::string bytes;
};
std::string IconFileOf(const std::vector<StoredImage>& images, int type = 1);

}  // namespace quorvex::testing
