// FoxPro draws later objects over earlier ones; Delphi and the LCL draw every
// graphic control under the windowed ones. What FoxPro draws over a windowed
// control is made windowed, where its look allows.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "loadable/small_forms.h"

namespace quorvex::testing {
namespace {

using Settings = std::vector<std::string>;

bool Has(const TextList& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

// A text box at 10,10 of 100 x 23, and a blue container at 200,10 of 100 x 50
// with a button in its lower half.
fixtures::ScxRecord Text1() { return Object("Text1", "textbox", {"Left = 10", "Top = 10"}); }
fixtures::ScxRecord Box() {
  return Object("Box", "container", {"Left = 200", "Top = 10", "Width = 100", "Height = 50", "BackColor = 0,0,255"});
}
fixtures::ScxRecord BoxButton() {
  return Object("cmdIn", "commandbutton", {"Top = 30", "Width = 100", "Height = 20"}, "Form1.Box");
}

TEST(DrawingOrder, LabelsDrawnOverWindowedControlsAreStaticTexts) {
  const ConvertedForm form = ConvertForm({
      Object("lblBefore", "label", {"Left = 20", "Top = 12"}),
      Text1(), Box(), BoxButton(),
      Object("lblOver", "label", {"Caption = \"b\"", "Left = 100", "Top = 15", "BackStyle = 0", "WordWrap = .T."}),
      Object("lblOpaque", "label", {"Left = 60", "Top = 15", "BackColor = 255,0,0"}),
      Object("lblOnBox", "label", {"Left = 210", "Top = 12", "BackStyle = 0"}),
      Object("lblOnButton", "label", {"Left = 210", "Top = 40", "BackStyle = 0"}),
      Object("lblOverStatic", "label", {"Left = 120", "Top = 20", "Height = 10"}),
  });
  // Made before the text box: FoxPro draws it under the box too.
  EXPECT_TRUE(Has(form.dfm, "object lblBefore: TLabel"));
  // Transparent, as a static text shows its container's colour; FoxPro's
  // WordWrap, which it lacks, a comment.
  EXPECT_EQ(SettingsOf(form, "lblOver"),
            (Settings{"Caption = 'b'", "Left = 100", "Top = 15", "AutoSize = False", "Height = 17", "Width = 40"}));
  EXPECT_TRUE(Has(form.pas, "// WordWrap = .T."));
  EXPECT_EQ(SettingsOf(form, "lblOpaque").back(), "Transparent = False");
  // Wholly on the container where nothing of it stands: its colour; on its
  // button, no one colour.
  EXPECT_TRUE(Has(SettingsOf(form, "lblOnBox"), "Color = clBlue"));
  EXPECT_FALSE(Has(SettingsOf(form, "lblOnButton"), "Transparent"));
  // Over a label made windowed before it, which would be drawn over it.
  EXPECT_TRUE(Has(form.dfm, "object lblOverStatic: TStaticText"));
}

TEST(DrawingOrder, ShapesImagesAndLinesGoIntoAPanelWhereItKeepsTheirLook) {
  const ConvertedForm form = ConvertForm({
      Text1(), Box(),
      Object("shpOpaque", "shape", {"Left = 20", "Top = 5", "Width = 30", "Height = 30", "Anchor = 15"}),
      Object("shpFrame", "shape", {"Left = 40", "Top = 5", "Width = 30", "Height = 30", "BackStyle = 0"}),
      Object("shpNothing", "shape", {"Left = 60", "Top = 5", "BackStyle = 0", "BorderStyle = 0"}),
      Object("imgOnBox", "image", {"Left = 210", "Top = 15", "Width = 16", "Height = 16", "Visible = .F."}),
      Object("linAcross", "line", {"Left = 0", "Top = 20", "Width = 150", "Height = 0", "Anchor = 240"}),
      Object("imgLogo", "image", {"Left = 90", "Width = 40", "Height = 40", "Picture = logo.bmp"}),
  });
  // The panel takes the control's place, name, anchors and visibility; the
  // control fills it.
  EXPECT_EQ(SettingsOf(form, "shpOpaque"),
            (Settings{"Left = 20", "Top = 5", "Width = 30", "Height = 30",
                      "Anchors = [akLeft, akTop, akRight, akBottom]", "BevelOuter = bvNone", "ParentColor = True"}));
  EXPECT_EQ(SettingsOf(form, "shpOpaqueShape").back(), "Anchors = [akLeft, akTop, akRight, akBottom]");
  // A panel under a frame would cover what FoxPro shows inside it; a shape
  // that draws nothing hides nothing.
  EXPECT_TRUE(Has(form.dfm, "object shpFrame: TShape"));
  EXPECT_TRUE(Has(form.dfm, "object shpNothing: TShape"));
  EXPECT_EQ(SettingsOf(form, "imgOnBox"), (Settings{"Left = 210", "Top = 15", "Width = 16", "Height = 16",
                                                    "Visible = False", "BevelOuter = bvNone", "Color = clBlue"}));
  // A line two pixels thick and a picture paint their whole rectangle.
  EXPECT_TRUE(Has(form.dfm, "object linAcross: TPanel"));
  // The runtime keeps the panel in proportion, with the line in it.
  EXPECT_TRUE(Has(form.pas, "FoxAnchor(linAcross, 240);"));
  EXPECT_TRUE(Has(form.dfm, "object imgLogo: TPanel"));
}

// FoxPro's code shows the control with its panel.
TEST(DrawingOrder, CodePlacesAControlThroughItsPanel) {
  fixtures::ScxRecord button = Object("cmdHide", "commandbutton", {"Top = 100"});
  button.methods =
      "PROCEDURE Click\r\nthisform.shpMark.Visible = .F.\r\nthisform.shpMark.BackColor = 255\r\nENDPROC\r\n";
  const ConvertedForm form =
      ConvertForm({Text1(), Object("shpMark", "shape", {"Left = 20", "Top = 5", "Width = 30", "Height = 30"}), button});
  EXPECT_TRUE(Has(form.pas, "shpMark.Visible := False;"));
  EXPECT_TRUE(Has(form.pas, "shpMarkShape.Brush.Color := TColor(255);"));
}

}  // namespace
}  // namespace quorvex::testing
