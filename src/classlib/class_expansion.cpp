#include "classlib/class_expansion.h"

#include <unordered_map>
#include <utility>

#include "base/ascii.h"
#include "classlib/class_resolver.h"
#include "classlib/library_path.h"
#include "scx/scx_property_line.h"
#include "vocabulary/lists.h"

namespace quorvex {

namespace {

constexpr std::string_view kCommentPlatform = "COMMENT";

// True when the text may hold a MemberClass setting; a cheap test that spares
// the records without one a parse.
bool MentionsMemberClass(std::string_view properties) {
  constexpr std::string_view kWord = "memberclass";
  for (std::size_t i = 0; i + kWord.size() <= properties.size(); ++i) {
    if (SameText(properties.substr(i, kWord.size()), kWord)) return true;
  }
  return false;
}

// The value of a Name line (`property`: "Name", "Page1.Name") as the object
// tree reads it, or `fallback` when there is none.
std::string NameOf(const PropertySet& properties, const std::string& property, const std::string& fallback) {
  const PropertyLine* name = properties.Find(property);
  if (name == nullptr) return fallback;
  return UnquoteNameValue(TrimBlanks(ValuePart(name->text)));
}

// The paths of the objects that pass 1 will build, for the PARENT of each
// member's record. Classes name members in their paths as they like
// ("Gripper", "Column1") while pass 1 matches the Name each was given last
// ("GRIPPER", "COLUMN1"), so a path is made of its containers' Names: of a
// member with a record, its own Name line; of a page or column, which has
// none, the Name line that its container writes for it.
class MemberPaths {
 public:
  MemberPaths(std::string instance_path, const PropertySet& instance) {
    built_.try_emplace("", Built{std::move(instance_path), &instance});
  }

  // The PARENT of `member`'s record; then remembers where `member` lies.
  std::string ParentOf(const ResolvedMember& member, const std::string& name) {
    const std::size_t last_dot = member.path.rfind('.');
    const std::string_view container =
        last_dot == std::string::npos ? std::string_view() : std::string_view(member.path).substr(0, last_dot);
    // The nearest container with a record (the instance at the least).
    std::size_t end = container.size();
    auto found = built_.find(AsciiLowerCopy(container));
    while (found == built_.end()) {
      const std::size_t dot = container.rfind('.', end - 1);
      end = dot == std::string_view::npos ? 0 : dot;
      found = built_.find(AsciiLowerCopy(container.substr(0, end)));
    }
    std::string parent = found->second.path;
    std::string_view below = container.substr(end);
    if (!below.empty() && below.front() == '.') below.remove_prefix(1);
    if (!below.empty()) {
      const std::string_view first = below.substr(0, below.find('.'));
      parent += "." + NameOf(*found->second.properties, std::string(first) + ".Name", std::string(first));
      parent += below.substr(first.size());
    }
    built_.try_emplace(AsciiLowerCopy(member.path), Built{parent + "." + name, &member.properties});
    return parent;
  }

 private:
  struct Built {
    std::string path;               // of its node
    const PropertySet* properties;  // where its pages' Name lines are
  };
  std::unordered_map<std::string, Built> built_;  // lower-case path below the instance ("" for it)
};

void AppendExpanded(const FormRecord& record, ResolvedObject object, std::string_view form_folder,
                    std::vector<FormRecord>& out) {
  FormRecord instance = record;
  instance.properties = object.properties.Text();
  instance.property_folders = object.properties.FoldersText(form_folder);
  instance.class_methods = std::move(object.class_methods);
  // RESERVED3 lists what a class adds, the record only what it adds itself.
  object.AddReserved3(record.reserved3);
  instance.reserved3 = std::move(object.reserved3);
  if (!object.base_class.empty()) instance.base_class = object.base_class;
  const std::string own_name = NameOf(object.properties, "Name", record.object_name);
  MemberPaths paths(record.parent.empty() ? own_name : record.parent + "." + own_name, object.properties);
  out.push_back(std::move(instance));
  for (ResolvedMember& member : object.Members()) {
    const FormRecord& source = *member.record;
    FormRecord expanded;
    expanded.record_number = record.record_number;
    expanded.platform = source.platform;
    expanded.unique_id = source.unique_id;
    expanded.class_name = source.class_name;
    expanded.class_location = source.class_location;
    expanded.base_class = member.base_class;
    expanded.object_name = source.object_name;
    expanded.parent = paths.ParentOf(member, NameOf(member.properties, "Name", source.object_name));
    expanded.properties = member.properties.Text();
    expanded.property_folders = member.properties.FoldersText(form_folder);
    expanded.class_methods = std::move(member.class_methods);
    expanded.reserved3 = std::move(member.reserved3);
    out.push_back(std::move(expanded));
  }
}

}  // namespace

ClassExpansion ExpandClassInstances(std::vector<FormRecord> records, std::string_view form_path,
                                    ClassLibraryCache& cache) {
  ClassResolver resolver(cache, form_path);
  const std::string form_folder = FolderOf(form_path);
  ClassExpansion expansion;
  expansion.records.reserve(records.size());
  for (FormRecord& record : records) {
    std::optional<ResolvedObject> object;
    if (record.platform != kCommentPlatform && !record.object_name.empty()) {
      object = record.class_location.empty()
                   ? (MentionsMemberClass(record.properties) ? resolver.ResolveMemberClasses(record) : std::nullopt)
                   : resolver.ResolveInstance(record);
    }
    if (object) {
      AppendExpanded(record, std::move(*object), form_folder, expansion.records);
    } else {
      expansion.records.push_back(std::move(record));
    }
  }
  expansion.notes = resolver.Notes();
  // The code the classes bring may read constants of their include file.
  std::vector<FormRecord>& out = expansion.records;
  if (!out.empty() && out[0].platform == kCommentPlatform && out[0].reserved8.empty())
    out[0].reserved8 = resolver.IncludeFile();
  return expansion;
}

}  // namespace quorvex
