#include "classlib/class_resolver.h"

#include <utility>

#include "base/ascii.h"
#include "base/text_list.h"
#include "classlib/library_path.h"
#include "scx/scx_object_tree.h"

namespace quorvex {

namespace {

constexpr std::string_view kNote = "   Note: ";

// Where a library's member record lies below its class: PARENT without the
// class name, then OBJNAME ("cls.Pageframe1.Page1" + "Text1" gives
// "Pageframe1.Page1.Text1").
std::string MemberPath(const FormRecord& record) {
  const std::size_t dot = record.parent.find('.');
  if (dot == std::string::npos) return record.object_name;
  return record.parent.substr(dot + 1) + "." + record.object_name;
}

std::vector<PropertyLine> LinesOf(std::string_view properties, std::string_view origin) {
  std::vector<PropertyLine> lines;
  for (std::string& text : SplitLines(properties)) lines.push_back({std::move(text), origin});
  return lines;
}

}  // namespace

// Holds a class on the chain while it is resolved. A class met again on the
// chain (its own ancestor, or a member of its own kind) or past the chain's
// depth is reported and not entered.
class ClassResolver::ChainEntry {
 public:
  ChainEntry(ClassResolver& resolver, const ClassLibrary& library, const LibraryClass& definition)
      : resolver_(resolver) {
    const std::string& name = definition.record->object_name;
    std::string key = library.Path() + "\n" + AsciiLowerCopy(name);
    for (const std::string& held : resolver_.chain_) {
      if (held == key) {
        resolver_.Note("class " + name + " in class library " + library.Path() +
                       " is its own ancestor or container; cut there");
        return;
      }
    }
    if (resolver_.chain_.size() >= kMaxClassChain) {
      resolver_.Note("class " + name + " in class library " + library.Path() + " lies deeper than " +
                     std::to_string(kMaxClassChain) + " classes; cut there");
      return;
    }
    resolver_.chain_.push_back(std::move(key));
    entered_ = true;
  }
  ~ChainEntry() {
    if (entered_) resolver_.chain_.pop_back();
  }
  ChainEntry(const ChainEntry&) = delete;
  ChainEntry& operator=(const ChainEntry&) = delete;

  bool Entered() const { return entered_; }

