// Converting whole application folders: the output layout of recursive runs,
// inputs that would overwrite each other's files, the summary and the JSON
// report.

#include <nlohmann/json.hpp>

#include "command_line_fixture.h"

namespace quorvex::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class BatchRunTest : public CommandLineTest {
 protected:
  std::string Report() const { return (temp_.path() / "report.json").string(); }
  json ReadReport() const { return json::parse(ReadFileBytes(Report())); }
};

TEST_F(BatchRunTest, RecursiveRunsKeepTheFormsSubfolders) {
  const fs::path app = temp_.path() / "app";
  PlainForm().WriteTo(app, "main");
  PlainForm().WriteTo(app / "sales", "main");
  PlainForm().WriteTo(app / "sales" / "old", "orders");
  EXPECT_EQ(Run({app.string(), "-r", "-o", Out()}), 0);
  EXPECT_EQ(FileNames(Out()), (std::vector<std::string>{"main.dfm", "main.pas"}));
  EXPECT_EQ(FileNames(fs::path(Out()) / "sales"), (std::vector<std::string>{"main.dfm", "main.pas"}));
  EXPECT_EQ(FileNames(fs::path(Out()) / "sales" / "old"), (std::vector<std::string>{"orders.dfm", "orders.pas"}));
  const std::string orders = (fs::path(Out()) / "sales" / "old" / "orders.pas").string();
  EXPECT_NE(out_.str().find("   Generating: " + orders + "\n"), std::string::npos) << out_.str();
  EXPECT_EQ(err_.str(), "3 forms: 3 converted, 0 with warnings; output in " + Out() + kDelimiter + "\n");
}

TEST_F(BatchRunTest, InputsThatWouldShareAnOutputAreRefusedBeforeAnythingIsWritten) {
  const std::string first = PlainForm().WriteTo(temp_.path() / "a", "main").string();
  const std::string second = PlainForm().WriteTo(temp_.path() / "b", "main").string();
  const std::vector<std::vector<std::string>> rows = {{first, second}, {first, first}};
  for (const auto& inputs : rows) {
    std::vector<std::string> args = inputs;
    args.insert(args.end(), {"-o", Out()});
    EXPECT_EQ(Run(args), 2);
    EXPECT_EQ(err_.str(), "quorvex-convert: " + inputs[0] + " and " + inputs[1] + " would both be saved as " +
                              Out() + kDelimiter + "main.dfm; nothing was converted\n");
    EXPECT_EQ(out_.str(), "");
    EXPECT_FALSE(fs::exists(Out()));
  }
}

TEST_F(BatchRunTest, JsonReportTellsWhatEachFormGave) {
  const std::string good = Form(PlainForm(), "a");
  const std::string bad = Form(FormWithUnparsableDfm(), "b");
  const std::string not_a_table = WriteNotATable(temp_.path() / "in", "c.scx").string();
  ASSERT_EQ(Run({good, bad, not_a_table, "-k", "-o", Out(), "--report-json", Report()}), 3);
  const json report = ReadReport();
  EXPECT_EQ(report["exit_status"], 3);
  EXPECT_EQ(report["ended_early"], false);
  EXPECT_EQ(report["output_directory"], Out() + kDelimiter);
  EXPECT_EQ(report["counts"], json::parse(R"({"forms": 3, "converted": 1, "with_warnings": 1, "not_opened": 1,
                                              "missing": 0, "not_converted": 0})"));
  const json& forms = report["forms"];
  EXPECT_EQ(forms[0]["input"], good);
  EXPECT_EQ(forms[0]["outcome"], "converted");
  EXPECT_EQ(forms[0]["outputs"], json::array({Out() + kDelimiter + "a.pas", Out() + kDelimiter + "a.dfm"}));
  EXPECT_EQ(forms[1]["outcome"], "warnings");
  EXPECT_EQ(forms[1]["warnings"].size(), 1u);
  EXPECT_EQ(forms[2]["outcome"], "not_opened");
  EXPECT_EQ(forms[2]["outputs"], json::array());
  EXPECT_EQ(forms[2]["warnings"], json::array({"Table Header for " + not_a_table + " is invalid"}));

  const std::string first = ReadFileBytes(Report());
  ASSERT_EQ(Run({good, bad, not_a_table, "-k", "-j", "2", "-q", "-o", Out(), "--report-json", Report()}), 3);
  EXPECT_EQ(ReadFileBytes(Report()), first) << "the same document with -j 2";
}

