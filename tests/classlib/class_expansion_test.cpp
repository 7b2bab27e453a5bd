#include "classlib/class_expansion.h"

#include <gtest/gtest.h>

#include "classlib/class_resolver.h"
#include "classlib_test_util.h"
#include "support/golden.h"
#include "scx/scx_object_tree.h"

namespace quorvex::testing {
namespace {

const FormRecord kForm = FormObject(2, "", "Form1", "form", PropertyLines({"Name = \"Form1\""}));

ClassExpansion Expand(MemoryFileSystem& files, std::vector<FormRecord> records) {
  ClassLibraryCache cache(files, {NativePath("/app")});
  return ExpandClassInstances(records, kFormPath, cache);
}

// A METHODS text of one procedure.
std::string Procedure(std::string_view name) { return "PROCEDURE " + std::string(name) + "\r\nENDPROC\r\n"; }

// The record's class methods, each "origin/member_prefix: text".
std::vector<std::string> ClassMethodsOf(const FormRecord& record) {
  std::vector<std::string> listed;
  for (const ClassMethods& methods : record.class_methods)
    listed.push_back(methods.origin + "/" + methods.member_prefix + ": " + methods.text);
  return listed;
}

TEST(ClassExpansionTest, MembersOfTheClassAndChangesBySubclassAndForm) {
  MemoryFileSystem files;
  AddLibrary(files, "/app/libs/bars",
             {ClassRecord("bar", "container", "", "container", PropertyLines({"Width = 200", "Height = 30", "Name = \"bar\""}), 3),
              MemberRecord("bar", "cmdOk", "commandbutton", PropertyLines({"Caption = \"OK\"", "Width = 80", "Name = \"cmdOk\""})),
              MemberRecord("bar", "cmdCancel", "commandbutton", PropertyLines({"Left = 90", "Name = \"cmdCancel\""})),
              EndOfClass("bar"),
              ClassRecord("okbar", "bar", "bars.vcx", "container",
                          PropertyLines({"Height = 40", "Name = \"okbar\"", "cmdCancel.Visible = .F."})),
              EndOfClass("okbar")});
  const ClassExpansion expansion =
      Expand(files, {kForm, FormObject(3, "Form1", "Bar1", "container",
                                       PropertyLines({"Top = 5", "Name = \"Bar1\"", "cmdOk.Caption = \"Yes\"",
                                                      "cmdOk.Name = \"cmdOk\"", "cmdCancel.Name = \"cmdCancel\""}),
                                       "okbar", "..\\LIBS\\Bars.VCX")});
  EXPECT_TRUE(expansion.notes.empty());
  ASSERT_EQ(expansion.records.size(), 4u);
  EXPECT_EQ(expansion.records[2].record_number, 3);
  EXPECT_EQ(ObjectTextOf(expansion.records),
            "object Form1=TForm1|  Name = \"Form1\"|"
            "  object Bar1=container|    Width = 200|    Height = 40|    Name = \"Bar1\"|    Top = 5|"
            "    object cmdOk=commandbutton|      Caption = \"Yes\"|      Width = 80|      Name = \"cmdOk\"|    end|"
            "    object cmdCancel=commandbutton|      Left = 90|      Name = \"cmdCancel\"|      Visible = .F.|"
            "    end|  end|end|");
}

// An object has the properties its classes add (a form its own too), and so
// does a member of a class that is an object of a class.
TEST(ClassExpansionTest, ObjectsHaveThePropertiesTheirClassesAdd) {
  MemoryFileSystem files;
  ScxRecord base = ClassRecord("baseform", "form", "", "form", PropertyLines({"Name = \"baseform\"", "nmode = 1"}));
  base.other.push_back({"RESERVED3", "nmode The mode\r\n*refreshall"});
  ScxRecord entry = ClassRecord("entryform", "baseform", "forms.vcx", "form", PropertyLines({"Name = \"entryform\""}));
  entry.other.push_back({"RESERVED3", "lsaved"});
  ScxRecord field = ClassRecord("field", "textbox", "", "textbox", PropertyLines({"Name = \"field\""}));
  field.other.push_back({"RESERVED3", "lrequired\r\n"});
  ScxRecord box = ClassRecord("box", "container", "", "container", PropertyLines({"Name = \"box\""}), 2);
  AddLibrary(files, "/app/forms/forms",
             {base, EndOfClass("baseform"), entry, EndOfClass("entryform"), field, EndOfClass("field"), box,
              MemberRecord("box", "txtCode", "textbox", PropertyLines({"Name = \"txtCode\""}), "field", "forms.vcx"),
              EndOfClass("box")});
  FormRecord form = FormObject(2, "", "Form1", "form", PropertyLines({"Name = \"Form1\""}), "entryform", "forms.vcx");
  form.reserved3 = "cname\r\n";
  const ClassExpansion expansion =
      Expand(files, {form, FormObject(3, "Form1", "Box1", "container", PropertyLines({"Name = \"Box1\""}), "box",
                                      "forms.vcx")});
  ASSERT_EQ(expansion.records.size(), 3u);
  EXPECT_EQ(expansion.records[0].reserved3, "nmode The mode\r\n*refreshall\r\nlsaved\r\ncname\r\n");
  EXPECT_EQ(expansion.records[1].reserved3, "");
  EXPECT_EQ(expansion.records[2].object_name, "txtCode");
  EXPECT_EQ(expansion.records[2].reserved3, "lrequired\r\n");
}

// The middle class has no methods; the root's library is found as Base.vcx
// though the CLASSLOC spells it BASE.VCX.
TEST(ClassExpansionTest, ThreeClassesAcrossTwoLibraries) {
  MemoryFileSystem files;
  AddLibrary(files, "/app/base/Base",
             {WithMethods(ClassRecord("basebtn", "commandbutton", "", "commandbutton",
                                      PropertyLines({"Height = 23", "Width = 75", "Caption = \"Base\"",
                                                     "Name = \"basebtn\""})),
                          Procedure("Init")),
              EndOfClass("basebtn")});
  AddLibrary(files, "/app/libs/app",
             {ClassRecord("appbtn", "basebtn", "..\\Base\\BASE.VCX", "commandbutton",
                          PropertyLines({"Width = 90", "Name = \"appbtn\""})),
              EndOfClass("appbtn"),
              WithMethods(
                  ClassRecord("OkBtn", "appbtn", "app.vcx", "commandbutton", PropertyLines({"Caption = \"OK\""})),
                  Procedure("Click")),
              EndOfClass("OkBtn")});
  FormRecord instance = FormObject(3, "Form1", "cmd1", "", PropertyLines({"Top = 5", "Name = \"cmd1\""}), "okbtn",
                                   "..\\libs\\app.vcx");
  instance.methods = Procedure("Valid");
  const ClassExpansion expansion = Expand(files, {instance});
  ASSERT_EQ(expansion.records.size(), 1u);
  EXPECT_EQ(expansion.records[0].base_class, "commandbutton");
  EXPECT_EQ(expansion.records[0].properties,
            PropertyLines({"Height = 23", "Width = 90", "Caption = \"OK\"", "Name = \"cmd1\"", "Top = 5"}));
  EXPECT_EQ(expansion.records[0].methods, Procedure("Valid"));
  EXPECT_EQ(ClassMethodsOf(expansion.records[0]),
            (std::vector<std::string>{"basebtn of Base.vcx/: " + Procedure("Init"),
                                      "OkBtn of app.vcx/: " + Procedure("Click")}));
}

// A member's own class comes before its record in the class that adds it;
// a subclass's override of the member's method stays with the instance.
TEST(ClassExpansionTest, MethodsOfClassMembersGoToTheirRecords) {
  MemoryFileSystem files;
  AddLibrary(files, "/app/forms/bars",
             {WithMethods(ClassRecord("btn", "commandbutton", "", "commandbutton", ""), Procedure("Click")),
              EndOfClass("btn"),
              ClassRecord("bar", "container", "", "container", "", 3),
              WithMethods(MemberRecord("bar", "cmdOk", "commandbutton", "", "btn", "bars.vcx"), Procedure("Click")),
              MemberRecord("bar", "lblNote", "label", ""),
              EndOfClass("bar"),
              WithMethods(ClassRecord("okbar", "bar", "bars.vcx", "container", ""), Procedure("cmdOk.Click")),
              EndOfClass("okbar")});
  const ClassExpansion expansion =
      Expand(files, {kForm, FormObject(3, "Form1", "Bar1", "container", "Name = \"Bar1\"\r\n", "okbar", "bars.vcx")});
  ASSERT_EQ(expansion.records.size(), 4u);
  EXPECT_EQ(ClassMethodsOf(expansion.records[1]),
            (std::vector<std::string>{"okbar of bars.vcx/: " + Procedure("cmdOk.Click")}));
  EXPECT_EQ(ClassMethodsOf(expansion.records[2]),
            (std::vector<std::string>{"btn of bars.vcx/: " + Procedure("Click"),
                                      "bar of bars.vcx/: " + Procedure("Click")}));
  EXPECT_EQ(expansion.records[2].methods, "");
  EXPECT_TRUE(expansion.records[3].class_methods.empty());
}

TEST(ClassExpansionTest, MemberClassGivesPagesTheirSettingsAndMembers) {
  MemoryFileSystem files;
  AddLibrary(files, "/app/forms/pages",
             {ClassRecord("pgf", "pageframe", "", "pageframe",
                          PropertyLines({"PageCount = 2", "MemberClassLibrary = pages.vcx", "MemberClass = \"mypage\"",
                                         "Name = \"pgf\"", "Page1.Caption = \"One\"", "Page1.Name = \"Page1\"",
                                         "Page2.Name = \"Page2\""})),
              EndOfClass("pgf"),
              WithMethods(ClassRecord("mypage", "page", "", "page",
                                      PropertyLines({"FontSize = 12", "Caption = \"Page\"", "Name = \"mypage\""}), 2),
                          Procedure("Click")),
              WithMethods(MemberRecord("mypage", "lblTitle", "label",
                                       PropertyLines({"Caption = \"Title\"", "Name = \"lblTitle\""})),
                          Procedure("DblClick")),
              EndOfClass("mypage")});
  const ClassExpansion expansion =
      Expand(files, {kForm, FormObject(3, "Form1", "Pgf1", "pageframe",
                                       PropertyLines({"Name = \"Pgf1\"", "Page2.Caption = \"Two\"",
                                                      "Page2.lblTitle.Caption = \"Second\""}),
                                       "pgf", "pages.vcx")});
  EXPECT_EQ(ObjectTextOf(expansion.records),
            "object Form1=TForm1|  Name = \"Form1\"|"
            "  object Pgf1=pageframe|    PageCount = 2|    MemberClassLibrary = pages.vcx|"
            "    MemberClass = \"mypage\"|    Name = \"Pgf1\"|"
            "    object Page1=Page|      FontSize = 12|      Caption = \"One\"|      Name = \"Page1\"|"
            "      object lblTitle=label|        Caption = \"Title\"|        Name = \"lblTitle\"|      end|    end|"
            "    object Page2=Page|      FontSize = 12|      Caption = \"Two\"|      Name = \"Page2\"|"
            "      object lblTitle=label|        Caption = \"Second\"|        Name = \"lblTitle\"|      end|    end|"
            "  end|end|");
  ASSERT_EQ(expansion.records.size(), 4u);
  EXPECT_EQ(ClassMethodsOf(expansion.records[1]),
            (std::vector<std::string>{"mypage of pages.vcx/Page1: " + Procedure("Click"),
                                      "mypage of pages.vcx/Page2: " + Procedure("Click")}));
  EXPECT_EQ(ClassMethodsOf(expansion.records[3]),
            (std::vector<std::string>{"mypage of pages.vcx/: " + Procedure("DblClick")}));
}

// Libraries that are missing, unreadable, or lack the class cost only their
// own instances, each reported once per form.
TEST(ClassExpansionTest, UnresolvedInstancesStayAsTheyWereWithANote) {
  MemoryFileSystem files;
  files.AddFile("/app/forms/bad.vcx", std::string(64, 'x'));
  files.AddFile("/app/forms/bad.vct", "");
  AddLibrary(files, "/app/forms/good",
             {WithMethods(ClassRecord("ok", "label", "", "label", PropertyLines({"Caption = \"ok\""})),
                          Procedure("Click")),
              EndOfClass("ok")});
  fixtures::TableFiles damaged = ScxWriter().Add(ClassRecord("ok", "label", "", "label", "Width = 1\r\n")).Build();
  fixtures::PutBigEndian32(damaged.memo, damaged.MemoEntryOffset(1, "OBJNAME"), 2);
  damaged.AddTo(files, "/app/forms/torn.vcx", "/app/forms/torn.vct");
  const std::vector<FormRecord> records = {
      FormObject(3, "Form1", "a1", "label", "Name = \"a1\"\r\n", "x", "missing.vcx"),
      FormObject(4, "Form1", "a2", "label", "Name = \"a2\"\r\n", "x", "MISSING.vcx"),
      FormObject(5, "Form1", "b", "label", "Name = \"b\"\r\n", "x", "bad.vcx"),
      FormObject(6, "Form1", "c", "label", "Name = \"c\"\r\n", "nosuch", "good.vcx"),
      FormObject(7, "Form1", "d", "label", "Name = \"d\"\r\n", "ok", "torn.vcx"),
      FormObject(8, "Form1", "e", "label", "Name = \"e\"\r\n", "ok", "good.vcx")};
  const ClassExpansion expansion = Expand(files, records);
  EXPECT_EQ(expansion.notes,
            (std::vector<std::string>{
                "   Note: class library missing.vcx not found",
                "   Note: class library " + NativePath("/app/forms/bad.vcx") +
                    " cannot be read: Table Header for " + NativePath("/app/forms/bad.vcx") + " is invalid",
                "   Note: class nosuch not found in class library " + NativePath("/app/forms/good.vcx"),
                "   Note: class library " + NativePath("/app/forms/torn.vcx") +
                    ": record 1 cannot be read: Memo record is bad in " + NativePath("/app/forms/torn.vct"),
                "   Note: class ok not found in class library " + NativePath("/app/forms/torn.vcx")}));
  ASSERT_EQ(expansion.records.size(), records.size());
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(expansion.records[i].properties, records[i].properties);
    EXPECT_TRUE(expansion.records[i].class_methods.empty());
  }
  EXPECT_EQ(expansion.records[5].properties, PropertyLines({"Caption = \"ok\"", "Name = \"e\""}));
  EXPECT_EQ(expansion.records[5].class_methods.size(), 1u);
}

// A library counts once however often it is named; past the limit no
// library is looked for or read.
TEST(ClassExpansionTest, AFormUsesAtMostTheLibraryLimit) {
  MemoryFileSystem files;
  std::vector<FormRecord> records;
  for (std::size_t i = 0; i <= kMaxLibrariesPerForm; ++i) {
    const std::string name = "l" + std::to_string(i);
    AddLibrary(files, "/app/forms/" + name, {ClassRecord("c", "label", "", "label", "Width = 1\r\n")});
    records.push_back(FormObject(static_cast<int>(i) + 3, "Form1", name, "label", "", "c", name + ".vcx"));
  }
  records.push_back(FormObject(999, "Form1", "again", "label", "", "c", "l0.vcx"));
  const ClassExpansion expansion = Expand(files, records);
  EXPECT_EQ(expansion.notes, (std::vector<std::string>{"   Note: class library l256.vcx not read: a form may use "
                                                       "at most 256 class libraries"}));
  ASSERT_EQ(expansion.records.size(), records.size());
  EXPECT_EQ(expansion.records[255].properties, "Width = 1\r\n");
  EXPECT_EQ(expansion.records[256].properties, "");
  EXPECT_EQ(expansion.records[257].properties, "Width = 1\r\n");
}

TEST(ClassExpansionTest, CyclesAndDeepChainsAreCut) {
  MemoryFileSystem files;
  AddLibrary(files, "/app/forms/loop",
             {ClassRecord("a", "b", "loop.vcx", "label", PropertyLines({"Caption = \"a\""})),
              ClassRecord("b", "a", "LOOP.VCX", "label", PropertyLines({"Width = 5"})),
              ClassRecord("box", "container", "", "container", "", 2),
              MemberRecord("box", "inner", "container", "", "box", "loop.vcx")});
  ScxWriter deep;
  for (int i = 0; i < 70; ++i) {
    deep.Add(ClassRecord("c" + std::to_string(i), "c" + std::to_string(i + 1), "deep.vcx", "label",
                         "Tag = " + std::to_string(i) + "\r\n"));
  }
  deep.Build().AddTo(files, "/app/forms/deep.vcx", "/app/forms/deep.vct");
  const ClassExpansion expansion =
      Expand(files, {FormObject(3, "Form1", "l", "label", "", "a", "loop.vcx"),
                     FormObject(4, "Form1", "x", "container", "", "box", "loop.vcx"),
                     FormObject(5, "Form1", "d", "label", "", "c0", "deep.vcx")});
  EXPECT_EQ(expansion.notes,
            (std::vector<std::string>{
                "   Note: class a in class library " + NativePath("/app/forms/loop.vcx") +
                    " is its own ancestor or container; cut there",
                "   Note: class box in class library " + NativePath("/app/forms/loop.vcx") +
                    " is its own ancestor or container; cut there",
                "   Note: class c64 in class library " + NativePath("/app/forms/deep.vcx") +
                    " lies deeper than 64 classes; cut there"}));
  ASSERT_EQ(expansion.records.size(), 4u);
  EXPECT_EQ(expansion.records[0].properties, PropertyLines({"Width = 5", "Caption = \"a\""}));
  EXPECT_EQ(expansion.records[2].parent, "Form1.x");
  EXPECT_EQ(expansion.records[3].properties, PropertyLines({"Tag = 0"}));
}

// Members of members multiply: 17 levels of two members each would make
// 131,072 objects.
TEST(ClassExpansionTest, MoreMembersThanATreeMayHoldIsRefused) {
  MemoryFileSystem files;
  ScxWriter library;
  for (int i = 0; i < 17; ++i) {
    const std::string name = "l" + std::to_string(i), inner = "l" + std::to_string(i + 1);
    library.Add(ClassRecord(name, "container", "", "container", "", 3))
        .Add(MemberRecord(name, "m1", "container", "", inner, i < 16 ? "wide.vcx" : ""))
        .Add(MemberRecord(name, "m2", "container", "", inner, i < 16 ? "wide.vcx" : ""));
  }
  library.Build().AddTo(files, "/app/forms/wide.vcx", "/app/forms/wide.vct");
  EXPECT_THROW(Expand(files, {FormObject(3, "Form1", "w", "container", "", "l0", "wide.vcx")}), EFormTooLarge);
}

// Each instance copies its classes' methods: nine of 8 MB pass the bound.
TEST(ClassExpansionTest, MoreMethodsThanATreeMayHoldIsRefused) {
  MemoryFileSystem files;
  AddLibrary(files, "/app/forms/big",
             {WithMethods(ClassRecord("c", "label", "", "label", ""), std::string(8u << 20, 'x'))});
  std::vector<FormRecord> records;
  for (int i = 0; i < 9; ++i)
    records.push_back(FormObject(i + 3, "Form1", "l" + std::to_string(i), "label", "", "c", "big.vcx"));
  EXPECT_THROW(Expand(files, records), EFormTooLarge);
}

}  // namespace
}  // namespace quorvex::testing
