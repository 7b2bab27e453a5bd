#include "sample_forms.h"

namespace quorvex::samples {

namespace {

using fixtures::PropertyLines;
using fixtures::ScxRecord;
using fixtures::ScxWriter;

ScxRecord Object(std::string name, std::string parent, std::string baseclass, std::string properties) {
  return {.objname = std::move(name), .parent = std::move(parent), .baseclass = baseclass,
          .class_name = baseclass, .properties = std::move(properties)};
}

ScxWriter WithDataEnvironment() {
  ScxWriter form;
  form.AddVersionComment().Add(
      Object("Dataenvironment", "", "dataenvironment", PropertyLines({"Top = 0", "Left = 0", "Name = \"Dataenvironment\""})));
  return form;
}

ScxWriter Plain() {
  ScxWriter form = WithDataEnvironment();
  form.Add(Object("frmCustomer", "", "form",
                  PropertyLines({"Height = 220", "Width = 360", "BorderStyle = 2", "Caption = \"Customer\"",
                                 "BackColor = 192,192,192", "Name = \"frmCustomer\""})))
      .Add(Object("lblName", "frmCustomer", "label",
                  PropertyLines({"FontBold = .T.", "FontItalic = .T.", "Caption = \"\\<Name:\"", "Left = 12",
                                 "Top = 16", "Name = \"lblName\""})))
      .Add(Object("txtName", "frmCustomer", "textbox",
                  PropertyLines({"Alignment = 1", "Left = 80", "Top = 12", "Width = 260", "TabIndex = 1",
                                 "Name = \"txtName\""})))
      .Add(Object("chkActive", "frmCustomer", "checkbox",
                  PropertyLines({"Caption = \"Active\"", "Value = 1", "Left = 80", "Top = 44", "Name = \"chkActive\""})))
      .Add(Object("edtNotes", "frmCustomer", "editbox",
                  PropertyLines({"Left = 80", "Top = 72", "Height = 90", "Width = 260", "ForeColor = 0,0,128",
                                 "Name = \"edtNotes\""})))
      .Add(Object("cmdOK", "frmCustomer", "commandbutton",
                  PropertyLines({"Caption = \"OK\"", "Left = 180", "Top = 180", "Name = \"cmdOK\""})))
      .Add(Object("cmdCancel", "frmCustomer", "commandbutton",
                  PropertyLines({"Caption = \"Cancel\"", "Cancel = .T.", "Left = 264", "Top = 180",
                                 "Name = \"cmdCancel\""})));
  return form;
}

ScxWriter Grid() {
  ScxWriter form = WithDataEnvironment();
  form.Add(Object("frmOrders", "", "form", PropertyLines({"Height = 300", "Width = 500", "Caption = \"Orders\"",
                                                           "Name = \"frmOrders\""})))
      .Add(Object("grdOrders", "frmOrders", "grid",
                  PropertyLines({"ColumnCount = 2", "Height = 260", "Left = 8", "Top = 8", "Width = 484",
                                 "Name = \"grdOrders\"", "Column1.Width = 120", "Column1.Name = \"Column1\"",
                                 "Column2.Width = 300", "Column2.Name = \"Column2\""})))
      .Add(Object("Header1", "frmOrders.grdOrders.Column1", "header",
                  PropertyLines({"FontBold = .T.", "Caption = \"Number\"", "Name = \"Header1\""})))
      .Add(Object("Text1", "frmOrders.grdOrders.Column1", "textbox",
                  PropertyLines({"BorderStyle = 0", "ForeColor = 0,0,0", "Name = \"Text1\""})))
      .Add(Object("Header1", "frmOrders.grdOrders.Column2", "header",
                  PropertyLines({"Caption = \"Customer\"", "Name = \"Header1\""})))
      .Add(Object("Text1", "frmOrders.grdOrders.Column2", "textbox",
                  PropertyLines({"BackColor = 255,255,192", "Name = \"Text1\""})));
  return form;
}

ScxWriter PageFrame() {
  ScxWriter form = WithDataEnvironment();
  form.Add(Object("frmSettings", "", "form", PropertyLines({"Height = 280", "Width = 400",
                                                             "Caption = \"Settings\"", "Name = \"frmSettings\""})))
      .Add(Object("pgfPages", "frmSettings", "pageframe",
                  PropertyLines({"PageCount = 2", "Left = 8", "Top = 8", "Width = 384", "Height = 264",
                                 "Name = \"pgfPages\"", "Page1.Caption = \"\\<General\"", "Page1.Name = \"Page1\"",
                                 "Page2.Caption = \"\\<Advanced\"", "Page2.PageOrder = 2", "Page2.Name = \"Page2\""})))
      .Add(Object("lblPath", "frmSettings.pgfPages.Page1", "label",
                  PropertyLines({"Caption = \"Path:\"", "Left = 12", "Top = 20", "Name = \"lblPath\""})))
      .Add(Object("txtPath", "frmSettings.pgfPages.Page1", "textbox",
                  PropertyLines({"Left = 60", "Top = 16", "Width = 300", "Name = \"txtPath\""})))
      .Add(Object("spnRetries", "frmSettings.pgfPages.Page2", "spinner",
                  PropertyLines({"Left = 12", "Top = 16", "Alignment = 1", "Name = \"spnRetries\""})));
  return form;
}

ScxWriter OptionGroup() {
  ScxWriter form = WithDataEnvironment();
  form.Add(Object("frmReport", "", "form", PropertyLines({"Height = 160", "Width = 240",
                                                           "Caption = \"Print\"", "Name = \"frmReport\""})))
      .Add(Object("opgDestination", "frmReport", "optiongroup",
                  PropertyLines({"ButtonCount = 3", "Left = 12", "Top = 12", "Height = 90", "Width = 200",
                                 "Name = \"opgDestination\"", "Option1.Caption = \"\\<Screen\"",
                                 "Option1.Top = 5", "Option1.Name = \"Option1\"", "Option2.Caption = \"\\<Printer\"",
                                 "Option2.Top = 30", "Option2.Name = \"optPrinter\"", "Option3.Caption = \"\\<File\"",
                                 "Option3.Top = 55", "Option3.Name = \"Option3\""})))
      .Add(Object("cmgButtons", "frmReport", "commandgroup",
                  PropertyLines({"ButtonCount = 2", "Left = 12", "Top = 110", "Name = \"cmgButtons\"",
                                 "Command1.Caption = \"OK\"", "Command1.Name = \"Command1\"",
                                 "Command2.Caption = \"Cancel\"", "Command2.Left = 90", "Command2.Name = \"Command2\""})));
  return form;
}

ScxWriter FormSet() {
  ScxWriter form = WithDataEnvironment();
  form.Add(Object("Formset1", "", "formset", PropertyLines({"Name = \"Formset1\""})))
      .Add(Object("frmMain", "Formset1", "form",
                  PropertyLines({"Height = 120", "Width = 300", "Caption = \"Form in a form set\"",
                                 "Name = \"frmMain\""})))
      .Add(Object("lblHello", "Formset1.frmMain", "label",
                  PropertyLines({"Caption = \"Hello\"", "Left = 20", "Top = 20", "Name = \"lblHello\""})));
  return form;
}

}  // namespace

std::vector<SampleForm> SampleForms() {
  return {{"plain", Plain()}, {"grid", Grid()}, {"pageframe", PageFrame()}, {"optiongroup", OptionGroup()},
          {"formset", FormSet()}};
}

}  // namespace quorvex::samples
