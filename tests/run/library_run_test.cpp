// Class libraries in a loadable run: a library found only in a -L folder
// gives its members their real classes; a library that is missing or
// damaged costs only the objects that use it, with a note in the form's
// report and results; and two threads give the same report and files.

#include <gtest/gtest.h>

#include <regex>

#include "run/conversion_run.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

struct RunOutput {
  std::vector<std::string> report;
  std::vector<FormResult> results;
};

RunOutput ConvertWithLibraries(const std::vector<std::string>& inputs, const fs::path& out,
                               const std::string& libraries, int jobs) {
  RecordingHost host;
  RunOptions options;
  options.loadable = true;
  options.jobs = jobs;
  options.library_folders = {libraries};
  ConversionRun run(host, options);
  run.ConvertSelectedFiles(inputs, out.string() + kDelimiter);
  return {host.lines, run.Results()};
}

TEST(LibraryRun, LibraryFromASearchFolderAndOnesMissingOrDamaged) {
  TempDir temp;
  WriteBarLibrary(temp.path() / "libs" / "deep");
  const fs::path forms = temp.path() / "app";
  WriteFileBytes(forms / "broken.vcx", "not a table");
  const std::vector<std::string> inputs = {FormUsingLibraries("Yes").WriteTo(forms, "main").string(),
                                           FormUsingLibraries("No").WriteTo(forms, "second").string()};
  const std::string libraries = (temp.path() / "libs").string();

  const RunOutput one = ConvertWithLibraries(inputs, temp.path() / "one", libraries, 1);
  // The class's own settings under the form's, its member under its real
  // class; what no class gives, FoxPro's defaults of the base class (the
  // container as high as its member needs).
  EXPECT_EQ(ReadFileBytes(temp.path() / "one" / "main.dfm"),
            "object Form1: TForm1\r\n"
            "  Position = poDesigned\r\n  Font.Name = 'Arial'\r\n  Font.Size = 9\r\n"
            "  ClientHeight = 250\r\n  AutoScroll = False\r\n  ClientWidth = 375\r\n  PixelsPerInch = 96\r\n"
            "  object Bar1: TPanel\r\n    ParentColor = False\r\n    BorderStyle = bsSingle\r\n    Height = 27\r\n"
            "    BevelOuter = bvNone\r\n    Width = 200\r\n"
            "    object Okay: TButton\r\n      Caption = 'Yes'\r\n      Height = 27\r\n      Width = 84\r\n"
            "    end\r\n  end\r\n"
            "  object Missing1: TButton\r\n    Height = 27\r\n    Width = 84\r\n  end\r\n"
            "  object Broken1: TEdit\r\n    AutoSize = False\r\n    ParentColor = False\r\n    Height = 23\r\n    Width = 100\r\n  end\r\n"
            "end\r\n");
  EXPECT_NE(ReadFileBytes(temp.path() / "one" / "main.pas").find("    Okay: TButton;\r\n"), std::string::npos);

  // Each form reports each missing or damaged library once, after its
  // "Converting" line; notes are not warnings.
  ASSERT_GE(one.report.size(), 3u);
  EXPECT_EQ(one.report[1], "   Note: class library missing.vcx not found");
  EXPECT_EQ(one.report[2].rfind("   Note: class library " + (forms / "broken.vcx").string() + " cannot be read: ", 0),
            0u)
      << one.report[2];
  ASSERT_EQ(one.results.size(), 2u);
  for (const FormResult& result : one.results) {
    EXPECT_EQ(result.outcome, FormOutcome::kConverted);
    ASSERT_GE(result.notes.size(), 2u);
    EXPECT_EQ(result.notes[0], "class library missing.vcx not found");
  }

  const RunOutput two = ConvertWithLibraries(inputs, temp.path() / "two", libraries, 2);
  std::vector<std::string> report = two.report;
  const std::regex two_folder(RegexText(kDelimiter + "two" + kDelimiter));
  for (std::string& line : report) line = std::regex_replace(line, two_folder, kDelimiter + "one" + kDelimiter);
  EXPECT_EQ(report, one.report);
  for (const std::string& name : FileNames(temp.path() / "one"))
    EXPECT_EQ(ReadFileBytes(temp.path() / "two" / name), ReadFileBytes(temp.path() / "one" / name)) << name;
  EXPECT_EQ(FileNames(temp.path() / "two"), FileNames(temp.path() / "one"));
}

}  // namespace
}  // namespace quorvex::testing
