#pragma once
// How often a run lets the window handle input and draw itself. Doing it at
// every progress report costs a run about twenty times its own time
// (bench/gui_bench.cpp), so the window does it about 60 times a second; a
// cancel is still seen at the next report after it, since the run checks its
// flag at every report.

#include <chrono>

namespace quorvex {

class EventPacer {
 public:
  using Clock = std::chrono::steady_clock;

  static constexpr std::chrono::nanoseconds kDefaultInterval = std::chrono::microseconds(16667);

  explicit EventPacer(std::chrono::nanoseconds interval = kDefaultInterval) : interval_(interval) {}

  // 0: every call is due.
  void SetInterval(std::chrono::nanoseconds interval) { interval_ = interval; }

  // True at the first call, then once `interval` has passed since the last
  // call that was due.
  bool Due() {
    if (interval_.count() == 0) return true;
    const Clock::time_point now = Clock::now();
    if (started_ && now - last_ < interval_) return false;
    started_ = true;
    last_ = now;
    return true;
  }

  // The next call is due whatever the time (a new run starts).
  void Reset() { started_ = false; }

 private:
  std::chrono::nanoseconds interval_;
  Clock::time_point last_{};
  bool started_ = false;
};

}  // namespace quorvex
