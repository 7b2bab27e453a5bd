#pragma once
// The loadable mode's model of one Delphi form: every object a component with
// a real class, a Pascal identifier, its original name, the properties that
// its class publishes, and the FoxPro settings that could not be carried over,
// kept as text for the unit's comments.

#include <string>
#include <vector>

#include "base/text_list.h"
#include "model/custom_properties.h"
#include "translate/method_translation.h"

namespace quorvex {

// One DFM assignment: "Caption" = "'OK'" (value as DFM text).
struct DfmSetting {
  std::string name;
  std::string value;
};

// A FoxPro property line that no published property carries, as read
// (8-bit text of the form's code page), with the object it belongs to when
// that is not the component itself (a grid column: "Column1.Header1").
struct KeptSetting {
  std::string owner;
  std::string line;
};

// One item of a TDBGrid's Columns: the column's own settings and those of its
// header (Title.*) and edit control.
struct GridColumn {
  std::vector<DfmSetting> settings;
  std::string field = {};  // the field its ControlSource names (8-bit text); "" when none
};

// A FoxPro method: its name ("Click"), the class it comes from ("cmdbase of
// base.vcx"; "" for the form's own records), its code lines as stored
// (8-bit text of the form's code page), and the object below the component
// whose method it is ("Column1.Header1" for a grid column's header; "" for
// the component itself).
struct FoxMethod {
  std::string owner;
  std::string name;
  std::string origin;
  TextList code;
  // A version of a class that a later version of the same method replaces:
  // FoxPro does not run it, and it is not translated.
  bool overridden = false;
  // The code in Pascal where it could be translated (TranslateFormCode).
  MethodTranslation translation = {};
};

// A method of the form class that holds FoxPro methods: the handler of a
// Delphi event, holding the FoxPro events that meet in it in the order FoxPro
// fires them (each with its classes' versions first), or a plain method.
struct FormMethod {
  std::string name;        // cmdOKClick, FormCreate, txtNameRefresh
  std::string event;       // OnClick; "" for a plain method
  std::string event_type;  // TNotifyEvent ...; "" for a plain method
  bool lcl_only = false;   // wired by the unit when the form is loaded, in the LCL alone
  std::vector<FoxMethod> methods;
};

struct Component {
  std::string identifier;     // unique within the form, letter case aside
  std::string original_name;  // the FoxPro Name (8-bit text)
  // The path FoxPro's code reaches it by: "thisform.pageframe1.page2.txtPno".
  std::string fox_path;
  std::string delphi_class;  // TButton ...; for the form "T" + identifier
  std::string fox_class;     // the FoxPro base class whose defaults it has
  // Its FoxPro property lines as stored (its classes' included), which tell
  // the code translator what its properties mean; let go of once the code is
  // translated (ReleaseStoredLines), as nothing written needs them.
  TextList stored;
  std::vector<DfmSetting> settings;
  // Property lines that a rule of the component as a whole carries (the
  // option chosen in a group, the order of pages), until the rule has run.
  TextList rule_lines;
  // "Property = FOLDER" for its settings that a class library set
  // (FormRecord::property_folders): where a file such a setting names is
  // looked for first.
  TextList library_folders;
  // Settings only the LCL publishes, made by the unit when the form is loaded.
  std::vector<DfmSetting> lcl_settings;
  // FoxPro settings that neither Delphi nor the LCL has a property for, made
  // by FoxRuntime when the form is loaded: the procedure and the argument it
  // takes after the component ({"FoxAnchor", "240"}).
  std::vector<DfmSetting> runtime_settings;
  std::vector<GridColumn> columns;  // TDBGrid only
  // What it is bound to: the alias whose data source it takes ("" when none)
  // and the field it shows ("" for a grid, whose columns name theirs).
  std::string data_alias;
  std::string data_field;
  // A data source of a cursor: the arguments after it with which FoxData
  // opens the cursor's table when the form is loaded ("'customer', 'name',
  // '', False, True"); "" for any other component.
  std::string data_opening;
  // A list filled with a field of such a cursor's rows when the form is
  // loaded: the data source and the field ("dsLogin, 'userid'"); "" for none.
  std::string data_list;
  // The form's own properties, fields of its class (the form's only).
  std::vector<CustomProperty> custom_properties;
  // A comment of the conversion's own, written under the component's field
  // before the kept settings ("" when none).
  std::string remark;
  std::vector<KeptSetting> kept;
  std::vector<FoxMethod> fox_methods;  // as gathered from the records
  std::vector<FormMethod> methods;     // made of them for the unit
  std::vector<Component> children;
  // A panel the conversion made round its one member, a graphic control
  // that FoxPro draws over windowed ones (look/drawing_order.h): it stands for
  // no FoxPro object, and where FoxPro's code places, sizes or shows its
  // member, it is the panel that moves.
  bool holds_graphic = false;
};

// A data source a form got: its identifier, the alias it stands for (UTF-8),
// and whether the form's code opens that alias (no cursor of the data
// environment does).
struct DataSourceMade {
  std::string identifier;
  std::string alias;
  bool opened_in_code = false;
};

// A component bound to a data source: a control with its field, or a grid
// with its columns' fields ("" for a column that names none); UTF-8.
struct BoundControl {
  std::string identifier;
  std::string data_source;
  std::string field;
  std::vector<std::string> columns;
};

// One form: the unit and file name it is written under, and its component
// tree (the root is the form, of class "T" + its identifier).
struct LoadableForm {
  std::string unit_name;
  int code_page = 1252;  // of the 8-bit texts kept
  bool modal = false;    // FoxPro shows it modal (WindowType = 1)
  // Its code, or its classes', is compiled with an #INCLUDE file: a name it
  // reads may be one of the file's constants.
  bool include_file = false;
  // Report lines ("   Note: ...") of what its conversion could not carry:
  // picture files not found or not read.
  std::vector<std::string> notes;
  Component root;
  std::vector<DataSourceMade> data_sources;  // in the order of the text
};

// Empties `stored` of `component` and every component inside it.
void ReleaseStoredLines(Component& component);

// The settings kept as comments in a form, all components counted.
int KeptSettingCount(const Component& component);

// The FoxPro methods of a form, all components counted, and those of them in
// handlers of events.
int FoxMethodCount(const Component& component);
int HandledMethodCount(const Component& component);

// The FoxPro methods of a form that run and hold code, by how much of their
// code is translated.
struct TranslationCounts {
  int full = 0;
  int partial = 0;
  int none = 0;
  int lines = 0;             // lines of code
  int translated_lines = 0;  // of them translated
};
TranslationCounts CountTranslations(const Component& component);

}  // namespace quorvex
