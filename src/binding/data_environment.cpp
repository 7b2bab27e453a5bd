#include "binding/data_environment.h"

#include <algorithm>

#include "base/ascii.h"
#include "base/text_encoding.h"
#include "model/record_tree.h"
#include "scx/object_text.h"
#include "scx/scx_property_line.h"
#include "vocabulary/lists.h"

namespace quorvex {

namespace {

// What places an object in the data environment's window, and names it:
// nothing the form's data needs.
constexpr std::string_view kLayoutProperties[] = {"Name", "Left", "Top", "Width", "Height"};

bool IsLayout(const std::string& line) {
  const std::string_view property = TrimBlanks(NamePart(line));
  return std::any_of(std::begin(kLayoutProperties), std::end(kLayoutProperties),
                     [&](std::string_view layout) { return SameText(property, layout); });
}

TextList SettingsOf(const TextList& lines) {
  TextList settings;
  std::copy_if(lines.begin(), lines.end(), std::back_inserter(settings),
               [](const std::string& line) { return !TrimBlanks(line).empty() && !IsLayout(line); });
  return settings;
}

void AddMember(DataEnvironment& environment, const std::string& base_class, const std::string& name,
               const TextList& lines) {
  const auto text = [&](std::string_view property) { return StoredText(StoredValue(lines, property).value_or("")); };
  if (SameText(base_class, "cursor") || SameText(base_class, "cursoradapter")) {
    std::string alias = text("Alias");
    if (alias.empty()) alias = TableAlias(text("CursorSource"));
    environment.cursors.push_back({name, std::move(alias), SettingsOf(lines)});
  } else if (SameText(base_class, "relation")) {
    environment.relations.push_back({name, text("ParentAlias"), text("ChildAlias"), SettingsOf(lines)});
  }
}

}  // namespace

std::string TableAlias(std::string_view source) {
  std::string_view name = source;
  if (const std::size_t cut = name.find_last_of("\\/!:"); cut != std::string_view::npos) name.remove_prefix(cut + 1);
  if (const std::size_t dot = name.find('.'); dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(TrimBlanks(name));
}

std::string StoredText(std::string_view value) { return UnquoteNameValue(TrimBlanks(value)); }

std::optional<std::string> StoredValue(const TextList& lines, std::string_view property) {
  std::optional<std::string> value;
  for (const std::string& line : lines) {
    if (SameText(TrimBlanks(NamePart(line)), property)) value = std::string(TrimBlanks(ValuePart(line)));
  }
  return value;
}

const FoxCursor* DataEnvironment::FindCursor(std::string_view alias) const {
  const auto found = std::find_if(cursors.begin(), cursors.end(),
                                  [&](const FoxCursor& cursor) { return SameText(cursor.alias, alias); });
  return found == cursors.end() ? nullptr : &*found;
}

std::string DataEnvironment::BareNameAlias() const {
  return cursors.size() == 1 ? cursors.front().alias : std::string();
}

std::string CursorTableName(std::string_view source, int code_page) {
  return AsciiLowerCopy(DecodeToUtf8(TableAlias(source), code_page));
}

std::vector<CursorTable> CursorTables(const DataEnvironment& environment, int code_page) {
  std::vector<CursorTable> tables;
  for (const FoxCursor& cursor : environment.cursors) {
    const auto text = [&](std::string_view property) {
      return StoredText(StoredValue(cursor.settings, property).value_or(""));
    };
    std::string source = text("CursorSource");
    if (source.empty()) continue;
    std::string table = CursorTableName(source, code_page);
    tables.push_back({std::move(source), text("Database"), std::move(table)});
  }
  return tables;
}

DataEnvironment ReadDataEnvironment(const std::vector<FormRecord>& records, const ScxObjectTree& tree) {
  DataEnvironment environment;
  for (const ScxNode* node = tree.First(); node != nullptr; node = tree.Next(*node)) {
    if (!SameText(NodeFoxClass(records, *node), "dataenvironment")) continue;
    environment.name = NodeName(node->text);
    if (const FormRecord* record = NodeRecord(records, *node); record != nullptr && node->record_ref > 0)
      environment.settings = SettingsOf(NodePropertyLines(*node, record->properties));
    for (const ScxNode* child : node->children) {
      const FormRecord* member = NodeRecord(records, *child);
      if (member == nullptr) continue;
      AddMember(environment, NodeFoxClass(records, *child), NodeName(child->text),
                NodePropertyLines(*child, member->properties));
    }
    break;
  }
  return environment;
}

}  // namespace quorvex
