#include "pictures/picture_data.h"

#include <algorithm>

#include "pictures/icon_file.h"
#include "pictures/image_codec.h"
#include "table/byte_order.h"

namespace quorvex {

namespace {

constexpr std::string_view kBitmapClass = "TBitmap";
constexpr std::string_view kIconClass = "TIcon";
constexpr std::size_t kBinaryBytesPerLine = 32;

std::string ShortString(std::string_view text) { return static_cast<char>(text.size()) + std::string(text); }

std::string BitmapData(const RgbaImage& image) {
  const std::string bmp = EncodeBmp(image);
  std::string data;
  AppendLittleEndian32(data, static_cast<std::uint32_t>(bmp.size()));
  return data + bmp;
}

std::uint8_t Blend(std::uint8_t color, std::uint8_t alpha, std::uint8_t background) {
  return static_cast<std::uint8_t>((color * alpha + background * (255 - alpha) + 127) / 255);
}

void BlendOver(RgbaImage& image, RgbColor background) {
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
    std::uint8_t* pixel = &image.pixels[i];
    pixel[0] = Blend(pixel[0], pixel[3], background.red);
    pixel[1] = Blend(pixel[1], pixel[3], background.green);
    pixel[2] = Blend(pixel[2], pixel[3], background.blue);
    pixel[3] = 255;
  }
}

// FoxPro shows a button's .bmp picture with its white pixels transparent
// (unless a mask file goes with it, which is not read here).
void WhiteTransparent(RgbaImage& image) {
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
    if (image.pixels[i] == 255 && image.pixels[i + 1] == 255 && image.pixels[i + 2] == 255) image.pixels[i + 3] = 0;
  }
}

// The one image a picture file shows as a bitmap, blended over `background`.
std::optional<RgbaImage> BitmapImage(std::string_view file, RgbColor background, bool button = false) {
  if (file.size() > kMaxPictureFileBytes) return std::nullopt;
  std::optional<RgbaImage> image;
  if (HasIconSignature(file)) {
    if (const std::optional<IconFile> icon = ReadIconFile(file)) image = IconImageNearDefaultSize(icon->images).image;
  } else {
    image = DecodeImage(file);
    if (image && button && file.starts_with("BM")) WhiteTransparent(*image);
  }
  if (image) BlendOver(*image, background);
  return image;
}

// `images` side by side, each at the top left of a cell as large as the
// largest of them.
RgbaImage SideBySide(const std::vector<const RgbaImage*>& images, RgbColor background) {
  int cell_width = 0, cell_height = 0;
  for (const RgbaImage* image : images) {
    cell_width = std::max(cell_width, image->width);
    cell_height = std::max(cell_height, image->height);
  }
  RgbaImage out;
  out.width = cell_width * static_cast<int>(images.size());
  out.height = cell_height;
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height * 4);
  for (std::size_t i = 0; i < out.pixels.size(); i += 4) {
    out.pixels[i] = background.red;
    out.pixels[i + 1] = background.green;
    out.pixels[i + 2] = background.blue;
    out.pixels[i + 3] = 255;
  }
  for (std::size_t n = 0; n < images.size(); ++n) {
    const RgbaImage& image = *images[n];
    const std::size_t row_bytes = static_cast<std::size_t>(image.width) * 4;
    for (int y = 0; y < image.height; ++y) {
      const auto from = image.pixels.begin() + static_cast<std::ptrdiff_t>(y * row_bytes);
      const std::size_t to = (static_cast<std::size_t>(y) * out.width + n * cell_width) * 4;
      std::copy(from, from + static_cast<std::ptrdiff_t>(row_bytes),
                out.pixels.begin() + static_cast<std::ptrdiff_t>(to));
    }
  }
  return out;
}

}  // namespace

std::optional<std::string> PictureData(std::string_view file, RgbColor background) {
  if (file.size() > kMaxPictureFileBytes) return std::nullopt;
  if (HasIconSignature(file)) {
    const std::optional<IconFile> icon = ReadIconFile(file);
    if (icon && !icon->cursor) return ShortString(kIconClass) + WriteIconFile(icon->images);
  }
  const std::optional<RgbaImage> image = BitmapImage(file, background);
  if (!image) return std::nullopt;
  return ShortString(kBitmapClass) + BitmapData(*image);
}

std::optional<ButtonGlyph> GlyphData(std::string_view picture, std::optional<std::string_view> disabled,
                                     RgbColor background) {
  const std::optional<RgbaImage> image = BitmapImage(picture, background, true);
  if (!image) return std::nullopt;
  const std::optional<RgbaImage> disabled_image = disabled ? BitmapImage(*disabled, background, true) : std::nullopt;
  if (!disabled_image) return ButtonGlyph{BitmapData(*image), 1};
  return ButtonGlyph{BitmapData(SideBySide({&*image, &*disabled_image}, background)), 2};
}

std::optional<std::string> IconData(std::string_view file) {
  if (file.size() > kMaxPictureFileBytes) return std::nullopt;
  if (HasIconSignature(file)) {
    const std::optional<IconFile> icon = ReadIconFile(file);
    if (!icon || icon->cursor) return std::nullopt;
    return WriteIconFile(icon->images);
  }
  std::optional<RgbaImage> image = DecodeImage(file);
  if (!image || image->width > kMaxIconSide || image->height > kMaxIconSide) return std::nullopt;
  std::string dib = IconDib(*image);
  return WriteIconFile({IconImage{std::move(*image), std::move(dib), false, 32}});
}

std::string DfmBinaryText(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const bool multi_line = bytes.size() >= kBinaryBytesPerLine;
  std::string out = "{";
  out.reserve(bytes.size() * 2 + bytes.size() / kBinaryBytesPerLine * 2 + 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (multi_line && i % kBinaryBytesPerLine == 0) out += '\n';
    const auto code = static_cast<unsigned char>(bytes[i]);
    out += kHex[code >> 4];
    out += kHex[code & 0xF];
  }
  out += '}';
  return out;
}

}  // namespace quorvex
