// Pictures in a loadable run: a form and a class library naming picture
// files of every kind, the files found where FoxPro finds them, stored as
// the form designer stores pictures, and the output loaded by the LCL's own
// form reader; a file that is not there stays a comment and is reported.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "base/text_list.h"
#include "formstream/canonical_parser.h"
#include "run/conversion_run.h"
#include "support/golden.h"
#include "support/lcl_load.h"
#include "support/run_support.h"
#include "support/test_pictures.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;
using fixtures::PropertyLines;

// app/libs/pics.vcx: the class "picbutton", a command button whose picture
// lies beside the library ("art\lib.bmp", from the library's folder).
void WritePictureLibrary(const fs::path& folder) {
  fixtures::ScxWriter library;
  library.Add({.platform = "COMMENT", .uniqueid = "Class", .other = {{"RESERVED1", "VERSION =   3.00"}}})
      .Add({.objname = "picbutton", .baseclass = "commandbutton", .class_name = "commandbutton",
            .properties = PropertyLines({"Picture = art\\lib.bmp", "Name = \"picbutton\""}),
            .other = {{"RESERVED1", "Class"}, {"RESERVED2", "1"}}})
      .Add({.platform = "COMMENT", .objname = "picbutton", .uniqueid = "RESERVED"});
  library.Build().WriteTo(folder, "pics.vcx", "pics.vct");
}

fixtures::ScxRecord Control(const std::string& name, const std::string& base_class,
                            std::initializer_list<std::string_view> lines) {
  std::vector<std::string_view> all(lines);
  const std::string name_line = "Name = \"" + name + "\"";
  all.push_back(name_line);
  std::string properties;
  for (const std::string_view line : all) properties += std::string(line) + "\r\n";
  return {.objname = name, .parent = "Form1", .baseclass = base_class, .properties = properties};
}

// The binary values of a .dfm text by "component.property".
std::map<std::string, std::string> BinaryValues(const std::string& dfm) {
  std::map<std::string, std::string> values;
  const auto add = [&](const DfmObject& object) {
    for (const auto& property : object.properties) {
      if (const auto* binary = std::get_if<DfmBinary>(&property.value.data))
        values[object.name + "." + property.name] = binary->bytes;
    }
  };
  const DfmObject form = ParseDfmText(dfm);
  add(form);
  for (const DfmObject& child : form.children) add(child);
  return values;
}

// The graphic class that a Picture.Data value names.
std::string GraphicClass(const std::string& data) {
  return data.empty() ? "" : data.substr(1, static_cast<unsigned char>(data[0]));
}

