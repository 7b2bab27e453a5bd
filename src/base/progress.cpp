#include "base/progress.h"

namespace quorvex {

namespace {
class NullProgressSink final : public ProgressSink {
 public:
  void SetRange(int) override {}
  void ReportProgress(int) override {}
};
}  // namespace

ProgressSink& NullProgress() {
  static NullProgressSink sink;
  return sink;
}

}  // namespace quorvex
