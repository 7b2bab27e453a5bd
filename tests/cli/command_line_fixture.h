#pragma once
// quorvex-convert run in-process on forms written into a temporary folder.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "support/golden.h"
#include "support/run_support.h"

namespace quorvex::testing {

class CommandLineTest : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& args) {
    out_.str({});
    err_.str({});
    return RunCommandLine(args, {out_, err_, false, interrupted_});
  }
  std::string Form(const fixtures::ScxWriter& writer, const std::string& base) {
    return writer.WriteTo(temp_.path() / "in", base).string();
  }
  std::string Text(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = temp_.path() / name;
    WriteFileBytes(path, bytes);
    return path.string();
  }
  std::string Out() const { return (temp_.path() / "out").string(); }

  TempDir temp_;
  std::ostringstream out_, err_;
  std::atomic<bool> interrupted_{false};
};

}  // namespace quorvex::testing
