#include "dfm/convert_pas.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "base/ascii.h"

namespace quorvex {

namespace {

constexpr std::string_view kCrLf = "\r\n";
// A header line starts with this word; it and the blank after it are cut off
// to leave "Name: TClass".
constexpr std::string_view kObjectWord = "object";

struct FormHeader {
  std::string form_name;
  std::string form_class_name;
};

// The form's name and class from line 0, "object Form1: TForm1". The class
// written after the colon is not used: the unit declares "T" + the name.
// Empty when there is no line 0.
FormHeader ReadFormHeader(const TextList& dfm) {
  if (dfm.empty()) return {};
  const auto first = TrimBlanks(dfm.front());
  const auto colon = first.find(':');
  const auto before_colon = colon == std::string_view::npos ? std::string_view() : TrimBlanks(first.substr(0, colon));
  const auto name = before_colon.substr(std::min(before_colon.size(), kObjectWord.size() + 1));
  return {std::string(name), "T" + std::string(name)};
}

// One declaration per component header after line 0, in DFM order, each line
// made at once: "   " + " Name: TClass" + ";".
void AppendFields(const TextList& dfm, TextList& pas) {
  constexpr std::string_view kFieldIndent = "   ";
  for (std::size_t index = 1; index < dfm.size(); ++index) {
    const auto line = TrimBlanks(dfm[index]);
    if (!line.starts_with(kObjectWord)) continue;
    const auto declaration = line.substr(kObjectWord.size());
    std::string& field = pas.emplace_back();
    field.reserve(kFieldIndent.size() + declaration.size() + 1);
    field += kFieldIndent;
    field += declaration;
    field += ';';
  }
}

// The unit's name: the file name without directory and extension.
std::string_view UnitName(std::string_view file_name) {
  const auto slash = file_name.find_last_of("/\\");
  if (slash != std::string_view::npos) file_name.remove_prefix(slash + 1);
  return file_name.substr(0, file_name.rfind('.'));
}

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const auto part : parts) text += part;
  return text;
}

}  // namespace

void ConvertToPas(const TextList& dfm, TextList& pas, std::string_view file_name) {
  const FormHeader form = ReadFormHeader(dfm);

  pas.push_back(Concat({"unit ", UnitName(file_name), ";", kCrLf, kCrLf, "interface", kCrLf, kCrLf, "uses", kCrLf,
                        "  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs", ";", kCrLf,
                        kCrLf, "type"}));
  pas.push_back(Concat({"  ", form.form_class_name, " = class(", "TForm", ")"}));
  AppendFields(dfm, pas);
  pas.push_back(Concat({"  private", kCrLf, "    { Private declarations }", kCrLf, "  public", kCrLf,
                        "    { Public declarations }", kCrLf, "  end;", kCrLf}));
  if (!form.form_name.empty()) {
    pas.push_back(Concat({"var", kCrLf, "  ", form.form_name, ": ", form.form_class_name, ";", kCrLf}));
  }
  pas.push_back(Concat({"implementation", kCrLf, kCrLf, "{$R *.DFM}", kCrLf}));
  pas.push_back("end.");
}

}  // namespace quorvex