TEST(PictureRun, PicturesOfEveryKindAreStoredLoadAndMissingOnesAreReported) {
  TempDir temp;
  const fs::path app = temp.path() / "app";
  const RgbaImage image = Colours(6, 4);
  const std::string icon = IconFileOf({{6, 4, Dib24(image)}});
  WriteFileBytes(app / "forms" / "Bmp" / "a.BMP", EncodeBmp(image));
  WriteFileBytes(app / "forms" / "Bmp" / "b.jpg", JpegFile(image));
  WriteFileBytes(app / "forms" / "Bmp" / "c.gif", GifFile());
  WriteFileBytes(app / "forms" / "Bmp" / "d.png", PngFile(image));
  WriteFileBytes(app / "forms" / "Bmp" / "bad.bmp", "not a picture");
  WriteFileBytes(app / "forms" / "App.ico", icon);
  WriteFileBytes(app / "ico" / "app.ico", icon);
  WriteFileBytes(app / "libs" / "art" / "lib.bmp", EncodeBmp(image));
  WritePictureLibrary(app / "libs");
  fixtures::ScxWriter form;
  form.AddVersionComment()
      .Add({.objname = "Form1", .baseclass = "form",
            .properties = PropertyLines({"Icon = ..\\ICO\\app.ico", "Name = \"Form1\""})})
      .Add(Control("imgBmp", "image", {"Picture = bmp\\a.bmp"}))
      .Add(Control("imgJpg", "image", {"Picture = bmp\\b.jpg", "Stretch = 1"}))
      .Add(Control("imgGif", "image", {"Picture = (\"bmp\\c.gif\")"}))
      .Add(Control("imgPng", "image", {"Picture = BMP\\D.PNG"}))
      .Add(Control("imgIco", "image", {"Picture = C:\\OLD\\APP.ICO", "Stretch = 2"}))
      .Add(Control("imgBad", "image", {"Picture = bmp\\bad.bmp"}))
      .Add(Control("imgNone", "image", {"Picture ="}))
      .Add(Control("cmdOk", "commandbutton",
                   {"Caption = \"OK\"", "Picture = bmp\\d.png", "DisabledPicture = bmp\\c.gif", "PicturePosition = 1"}))
      .Add(Control("cmdGone", "commandbutton", {"Picture = bmp\\gone.bmp"}))
      .Add({.objname = "cmdLib", .parent = "Form1", .baseclass = "commandbutton", .class_name = "picbutton",
            .properties = PropertyLines({"Name = \"cmdLib\""}), .classloc = "..\\libs\\pics.vcx"});
  const std::string input = form.WriteTo(app / "forms", "pictures").string();
  const fs::path out = temp.path() / "out";
  RecordingHost host;
  RunOptions options;
  options.loadable = true;
  ConversionRun run(host, options);
  run.ConvertSelectedFiles({input}, out.string() + "/");

  const std::string dfm = ReadFileBytes(out / "pictures.dfm");
  std::map<std::string, std::string> binary = BinaryValues(dfm);
  EXPECT_EQ(binary.size(), 8u);
  EXPECT_EQ(binary.count("Form1.Icon.Data"), 1u);
  for (const char* name : {"imgBmp", "imgJpg", "imgGif", "imgPng"})
    EXPECT_EQ(GraphicClass(binary[std::string(name) + ".Picture.Data"]), "TBitmap") << name;
  EXPECT_EQ(GraphicClass(binary["imgIco.Picture.Data"]), "TIcon");
  EXPECT_EQ(binary.count("cmdOk.Glyph.Data") + binary.count("cmdLib.Glyph.Data"), 2u);
  for (const char* line : {"object cmdOk: TBitBtn", "NumGlyphs = 2", "object cmdGone: TButton",
                           "object cmdLib: TBitBtn", "Stretch = True", "Proportional = True"}) {
    EXPECT_NE(dfm.find(line), std::string::npos) << line;
  }
  // PicturePosition 1 (left of the caption, centred) is Delphi's own layout;
  // the picture over its caption, FoxPro's default, is blGlyphTop.
  EXPECT_EQ(dfm.find("Layout = blGlyphLeft"), std::string::npos);
  EXPECT_NE(dfm.find("Layout = blGlyphTop"), std::string::npos);

  const std::string pas = ReadFileBytes(out / "pictures.pas");
  EXPECT_NE(pas.find(", Buttons;"), std::string::npos);
  EXPECT_NE(pas.find("// Picture = bmp\\gone.bmp"), std::string::npos);
  EXPECT_NE(pas.find("// Picture = bmp\\bad.bmp"), std::string::npos);
  EXPECT_EQ(pas.find("// Picture = bmp\\a.bmp"), std::string::npos);
  EXPECT_EQ(run.Results().at(0).notes,
            (std::vector<std::string>{
                "picture file " + (app / "forms" / "Bmp" / "bad.bmp").string() +
                    " of thisform.imgBad.Picture holds no picture this program reads (BMP, PNG, JPEG, GIF, icon); "
                    "kept as a comment",
                "picture file bmp\\gone.bmp of thisform.cmdGone.Picture not found; kept as a comment",
                "2 settings kept as comments in pictures.pas"}));

  std::string why_not;
  const fs::path checker = BuildLclLoad(fs::path(QUORVEX_BINARY_DIR) / "tools" / "pictures", why_not);
  if (checker.empty()) GTEST_SKIP() << "lclload check skipped: " << why_not;
  const fs::path log = temp.path() / "lclload.txt";
  const std::string dfm_path = (out / "pictures.dfm").string();
  std::system(("'" + checker.string() + "' --no-pas '" + dfm_path + "' > '" + log.string() + "' 2>&1").c_str());
  // lclload's widget set makes no bitmap handles, which a TBitBtn asks for as
  // soon as it gets its glyph: its problems name the glyphs, and only them.
  int reported = 0;
  for (const std::string& line : SplitLines(ReadFileBytes(log))) {
    if (!line.starts_with(dfm_path + ":") || line.ends_with("problem(s)")) continue;
    ++reported;
    EXPECT_NE(line.find("Failed to get raw image description"), std::string::npos) << line;
    EXPECT_TRUE(line.find("cmdOk.") != std::string::npos || line.find("cmdLib.") != std::string::npos) << line;
  }
  EXPECT_GT(reported, 0) << "lclload did not read the form: " << ReadFileBytes(log);
}

}  // namespace
}  // namespace quorvex::testing
