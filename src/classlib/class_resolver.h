#pragma once
// Works out, for the records of one form, what their class-library classes
// make of them: each class's settings, METHODS and members along its chain of
// parent classes, across libraries, and the classes named by a container's
// MemberClass and MemberClassLibrary. What cannot be resolved is reported as
// a note and left as it was.
//
// Each METHODS text is kept with its origin: the class record's OBJNAME as
// the library writes it, " of ", and the file name of the library as it was
// found ("cmdbase of base.vcx"). A member's record's METHODS take the origin
// of the class that defines the member.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "classlib/class_library.h"
#include "classlib/class_library_cache.h"
#include "classlib/resolved_object.h"

namespace quorvex {

// A chain of classes (parents, and classes of members inside members) is
// followed this far and no further; real chains go 4 classes deep.
inline constexpr std::size_t kMaxClassChain = 64;
// Different library references one form may make; the most seen in a real
// form is 15.
inline constexpr std::size_t kMaxLibrariesPerForm = 256;

// One form's resolution. Used by one thread; several may share the cache.
class ClassResolver {
 public:
  // `form_path`: the form's file, whose folder CLASSLOCs of its records start
  // from. The cache must outlive the resolver, and the resolver every object
  // it gives.
  ClassResolver(ClassLibraryCache& cache, std::string_view form_path);

  // The object that a form record stands for when its CLASS/CLASSLOC name a
  // library class: the class's chain, the record's own lines over it, and the
  // classes that MemberClass settings name. Nothing when the record names no
  // library or its class cannot be resolved. Throws EFormTooLarge when the
  // form's classes would make more than kMaxObjectNodes members or more than
  // kMaxObjectTextBytes of settings and methods.
  std::optional<ResolvedObject> ResolveInstance(const FormRecord& record);

  // A form record that names no library class, with the classes its
  // MemberClass names resolved; nothing when that changes nothing. Throws as
  // ResolveInstance.
  std::optional<ResolvedObject> ResolveMemberClasses(const FormRecord& record);

  // The report lines so far, each "   Note: ..." and each given once:
  //   class library NAME not found   (NAME the CLASSLOC as written; once for
  //                                   all spellings that differ in case only)
  //   class library PATH cannot be read: MESSAGE
  //   class library PATH: record N cannot be read: MESSAGE   (the first one)
  //   class NAME not found in class library PATH
  //   class NAME in class library PATH is its own ancestor or container; cut there
  //   class NAME in class library PATH lies deeper than 64 classes; cut there
  //   class library NAME not read: a form may use at most 256 class libraries
  //                                  (once, for the first library past the limit)
  const std::vector<std::string>& Notes() const { return notes_; }
  // The #INCLUDE file of the first class resolved whose code has one; "".
  const std::string& IncludeFile() const { return include_file_; }

 private:
  class ChainEntry;
  struct FoundClass {
    const ClassLibrary* library;
    const LibraryClass* definition;
  };

  std::optional<FoundClass> FindClass(std::string_view class_name, std::string_view class_location,
                                      const std::string& holder_folder);
  const ClassLibrary* OpenLibrary(std::string_view class_location, const std::string& holder_folder);
  // The class's object; with `lines` given, those lines applied over it and
  // its MemberClass settings worked out, all while it is on the chain.
  std::optional<ResolvedObject> ResolveClass(std::string_view class_name, std::string_view class_location,
                                             const std::string& holder_folder,
                                             const std::vector<PropertyLine>* lines = nullptr);
  ResolvedObject ResolveDefinition(const ClassLibrary& library, const LibraryClass& definition);
  // A member record of a library class; `origin` that class's.
  ResolvedObject ResolveRecord(const FormRecord& record, const std::string& holder_folder, const std::string& origin);
  ResolvedObject BaseOf(const FormRecord& record, const std::string& holder_folder);

  // MemberClass (member_classes.cpp). Each gives true when it resolved a member.
  bool ApplyMemberClasses(ResolvedObject& object);
  bool ApplyMemberClass(PropertySet& container, std::vector<ClassMethods>& container_methods,
                        const std::string& container_path, ResolvedObject& object,
                        std::vector<ResolvedMember>& added);

  // Adds "   Note: " + text unless a note of the same key (the text when
  // none is given) was made before.
  void Note(std::string text, std::string key = {});
  void CountMember();
  // Counts a PROPERTIES or METHODS text that an object takes a copy of.
  void CountText(std::string_view text);
  // Adds a record's METHODS, unless empty, to the object's class methods.
  void AddMethods(ResolvedObject& object, const std::string& origin, const std::string& methods);

  ClassLibraryCache& cache_;
  std::string form_folder_;
  std::vector<std::string> chain_;  // "library path" + "\n" + lower-case class name, outermost first
  std::unordered_set<std::string> lookups_;
  std::vector<std::string> notes_;
  std::unordered_set<std::string> noted_;
  std::size_t members_ = 0;
  std::size_t text_bytes_ = 0;  // of settings and methods
  std::string include_file_;
};

}  // namespace quorvex
