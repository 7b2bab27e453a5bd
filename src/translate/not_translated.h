#pragma once
// ENotTranslated: what the translator throws where FoxPro code has no
// translation it can be sure of. Its message is the reason, a short phrase
// that the report of reasons counts ("unknown function GETLANGTEXT" comes as
// "unknown function"; the name goes after a colon). The translator catches it
// at the statement and keeps the statement as it was.

#include <string>

#include "base/errors.h"

namespace quorvex {

class ENotTranslated : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace quorvex
