// Project files on the command line: a .pjx stands for the forms it lists,
// and a loadable run writes a Lazarus and a Delphi program of its units.

#include <filesystem>

#include "command_line_fixture.h"
#include "database/sqlite_functions.h"
#include "fixtures/table_writer.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

class ProjectRunTest : public CommandLineTest {
 protected:
  // in/app.pjx listing forms\A.SCX (the main form), b.scx and gone.scx, which
  // is missing; both forms are of class TForm1.
  std::string Project() {
    PlainForm().WriteTo(temp_.path() / "in" / "forms", "a");
    PlainForm().WriteTo(temp_.path() / "in", "b");
    return WriteProject(temp_.path() / "in", "app", {{"b.scx"}, {"forms\\A.SCX", "K", true}, {"gone.scx"}}).string();
  }

  bool Has(const fs::path& file, const std::string& line) {
    return ReadFileBytes(file).find(line + "\r\n") != std::string::npos;
  }
};

TEST_F(ProjectRunTest, AProjectStandsForItsFormsAndGivesAProgramTheSameWhateverTheThreads) {
  const std::string pjx = Project();
  const fs::path one = temp_.path() / "one", two = temp_.path() / "two";
  EXPECT_EQ(Run({"--loadable", "-o", one.string(), pjx}), 3);
  EXPECT_NE(out_.str().find("   Warning: " + (temp_.path() / "in" / "gone.scx").string() + " listed in " + pjx +
                            " is missing\n"),
            std::string::npos)
      << out_.str();
  EXPECT_NE(err_.str().find("3 forms: 2 converted, 0 with warnings, 1 missing;"), std::string::npos) << err_.str();
  EXPECT_EQ(Run({"--loadable", "-j", "2", "-q", "-o", two.string(), pjx}), 3);
  for (const char* file : {"b.pas", "b.dfm", "forms/a.pas", "forms/a.dfm", "app.lpr", "app.lpi", "app.dpr"})
    EXPECT_EQ(ReadFileBytes(one / file), ReadFileBytes(two / file)) << file;

  // The later form of an earlier form's class gets one named after its unit.
  EXPECT_TRUE(Has(one / "b.pas", "  TForm1 = class(TForm)"));
  EXPECT_TRUE(Has(one / "forms" / "a.pas", "  Ta = class(TForm)"));
  EXPECT_TRUE(Has(one / "forms" / "a.dfm", "object Form1: Ta"));
  EXPECT_TRUE(Has(one / "app.lpr", "  a in 'forms/a.pas' {Form1};"));
  EXPECT_TRUE(Has(one / "app.lpr", "  Application.CreateForm(Ta, a.Form1);"));
  EXPECT_TRUE(Has(one / "app.dpr", "  a in 'forms\\a.pas' {Form1};"));
}

TEST_F(ProjectRunTest, AnyFormsMakeAProgramUnderTheNameGiven) {
  const std::string a = Form(PlainForm(), "x");
  const std::string b = PlainForm().WriteTo(temp_.path() / "in" / "sub", "x").string();
  EXPECT_EQ(Run({"--loadable", "-q", "-r", "--project", "demo", "-o", Out(), (temp_.path() / "in").string()}), 0);
  // Two units of one name cannot be in one program (the inputs in path order).
  EXPECT_TRUE(Has(fs::path(Out()) / "demo.lpr", "  x in 'sub/x.pas' {Form1},"));
  EXPECT_TRUE(Has(fs::path(Out()) / "demo.lpr", "  x_1 in 'x_1.pas' {Form1};"));
  EXPECT_TRUE(Has(fs::path(Out()) / "demo.lpr", "  Application.CreateForm(TForm1, x.Form1);"));
  EXPECT_EQ(Run({"-q", "--project", "demo", a}), 2);
  EXPECT_NE(err_.str().find("--project needs --loadable"), std::string::npos);
  EXPECT_EQ(Run({"-q", b + ".pjx"}), 2);
  EXPECT_NE(err_.str().find("a project file (.pjx) needs --loadable"), std::string::npos);
}

