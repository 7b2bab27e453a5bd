#include "classlib/class_library.h"

#include <gtest/gtest.h>

#include "classlib_test_util.h"
#include "support/golden.h"

namespace quorvex::testing {
namespace {

// "class: member member ..." per class, in table order.
std::vector<std::string> Outline(const ClassLibrary& library) {
  std::vector<std::string> lines;
  for (const LibraryClass& library_class : library.Classes()) {
    std::string line = library_class.record->object_name + ":";
    for (const FormRecord* member : library_class.members) line += " " + member->parent + "." + member->object_name;
    lines.push_back(line);
  }
  return lines;
}

TEST(ClassLibraryTest, ClassesOfEveryLayout) {
  MemoryFileSystem files;
  ScxRecord old_version = ClassRecord("bar", "container", "", "container", "", 2);
  old_version.deleted = true;
  AddLibrary(files, "/app/lib",
             {old_version, MemberRecord("bar", "gone", "label", ""),
              ClassRecord("bar", "container", "", "container", "", 3),
              MemberRecord("bar", "cmdOk", "commandbutton", ""),
              MemberRecord("Bar.pgf.Page1", "txt", "textbox", ""), EndOfClass("bar"),
              // Old files: a class ended by FONTINFO, or by the next class.
              ClassRecord("old", "label", "", "label", "", 1),
              {.platform = "COMMENT", .objname = "old", .uniqueid = "FONTINFO"},
              ClassRecord("plain", "container", "", "container", "", 2), MemberRecord("plain", "a", "label", ""),
              // Without an end: RESERVED2 bounds the class, and the parent must name it.
              ClassRecord("cut", "container", "", "container", "", 2), MemberRecord("other", "b", "label", ""),
              MemberRecord("cut", "c", "label", ""), MemberRecord("cut", "d", "label", "")});
  const std::shared_ptr<const ClassLibrary> library = ReadClassLibrary(files, "/app/lib.vcx");
  EXPECT_EQ(Outline(*library),
            (std::vector<std::string>{"bar: bar.cmdOk Bar.pgf.Page1.txt", "old:", "plain: plain.a", "cut: cut.c"}));
  EXPECT_EQ(library->FindClass("BAR"), &library->Classes()[0]);
  EXPECT_EQ(library->FindClass("none"), nullptr);
  EXPECT_EQ(library->Folder(), NativePath("/app"));
}

}  // namespace
}  // namespace quorvex::testing
