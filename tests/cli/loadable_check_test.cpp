// The independent check of the loadable mode: every corpus and project form,
// converted with --loadable, loads clean in Lazarus' own form reader (the
// lclload checker of the shared tools, built into the build folder), with no
// string left as 8-bit bytes; and every unit declares exactly the components
// of its .dfm, with the same classes. Skipped, with the reason, where the
// shared folder is absent or the checker cannot be built (it needs fpc and
// the LCL units: scripts/install-deps.sh installs them).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>

#include "base/ascii.h"
#include "catalog/published_properties.h"
#include "classlib/library_path.h"
#include "cli/command_line.h"
#include "formstream/canonical_parser.h"
#include "pictures/image_codec.h"
#include "pictures/picture_data.h"
#include "support/golden.h"
#include "support/lcl_load.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kBuildDir = QUORVEX_BINARY_DIR;

// `options`: more options before the inputs.
int ConvertLoadable(const std::vector<std::string>& inputs, const fs::path& out,
                    const std::vector<std::string>& options = {}) {
  std::vector<std::string> args = {"-q", "-k", "--loadable", "-o", out.string()};
  args.insert(args.end(), options.begin(), options.end());
  args.insert(args.end(), inputs.begin(), inputs.end());
  std::ostringstream stdout_text, stderr_text;
  const std::atomic<bool> interrupted{false};
  return RunCommandLine(args, {stdout_text, stderr_text, false, interrupted});
}

// lclload's whole output for the .dfm files of `folder`.
std::string CheckFolder(const fs::path& checker, const fs::path& folder) {
  const fs::path log = folder.string() + ".lclload.txt";
  const std::string command = "'" + checker.string() + "' --notes --batch '" + folder.string() + "' > '" +
                              log.string() + "' 2>&1";
  static_cast<void>(std::system(command.c_str()));
  return ReadFileBytes(log);
}

// Name and class of every component below the form, in the order of the text.
void CollectComponents(const DfmObject& object, std::vector<std::string>& out) {
  for (const DfmObject& child : object.children) {
    out.push_back(child.name + ": " + child.class_name);
    CollectComponents(child, out);
  }
}

// The published field declarations of the form class (those before its
// first visibility section): "    Name: TClass;".
std::vector<std::string> UnitFields(const std::string& unit) {
  static const std::regex kField("^    ([A-Za-z_][A-Za-z0-9_]*: [A-Za-z_][A-Za-z0-9_]*);\r?$");
  static const std::regex kUnpublished("^  (protected|private|public)\r?$");
  std::vector<std::string> fields;
  std::istringstream lines(unit);
  for (std::string line; std::getline(lines, line) && !std::regex_match(line, kUnpublished);) {
    std::smatch match;
    if (std::regex_match(line, match, kField)) fields.push_back(match[1]);
  }
  return fields;
}

// Checks the .dfm files directly in `folder`, and with `units` the .pas
// beside each; returns how many there are.
int ExpectAllClean(const fs::path& checker, const fs::path& folder, bool units = true) {
  const std::string report = CheckFolder(checker, folder);
  static const std::regex kSummary("([0-9]+) files, ([0-9]+) load clean");
  std::smatch summary;
  if (!std::regex_search(report, summary, kSummary)) {
    ADD_FAILURE() << report;
    return 0;
  }
  EXPECT_EQ(summary[1], summary[2]) << report;
  EXPECT_EQ(report.find("notes (not load failures"), std::string::npos) << report;

  for (const auto& entry : fs::directory_iterator(folder)) {
    if (!units || entry.path().extension() != ".dfm") continue;
    std::vector<std::string> components;
    CollectComponents(ParseDfmText(ReadFileBytes(entry.path())), components);
    fs::path unit = entry.path();
    unit.replace_extension(".pas");
    EXPECT_EQ(UnitFields(ReadFileBytes(unit)), components) << unit;
  }
  return std::stoi(summary[1]);
}

// Checks `folder` and each of its subfolders (a recursive run keeps the
// forms' subfolders); returns how many .dfm files there are in all.
int ExpectAllCleanBelow(const fs::path& checker, const fs::path& folder) {
  int count = ExpectAllClean(checker, folder);
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_directory()) count += ExpectAllClean(checker, entry.path());
  }
  return count;
}

// The notes of a project's run name only what its application lacks: a
// library never published with it (or not a .vcx at all), a class that the
// library found does not define, or a picture file (none is published).
void ExpectNotesOnlyForMissingLibraries(const std::string& report_json, const std::string& id,
                                        const std::vector<ProjectReference>& references) {
  static const std::regex kLibraryNotFound("class library (.*) not found");
  static const std::regex kClassNotFound("class (.*) not found in class library .*");
  static const std::regex kKept(
      "[0-9]+ settings kept as comments in .*|[0-9]+ methods in .*, [0-9]+ of them in event handlers|"
      "FoxPro code in .*: [0-9]+ methods translated fully, [0-9]+ partly, [0-9]+ not at all \\([0-9]+ of [0-9]+ lines "
      "of code\\)|"
      "data sources in .*; [0-9]+ controls bound|picture file .* not found; kept as a comment");
  const auto lacks = [&](const std::string& text, bool library) {
    if (library && !HasLibraryExtension(text)) return true;
    return std::any_of(references.begin(), references.end(), [&](const ProjectReference& reference) {
      return reference.id == id && (library ? reference.rule == "not found" && SameText(reference.class_location, text)
                                            : !reference.class_defined && SameText(reference.class_name, text));
    });
  };
  const nlohmann::json report = nlohmann::json::parse(report_json);
  for (const auto& form : report.at("forms")) {
      for (const std::string note : form.at("notes")) {
      std::smatch match;
      if (std::regex_match(note, match, kLibraryNotFound)) {
              EXPECT_TRUE(lacks(match[1], true)) << id << ": " << note;
      } else if (std::regex_match(note, match, kClassNotFound)) {
        EXPECT_TRUE(lacks(match[1], false)) << id << ": " << note;
      } else {
        EXPECT_TRUE(std::regex_match(note, kKept)) << id << ": " << note;
      }
    }
  }
}

