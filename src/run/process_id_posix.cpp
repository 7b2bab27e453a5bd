#include "run/process_id.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace quorvex {

std::uint64_t CurrentProcessId() { return static_cast<std::uint64_t>(::getpid()); }

// kill with signal 0 only asks whether the process is there. Ids 0 and
// below name process groups, never a process: they are not asked about.
bool ProcessEnded(std::uint64_t id) {
  if (id == 0 || id > static_cast<std::uint64_t>(std::numeric_limits<pid_t>::max())) return false;
  return ::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

}  // namespace quorvex
