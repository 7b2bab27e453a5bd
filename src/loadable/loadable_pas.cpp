#include "loadable/loadable_text.h"

#include <set>
#include <string>

#include "loadable/text_encoding.h"

namespace quorvex {

namespace {

// The unit that declares each class the loadable mode writes, in both Delphi
// and Lazarus.
struct ClassUnit {
  std::string_view delphi_class;
  std::string_view unit;
};
constexpr ClassUnit kClassUnits[] = {
    {"TButton", "StdCtrls"},    {"TLabel", "StdCtrls"},      {"TEdit", "StdCtrls"},     {"TMemo", "StdCtrls"},
    {"TCheckBox", "StdCtrls"},  {"TRadioButton", "StdCtrls"}, {"TComboBox", "StdCtrls"}, {"TListBox", "StdCtrls"},
    {"TGroupBox", "StdCtrls"},  {"TPanel", "ExtCtrls"},      {"TImage", "ExtCtrls"},    {"TShape", "ExtCtrls"},
    {"TBevel", "ExtCtrls"},     {"TTimer", "ExtCtrls"},      {"TPageControl", "ComCtrls"}, {"TTabSheet", "ComCtrls"},
    {"TDBGrid", "Grids"},       {"TDBGrid", "DBGrids"},      {"TSpinEdit", "Spin"},
};

constexpr std::string_view kBaseUnits[] = {"SysUtils", "Classes", "Graphics", "Controls", "Forms", "Dialogs"};

void CollectUnits(const Component& component, std::set<std::string_view>& units) {
  for (const ClassUnit& class_unit : kClassUnits) {
    if (class_unit.delphi_class == component.delphi_class) units.insert(class_unit.unit);
  }
  for (const Component& child : component.children) CollectUnits(child, units);
}

// The uses list: the base units, then the others in the order of kClassUnits.
std::string UsesList(const Component& root) {
  std::set<std::string_view> needed;
  CollectUnits(root, needed);
  std::string uses;
  for (const std::string_view unit : kBaseUnits) uses += (uses.empty() ? "" : ", ") + std::string(unit);
  std::set<std::string_view> written;
  for (const ClassUnit& class_unit : kClassUnits) {
    if (needed.contains(class_unit.unit) && written.insert(class_unit.unit).second)
      uses += ", " + std::string(class_unit.unit);
  }
  return uses;
}

class UnitWriter {
 public:
  UnitWriter(const LoadableForm& form, TextList& out) : form_(form), out_(out) {}

  // A comment line in UTF-8; control characters become blanks so that the
  // comment stays on its line.
  void Comment(std::string_view text) {
    std::string line = Utf8Text(DecodeText(text, form_.code_page));
    for (char& c : line) {
      if (static_cast<unsigned char>(c) < 32) c = ' ';
    }
    out_.push_back("      // " + line);
  }

  void Notes(const Component& component) {
    if (component.identifier != component.original_name) Comment("FoxPro name: " + component.original_name);
    for (const KeptSetting& kept : component.kept)
      Comment(kept.owner.empty() ? kept.line : kept.owner + ": " + kept.line);
  }

  void Fields(const Component& component) {
    for (const Component& child : component.children) {
      out_.push_back("    " + child.identifier + ": " + child.delphi_class + ";");
      Notes(child);
      Fields(child);
    }
  }

 private:
  const LoadableForm& form_;
  TextList& out_;
};

// "Name.Property := Value;" for every setting that only the LCL publishes.
void CollectLclSettings(const Component& component, TextList& out) {
  for (const DfmSetting& setting : component.lcl_settings)
    out.push_back(component.identifier + "." + setting.name + " := " + setting.value + ";");
  for (const Component& child : component.children) CollectLclSettings(child, out);
}

// The form's Loaded, which makes the settings that only the LCL publishes
// (Delphi has no such properties, so the .dfm cannot hold them).
TextList LoadedMethod(const std::string& form_class, const TextList& lcl_settings) {
  TextList method = {"",
                     "// The LCL sizes check boxes and option buttons to its own measure of their",
                     "// text; FoxPro shows them at the size they were given, as Delphi does.",
                     "procedure " + form_class + ".Loaded;",
                     "begin",
                     "  inherited Loaded;",
                     "{$IFDEF FPC}"};
  for (const std::string& line : lcl_settings) method.push_back("  " + line);
  method.insert(method.end(), {"{$ENDIF}", "end;"});
  return method;
}

}  // namespace

TextList WriteLoadableUnit(const LoadableForm& form) {
  const Component& root = form.root;
  TextList out = {"unit " + form.unit_name + ";", "", "{$IFDEF FPC}{$MODE DELPHI}{$ENDIF}", "", "interface", "",
                  "uses", "  " + UsesList(root) + ";", "", "type", "  " + root.delphi_class + " = class(TForm)"};
  UnitWriter writer(form, out);
  writer.Notes(root);
  writer.Fields(root);
  TextList lcl_settings;
  for (const Component& child : root.children) CollectLclSettings(child, lcl_settings);
  if (!lcl_settings.empty()) out.insert(out.end(), {"  protected", "    procedure Loaded; override;"});
  const TextList tail = {"  private",
                         "    { Private declarations }",
                         "  public",
                         "    { Public declarations }",
                         "  end;",
                         "",
                         "var",
                         "  " + root.identifier + ": " + root.delphi_class + ";",
                         "",
                         "implementation",
                         "",
                         "{$R *.dfm}"};
  out.insert(out.end(), tail.begin(), tail.end());
  if (!lcl_settings.empty()) {
    const TextList loaded = LoadedMethod(root.delphi_class, lcl_settings);
    out.insert(out.end(), loaded.begin(), loaded.end());
  }
  out.insert(out.end(), {"", "end."});
  return out;
}

}  // namespace quorvex
