// The picture values as Lazarus' own form reader takes them: a form whose
// Icon.Data and TImage Picture.Data (a bitmap of each format, an icon) come
// from the picture functions loads clean in lclload, which reports picture
// data it cannot read. Skipped, with the reason, where lclload cannot be
// built. (Glyph.Data is left out: a TBitBtn's glyph needs a widget set that
// makes images, which lclload's has not; it holds the same TBitmap data as a
// picture's "TBitmap".)

#include <gtest/gtest.h>

#include <cstdlib>

#include "formstream/canonical_dfm.h"
#include "loadable/picture_data.h"
#include "support/golden.h"
#include "support/lcl_load.h"
#include "test_pictures.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(PictureLcl, PicturesAndIconLoadInLazarusFormReader) {
  std::string why_not;
  const fs::path checker = BuildLclLoad(fs::path(QUORVEX_BINARY_DIR) / "tools" / "pictures", why_not);
  if (checker.empty()) GTEST_SKIP() << "picture check skipped: " << why_not;

  RgbaImage with_hole = Colours(5, 3);
  with_hole.pixels[7] = 0;
  const std::string icon = IconFileOf({{5, 3, Dib24(with_hole)}, {5, 3, PngFile(with_hole)}});
  const RgbColor face{240, 240, 240};
  const std::string pictures[] = {EncodeBmp(Colours(5, 3)), PngFile(with_hole), JpegFile(Colours(9, 9)), GifFile(),
                                  icon};
  std::string text = "object Form1: TForm1\r\n  Icon.Data = " + DfmBinaryText(IconData(icon).value_or("")) + "\r\n";
  for (std::size_t i = 0; i < std::size(pictures); ++i) {
    text += "  object Image" + std::to_string(i + 1) + ": TImage\r\n    Picture.Data = " +
            DfmBinaryText(PictureData(pictures[i], face).value_or("")) + "\r\n  end\r\n";
  }
  text += "end\r\n";
  TempDir temp;
  const fs::path dfm = temp.path() / "pictures.dfm";
  WriteFileBytes(dfm, CanonicaliseDfmText(text));
  const fs::path log = temp.path() / "lclload.txt";
  const std::string command = "'" + checker.string() + "' --no-pas '" + dfm.string() + "' > '" + log.string() + "' 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << ReadFileBytes(log);
}

}  // namespace
}  // namespace quorvex::testing
