#include "pictures/image_codec.h"

#include <climits>
#include <cstdlib>

#include "table/byte_order.h"

// stb's implementations, compiled here and nowhere else. Their functions are
// static to this file, so no other copy of stb in a program can clash with
// them. Only the formats a FoxPro form names are read: TGA has no signature
// and would take any bytes, and the rest are never pictures of a form.
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 8192
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION

// The include folder is a system one (CMake's SYSTEM), which already keeps
// the headers' own warnings quiet; these two stay quiet wherever it is not.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image.h>
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

static_assert(STBI_MAX_DIMENSIONS == quorvex::kMaxImageSide);

namespace quorvex {

namespace {

// The BMP layout as far as the bounds need it:
//   0  "BM"                14  header size (12: core header, else 40 or more)
//   10 offset of the pixels    core: 18 width (16 bits), 20 height, 24 bits per pixel
//                              else: 18 width (32 bits), 22 height (negative: rows
//                                    from the top), 28 bits per pixel, 30 compression
constexpr std::size_t kBmpPixelOffset = 10;
constexpr std::size_t kBmpHeaderSize = 14;
constexpr std::size_t kBmpWidth = 18;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::size_t kCoreHeight = 20;
constexpr std::size_t kCoreBitCount = 24;
constexpr std::size_t kInfoHeight = 22;
constexpr std::size_t kInfoBitCount = 28;
constexpr std::size_t kInfoCompression = 30;
constexpr std::uint32_t kRgbCompression = 0;
constexpr std::uint32_t kBitFieldsCompression = 3;

// stb reads missing bytes of a BMP as zeros, so a cut file would decode as an
// image with black rows: its pixel rows must end within the file.
bool BmpRowsFit(std::string_view bytes) {
  if (bytes.size() < kBmpHeaderSize + 4) return false;
  const bool core = LittleEndian32(bytes, kBmpHeaderSize) == kCoreHeaderSize;
  if (bytes.size() < (core ? kCoreBitCount + 2 : kInfoCompression + 4)) return false;
  const std::uint32_t compression = core ? kRgbCompression : LittleEndian32(bytes, kInfoCompression);
  if (compression != kRgbCompression && compression != kBitFieldsCompression) return false;
  const std::int64_t width =
      core ? LittleEndian16(bytes, kBmpWidth) : static_cast<std::int32_t>(LittleEndian32(bytes, kBmpWidth));
  std::int64_t height =
      core ? LittleEndian16(bytes, kCoreHeight) : static_cast<std::int32_t>(LittleEndian32(bytes, kInfoHeight));
  const std::int64_t bit_count = LittleEndian16(bytes, core ? kCoreBitCount : kInfoBitCount);
  if (height < 0) height = -height;
  if (width <= 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
  const std::int64_t row_bytes = (width * bit_count + 31) / 32 * 4;
  return LittleEndian32(bytes, kBmpPixelOffset) + row_bytes * height <= static_cast<std::int64_t>(bytes.size());
}

// The JPEG layout as far as its Huffman tables: FF D8, then segments of a
// marker (FF and a code) and, but for the codes 01 and D0 to D7, a 16-bit
// big-endian length that counts itself; the coded data after a scan's header
// holds FF only as FF 00 or before a marker. A table segment (C4) holds
// tables of one class byte, 16 counts of codes by length, and the codes.
constexpr unsigned kJpegMarker = 0xFF;
constexpr unsigned kJpegHuffmanTable = 0xC4;
constexpr unsigned kJpegEnd = 0xD9;
constexpr std::size_t kHuffmanCounts = 16;
constexpr unsigned kMaxHuffmanCodes = 256;

bool IsStandaloneMarker(unsigned code) { return code == 0x00 || code == 0x01 || (code >= 0xD0 && code <= 0xD7); }

// The stb_image of this Debian release builds a Huffman table before it
// checks that its counts add up to no more than the 256 codes it has room for
// (later releases check first), so every table that it would build is
// checked here, read as it reads them: bytes past the end read as zeros.
bool JpegHuffmanTablesFit(std::string_view bytes) {
  const auto byte_or_zero = [&](std::size_t at) { return at < bytes.size() ? Byte(bytes, at) : 0u; };
  std::size_t pos = 2;
  while (pos + 4 <= bytes.size()) {
    const unsigned code = Byte(bytes, pos + 1);
    if (Byte(bytes, pos) != kJpegMarker || code == kJpegMarker || IsStandaloneMarker(code)) {
      pos += Byte(bytes, pos) == kJpegMarker && code != kJpegMarker ? 2 : 1;
      continue;
    }
    if (code == kJpegEnd) break;
    const std::size_t length = BigEndian16(bytes, pos + 2);
    if (code == kJpegHuffmanTable) {
      std::int64_t left = static_cast<std::int64_t>(length) - 2;
      for (std::size_t table = pos + 4; left > 0;) {
        unsigned codes = 0;
        for (std::size_t i = 1; i <= kHuffmanCounts; ++i) codes += byte_or_zero(table + i);
        if (codes > kMaxHuffmanCodes) return false;
        table += 1 + kHuffmanCounts + codes;
        left -= static_cast<std::int64_t>(1 + kHuffmanCounts + codes);
      }
    }
    pos += 2 + length;
  }
  return true;
}

void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

}  // namespace

std::optional<RgbaImage> DecodeImage(std::string_view bytes) {
  if (bytes.size() > INT_MAX) return std::nullopt;
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int size = static_cast<int>(bytes.size());
  if (bytes.starts_with("BM") && !BmpRowsFit(bytes)) return std::nullopt;
  if (bytes.starts_with("\xFF\xD8") && !JpegHuffmanTablesFit(bytes)) return std::nullopt;
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(data, size, &width, &height, &channels)) return std::nullopt;
  if (std::int64_t{width} * height > kMaxImagePixels) return std::nullopt;
  stbi_uc* pixels = stbi_load_from_memory(data, size, &width, &height, &channels, 4);
  if (pixels == nullptr) return std::nullopt;
  RgbaImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height * 4);
  stbi_image_free(pixels);
  return image;
}

std::string EncodeBmp(const RgbaImage& image) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(image.pixels.size() / 4 * 3);
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
    rgb.insert(rgb.end(), image.pixels.begin() + static_cast<std::ptrdiff_t>(i),
               image.pixels.begin() + static_cast<std::ptrdiff_t>(i) + 3);
  }
  std::string out;
  stbi_write_bmp_to_func(AppendBytes, &out, image.width, image.height, 3, rgb.data());
  return out;
}

}  // namespace quorvex