TEST_F(ProjectRunTest, TheDataTheProjectAndItsFormsNameIsOneDatabaseAndItsSqlText) {
  std::string why;
  if (SqliteLibrary(why) == nullptr) GTEST_SKIP() << why << ": skipped";
  const fs::path in = temp_.path() / "in";
  for (const char* table : {"orders.dbf", "lines.dbf"})
    fixtures::BuildTable({}, {{"ID", 'I', 4}}, {{{{"ID", fixtures::Int32Bytes(7)}}}}).WriteTo(in / "Data", table);
  // Listed first, it is "lines"; the form's table becomes "lines_2".
  fixtures::BuildTable({}, {{"ID", 'I', 4}}, {}).WriteTo(in / "old", "lines.dbf");
  fixtures::ScxWriter form = PlainForm();
  form.Add({.objname = "Cursor1", .parent = "Dataenvironment", .baseclass = "cursor", .class_name = "cursor",
            .properties = fixtures::PropertyLines({"CursorSource = \"data\\LINES.DBF\"", "Name = \"Cursor1\""})});
  form.WriteTo(in, "f");
  const std::string bad = WriteNotATable(in, "bad.dbf").string();
  const std::string pjx =
      WriteProject(in, "app",
                   {{"f.scx", "K", true}, {"old\\lines.dbf", "D"}, {"DATA\\Orders.dbf", "D"}, {"gone.dbc", "d"},
                    {"bad.dbf", "D"}})
          .string();
  const std::string json = (temp_.path() / "report.json").string();
  // A table that cannot be read is a warning; the others are written all the same.
  EXPECT_EQ(Run({"--loadable", "-o", Out(), "--report-json", json, pjx}), 3);
  const std::string out = fs::path(Out()).string() + kDelimiter;
  for (const std::string& line :
       {"   Note: database gone.dbc listed in " + pjx + " not found\n", "   Generating: " + out + "app.sqlite\n",
        "   Generating: " + out + "app.sql\n",
        "   Note: table orders (" + (in / "Data" / "orders.dbf").string() + "): 1 row, 0 deleted, 1 column\n",
        "   Note: table lines_2 (" + (in / "Data" / "lines.dbf").string() + "): 1 row, 0 deleted, 1 column\n",
        "   Warning: table bad (" + bad + ") not written: Table Header for " + bad + " is invalid\n"})
    EXPECT_NE(out_.str().find(line), std::string::npos) << line << out_.str();
  EXPECT_TRUE(fs::exists(fs::path(Out()) / "app.sqlite"));
  EXPECT_NE(ReadFileBytes(fs::path(Out()) / "app.sql").find("INSERT INTO \"lines_2\" VALUES\n(1, 7);"),
            std::string::npos);
  EXPECT_NE(ReadFileBytes(json).find("\"application_data\": {\n    \"files\": ["), std::string::npos);

  // The form opens its table when created, through FoxData beside it; the
  // program opens the database first, under the name it gave the table.
  EXPECT_TRUE(Has(fs::path(Out()) / "f.pas", "  FoxOpenCursor(dsLINES, 'lines', '', '', False, True);"));
  EXPECT_TRUE(fs::exists(fs::path(Out()) / "FoxData.pas"));
  for (const char* line : {"  FoxData in 'FoxData.pas',", "  NameTable('f', 'lines', 'lines_2');",
                           "  OpenDatabase('app.sqlite');"}) {
    EXPECT_TRUE(Has(fs::path(Out()) / "app.lpr", line)) << line;
    EXPECT_TRUE(Has(fs::path(Out()) / "app.dpr", line)) << line;
  }
}

TEST_F(ProjectRunTest, ADamagedProjectFileIsAFailureNamingIt) {
  const fs::path bad = WriteNotATable(temp_.path(), "bad.pjx");
  EXPECT_EQ(Run({"--loadable", "-o", Out(), bad.string()}), 1);
  EXPECT_EQ(err_.str(), "quorvex-convert: Table Header for " + bad.string() + " is invalid\n");
}

}  // namespace
}  // namespace quorvex::testing
