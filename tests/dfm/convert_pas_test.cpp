// The unit generated for DFM texts.

#include <gtest/gtest.h>

#include <string>

#include "dfm/convert_pas.h"
#include "dfm_test_data.h"

namespace quorvex {
namespace {

std::string Unit(const TextList& dfm, std::string_view file_name = "main.scx") {
  TextList pas;
  ConvertToPas(dfm, pas, file_name);
  return JoinLines(pas);
}

// The lines of the class declaration: after "type" up to the private section.
std::string ClassPart(const std::string& unit) {
  const auto start = unit.find("type\r\n") + 6;
  return unit.substr(start, unit.find("  private") - start);
}

TEST(ConvertToPas, OneBlockPerPartWithLineBreaksInside) {
  TextList pas;
  ConvertToPas(testing::ReadDataLines("main.rawdfm"), pas, "main.scx");
  // The head up to "type", the class line, four fields, private and public
  // sections, var, implementation, "end.".
  ASSERT_EQ(pas.size(), 10u);
  EXPECT_EQ(pas[1], "  TForm1 = class(TForm)");
  EXPECT_EQ(pas[6], "  private\r\n    { Private declarations }\r\n  public\r\n    { Public declarations }\r\n  end;\r\n");
  EXPECT_EQ(pas[9], "end.");
}

TEST(ConvertToPas, FieldsComeFromEveryHeaderAfterTheFirstLine) {
  const TextList dfm = {
      "object frmMain: TfrmMain",   "  object Text1: TEdit",   "  end",          "  object Text1_1: TEdit",
      "    object Line1: line",     "  Object Odd: TLabel",    "  objectX = 1",  "  Columns = <    item",
      "\tobject Shape1: ",          "end",
  };
  EXPECT_EQ(ClassPart(Unit(dfm)),
            "  TfrmMain = class(TForm)\r\n"
            "    Text1: TEdit;\r\n"
            "    Text1_1: TEdit;\r\n"
            "    Line1: line;\r\n"
            "   X = 1;\r\n"
            "    Shape1:;\r\n");
}

TEST(ConvertToPas, FormWithoutComponentsDeclaresNoFields) {
  const std::string unit = Unit({"object Form1: TForm1", "  Caption = 'x'", "end"});
  EXPECT_EQ(ClassPart(unit), "  TForm1 = class(TForm)\r\n");
  EXPECT_NE(unit.find("var\r\n  Form1: TForm1;\r\n"), std::string::npos);
}

TEST(ConvertToPas, ClassNameIsAlwaysTheFormNameAfterT) {
  EXPECT_EQ(ClassPart(Unit({"object frmThor: TSomethingElse"})), "  TfrmThor = class(TForm)\r\n");
  EXPECT_EQ(ClassPart(Unit({"  object Form1 : TForm1  "})), "  TForm1 = class(TForm)\r\n");
}

TEST(ConvertToPas, WithoutAFormNameTheClassIsUnnamedAndThereIsNoVariable) {
  for (const TextList& dfm : {TextList{}, TextList{"object Form1"}, TextList{"obj: T"}}) {
    const std::string unit = Unit(dfm);
    EXPECT_EQ(unit.find("var\r\n"), std::string::npos) << (dfm.empty() ? "" : dfm[0]);
  }
  EXPECT_EQ(ClassPart(Unit({})), "   = class(TForm)\r\n");
  EXPECT_EQ(ClassPart(Unit({"object Form1"})), "  T = class(TForm)\r\n");
}

TEST(ConvertToPas, NothingCarriesOverFromAnEarlierUnit) {
  Unit({"object Form1: TForm1"});
  EXPECT_EQ(Unit({}).find("Form1"), std::string::npos);
}

struct UnitNameCase {
  std::string_view file_name;
  std::string_view first_line;
};

TEST(ConvertToPas, UnitIsNamedAfterTheFileWithoutFolderAndExtension) {
  const UnitNameCase rows[] = {
      {"main.scx", "unit main;"},
      {"my.form.scx", "unit my.form;"},
      {"noextension", "unit noextension;"},
      {"/home/u/forms/main.SCX", "unit main;"},
      {"C:\\src\\main.scx", "unit main;"},
      {"dir.v2/main", "unit main;"},
  };
  for (const auto& row : rows) {
    TextList pas;
    ConvertToPas({"object Form1: TForm1"}, pas, row.file_name);
    EXPECT_EQ(pas[0].substr(0, pas[0].find('\r')), row.first_line) << row.file_name;
  }
}

}  // namespace
}  // namespace quorvex
