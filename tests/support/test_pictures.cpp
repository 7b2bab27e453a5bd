#include "support/test_pictures.h"

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include "table/byte_order.h"

namespace quorvex::testing {

namespace {

void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

}  // namespace

RgbaImage Colours(int width, int height) {
  RgbaImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(40 * i), static_cast<std::uint8_t>(255 - 30 * i),
                                             static_cast<std::uint8_t>(i % 2 == 0 ? 200 : 10), 255});
  }
  return image;
}

std::string PngFile(const RgbaImage& image) {
  std::string out;
  stbi_write_png_to_func(Append, &out, image.width, image.height, 4, image.pixels.data(), image.width * 4);
  return out;
}

std::string JpegFile(const RgbaImage& image) {
  std::string out;
  stbi_write_jpg_to_func(Append, &out, image.width, image.height, 4, image.pixels.data(), 90);
  return out;
}

std::string GifFile() {
  // Header and screen of 2 x 2 with a table of two colours; one image of
  // LZW codes (minimum size 2): clear, 0, 1, 1, 0, end.
  static constexpr char kGif[] = "GIF89a\x02\x00\x02\x00\x80\x00\x00\xFF\x00\x00\x00\x00\xFF"
                                 ",\x00\x00\x00\x00\x02\x00\x02\x00\x00\x02\x03\x44\x02\x05\x00;";
  return std::string(kGif, sizeof(kGif) - 1);
}

std::string Dib24(const RgbaImage& image) {
  const int colour_row = (image.width * 3 + 3) / 4 * 4;
  const int mask_row = (image.width + 31) / 32 * 4;
  std::string out;
  AppendLittleEndian32(out, 40);
  AppendLittleEndian32(out, static_cast<std::uint32_t>(image.width));
  AppendLittleEndian32(out, static_cast<std::uint32_t>(image.height * 2));
  AppendLittleEndian16(out, 1);
  AppendLittleEndian16(out, 24);
  out.append(24, '\0');
  for (int y = image.height - 1; y >= 0; --y) {
    std::string row(static_cast<std::size_t>(colour_row), '\0');
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* pixel = &image.pixels[static_cast<std::size_t>((y * image.width + x) * 4)];
      row[static_cast<std::size_t>(x * 3)] = static_cast<char>(pixel[2]);
      row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>(pixel[1]);
      row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>(pixel[0]);
    }
    out += row;
  }
  for (int y = image.height - 1; y >= 0; --y) {
    std::string row(static_cast<std::size_t>(mask_row), '\0');
    for (int x = 0; x < image.width; ++x) {
      if (image.pixels[static_cast<std::size_t>((y * image.width + x) * 4 + 3)] == 0) {
        row[static_cast<std::size_t>(x / 8)] = static_cast<char>(row[static_cast<std::size_t>(x / 8)] | 0x80 >> x % 8);
      }
    }
    out += row;
  }
  return out;
}

std::string IconFileOf(const std::vector<StoredImage>& images, int type) {
  std::string out;
  AppendLittleEndian16(out, 0);
  AppendLittleEndian16(out, static_cast<std::uint16_t>(type));
  AppendLittleEndian16(out, static_cast<std::uint16_t>(images.size()));
  std::size_t offset = 6 + 16 * images.size();
  for (const StoredImage& image : images) {
    out += static_cast<char>(image.width & 0xFF);
    out += static_cast<char>(image.height & 0xFF);
    out += std::string(2, '\0');
    AppendLittleEndian16(out, 1);
    AppendLittleEndian16(out, 24);
    AppendLittleEndian32(out, static_cast<std::uint32_t>(image.bytes.size()));
    AppendLittleEndian32(out, static_cast<std::uint32_t>(offset));
    offset += image.bytes.size();
  }
  for (const StoredImage& image : images) out += image.bytes;
  return out;
}

}  // namespace quorvex::testing
