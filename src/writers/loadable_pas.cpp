#include "writers/loadable_text.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <string>

#include "base/text_encoding.h"
#include "methods/code_translation.h"
#include "methods/unit_methods.h"
#include "translate/runtime_unit.h"

namespace quorvex {

namespace {

// The unit that declares each class the loadable mode writes, in both Delphi
// and Lazarus.
struct ClassUnit {
  std::string_view delphi_class;
  std::string_view unit;
};
constexpr ClassUnit kClassUnits[] = {
    {"TButton", "StdCtrls"},    {"TLabel", "StdCtrls"},      {"TStaticText", "StdCtrls"}, {"TEdit", "StdCtrls"},
    {"TMemo", "StdCtrls"},
    {"TCheckBox", "StdCtrls"},  {"TRadioButton", "StdCtrls"}, {"TComboBox", "StdCtrls"}, {"TListBox", "StdCtrls"},
    {"TGroupBox", "StdCtrls"},  {"TPanel", "ExtCtrls"},      {"TImage", "ExtCtrls"},    {"TShape", "ExtCtrls"},
    {"TBevel", "ExtCtrls"},     {"TTimer", "ExtCtrls"},      {"TPageControl", "ComCtrls"}, {"TTabSheet", "ComCtrls"},
    {"TDBGrid", "Grids"},       {"TDBGrid", "DBGrids"},      {"TSpinEdit", "Spin"},
    {"TDataSource", "DB"},      {"TDBEdit", "DBCtrls"},      {"TDBMemo", "DBCtrls"},    {"TDBCheckBox", "DBCtrls"},
    {"TDBComboBox", "DBCtrls"}, {"TDBListBox", "DBCtrls"},   {"TDBRadioGroup", "DBCtrls"},
    {"TBitBtn", "Buttons"},
};

constexpr std::string_view kBaseUnits[] = {"SysUtils", "Classes", "Graphics", "Controls", "Forms", "Dialogs"};

// A unit that holds text other than ASCII starts with UTF-8's byte order
// mark, by which Delphi and Free Pascal both read it as UTF-8.
void MarkUtf8(TextList& unit) {
  const bool ascii = std::all_of(unit.begin(), unit.end(), [](const std::string& line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  });
  if (!ascii && !unit.empty()) unit.front().insert(0, "\xEF\xBB\xBF");
}

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
  if (NeedsTypesUnit(root)) uses += ", Types";  // TPoint, of OnContextPopup
  std::set<std::string_view> written;
  for (const ClassUnit& class_unit : kClassUnits) {
    if (needed.contains(class_unit.unit) && written.insert(class_unit.unit).second)
      uses += ", " + std::string(class_unit.unit);
  }
  // Translated code keeps FoxPro's untyped values in Variants and calls
  // FoxPro's functions in the runtime unit written beside the form's.
  if (UsesFoxRuntime(root)) {
    uses += ", Variants, " + std::string(kFoxRuntimeUnit);
  } else if (HasCustomProperties(root)) {
    uses += ", Variants";  // the properties the classes add are Variants
  }
  if (OpensData(root)) uses += ", " + std::string(kFoxDataUnit);
  return uses;
}

class UnitWriter {
 public:
  UnitWriter(const LoadableForm& form, TextList& out) : form_(form), out_(out) {}

  // A comment line in UTF-8; control characters become blanks so that the
  // comment stays on its line.
  void Comment(std::string_view text) {
    std::string line = DecodeToUtf8(text, form_.code_page);
    for (char& c : line) {
      if (static_cast<unsigned char>(c) < 32) c = ' ';
    }
    out_.push_back("      // " + line);
  }

  void Notes(const Component& component) {
    // A renamed component is found by the path FoxPro's code uses.
    if (component.identifier != component.original_name)
      Comment(&component == &form_.root ? "FoxPro name: " + component.original_name : "FoxPro: " + component.fox_path);
    if (!component.remark.empty()) Comment(component.remark);
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

}  // namespace

TextList WriteLoadableUnit(const LoadableForm& form) {
  const Component& root = form.root;
  TextList out = {"unit " + form.unit_name + ";", "", "{$IFDEF FPC}{$MODE DELPHI}{$ENDIF}", "", "interface", "",
                  "uses", "  " + UsesList(root) + ";", "", "type", "  " + root.delphi_class + " = class(TForm)"};
  UnitWriter writer(form, out);
  if (form.modal) out.push_back("      // FoxPro shows this form modal (WindowType = 1): show it with ShowModal.");
  writer.Notes(root);
  writer.Fields(root);
  TextList handlers = MethodDeclarations(root, true);
  out.insert(out.end(), std::make_move_iterator(handlers.begin()), std::make_move_iterator(handlers.end()));
  if (NeedsLoaded(root) || NeedsDoCreate(root)) out.push_back("  protected");
  if (NeedsLoaded(root)) out.push_back("    procedure Loaded; override;");
  if (NeedsDoCreate(root)) out.push_back("    procedure DoCreate; override;");
  out.insert(out.end(), {"  private", "    { Private declarations }", "  public", "    { Public declarations }"});
  TextList custom = CustomPropertyFields(root, form.code_page);
  out.insert(out.end(), std::make_move_iterator(custom.begin()), std::make_move_iterator(custom.end()));
  if (!ObjectInits(root).empty()) out.push_back("    procedure " + std::string(kInitObjectsMethod) + ";");
  TextList plain = MethodDeclarations(root, false);
  out.insert(out.end(), std::make_move_iterator(plain.begin()), std::make_move_iterator(plain.end()));
  out.insert(out.end(), {"  end;", "", "var", "  " + root.identifier + ": " + root.delphi_class + ";", "",
                         "implementation", "", "{$R *.dfm}"});
  TextList bodies = MethodBodies(root, form.code_page);
  out.insert(out.end(), std::make_move_iterator(bodies.begin()), std::make_move_iterator(bodies.end()));
  out.insert(out.end(), {"", "end."});
  MarkUtf8(out);
  return out;
}

}  // namespace quorvex