// A value of each kind for property `name`, as the converter would write it.
std::string SampleValue(const std::string& name, const PropertyType& type) {
  switch (type.kind) {
    case ValueKind::kInteger:
      return "12";
    case ValueKind::kBoolean:
      return "True";
    case ValueKind::kString:
      return "'x'#1055";
    case ValueKind::kColor:
      return "clRed";
    case ValueKind::kIdentifier:
      return type.names.back();
    case ValueKind::kSet:
      return "[" + type.names.front() + "]";
    case ValueKind::kStrings:
      return "(\r\n      'x'\r\n      'y')";
    case ValueKind::kComponent:
      // The page every page control below holds, the form's data source.
      return name == "DataSource" ? "DataSource1" : "Page1";
    case ValueKind::kEvent:
      return "Handler1";
    case ValueKind::kLclEvent:
      break;  // never in a .dfm
    case ValueKind::kBinary: {
      const std::string bmp = EncodeBmp({1, 1, {255, 0, 0, 255}});
      const std::string data = type.names.front() == "TIcon" ? IconData(bmp).value_or("")
                                                             : PictureData(bmp, {}).value_or("");
      return DfmBinaryText(data);
    }
  }
  return {};
}

// A button's glyph is left out: lclload's widget set makes no bitmap handle,
// which the LCL's TBitBtn asks for as soon as it gets a glyph (the render
// check shows glyphs).
void AddSettings(const PublishedProperties::Group& group, const std::string& indent, std::string& text) {
  for (const auto& [name, type] : group) {
    const bool glyph = type.kind == ValueKind::kBinary && type.names.front() == "TBitmap";
    if (type.kind != ValueKind::kLclEvent && !glyph) text += indent + name + " = " + SampleValue(name, type) + "\r\n";
  }
}

// One component of every class of the table with every property it lists
// (pages in a page control, columns in a grid): the table itself must load.
std::string EveryPublishedProperty() {
  const auto& groups = PublishedProperties::Shared().Groups();
  std::string text = "object Form1: TForm1\r\n";
  AddSettings(groups.at("TForm"), "  ", text);
  int count = 0;
  for (const auto& [class_name, group] : groups) {
    if (class_name.front() != 'T' || class_name == "TForm" || class_name == "TTabSheet") continue;
    const std::string component = class_name == "TDataSource" ? "DataSource1" : "C" + std::to_string(++count);
    text += "  object " + component + ": " + class_name + "\r\n";
    AddSettings(group, "    ", text);
    if (class_name == "TDBGrid") {
      text += "    Columns = <\r\n      item\r\n";
      AddSettings(groups.at(std::string(kColumnItemClass)), "        ", text);
      text += "      end>\r\n";
    }
    if (class_name == "TPageControl") {
      text += "    object Page1: TTabSheet\r\n";
      AddSettings(groups.at("TTabSheet"), "      ", text);
      text += "    end\r\n";
    }
    text += "  end\r\n";
  }
  return text + "end\r\n";
}

TEST(LoadableCheck, CorpusAndProjectFormsLoadClean) {
  QUORVEX_REQUIRE_CORPUS();
  std::string why_not;
  const fs::path checker = BuildLclLoad(kBuildDir / "tools", why_not);
  if (checker.empty()) GTEST_SKIP() << "loadable check skipped: " << why_not;

  const fs::path out = kBuildDir / "loadable_check";
  fs::remove_all(out);
  WriteFileBytes(out / "table" / "published.dfm", EveryPublishedProperty());
  EXPECT_EQ(ExpectAllClean(checker, out / "table", false), 1);
  std::vector<std::string> corpus;
  for (const auto& form : CorpusForms()) corpus.push_back(form.string());
  ConvertLoadable(corpus, out / "corpus");
  EXPECT_GE(ExpectAllClean(checker, out / "corpus"), static_cast<int>(corpus.size()) - 1);

  const auto projects = SharedSubdir("projects");
  if (!projects) GTEST_SKIP() << "the shared projects folder is absent; corpus checked";
  // Each project on its own: forms of different projects may share a name.
  // Where some library is found only by searching the project, it is searched.
  const std::vector<ProjectReference> references = ProjectReferences();
  std::set<std::string> searched;
  for (const ProjectReference& reference : references) {
    if (reference.rule == "elsewhere in repository") searched.insert(reference.id);
  }
  EXPECT_FALSE(searched.empty());
  for (const auto& project : fs::directory_iterator(*projects)) {
    if (!project.is_directory()) continue;
    const std::string id = project.path().filename().string();
    const fs::path project_out = out / "projects" / id;
    std::vector<std::string> options = {"-r", "--report-json", project_out.string() + ".json"};
    if (searched.contains(id)) options.insert(options.end(), {"-L", project.path().string()});
    EXPECT_EQ(ConvertLoadable({project.path().string()}, project_out, options), 0) << project.path();
    EXPECT_GT(ExpectAllCleanBelow(checker, project_out), 0) << project_out;
    ExpectNotesOnlyForMissingLibraries(ReadFileBytes(project_out.string() + ".json"), id, references);
  }
}

}  // namespace
}  // namespace quorvex::testing
