// FoxPro project files read, and the Lazarus and Delphi project files a run
// writes of the units it made.

#include <gtest/gtest.h>

#include "base/errors.h"
#include "run/project_file.h"
#include "run/project_texts.h"
#include "support/golden.h"
#include "support/run_support.h"
#include "table/file_system.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(ProjectFile, ListsFormsAndLibrariesFollowedWithoutRegardToCase) {
  TempDir temp;
  const fs::path app = temp.path() / "app";
  PlainForm().WriteTo(app / "forms", "main");
  PlainForm().WriteTo(temp.path() / "shared", "other");
  WriteFileBytes(app / "libs" / "base.vcx", "x");
  const fs::path pjx = WriteProject(app, "proj",
                                    {{"FORMS\\MAIN.SCX", "K", true},
                                     {"..\\shared\\Other.scx", "K"},
                                     {"gone.scx", "K"},
                                     {"Libs\\BASE.VCX", "V"},
                                     {"missing.vcx", "V"},
                                     {"main.prg", "P"}});
  const FoxProject project = ReadFoxProject(RealFileSystem(), pjx.string());
  EXPECT_EQ(project.name, "proj");
  ASSERT_EQ(project.forms.size(), 3u);
  EXPECT_EQ(project.forms[0].path, (app / "forms" / "main.scx").string());
  EXPECT_TRUE(project.forms[0].main);
  EXPECT_EQ(project.forms[1].listed, "..\\shared\\Other.scx");
  EXPECT_EQ(fs::path(project.forms[1].path).filename(), "other.scx");
  EXPECT_EQ(project.forms[2].path, "");
  EXPECT_EQ(project.libraries, std::vector<std::string>{(app / "libs" / "base.vcx").string()});

  // Below the output folder as below the project's; never above it.
  const std::vector<RunInput> inputs = ProjectRunInputs(project);
  ASSERT_EQ(inputs.size(), 3u);
  EXPECT_EQ(inputs[0].output_subfolder, "forms" + kDelimiter);
  EXPECT_EQ(inputs[1].output_subfolder, "_up" + kDelimiter + "shared" + kDelimiter);
  EXPECT_EQ(inputs[2].path, (app / "gone.scx").string());
  EXPECT_EQ(inputs[2].missing_from, pjx.string());
  EXPECT_TRUE(inputs[0].missing_from.empty());

  EXPECT_THROW(ReadFoxProject(RealFileSystem(), WriteNotATable(app, "bad.pjx").string()), ETableError);
}

TEST(ProjectTexts, ProgramsListEveryUnitAndCreateTheMainForm) {
  const ProjectTexts project{"app",
                             {{"main", "main.pas", "TForm1", "Form1"},
                              {"U0002_other", "sub/U0002_other.pas", "TU0002_other", "Form1"}},
                             1};
  const TextList lazarus = LazarusProgram(project);
  EXPECT_NE(std::find(lazarus.begin(), lazarus.end(), "  U0002_other in 'sub/U0002_other.pas' {Form1};"),
            lazarus.end());
  EXPECT_NE(std::find(lazarus.begin(), lazarus.end(), "  Application.CreateForm(TU0002_other, U0002_other.Form1);"),
            lazarus.end());
  const TextList delphi = DelphiProgram(project);
  EXPECT_NE(std::find(delphi.begin(), delphi.end(), "  U0002_other in 'sub\\U0002_other.pas' {Form1};"), delphi.end());
  const TextList lpi = LazarusProjectFile(project);
  EXPECT_NE(std::find(lpi.begin(), lpi.end(), "      <OtherUnitFiles Value=\".;sub\"/>"), lpi.end());
  // A program does not take a unit's name; XML stays XML.
  EXPECT_EQ(ProgramIdentifier("main", project.units), "main_program");
  EXPECT_EQ(ProgramIdentifier("my app", project.units), "my_app");
  const ProjectTexts odd{"a", {{"u", "x&y/u.pas", "TU", "U"}}, 0};
  const TextList odd_lpi = LazarusProjectFile(odd);
  EXPECT_NE(std::find(odd_lpi.begin(), odd_lpi.end(), "        <Filename Value=\"x&amp;y/u.pas\"/>"), odd_lpi.end());
  // Translated code's runtime unit comes first, once.
  ProjectTexts translated = project;
  translated.runtime_path = "sub/FoxRuntime.pas";
  const TextList with_runtime = DelphiProgram(translated);
  EXPECT_EQ(with_runtime[4], "  FoxRuntime in 'sub\\FoxRuntime.pas',");
  EXPECT_EQ(LazarusProgram(translated)[7], "  FoxRuntime in 'sub/FoxRuntime.pas',");
  const TextList runtime_lpi = LazarusProjectFile(translated);
  EXPECT_NE(std::find(runtime_lpi.begin(), runtime_lpi.end(), "        <Filename Value=\"sub/FoxRuntime.pas\"/>"),
            runtime_lpi.end());
}

TEST(ProjectTexts, AProgramWithADatabaseOpensItBeforeItsFirstForm) {
  ProjectTexts project{"app", {{"main", "main.pas", "TForm1", "Form1"}}, 0};
  project.data_path = "FoxData.pas";
  project.database = "app.sqlite";
  project.renamed_tables = {{"main", "lines", "lines_2"}, {"main", "o'k", "o'k_2"}};
  const TextList opening = {"  Application.Initialize;", "  NameTable('main', 'lines', 'lines_2');",
                            "  NameTable('main', 'o''k', 'o''k_2');", "  OpenDatabase('app.sqlite');",
                            "  Application.CreateForm(TForm1, main.Form1);"};
  for (const TextList& program : {LazarusProgram(project), DelphiProgram(project)}) {
    const auto start = std::find(program.begin(), program.end(), opening.front());
    ASSERT_NE(start, program.end());
    EXPECT_TRUE(std::equal(opening.begin(), opening.end(), start));
    EXPECT_NE(std::find(program.begin(), program.end(), "  FoxData in 'FoxData.pas',"), program.end());
  }
  const TextList lpi = LazarusProjectFile(project);
  EXPECT_NE(std::find(lpi.begin(), lpi.end(), "        <Filename Value=\"FoxData.pas\"/>"), lpi.end());
}

}  // namespace
}  // namespace quorvex::testing
