#pragma once
// The loadable mode's model of one Delphi form: every object a component with
// a real class, a Pascal identifier, its original name, the properties that
// its class publishes, and the FoxPro settings that could not be carried over,
// kept as text for the unit's comments.

#include <string>
#include <vector>

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
};

struct Component {
  std::string identifier;     // unique within the form, letter case aside
  std::string original_name;  // the FoxPro Name (8-bit text)
  std::string delphi_class;   // TButton ...; for the form "T" + identifier
  std::vector<DfmSetting> settings;
  // Settings only the LCL publishes, made by the unit when the form is loaded.
  std::vector<DfmSetting> lcl_settings;
  std::vector<GridColumn> columns;  // TDBGrid only
  std::vector<KeptSetting> kept;
  std::vector<Component> children;
};

// One form: the unit and file name it is written under, and its component
// tree (the root is the form, of class "T" + its identifier).
struct LoadableForm {
  std::string unit_name;
  int code_page = 1252;  // of the 8-bit texts kept
  Component root;
};

// The settings kept as comments in a form, all components counted.
int KeptSettingCount(const Component& component);

}  // namespace quorvex
