// Pictures as the binary values of a form text: the layouts of Picture.Data,
// Glyph.Data and Icon.Data, the pixels they hold, what blending and icon
// rewriting do, damaged files refused, and the DFM text of binary bytes.

#include <gtest/gtest.h>

#include <algorithm>

#include "formstream/canonical_dfm.h"
#include "formstream/canonical_parser.h"
#include "pictures/icon_file.h"
#include "pictures/picture_data.h"
#include "support/test_pictures.h"
#include "table/byte_order.h"

namespace quorvex::testing {
namespace {

constexpr RgbColor kFace{240, 240, 240};

// The image of TBitmap data, after checking its size field and that it is a
// 24-bit .bmp with a 40-byte header.
RgbaImage BitmapOf(std::string_view data) {
  EXPECT_GE(data.size(), 4u + 54u);
  if (data.size() < 4 + 54) return {};
  EXPECT_EQ(LittleEndian32(data, 0), data.size() - 4);
  const std::string_view bmp = data.substr(4);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(LittleEndian32(bmp, 14), 40u);
  EXPECT_EQ(LittleEndian16(bmp, 28), 24u);
  const std::optional<RgbaImage> image = DecodeImage(bmp);
  EXPECT_TRUE(image.has_value());
  return image.value_or(RgbaImage{});
}

// The graphic class of Picture.Data and the data after it.
std::pair<std::string, std::string> SplitPicture(std::string_view data) {
  const std::size_t length = static_cast<unsigned char>(data.at(0));
  return {std::string(data.substr(1, length)), std::string(data.substr(1 + length))};
}

RgbaImage Blended(RgbaImage image, RgbColor background) {
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
    const int alpha = image.pixels[i + 3];
    const std::uint8_t back[] = {background.red, background.green, background.blue};
    for (int c = 0; c < 3; ++c) {
      const int blended = (image.pixels[i + c] * alpha + back[c] * (255 - alpha) + 127) / 255;
      image.pixels[i + c] = static_cast<std::uint8_t>(blended);
    }
    image.pixels[i + 3] = 255;
  }
  return image;
}

void ExpectSamePixels(const RgbaImage& actual, const RgbaImage& expected, const std::string& label) {
  EXPECT_EQ(actual.width, expected.width) << label;
  EXPECT_EQ(actual.height, expected.height) << label;
  EXPECT_EQ(actual.pixels, expected.pixels) << label;
}

// A 3 x 2 picture (rows padded in a .bmp) whose second pixel is transparent.
RgbaImage WithHole() {
  RgbaImage image = Colours(3, 2);
  image.pixels[7] = 0;
  return image;
}

TEST(PictureData, EveryFormatBecomesATBitmapOfItsPixels) {
  const RgbaImage colours = Colours(3, 2);
  const struct {
    const char* name;
    std::string file;
  } rows[] = {
      {"bmp", EncodeBmp(colours)},
      {"png", PngFile(colours)},
      {"jpeg", JpegFile(colours)},
      {"gif", GifFile()},
  };
  for (const auto& row : rows) {
    const std::optional<std::string> data = PictureData(row.file, kFace);
    ASSERT_TRUE(data.has_value()) << row.name;
    const auto [graphic, bitmap] = SplitPicture(*data);
    EXPECT_EQ(graphic, "TBitmap") << row.name;
    ExpectSamePixels(BitmapOf(bitmap), *DecodeImage(row.file), row.name);
  }
  ExpectSamePixels(BitmapOf(SplitPicture(*PictureData(PngFile(colours), kFace)).second), colours, "png exact");
}

TEST(PictureData, PalettedBmpIsRead) {
  // 3 x 1 pixels of one bit each: black, white, black.
  std::string bmp = "BM";
  AppendLittleEndian32(bmp, 14 + 40 + 8 + 4);
  AppendLittleEndian32(bmp, 0);
  AppendLittleEndian32(bmp, 14 + 40 + 8);
  AppendLittleEndian32(bmp, 40);
  AppendLittleEndian32(bmp, 3);
  AppendLittleEndian32(bmp, 1);
  AppendLittleEndian16(bmp, 1);
  AppendLittleEndian16(bmp, 1);
  bmp.append(24, '\0');
  bmp += std::string("\0\0\0\0\xFF\xFF\xFF\0", 8);
  bmp += std::string("\x40\0\0\0", 4);
  const RgbaImage image = BitmapOf(SplitPicture(*PictureData(bmp, kFace)).second);
  EXPECT_EQ(image.pixels, (std::vector<std::uint8_t>{0, 0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255}));
}

TEST(PictureData, TransparentPixelsAreBlendedOverTheBackground) {
  const RgbaImage image = WithHole();
  const RgbColor background{10, 20, 30};
  const RgbaImage bitmap = BitmapOf(SplitPicture(*PictureData(PngFile(image), background)).second);
  ExpectSamePixels(bitmap, Blended(image, background), "blended");
  EXPECT_EQ(std::vector<std::uint8_t>(bitmap.pixels.begin() + 4, bitmap.pixels.begin() + 8),
            (std::vector<std::uint8_t>{10, 20, 30, 255}));
}

TEST(PictureData, IconFileIsATIconReadBackWithItsMask) {
  const RgbaImage image = WithHole();
  const std::optional<std::string> data = PictureData(IconFileOf({{3, 2, Dib24(image)}}), kFace);
  ASSERT_TRUE(data.has_value());
  const auto [graphic, icon_bytes] = SplitPicture(*data);
  EXPECT_EQ(graphic, "TIcon");
  const std::optional<IconFile> icon = ReadIconFile(icon_bytes);
  ASSERT_TRUE(icon.has_value());
  ASSERT_EQ(icon->images.size(), 1u);
  ExpectSamePixels(icon->images[0].image, image, "icon");
}

TEST(PictureData, CursorFileIsABitmapOfItsImage) {
  const RgbaImage image = Colours(2, 2);
  const auto [graphic, bitmap] = SplitPicture(*PictureData(IconFileOf({{2, 2, Dib24(image)}}, 2), kFace));
  EXPECT_EQ(graphic, "TBitmap");
  ExpectSamePixels(BitmapOf(bitmap), image, "cursor");
}

TEST(IconData, SmallPngImagesOfAnIconBecomeDibsThatKeepTheirPixels) {
  const RgbaImage small = WithHole();
  const std::string file = IconFileOf({{3, 2, PngFile(small)}, {2, 2, Dib24(Colours(2, 2))}});
  const std::optional<std::string> data = IconData(file);
  ASSERT_TRUE(data.has_value());
  const std::optional<IconFile> icon = ReadIconFile(*data);
  ASSERT_TRUE(icon.has_value());
  ASSERT_EQ(icon->images.size(), 2u);
  EXPECT_FALSE(icon->images[0].png);
  EXPECT_EQ(icon->images[0].bit_count, 32);
  ExpectSamePixels(icon->images[0].image, small, "png entry");
  EXPECT_EQ(icon->images[1].stored, Dib24(Colours(2, 2)));
}

TEST(IconData, ImageUpTo256PixelsBecomesAnIconOfOneImage) {
  const RgbaImage image = WithHole();
  const std::optional<IconFile> icon = ReadIconFile(IconData(PngFile(image)).value_or(""));
  ASSERT_TRUE(icon.has_value());
  ASSERT_EQ(icon->images.size(), 1u);
  ExpectSamePixels(icon->images[0].image, image, "png as icon");

  EXPECT_TRUE(IconData(PngFile(Colours(256, 1))).has_value());
  EXPECT_FALSE(IconData(PngFile(Colours(257, 1))).has_value());
  EXPECT_FALSE(IconData(IconFileOf({{2, 2, Dib24(Colours(2, 2))}}, 2)).has_value()) << "a cursor";
}

TEST(GlyphData, IsBitmapDataWithoutAClassName) {
  const RgbaImage image = Colours(3, 2);
  const std::optional<ButtonGlyph> glyph = GlyphData(PngFile(image), std::nullopt, kFace);
  ASSERT_TRUE(glyph.has_value());
  EXPECT_EQ(glyph->num_glyphs, 1);
  ExpectSamePixels(BitmapOf(glyph->data), image, "glyph");
}

// FoxPro masks a button's .bmp picture: its white is the button's face.
TEST(GlyphData, WhiteOfABmpIsTransparentAndOfOtherFormatsNot) {
  RgbaImage image = Colours(2, 1);
  std::fill(image.pixels.begin(), image.pixels.begin() + 3, 255);
  const RgbColor face{1, 2, 3};
  const RgbaImage from_bmp = BitmapOf(GlyphData(EncodeBmp(image), std::nullopt, face)->data);
  EXPECT_EQ(std::vector<std::uint8_t>(from_bmp.pixels.begin(), from_bmp.pixels.begin() + 4),
            (std::vector<std::uint8_t>{1, 2, 3, 255}));
  EXPECT_EQ(std::vector<std::uint8_t>(from_bmp.pixels.begin() + 4, from_bmp.pixels.end()),
            std::vector<std::uint8_t>(image.pixels.begin() + 4, image.pixels.end()));
  ExpectSamePixels(BitmapOf(GlyphData(PngFile(image), std::nullopt, face)->data), image, "png keeps its white");
}

TEST(GlyphData, DisabledPictureGoesBesideInCellsOfTheLargerSize) {
  const RgbaImage normal = Colours(1, 2);
  const RgbaImage disabled = Colours(2, 1);
  const RgbColor background{1, 2, 3};
  const std::optional<ButtonGlyph> glyph = GlyphData(PngFile(normal), PngFile(disabled), background);
  ASSERT_TRUE(glyph.has_value());
  EXPECT_EQ(glyph->num_glyphs, 2);
  const RgbaImage bitmap = BitmapOf(glyph->data);
  ASSERT_EQ(bitmap.width, 4);
  ASSERT_EQ(bitmap.height, 2);
  const auto pixel = [&](int x, int y) {
    const auto at = bitmap.pixels.begin() + (y * 4 + x) * 4;
    return std::vector<std::uint8_t>(at, at + 4);
  };
  const auto source = [](const RgbaImage& image, int x, int y) {
    const auto at = image.pixels.begin() + (y * image.width + x) * 4;
    return std::vector<std::uint8_t>(at, at + 4);
  };
  const std::vector<std::uint8_t> back = {1, 2, 3, 255};
  EXPECT_EQ(pixel(0, 0), source(normal, 0, 0));
  EXPECT_EQ(pixel(0, 1), source(normal, 0, 1));
  EXPECT_EQ(pixel(1, 0), back);
  EXPECT_EQ(pixel(2, 0), source(disabled, 0, 0));
  EXPECT_EQ(pixel(3, 0), source(disabled, 1, 0));
  EXPECT_EQ(pixel(2, 1), back);

  const std::optional<ButtonGlyph> alone = GlyphData(PngFile(normal), "not a picture", background);
  ASSERT_TRUE(alone.has_value());
  EXPECT_EQ(alone->num_glyphs, 1);
  ExpectSamePixels(BitmapOf(alone->data), normal, "disabled unreadable");
}

TEST(GlyphData, IconGivesItsImageNearest32Pixels) {
  const RgbaImage large = Colours(48, 48);
  const RgbaImage near = Colours(30, 30);
  const std::string file = IconFileOf({{48, 48, Dib24(large)}, {30, 30, Dib24(near)}, {4, 4, Dib24(Colours(4, 4))}});
  ExpectSamePixels(BitmapOf(GlyphData(file, std::nullopt, kFace)->data), near, "nearest");
}

// GifFile() on a screen of its own size (the first frame is the screen).
std::string GifOfScreen(int width, int height) {
  std::string gif = GifFile();
  gif.replace(6, 4, {static_cast<char>(width & 0xFF), static_cast<char>(width >> 8), static_cast<char>(height & 0xFF),
                     static_cast<char>(height >> 8)});
  return gif;
}

TEST(PictureData, ThePixelBoundStillTakesAPictureOfThatSize) {
  const std::optional<RgbaImage> image = DecodeImage(GifOfScreen(2048, 2048));
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(std::int64_t{image->width} * image->height, kMaxImagePixels);
}

// Each file damaged one way; none gives a value of any kind.
TEST(PictureData, DamagedFilesGiveNothing) {
  const std::string bmp = EncodeBmp(Colours(3, 2));
  const std::string png = PngFile(Colours(3, 2));
  const std::string icon = IconFileOf({{3, 2, Dib24(Colours(3, 2))}});
  std::string icon_beyond_end = icon;
  icon_beyond_end[18] = '\x7F';  // the first image's offset
  std::string icon_no_images = icon;
  icon_no_images[4] = '\0';
  std::string icon_too_wide = IconFileOf({{3, 2, Dib24(Colours(3, 2))}});
  icon_too_wide[6 + 16 + 4 + 1] = '\x01';  // the DIB's width: 259
  const struct {
    const char* name;
    std::string file;
  } rows[] = {
      {"empty", ""},
      {"text", "Picture = bmp\\logo.bmp"},
      {"bmp cut in its rows", bmp.substr(0, bmp.size() - 1)},
      {"bmp cut in its header", bmp.substr(0, 20)},
      {"gif of more pixels than allowed", GifOfScreen(2049, 2048)},
      {"png cut", png.substr(0, png.size() - 20)},
      {"png signature only", png.substr(0, 8)},
      {"icon image beyond the end", icon_beyond_end},
      {"icon cut in its mask", icon.substr(0, icon.size() - 1)},
      {"icon of no images", icon_no_images},
      {"icon image too wide", icon_too_wide},
      {"icon header only", icon.substr(0, 6)},
  };
  for (const auto& row : rows) {
    EXPECT_FALSE(PictureData(row.file, kFace).has_value()) << row.name;
    EXPECT_FALSE(GlyphData(row.file, std::nullopt, kFace).has_value()) << row.name;
    EXPECT_FALSE(IconData(row.file).has_value()) << row.name;
  }
  EXPECT_FALSE(PictureData(png + std::string(kMaxPictureFileBytes, '\0'), kFace).has_value()) << "file too large";
}

TEST(DfmBinaryText, IsHexOnOneLineBelow32BytesThenLinesOf32) {
  EXPECT_EQ(DfmBinaryText(""), "{}");
  EXPECT_EQ(DfmBinaryText(std::string("\x07\xAB\x00", 3)), "{07AB00}");
  std::string line;
  for (int i = 0; i < 32; ++i) line += "5A";
  EXPECT_EQ(DfmBinaryText(std::string(33, '\x5A')), "{\n" + line + "\n5A}");
}

// A picture far longer than the form reader's line reads back whole.
TEST(DfmBinaryText, ReadsBackThroughTheCanonicalLayout) {
  const std::string data = *PictureData(PngFile(Colours(40, 30)), kFace);
  const std::string text = "object Form1: TForm1\r\n  object Image1: TImage\r\n    Picture.Data = " +
                           DfmBinaryText(data) + "\r\n  end\r\nend\r\n";
  const DfmObject form = ParseDfmText(CanonicaliseDfmText(text));
  ASSERT_EQ(form.children.size(), 1u);
  ASSERT_EQ(form.children[0].properties.size(), 1u);
  const auto* binary = std::get_if<DfmBinary>(&form.children[0].properties[0].value.data);
  ASSERT_NE(binary, nullptr);
  EXPECT_EQ(binary->bytes, data);
}

}  // namespace
}  // namespace quorvex::testing
