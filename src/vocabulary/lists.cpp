#include "vocabulary/lists.h"

#include <algorithm>
#include <array>

#include "base/errors.h"

namespace quorvex {

namespace {

// The stored rows, in the order they are added. Rows without "=" name classes
// or properties that have no Delphi counterpart; they are kept so that the
// tables read as the complete vocabulary, and are never matched.

constexpr std::array<std::string_view, 27> kClassMapRows = {
    "CheckBox=TCheckBox", "ComboBox=TComboBox",       "CommandButton=TButton", "CommandGroup=TGroupBox",
    "Container=TPanel",   "EditBox=TMemo",            "Form",                  "FormSet",
    "Grid=TDBGrid",       "column=column",            "header=header",         "Hyperlink",
    "Image=TImage",       "Label=TLabel",             "Line",                  "ListBox=TListBox",
    "OLEBoundControl",    "OLEControl",               "OptionGroup=TGroupBox", "OptionButton=TRadioButton",
    "Page=TTabSheet",     "PageFrame=TPageControl",   "Separator",             "Shape=TShape",
    "Spinner=TSpinEdit",  "TextBox=TEdit",            "Timer=TTimer",
};

constexpr std::array<std::string_view, 42> kCommonPropertyMapRows = {
    "ActiveControl",  "Application",     "BackColor",      "BackStyle",      "BaseClass",
    "BorderColor",    "BorderWidth",     "Class",          "ClassLibrary",   "ColorSource",
    "Comment",        "ControlCount",    "Controls",       "DragIcon",       "DragMode",
    "Enabled=Enabled", "ForeColor",      "Height=Height",  "HelpContextID",  "Left=Left",
    "MouseIcon",      "MousePointer",    "Name=",          "Objects",        "OLEDragMode",
    "OLEDragPicture", "OLEDropEffects",  "OLEDropHasData", "OLEDropMode",    "Parent",
    "ParentClass",    "Picture",         "SpecialEffect",  "StatusBarText",  "TabIndex=TabOrder",
    "TabStop=TabStop", "Tag",            "ToolTipText",    "Top=Top",        "Visible=Visible",
    "WhatsThisHelpID", "Width=Width",
};

constexpr std::array<std::string_view, 12> kPropertyMapRows = {
    "Alignment=Alignment",       "AutoSize=AutoSize",         "BackColor=Color",
    "Caption=Caption",           "FontBold=Font.Style",       "FontItalic=Font.Style",
    "FontStrikethru=Font.Style", "FontUnderline=Font.Style",  "FontName=Font.Name",
    "FontSize=Font.Size",        "ForeColor=Font.Color",      "ReadOnly=ReadOnly",
};

constexpr std::array<std::string_view, 16> kValueMapRows = {
    ".F.=False",
    ".T.=True",
    "Alignment.0=taLeftJustify",
    "Alignment.1=taRightJustify",
    "Alignment.2=taCenter",
    "Alignment.3=",
    "Alignment.4=",
    "Alignment.5=",
    "Alignment.6=",
    "Alignment.7=",
    "Alignment.8=",
    "Alignment.9=",
    "FontBold..T.=fsBold",
    "FontItalic..T.=fsItalic",
    "FontStrikethru..T.=fsStrikeout",
    "FontUnderline..T.=fsUnderline",
};

constexpr std::array<std::string_view, 6> kClassPropertyMapRows = {
    "checkbox.Value=Checked", "checkbox.Value.0=False",  "checkbox.Value.1=True",
    "checkbox.Value.2=",      "Label.WordWrap=WordWrap", "Page.PageOrder=PageIndex",
};

constexpr std::array<std::string_view, 12> kSkipListEntries = {
    "CommandButton.AutoSize", "CheckBox.AutoSize",     "CheckBox.ReadOnly", "Form.TabIndex",
    "Label.TabIndex",         "TextBox.Alignment",     "OptionButton.AutoSize", "OptionGroup.AutoSize",
    "Page.BackColor",         "Spinner.Alignment",     "Timer.Height",      "Timer.Width",
};

template <std::size_t N>
void AddRows(VocabularyTable& table, const std::array<std::string_view, N>& rows) {
  for (const auto row : rows) table.Add(row);
}

}  // namespace

std::string_view NamePart(std::string_view row) {
  const auto equals = row.find('=');
  return equals == std::string_view::npos ? std::string_view() : row.substr(0, equals);
}

std::string_view ValuePart(std::string_view row) {
  const auto equals = row.find('=');
  return equals == std::string_view::npos ? std::string_view() : row.substr(equals + 1);
}

void VocabularyTable::Add(std::string_view row) {
  const auto at = std::lower_bound(rows_.begin(), rows_.end(), row, TextLess());
  if (at != rows_.end() && CompareText(*at, row) == 0)
    throw Exception("String list does not allow duplicates");
  entries_.emplace(row);
  const auto inserted = rows_.insert(at, std::string(row));
  if (row.find('=') == std::string_view::npos) return;
  // A row that sorts before another of the same name takes the name over.
  const bool first_of_name =
      std::none_of(rows_.begin(), inserted, [&](const std::string& earlier) {
        return earlier.find('=') != std::string::npos && SameText(NamePart(earlier), NamePart(row));
      });
  if (first_of_name) values_.insert_or_assign(std::string(NamePart(row)), std::string(ValuePart(row)));
}

bool VocabularyTable::HasName(std::string_view key) const { return values_.find(key) != values_.end(); }

std::string_view VocabularyTable::ValueOf(std::string_view key) const { return Find(key).value_or(""); }

std::optional<std::string_view> VocabularyTable::Find(std::string_view key) const {
  const auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

bool VocabularyTable::HasEntry(std::string_view entry) const {
  return entries_.find(entry) != entries_.end();
}

Lists::Lists() {
  AddRows(class_map_, kClassMapRows);
  AddRows(common_property_map_, kCommonPropertyMapRows);
  AddRows(property_map_, kPropertyMapRows);
  AddRows(value_map_, kValueMapRows);
  AddRows(class_property_map_, kClassPropertyMapRows);
  for (const auto entry : kSkipListEntries) skip_list_.Add(TrimBlanks(entry));
}

const Lists& Lists::Shared() {
  static const Lists lists;
  return lists;
}

}  // namespace quorvex
