#include "pictures/icon_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <tuple>

#include "table/byte_order.h"

namespace quorvex {

namespace {

constexpr std::size_t kFileHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kEntryBytes = 8;   // in an entry: the image's size
constexpr std::size_t kEntryOffset = 12;  // and where it starts
constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;

// The BITMAPINFOHEADER of a DIB in an icon.
constexpr std::uint32_t kDibHeaderSize = 40;
constexpr std::size_t kDibWidth = 4;
constexpr std::size_t kDibHeight = 8;  // twice the image's: colour rows and mask rows
constexpr std::size_t kDibPlanes = 12;
constexpr std::size_t kDibBitCount = 14;
constexpr std::size_t kDibCompression = 16;
constexpr std::size_t kDibColorsUsed = 32;
constexpr std::size_t kBmpFileHeaderSize = 14;

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";

constexpr std::int64_t RowBytes(std::int64_t width, std::int64_t bit_count) {
  return (width * bit_count + 31) / 32 * 4;
}

bool HasAlpha(const RgbaImage& image) {
  for (std::size_t i = 3; i < image.pixels.size(); i += 4) {
    if (image.pixels[i] != 255) return true;
  }
  return false;
}

std::optional<IconImage> ReadPngImage(std::string_view stored) {
  std::optional<RgbaImage> image = DecodeImage(stored);
  if (!image || image->width > kMaxIconSide || image->height > kMaxIconSide) return std::nullopt;
  return IconImage{std::move(*image), std::string(stored), true, 32};
}

// A DIB's colour rows are decoded as the .bmp file they make with a file
// header in front and the height halved; its mask is applied here.
std::optional<IconImage> ReadDibImage(std::string_view stored) {
  if (stored.size() < kDibHeaderSize || LittleEndian32(stored, 0) != kDibHeaderSize) return std::nullopt;
  const std::int64_t width = static_cast<std::int32_t>(LittleEndian32(stored, kDibWidth));
  const std::int64_t double_height = static_cast<std::int32_t>(LittleEndian32(stored, kDibHeight));
  const int bit_count = LittleEndian16(stored, kDibBitCount);
  const std::uint32_t colors_used = LittleEndian32(stored, kDibColorsUsed);
  if (width < 1 || width > kMaxIconSide || double_height < 2 || double_height % 2 != 0 ||
      double_height / 2 > kMaxIconSide || LittleEndian16(stored, kDibPlanes) != 1 ||
      LittleEndian32(stored, kDibCompression) != 0) {
    return std::nullopt;
  }
  if (bit_count != 1 && bit_count != 4 && bit_count != 8 && bit_count != 24 && bit_count != 32) return std::nullopt;
  const std::int64_t full_palette = bit_count <= 8 ? std::int64_t{1} << bit_count : 0;
  if (colors_used > full_palette) return std::nullopt;
  const std::int64_t height = double_height / 2;
  const std::int64_t colors_end = kDibHeaderSize + 4 * (colors_used != 0 ? colors_used : full_palette);
  const std::int64_t mask_start = colors_end + RowBytes(width, bit_count) * height;
  const std::int64_t mask_row = RowBytes(width, 1);
  if (mask_start + mask_row * height > static_cast<std::int64_t>(stored.size())) return std::nullopt;

  std::string bmp = "BM";
  AppendLittleEndian32(bmp, static_cast<std::uint32_t>(kBmpFileHeaderSize + mask_start));
  AppendLittleEndian32(bmp, 0);
  AppendLittleEndian32(bmp, static_cast<std::uint32_t>(kBmpFileHeaderSize + colors_end));
  bmp.append(stored.substr(0, kDibHeight));
  AppendLittleEndian32(bmp, static_cast<std::uint32_t>(height));
  bmp.append(stored.substr(kDibHeight + 4, static_cast<std::size_t>(mask_start) - kDibHeight - 4));
  std::optional<RgbaImage> image = DecodeImage(bmp);
  if (!image || image->width != width || image->height != height) return std::nullopt;
  if (!HasAlpha(*image)) {
    for (std::int64_t y = 0; y < height; ++y) {
      const std::size_t row = static_cast<std::size_t>(mask_start + (height - 1 - y) * mask_row);
      for (std::int64_t x = 0; x < width; ++x) {
        if ((Byte(stored, row + static_cast<std::size_t>(x / 8)) >> (7 - x % 8) & 1) != 0) {
          image->pixels[static_cast<std::size_t>((y * width + x) * 4 + 3)] = 0;
        }
      }
    }
  }
  return IconImage{std::move(*image), std::string(stored), false, bit_count};
}

}  // namespace

bool HasIconSignature(std::string_view bytes) {
  if (bytes.size() < kFileHeaderSize || LittleEndian16(bytes, 0) != 0) return false;
  const std::uint16_t type = LittleEndian16(bytes, 2);
  return type == kIconType || type == kCursorType;
}

std::optional<IconFile> ReadIconFile(std::string_view bytes) {
  if (!HasIconSignature(bytes)) return std::nullopt;
  const int count = LittleEndian16(bytes, 4);
  if (count == 0 || count > kMaxIconImages || bytes.size() < kFileHeaderSize + count * kEntrySize) return std::nullopt;
  IconFile file;
  file.cursor = LittleEndian16(bytes, 2) == kCursorType;
  for (int i = 0; i < count; ++i) {
    const std::size_t entry = kFileHeaderSize + static_cast<std::size_t>(i) * kEntrySize;
    const std::uint64_t size = LittleEndian32(bytes, entry + kEntryBytes);
    const std::uint64_t offset = LittleEndian32(bytes, entry + kEntryOffset);
    if (offset + size > bytes.size()) return std::nullopt;
    const std::string_view stored = bytes.substr(offset, size);
    std::optional<IconImage> image = stored.starts_with(kPngSignature) ? ReadPngImage(stored) : ReadDibImage(stored);
    if (!image) return std::nullopt;
    file.images.push_back(std::move(*image));
  }
  return file;
}

std::string WriteIconFile(const std::vector<IconImage>& images) {
  std::vector<std::string> stored;
  std::vector<int> bit_counts;
  for (const IconImage& image : images) {
    const bool png_read_by_all = image.png && (image.image.width == kMaxIconSide || image.image.height == kMaxIconSide);
    stored.push_back(!image.png || png_read_by_all ? image.stored : IconDib(image.image));
    bit_counts.push_back(image.png ? 32 : image.bit_count);
  }
  std::string out;
  AppendLittleEndian16(out, 0);
  AppendLittleEndian16(out, kIconType);
  AppendLittleEndian16(out, static_cast<std::uint16_t>(images.size()));
  std::size_t offset = kFileHeaderSize + images.size() * kEntrySize;
  for (std::size_t i = 0; i < images.size(); ++i) {
    const RgbaImage& image = images[i].image;
    out += static_cast<char>(image.width & 0xFF);  // 256 is written as 0
    out += static_cast<char>(image.height & 0xFF);
    out += static_cast<char>(bit_counts[i] < 8 ? 1 << bit_counts[i] : 0);
    out += '\0';
    AppendLittleEndian16(out, 1);
    AppendLittleEndian16(out, static_cast<std::uint16_t>(bit_counts[i]));
    AppendLittleEndian32(out, static_cast<std::uint32_t>(stored[i].size()));
    AppendLittleEndian32(out, static_cast<std::uint32_t>(offset));
    offset += stored[i].size();
  }
  for (const std::string& bytes : stored) out += bytes;
  return out;
}

std::string IconDib(const RgbaImage& image) {
  const std::int64_t width = image.width;
  const std::int64_t height = image.height;
  const std::int64_t mask_row = RowBytes(width, 1);
  std::string out;
  AppendLittleEndian32(out, kDibHeaderSize);
  AppendLittleEndian32(out, static_cast<std::uint32_t>(width));
  AppendLittleEndian32(out, static_cast<std::uint32_t>(height * 2));
  AppendLittleEndian16(out, 1);
  AppendLittleEndian16(out, 32);
  AppendLittleEndian32(out, 0);
  AppendLittleEndian32(out, static_cast<std::uint32_t>((width * 4 + mask_row) * height));
  out.append(16, '\0');  // resolution and colours: none
  for (std::int64_t y = height - 1; y >= 0; --y) {
    for (std::int64_t x = 0; x < width; ++x) {
      const std::uint8_t* pixel = &image.pixels[static_cast<std::size_t>((y * width + x) * 4)];
      out += static_cast<char>(pixel[2]);
      out += static_cast<char>(pixel[1]);
      out += static_cast<char>(pixel[0]);
      out += static_cast<char>(pixel[3]);
    }
  }
  for (std::int64_t y = height - 1; y >= 0; --y) {
    std::string row(static_cast<std::size_t>(mask_row), '\0');
    for (std::int64_t x = 0; x < width; ++x) {
      if (image.pixels[static_cast<std::size_t>((y * width + x) * 4 + 3)] == 0) {
        row[static_cast<std::size_t>(x / 8)] = static_cast<char>(row[static_cast<std::size_t>(x / 8)] | 0x80 >> x % 8);
      }
    }
    out += row;
  }
  return out;
}

const IconImage& IconImageNearDefaultSize(const std::vector<IconImage>& images) {
  constexpr int kDefaultSide = 32;
  const auto key = [](const IconImage& image) {
    return std::make_tuple(std::abs(image.image.width - kDefaultSide), -image.image.width, -image.bit_count);
  };
  return *std::min_element(images.begin(), images.end(),
                           [&](const IconImage& a, const IconImage& b) { return key(a) < key(b); });
}

}  // namespace quorvex
