#pragma once
// How the passes report progress and learn of a cancel. Pass 1 reports once per
// tree node, pass 2 once per object-text line; the run implements the sink and
// throws Exception("Canceled by user") from ReportProgress when asked to stop.

namespace quorvex {

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;

  // Position back to 0 and the maximum to `maximum` (callers check that it is
  // not negative before they call).
  virtual void SetRange(int maximum) = 0;

  // Moves to `position`; may throw to end the pass (cancel).
  virtual void ReportProgress(int position) = 0;
};

// A sink that ignores everything: for passes run outside a conversion run.
ProgressSink& NullProgress();

}  // namespace quorvex
