#pragma once
// Where a conversion's time goes. A driver given a clock tells it each pass
// it enters; the clock counts what happens from there to the next pass
// against that pass. Without one, the ordinary case, nothing is counted.

#include <string_view>

namespace quorvex {

class PassClock {
 public:
  virtual ~PassClock() = default;
  // `pass` begins now and the pass before it ends.
  virtual void Enter(std::string_view pass) = 0;
};

inline void EnterPass(PassClock* clock, std::string_view pass) {
  if (clock != nullptr) clock->Enter(pass);
}

}  // namespace quorvex
