#pragma once
// EUnreadable: what the expression reader throws for FoxPro code it does not
// read. Its message is the reason, a short phrase ("syntax not understood",
// "array"); a stage that reports reasons passes it on unchanged.

#include "base/errors.h"

namespace quorvex {

class EUnreadable : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace quorvex
