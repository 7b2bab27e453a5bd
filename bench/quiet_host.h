#pragma once
// A run's host that shows nothing: what a benchmark of the run itself uses.

#include <string>

#include "run/run_host.h"

namespace quorvex {

class QuietHost final : public RunHost {
 public:
  void AddReportLine(const std::string&) override {}
  void SetProgressMaximum(int) override {}
  void SetProgressPosition(int) override {}
  void SetStatusText(const std::string&) override {}
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override {}
};

}  // namespace quorvex