 private:
  ClassResolver& resolver_;
  bool entered_ = false;
};

ClassResolver::ClassResolver(ClassLibraryCache& cache, std::string_view form_path)
    : cache_(cache), form_folder_(FolderOf(form_path)) {}

std::optional<ResolvedObject> ClassResolver::ResolveInstance(const FormRecord& record) {
  if (record.class_location.empty()) return std::nullopt;
  const std::vector<PropertyLine> lines = LinesOf(record.properties, form_folder_);
  CountText(record.properties);
  return ResolveClass(record.class_name, record.class_location, form_folder_, &lines);
}

std::optional<ResolvedObject> ClassResolver::ResolveMemberClasses(const FormRecord& record) {
  ResolvedObject object = BaseOf(record, form_folder_);
  object.ApplyAll(record.properties, form_folder_);
  if (!ApplyMemberClasses(object)) return std::nullopt;
  return object;
}

std::optional<ResolvedObject> ClassResolver::ResolveClass(std::string_view class_name,
                                                          std::string_view class_location,
                                                          const std::string& holder_folder,
                                                          const std::vector<PropertyLine>* lines) {
  const std::optional<FoundClass> found = FindClass(class_name, class_location, holder_folder);
  if (!found) return std::nullopt;
  const ChainEntry entry(*this, *found->library, *found->definition);
  if (!entry.Entered()) return std::nullopt;
  ResolvedObject object = ResolveDefinition(*found->library, *found->definition);
  if (lines != nullptr) {
    for (const PropertyLine& line : *lines) object.Apply(line.text, line.origin);
    ApplyMemberClasses(object);
  }
  return object;
}

std::optional<ClassResolver::FoundClass> ClassResolver::FindClass(std::string_view class_name,
                                                                  std::string_view class_location,
                                                                  const std::string& holder_folder) {
  const ClassLibrary* library = OpenLibrary(class_location, holder_folder);
  if (library == nullptr) return std::nullopt;
  const LibraryClass* definition = library->FindClass(class_name);
  if (definition == nullptr) {
    Note("class " + std::string(class_name) + " not found in class library " + library->Path());
    return std::nullopt;
  }
  return FoundClass{library, definition};
}

const ClassLibrary* ClassResolver::OpenLibrary(std::string_view class_location, const std::string& holder_folder) {
  const std::string name(class_location);
  if (lookups_.insert(holder_folder + "\n" + name).second && lookups_.size() > kMaxLibrariesPerForm) {
    lookups_.erase(holder_folder + "\n" + name);
    Note("class library " + name + " not read: a form may use at most " + std::to_string(kMaxLibrariesPerForm) +
             " class libraries",
         "over the limit");
    return nullptr;
  }
  const std::optional<std::string> path = cache_.FindLibrary(holder_folder, form_folder_, class_location);
  if (!path) {
    Note("class library " + name + " not found", "not found\n" + AsciiLowerCopy(name));
    return nullptr;
  }
  const LibraryLoad& load = cache_.Library(*path);
  if (load.library == nullptr) {
    Note("class library " + *path + " cannot be read: " + load.error);
    return nullptr;
  }
  if (!load.library->Failures().empty()) {
    const RecordFailure& failure = load.library->Failures().front();
    Note("class library " + *path + ": record " + std::to_string(failure.record_number) +
         " cannot be read: " + failure.message);
  }
  return load.library.get();
}

ResolvedObject ClassResolver::ResolveDefinition(const ClassLibrary& library, const LibraryClass& definition) {
  const FormRecord& record = *definition.record;
  const std::string origin = record.object_name + " of " + std::string(PathFileName(library.Path()));
  ResolvedObject object = BaseOf(record, library.Folder());
  AddMethods(object, origin, record.methods);
  CountText(record.reserved3);
  object.AddReserved3(record.reserved3);
  if (include_file_.empty()) include_file_ = record.reserved8;
  for (const FormRecord* member : definition.members) {
    object.AddMember(MemberPath(*member), *member, ResolveRecord(*member, library.Folder(), origin));
  }
  // After the class's own members, so that a line for one of them reaches it
  // as surely as the lines for the members it inherits.
  CountText(record.properties);
  object.ApplyAll(record.properties, library.Folder());
  return object;
}

ResolvedObject ClassResolver::ResolveRecord(const FormRecord& record, const std::string& holder_folder,
                                            const std::string& origin) {
  CountMember();
  ResolvedObject object = BaseOf(record, holder_folder);
  AddMethods(object, origin, record.methods);
  CountText(record.properties);
  object.ApplyAll(record.properties, holder_folder);
  // The object tree places a member by its own Name line.
  if (object.properties.Find("Name") == nullptr) object.properties.Set("Name = \"" + record.object_name + "\"", {});
  return object;
}

ResolvedObject ClassResolver::BaseOf(const FormRecord& record, const std::string& holder_folder) {
  if (!record.class_location.empty()) {
    if (std::optional<ResolvedObject> parent = ResolveClass(record.class_name, record.class_location, holder_folder))
      return std::move(*parent);
  }
  ResolvedObject object;
  object.base_class = record.base_class.empty() ? record.class_name : record.base_class;
  return object;
}

void ClassResolver::Note(std::string text, std::string key) {
  if (key.empty()) key = text;
  if (noted_.insert(std::move(key)).second) notes_.push_back(std::string(kNote) + text);
}

void ClassResolver::CountMember() {
  if (++members_ > static_cast<std::size_t>(kMaxObjectNodes))
    throw EFormTooLarge("The class libraries give more than " + std::to_string(kMaxObjectNodes) + " objects");
}

void ClassResolver::CountText(std::string_view text) {
  text_bytes_ += text.size();
  if (text_bytes_ > kMaxObjectTextBytes)
    throw EFormTooLarge("The class libraries give more than " + std::to_string(kMaxObjectTextBytes >> 20) +
                        " MB of settings and methods");
}

void ClassResolver::AddMethods(ResolvedObject& object, const std::string& origin, const std::string& methods) {
  if (methods.empty()) return;
  CountText(methods);
  object.class_methods.push_back({origin, {}, methods});
}

}  // namespace quorvex