TEST_F(BatchRunTest, JsonReportOfARunThatEndsEarly) {
  const std::string good = Form(PlainForm(), "a");
  const std::string not_a_table = WriteNotATable(temp_.path() / "in", "b.scx").string();
  const std::string after = Form(PlainForm(), "c");
  ASSERT_EQ(Run({good, not_a_table, after, "-o", Out(), "--report-json", Report()}), 1);
  const json report = ReadReport();
  EXPECT_EQ(report["exit_status"], 1);
  EXPECT_EQ(report["ended_early"], true);
  EXPECT_EQ(report["failure"], "Table Header for " + not_a_table + " is invalid");
  EXPECT_EQ(report["counts"]["not_converted"], 2);
  EXPECT_EQ(report["forms"][1]["outcome"], "ended_run");
  EXPECT_EQ(report["forms"][2]["outcome"], "not_reached");
  EXPECT_NE(err_.str().find("; ended early at " + not_a_table + ", 2 not converted;"), std::string::npos);
}

TEST_F(BatchRunTest, ClassLibrariesOfTheLoadableMode) {
  WriteBarLibrary(temp_.path() / "libs");
  const std::string form = Form(FormUsingLibraries("Yes"), "main");
  const std::string libraries = (temp_.path() / "libs").string();
  EXPECT_EQ(Run({"-L", libraries, "-o", Out(), form}), 2);
  EXPECT_EQ(err_.str(), "quorvex-convert: -L needs --loadable\nRun with --help for more information.\n");

  // The stages show the resolved objects.
  ASSERT_EQ(Run({"--stage", "tree", "--loadable", "-L", libraries, form}), 0);
  EXPECT_EQ(out_.str(), "Form1\t2\n  Bar1\t3\n    Okay\t4\n  Missing1\t5\n  Broken1\t6\n");

  // Notes are not warnings; the JSON report lists them per form.
  ASSERT_EQ(Run({"--loadable", "-L", libraries, "-o", Out(), "--report-json", Report(), form}), 0);
  EXPECT_EQ(err_.str(), "1 form: 1 converted, 0 with warnings; output in " + Out() + kDelimiter + "\n");
  const json report = ReadReport();
  EXPECT_EQ(report["forms"][0]["outcome"], "converted");
  EXPECT_EQ(report["forms"][0]["notes"],
            json::array({"class library missing.vcx not found", "class library broken.vcx not found"}));
}

TEST_F(BatchRunTest, TheReportsGiveEachUnitsDataSourcesAndBoundControls) {
  using fixtures::PropertyLines;
  fixtures::ScxWriter writer = PlainForm();
  writer.Add({.objname = "Cursor1", .parent = "Dataenvironment", .baseclass = "cursor",
              .properties = PropertyLines({"Alias = \"customer\"", "Name = \"Cursor1\""})})
      .Add({.objname = "txtName", .parent = "Form1", .baseclass = "textbox",
            .properties = PropertyLines({"ControlSource = \"customer.name\"", "Name = \"txtName\""})})
      .Add({.objname = "grdTotals", .parent = "Form1", .baseclass = "grid",
            .properties = PropertyLines({"RecordSource = \"totals\"", "Name = \"grdTotals\""})});
  ASSERT_EQ(Run({"--loadable", "-o", Out(), "--report-json", Report(), Form(writer, "main")}), 0);
  EXPECT_NE(out_.str().find("   Note: data sources in main.pas: dsCustomer (customer), dsTotals (totals, opened in "
                            "code); 2 controls bound\n"),
            std::string::npos)
      << out_.str();
  EXPECT_EQ(ReadReport()["forms"][0]["data"], json::parse(R"([{"unit": "main",
      "data_sources": [{"name": "dsCustomer", "alias": "customer", "opened_in_code": false},
                       {"name": "dsTotals", "alias": "totals", "opened_in_code": true}],
      "bound": [{"control": "txtName", "data_source": "dsCustomer", "field": "name"},
                {"control": "grdTotals", "data_source": "dsTotals"}]}])"));
}

}  // namespace
}  // namespace quorvex::testing
