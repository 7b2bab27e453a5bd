// The command line's host: report lines, the progress display and Ctrl+C.

#include "cli/terminal_host.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace quorvex::testing {
namespace {

// What takes back a progress line of `characters` characters: "\033[K", or on
// a Windows console, which may not know it, blanks over the line.
std::string Erase([[maybe_unused]] std::size_t characters) {
#ifdef _WIN32
  return "\r" + std::string(characters, ' ') + "\r";
#else
  return "\r\033[K";
#endif
}

TEST(TerminalHostTest, ProgressDisplayIsTakenBackAroundReportLines) {
  std::ostringstream report, progress;
  const std::atomic<bool> interrupted{false};
  TerminalHost host(report, progress, false, true, interrupted, [] {});
  host.FileProgress(0, 2, "/forms/\xC3\xA4.scx");  // "ä": two bytes, one character
  host.AddReportLine("   Converting: /forms/a.scx");
  host.FileProgress(2, 2, {});
  EXPECT_EQ(progress.str(), "[0/2] /forms/\xC3\xA4.scx" + Erase(18) + "[0/2] /forms/\xC3\xA4.scx" + Erase(18));
  EXPECT_TRUE(std::regex_match(report.str(), std::regex("[0-9:]{8}   Converting: /forms/a.scx\n")));
  host.FileProgress(1, 2, "/" + std::string(100, 'x') + ".scx");
  EXPECT_TRUE(progress.str().ends_with("[1/2] ..." + std::string(56, 'x') + ".scx")) << progress.str();
  std::string cyrillic;
  for (int i = 0; i < 40; ++i) cyrillic += "\xD0\xB6";
  host.FileProgress(1, 2, "/" + cyrillic + "x.scx");  // cut after whole characters only
  EXPECT_TRUE(progress.str().ends_with("[1/2] ..." + cyrillic.substr(26) + "x.scx")) << progress.str();
}

TEST(TerminalHostTest, NoProgressWhenNotATerminalAndNoLinesWhenQuiet) {
  std::ostringstream report, progress;
  const std::atomic<bool> interrupted{false};
  TerminalHost host(report, progress, true, false, interrupted, [] {});
  host.FileProgress(0, 1, "/forms/a.scx");
  host.AddReportLine("   Done\r\n");
  host.AddFailureLine("Canceled by user");
  EXPECT_EQ(progress.str(), "");
  EXPECT_EQ(report.str(), "");
}

TEST(TerminalHostTest, DoneShowsAnEmptyLineAndCtrlCCancelsOnce) {
  std::ostringstream report, progress;
  std::atomic<bool> interrupted{false};
  int cancels = 0;
  TerminalHost host(report, progress, false, false, interrupted, [&] { ++cancels; });
  host.AddReportLine("   Done\r\n");
  EXPECT_TRUE(std::regex_match(report.str(), std::regex("[0-9:]{8}   Done\n\n")));
  host.ProcessPendingEvents();
  EXPECT_EQ(cancels, 0);
  interrupted = true;
  host.ProcessPendingEvents();
  host.ProcessPendingEvents();
  EXPECT_EQ(cancels, 1);
}

}  // namespace
}  // namespace quorvex::testing
