#pragma once
// Shared by the run and command-line tests: a host that records what a run
// tells it, and small forms written with the fixture writer.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "run/run_host.h"
#include "fixtures/scx_writer.h"

namespace quorvex::testing {

// Records every call as a short text ("line:...", "status:...", "max:N",
// "pos:N", "busy:1", "events"); `on_events` runs at each ProcessPendingEvents
// with the count of calls so far (1 for the first).
class RecordingHost : public RunHost {
 public:
  void AddReportLine(const std::string& text) override {
    lines.push_back(text);
    calls.push_back("line:" + text);
  }
  void SetProgressMaximum(int maximum) override { calls.push_back("max:" + std::to_string(maximum)); }
  void SetProgressPosition(int position) override { calls.push_back("pos:" + std::to_string(position)); }
  void SetStatusText(const std::string& text) override { calls.push_back("status:" + text); }
  void SetBusy(bool busy) override { calls.push_back(busy ? "busy:1" : "busy:0"); }
  void ProcessPendingEvents() override {
    calls.push_back("events");
    ++events;
    if (on_events) on_events(events);
  }

  std::vector<std::string> lines;
  std::vector<std::string> calls;
  int events = 0;
  std::function<void(int)> on_events;
};

// A form with a label and a text box: converts cleanly.
fixtures::ScxWriter PlainForm(const std::string& form_name = "Form1");

// A form whose DFM text does not parse: a control whose parent path names an
// object no record describes, which becomes an object with an empty class.
fixtures::ScxWriter FormWithUnparsableDfm();

// A table that holds no form record: pass 2 gets an empty object text.
fixtures::ScxWriter TableWithoutForm();

// folder/bars.vcx and bars.vct: a class library with the class "bar", a
// container whose member "Okay" is a command button (a name that no prefix
// rule reads as a button).
void WriteBarLibrary(const std::filesystem::path& folder);

// A form using class libraries: Bar1 an instance of bar whose library is
// named by a path from another machine (C:\old\libs\BARS.VCX), with
// Okay's caption set to `caption`; Missing1 (a command button) of a class in
// missing.vcx, and Broken1 (a text box) of one in broken.vcx beside the form.
fixtures::ScxWriter FormUsingLibraries(const std::string& caption);

// One file a FoxPro project lists: NAME as written (its NUL is added), TYPE,
// and MAINPROG.
struct ProjectEntry {
  std::string name;
  std::string type = "K";
  bool main = false;
};

// folder/NAME.pjx (or folder/NAME where NAME has an extension) and its
// .pjt: a project table with its header record (a path on its author's
// machine) and `entries`.
std::filesystem::path WriteProject(const std::filesystem::path& folder, const std::string& name,
                                   const std::vector<ProjectEntry>& entries);

// Writes bytes that are not a table at folder/name.
std::filesystem::path WriteNotATable(const std::filesystem::path& folder, const std::string& name);

// The regular files directly in a folder, by name.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

}  // namespace quorvex::testing
